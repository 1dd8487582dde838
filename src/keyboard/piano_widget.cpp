#include "keyboard/piano_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace hq::kbd {
namespace {

const QColor kProgramColour(74, 144, 217);
const QColor kUserColour(240, 140, 40);
const QColor kLockedMark(150, 60, 10);
const QColor kBorder(40, 40, 40);
const QColor kBlack(25, 25, 25);
const QColor kLabel(90, 90, 90);

}  // namespace

PianoWidget::PianoWidget(KeyboardCore& core, QWidget* parent)
    : QWidget(parent), core_(core), layout_(core.LowestKey(), core.HighestKey(), kWhiteKeyWidthPx) {
    setObjectName(QStringLiteral("Piano"));
    setAccessibleName(QStringLiteral("Piano"));
    setFixedSize(layout_.Width() + 1, layout_.Height() + 1);
}

void PianoWidget::Relayout() {
    if (layout_.LowKey() == core_.LowestKey() && layout_.HighKey() == core_.HighestKey()) return;
    layout_ = PianoLayout(core_.LowestKey(), core_.HighestKey(), kWhiteKeyWidthPx);
    setFixedSize(layout_.Width() + 1, layout_.Height() + 1);
    update();
}

QPoint PianoWidget::PointOn(int32_t key) const {
    const KeyShape* s = layout_.ShapeOf(key);
    if (s == nullptr) return {-1, -1};
    // White keys are played below the black ones.
    const int32_t y = s->black ? s->height / 2 : s->height - s->height / 6;
    return {s->x + s->width / 2, y};
}

void PianoWidget::SetNaming(NoteNaming naming) {
    if (naming == naming_) return;
    naming_ = naming;
    update();
}

void PianoWidget::SetKeyNames(const KeyNames& names) {
    if (names == names_) return;
    names_ = names;
    if (naming_ == NoteNaming::All) update();
}

int32_t PianoWidget::KeyAt(QPoint p) const { return layout_.KeyAt(p.x(), p.y()); }

void PianoWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    for (const KeyShape& s : layout_.Shapes()) {
        const QRect r(s.x, s.y, s.width, s.height);
        const UserHold user = core_.UserHoldOf(s.key);
        const bool byUser = user != UserHold::None || core_.MidiHeld(s.key);
        const bool byProgram = core_.ProgramCount(s.key) > 0;
        QColor fill = s.black ? kBlack : Qt::white;
        if (byUser) {
            fill = kUserColour;
        } else if (byProgram) {
            fill = kProgramColour;
        }
        painter.fillRect(r, fill);
        // A held key the program also plays keeps both colours: the top
        // third tells the program's part.
        if (byUser && byProgram) painter.fillRect(QRect(s.x, s.y, s.width, s.height / 3), kProgramColour);
        painter.setPen(kBorder);
        painter.drawRect(r.adjusted(0, 0, s.black ? -1 : 0, 0));
        if (user == UserHold::Locked) {
            // A dot between the black keys' ends and the label, clear of
            // where the key is played.
            const int32_t d = std::max(3, s.width / 3);
            const int32_t cy = s.black ? s.height - 2 * d : s.height * 7 / 10 - d / 2;
            painter.setBrush(kLockedMark);
            painter.drawEllipse(QRect(s.x + (s.width - d) / 2, cy, d, d));
            painter.setBrush(Qt::NoBrush);
        }
        const std::string label = KeyLabel(core_, s.key, naming_, names_);
        if (!label.empty()) {
            painter.setPen(byUser || byProgram ? kBorder : kLabel);
            painter.drawText(QRect(s.x - 2, s.height - 14, s.width + 4, 12), Qt::AlignHCenter | Qt::AlignBottom,
                             QString::fromStdString(label));
        }
    }
}

void PianoWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    core_.PointerPress(KeyAt(event->position().toPoint()));
}

void PianoWidget::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_) core_.PointerMove(KeyAt(event->position().toPoint()));
}

void PianoWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    core_.PointerRelease(KeyAt(event->position().toPoint()));
}

}  // namespace hq::kbd
