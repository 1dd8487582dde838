#include "ui/keyboard/naming_line.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

#include "analyzer/capture.h"
#include "theory/pitch.h"

namespace hq::kbd {
namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

QString HintOf(const NamedChord& chord) {
    QString roles;
    for (const NoteRole& r : RolesOf(chord)) {
        if (!roles.isEmpty()) roles += QStringLiteral(", ");
        roles += Text(r.spelled) + QStringLiteral(" (") + Text(r.role) + QStringLiteral(")");
    }
    return Text(ExplanationOf(chord)) + QStringLiteral("\n") + roles +
           QStringLiteral("\nClick to take it into the Step panels.");
}

}  // namespace

NamingLine::NamingLine(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("NamingLine"));
    caption_ = new QLabel(QStringLiteral("Held:"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    row->addWidget(caption_);
    for (size_t i = 0; i < buttons_.size(); ++i) {
        auto* button = new QPushButton;
        button->setObjectName(QStringLiteral("NamingLineName%1").arg(i));
        button->setFlat(i != 0);
        button->setFocusPolicy(Qt::NoFocus);
        button->hide();
        QFont font = button->font();
        font.setBold(i == 0);
        button->setFont(font);
        connect(button, &QPushButton::clicked, this, [this, i] { Take(i); });
        row->addWidget(button);
        buttons_[i] = button;
    }
    interval_ = new QLabel;
    interval_->setObjectName(QStringLiteral("NamingLineInterval"));
    row->addSpacing(8);
    row->addWidget(interval_);
    row->addStretch(1);
    // The line keeps its height when empty, so the piano does not jump.
    setFixedHeight(buttons_[0]->sizeHint().height());
}

void NamingLine::ShowHeld(const HeldKeys& held) {
    // As a capture reads them: octaves 1 to 7, each pitch class where it is
    // first held from the lowest key upward.
    std::vector<int32_t> pitches;
    for (int32_t key = MidiKey(0, kLowestCaptureOctave); key <= MidiKey(11, kHighestCaptureOctave); ++key) {
        if (!held[static_cast<size_t>(key)]) continue;
        if (std::find(pitches.begin(), pitches.end(), key % 12) == pitches.end()) pitches.push_back(key % 12);
    }
    if (pitches == pitches_) return;
    pitches_ = std::move(pitches);
    names_ = BestNames(pitches_, kShownNames);
    caption_->setText(names_.empty() ? QStringLiteral("Held:") : QStringLiteral("Held: "));
    for (size_t i = 0; i < buttons_.size(); ++i) {
        QPushButton* button = buttons_[i];
        if (i >= names_.size()) {
            button->hide();
            continue;
        }
        button->setText(Text(ShownNames()[i]));
        button->setToolTip(HintOf(names_[i]));
        button->show();
    }
    interval_->setText(Text(IntervalLineOfTwo(pitches_)));
}

std::vector<std::string> NamingLine::ShownNames() const {
    std::vector<std::string> shown;
    // One note is named as the note; its click still takes the chord.
    for (const NamedChord& n : names_) {
        shown.push_back(pitches_.size() == 1 ? std::string(kFlatNames[static_cast<size_t>(n.RootPitch)]) : n.name);
    }
    return shown;
}

std::string NamingLine::ShownInterval() const { return interval_->text().toStdString(); }

bool NamingLine::Take(size_t index) {
    if (index >= names_.size()) return false;
    // A copy: the panels' composition may show an alert, and events arrive meanwhile.
    const ChordDefinition chosen = names_[index].definition;
    if (taker_) taker_(chosen);
    return true;
}

}  // namespace hq::kbd
