#include "ui/practice/answer_pad.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace hq::ui {
namespace {

// Buttons a row holds where the level asks no positions.
constexpr int kColumns = 5;
constexpr int kProgressionColumns = 4;

QString Capitalised(std::string_view text) {
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (!s.isEmpty()) s[0] = s[0].toUpper();
    return s;
}

}  // namespace

QString AnswerButtonName(const std::string& answer) { return QStringLiteral("Answer: ") + QString::fromStdString(answer); }

AnswerPad::AnswerPad(std::function<void(const std::string&)> answer, QWidget* parent)
    : QWidget(parent), answer_(std::move(answer)), grid_(new QGridLayout(this)) {
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setHorizontalSpacing(6);
    grid_->setVerticalSpacing(4);
}

void AnswerPad::AddButton(const std::string& answer, const QString& text, int row, int column) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(AnswerButtonName(answer));
    button->setAccessibleName(QString::fromStdString(answer));
    button->setToolTip(QString::fromStdString(answer));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, answer] { answer_(answer); });
    grid_->addWidget(button, row, column);
    // Shown now, not on the next turn of the event loop, so a picture taken at once has it.
    button->show();
}

void AnswerPad::ShowLevel(practice::Level level) {
    while (QLayoutItem* item = grid_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (int c = 0; c < grid_->columnCount(); ++c) grid_->setColumnStretch(c, 0);
    if (level == practice::Level::Progressions) {
        int i = 0;
        for (const practice::Progression& p : practice::Progressions()) {
            AddButton(std::string(p.numerals), QString::fromUtf8(p.numerals.data(), static_cast<qsizetype>(p.numerals.size())),
                      i / kProgressionColumns, i % kProgressionColumns);
            ++i;
        }
        return;
    }
    if (!practice::AsksInversions(level)) {
        int i = 0;
        for (const practice::ChordType& type : practice::LevelTypes(level)) {
            AddButton(practice::AnswerText(level, type.name, 0),
                      QString::fromUtf8(type.name.data(), static_cast<qsizetype>(type.name.size())), i / kColumns,
                      i % kColumns);
            ++i;
        }
        return;
    }
    // A row per type under the positions' names.
    int positions = 1;
    for (const practice::ChordType& type : practice::LevelTypes(level)) positions = std::max<int>(positions, type.positions);
    for (int p = 0; p < positions; ++p) {
        auto* title = new QLabel(Capitalised(practice::InversionName(p)), this);
        title->setAlignment(Qt::AlignCenter);
        grid_->addWidget(title, 0, p);
        title->show();
    }
    int row = 1;
    for (const practice::ChordType& type : practice::LevelTypes(level)) {
        const QString name = QString::fromUtf8(type.name.data(), static_cast<qsizetype>(type.name.size()));
        for (int p = 0; p < type.positions; ++p) AddButton(practice::AnswerText(level, type.name, p), name, row, p);
        ++row;
    }
}

}  // namespace hq::ui
