#pragma once
// The piano drawn from the keyboard's state: keys the program sounds in one
// colour, keys the user holds or locks in another. The mouse plays it.

#include <QFontMetrics>
#include <QStaticText>
#include <QStringList>
#include <QWidget>

#include <array>

#include "keyboard/key_labels.h"
#include "keyboard/keyboard_core.h"
#include "keyboard/piano_layout.h"

namespace hq::kbd {

inline constexpr int32_t kWhiteKeyWidthPx = 18;

class PianoWidget final : public QWidget {
public:
    PianoWidget(KeyboardCore& core, QWidget* parent);

    /// Follows a change of the drawn range.
    void Relayout();
    /// Repaints only the keys whose look changed since they were drawn.
    void ShowChanges();
    const PianoLayout& Layout() const { return layout_; }
    /// A point well inside the key's visible part, in widget coordinates.
    QPoint PointOn(int32_t key) const;
    /// Which keys carry names, and how the chord shown spells them.
    void SetNaming(NoteNaming naming);
    void SetKeyNames(const KeyNames& names);
    NoteNaming Naming() const { return naming_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int32_t KeyAt(QPoint p) const;
    uint8_t LookOf(int32_t key) const;
    /// A key's name in lines no wider than `room`.
    QStringList LinesOf(const QString& name, int32_t room) const;

    KeyboardCore& core_;
    PianoLayout layout_;
    bool pressed_ = false;
    NoteNaming naming_ = NoteNaming::COnly;
    KeyNames names_ = FlatKeyNames();
    // What each key showed when last asked for, by key.
    std::array<uint8_t, kKeyCount> shown_{};
    // The octave labels C-1..C9, laid out once: shaping text on every
    // repaint would cost more than the keys.
    QFont labelFont_;
    QFontMetrics labelMetrics_{labelFont_};
    std::array<QStaticText, 11> labels_;
};

}  // namespace hq::kbd
