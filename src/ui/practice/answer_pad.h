#pragma once
// The answer buttons of a level: its chord types in rows with a column per
// position where the level asks positions, or its progressions as numerals.

#include <QWidget>

#include <functional>
#include <string>

#include "practice/vocabulary.h"

class QGridLayout;

namespace hq::ui {

class AnswerPad final : public QWidget {
public:
    /// `answer` is told the answer a button names: "m7, first inversion", "ii-V-I".
    AnswerPad(std::function<void(const std::string&)> answer, QWidget* parent = nullptr);

    /// Replaces the buttons with the level's.
    void ShowLevel(practice::Level level);

private:
    void AddButton(const std::string& answer, const QString& text, int row, int column);

    std::function<void(const std::string&)> answer_;
    QGridLayout* grid_;
};

/// The object name of the button that gives `answer`.
QString AnswerButtonName(const std::string& answer);

}  // namespace hq::ui
