#pragma once
// The line above the piano that names the held keys while they are held: the
// best name and a few alternatives, each a button that takes its chord into
// the Step panels.

#include <QWidget>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "analyzer/naming.h"
#include "keyboard/keyboard_core.h"

class QLabel;
class QPushButton;

namespace hq::kbd {

class NamingLine final : public QWidget {
public:
    /// The best name and up to three alternatives.
    static constexpr size_t kShownNames = 4;

    explicit NamingLine(QWidget* parent = nullptr);

    /// What a click on a name does with its chord; none: names are not clickable.
    void SetTaker(std::function<void(const ChordDefinition&)> taker) { taker_ = std::move(taker); }
    /// The keyboard's held keys, handed on when they change; the line
    /// renames only when the pitch classes a capture would read changed.
    void ShowHeld(const HeldKeys& held);
    /// The names shown, best first.
    std::vector<std::string> ShownNames() const;
    /// "C–G, perfect fifth" while two pitch classes are held, else "".
    std::string ShownInterval() const;
    /// Does what a click on the name at `index` does; false when none is shown there.
    bool Take(size_t index);

private:
    std::function<void(const ChordDefinition&)> taker_;
    std::vector<int32_t> pitches_;
    std::vector<NamedChord> names_;
    QLabel* caption_;
    QLabel* interval_;
    std::array<QPushButton*, kShownNames> buttons_{};
};

}  // namespace hq::kbd
