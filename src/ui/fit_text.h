#pragma once
// Texts that never clip silently: a line that is too wide for its box is
// drawn in a smaller font, down to a floor, and beyond that elided in the
// middle, with the whole text in the tooltip and the accessible description.

#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QString>

namespace hq::ui {

/// The smallest font a line shrinks to before it is elided.
inline constexpr int kSmallestFontPx = 8;
/// How far, in percent of its width, a line at the floor may narrow.
inline constexpr int kNarrowestStretch = 75;

struct FittedText {
    QFont font;
    QString shown;  // the text itself, or elided in the middle
    bool elided = false;
};

/// `text` in the largest pixel size from `font`'s down to kSmallestFontPx that
/// fits `widthPx`, then narrowed down to kNarrowestStretch; elided in the
/// middle at the narrowest when none of them does.
FittedText FitText(const QFont& font, const QString& text, int widthPx);

/// While `text` is shown elided, the tooltip is the hint followed by the whole
/// text, and the accessible description the whole text; else the hint alone.
void ShowWholeTextIfElided(QWidget& widget, const QString& hint, const QString& text, bool elided);

/// A label that draws its one line fitted into its contents.
class FittingLabel : public QLabel {
public:
    explicit FittingLabel(QWidget* parent = nullptr);

    /// The hint the tooltip starts with.
    void SetHint(const QString& hint);
    /// Sets the text and brings the tooltip and accessible description up to date.
    void SetWholeText(const QString& text);
    /// What the label draws now.
    FittedText Fitted() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ShowWhetherElided();

    QString hint_;
};

/// A drop-down list whose current line is fitted like FittingLabel, and whose
/// dropped-down lines are as wide as the widest of them.
class FittingComboBox final : public QComboBox {
public:
    explicit FittingComboBox(QWidget* parent = nullptr);

    void SetHint(const QString& hint);
    /// Call after a change made with the signals blocked.
    void ShowWhetherElided();
    FittedText Fitted() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showPopup() override;

private:
    QString ShownText() const;

    QString hint_;
};

}  // namespace hq::ui
