#include "ui/fit_text.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <algorithm>

namespace hq::ui {

FittedText FitText(const QFont& font, const QString& text, int widthPx) {
    FittedText fitted{font, text, false};
    const int largest = std::max(kSmallestFontPx, QFontInfo(font).pixelSize());
    for (int px = largest; px >= kSmallestFontPx; --px) {
        fitted.font.setPixelSize(px);
        if (QFontMetrics(fitted.font).horizontalAdvance(text) <= widthPx) return fitted;
    }
    // At the floor the letters may still narrow a little before anything is cut.
    for (int stretch = 95; stretch >= kNarrowestStretch; stretch -= 5) {
        fitted.font.setStretch(stretch);
        if (QFontMetrics(fitted.font).horizontalAdvance(text) <= widthPx) return fitted;
    }
    fitted.shown = QFontMetrics(fitted.font).elidedText(text, Qt::ElideMiddle, std::max(0, widthPx));
    fitted.elided = fitted.shown != text;
    return fitted;
}

void ShowWholeTextIfElided(QWidget& widget, const QString& hint, const QString& text, bool elided) {
    widget.setToolTip(!elided ? hint : hint.isEmpty() ? text : hint + QLatin1Char('\n') + text);
    widget.setAccessibleDescription(elided ? text : QString());
}

FittingLabel::FittingLabel(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

void FittingLabel::SetHint(const QString& hint) {
    hint_ = hint;
    ShowWhetherElided();
}

void FittingLabel::SetWholeText(const QString& text) {
    setText(text);
    ShowWhetherElided();
}

FittedText FittingLabel::Fitted() const { return FitText(font(), text(), contentsRect().width()); }

void FittingLabel::ShowWhetherElided() { ShowWholeTextIfElided(*this, hint_, text(), Fitted().elided); }

void FittingLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    const FittedText fitted = Fitted();
    painter.setFont(fitted.font);
    style()->drawItemText(&painter, contentsRect(), static_cast<int>(QStyle::visualAlignment(layoutDirection(), alignment())),
                          palette(), isEnabled(), fitted.shown, foregroundRole());
}

void FittingLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    ShowWhetherElided();
}

void FittingLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) ShowWhetherElided();
}

FittingComboBox::FittingComboBox(QWidget* parent) : QComboBox(parent) {
    view()->setTextElideMode(Qt::ElideMiddle);
    connect(this, &QComboBox::currentTextChanged, this, [this] { ShowWhetherElided(); });
}

void FittingComboBox::SetHint(const QString& hint) {
    hint_ = hint;
    ShowWhetherElided();
}

QString FittingComboBox::ShownText() const { return currentIndex() < 0 ? placeholderText() : currentText(); }

FittedText FittingComboBox::Fitted() const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    // The label is drawn one pixel in from either side of the field.
    return FitText(font(), ShownText(), field.width() - 2);
}

void FittingComboBox::ShowWhetherElided() { ShowWholeTextIfElided(*this, hint_, ShownText(), Fitted().elided); }

void FittingComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0 && !placeholderText().isEmpty()) {
        option.palette.setBrush(QPalette::ButtonText, option.palette.placeholderText());
    }
    const FittedText fitted = Fitted();
    option.currentText = fitted.shown;
    painter.setFont(fitted.font);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void FittingComboBox::changeEvent(QEvent* event) {
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::FontChange) ShowWhetherElided();
}

void FittingComboBox::showPopup() {
    // The dropped-down lines take the width they need, up to the screen's.
    const QFontMetrics metrics(view()->font());
    int widest = width();
    for (int i = 0; i < count(); ++i) widest = std::max(widest, metrics.horizontalAdvance(itemText(i)) + 24);
    if (const QScreen* s = screen()) widest = std::min(widest, s->availableGeometry().width());
    view()->setMinimumWidth(widest);
    QComboBox::showPopup();
}

}  // namespace hq::ui
