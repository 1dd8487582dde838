#include "ui/notation_editor.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QShortcut>
#include <QToolTip>

#include "app/list_loading.h"
#include "app/routing.h"
#include "platform/controls.h"
#include "sequencer/chart_reader.h"
#include "theory/symbol.h"
#include "ui/chords_window.h"

namespace hq::ui {
namespace {

const QString kRejectedLook = QStringLiteral("QLineEdit { border: 2px solid #d00000; }");

// A bar line or a second chord makes a text a chart.
bool LooksLikeChart(const std::string& text) {
    if (text.find('|') != std::string::npos) return true;
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return false;
    const size_t gap = text.find_first_of(" \t\r\n", first);
    return gap != std::string::npos && text.find_first_not_of(" \t\r\n", gap) != std::string::npos;
}

}  // namespace

NotationEditor::NotationEditor(QWidget& window, QWidget& display, TakeChord take, TakeChart takeChart)
    : QLineEdit(&window), display_(display), take_(std::move(take)), takeChart_(std::move(takeChart)) {
    setObjectName(QStringLiteral("NotationEditor"));
    setAccessibleName(QStringLiteral("Chord symbol"));
    setGeometry(display.geometry());
    setFont(display.font());
    setAlignment(Qt::AlignCenter);
    hide();
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), &window);
    connect(shortcut, &QShortcut::activated, this, &NotationEditor::Open);
    connect(this, &QLineEdit::textEdited, this, &NotationEditor::ClearRejection);
}

void NotationEditor::Open() {
    if (!IsOpen()) returnFocus_ = window()->focusWidget();
    const auto* label = qobject_cast<const QLabel*>(&display_);
    setText(label != nullptr ? label->text() : QString());
    ClearRejection();
    // A click on the window's background or on a display takes no focus, so
    // only a look at every press tells that the user went elsewhere.
    qApp->installEventFilter(this);
    show();
    raise();
    setFocus(Qt::ShortcutFocusReason);
    selectAll();
}

void NotationEditor::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        Apply();
        return;
    case Qt::Key_Escape:
        event->accept();
        Close(true);
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void NotationEditor::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A context menu of the field keeps it open; anything else leaves it.
    if (IsOpen() && event->reason() != Qt::PopupFocusReason) Close(false);
}

bool NotationEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && IsOpen()) {
        const auto* widget = qobject_cast<const QWidget*>(watched);
        if (widget != nullptr && widget != this && !isAncestorOf(widget)) Close(true);
    }
    return QLineEdit::eventFilter(watched, event);
}

void NotationEditor::Apply() {
    const std::string typed = text().toStdString();
    const SymbolReading reading = ReadChordSymbol(typed);
    if (reading.definition) {
        // Closed first: the bass alert of the composition takes the focus.
        Close(true);
        take_(*reading.definition);
        return;
    }
    if (!takeChart_ || !LooksLikeChart(typed)) {
        ShowRejection(QString::fromStdString(reading.reason));
        return;
    }
    const ChartReading chart = ReadChart(typed);
    if (!chart.chords) {
        ShowRejection(QString::fromStdString(chart.reason));
        return;
    }
    if (chart.chords->empty()) {
        ShowRejection(QStringLiteral("the chart holds no chords"));
        return;
    }
    Close(true);
    takeChart_(*chart.chords);
}

void NotationEditor::Close(bool returnFocus) {
    qApp->removeEventFilter(this);
    ClearRejection();
    hide();
    if (!returnFocus) return;
    if (returnFocus_ != nullptr && returnFocus_->isEnabled() && returnFocus_->isVisible()) {
        returnFocus_->setFocus(Qt::OtherFocusReason);
    } else {
        window()->setFocus(Qt::OtherFocusReason);
    }
}

void NotationEditor::ShowRejection(const QString& reason) {
    setStyleSheet(kRejectedLook);
    setToolTip(reason);
    setAccessibleDescription(reason);
    QToolTip::showText(mapToGlobal(QPoint(0, height())), reason, this);
}

void NotationEditor::ClearRejection() {
    setStyleSheet(QString());
    setToolTip(QString());
    setAccessibleDescription(QString());
    QToolTip::hideText();
}

NotationEditor* AttachNotationEditor(ChordsWindow& window, Program& program) {
    QWidget* display = window.Control(kid::NotationDisplay);
    if (display == nullptr) return nullptr;
    return new NotationEditor(
        window, *display, [&program](const ChordDefinition& d) { TakeChordIntoPanels(program, d); },
        [&program](const std::vector<ChordDefinition>& chords) { AppendChart(program, chords); });
}

}  // namespace hq::ui
