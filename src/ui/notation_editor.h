#pragma once
// Typing a chord symbol into the notation display: Ctrl+L opens an editor
// over it holding the current notation; Enter takes the chord into the Step
// panels; Escape, leaving the editor or a click anywhere outside it cancels.

#include <QLineEdit>
#include <QPointer>

#include <functional>

#include "app/program.h"
#include "theory/chord_definition.h"

namespace hq::ui {

class ChordsWindow;

/// Takes an accepted symbol's definition into the program.
using TakeChord = std::function<void(const ChordDefinition& definition)>;

class NotationEditor final : public QLineEdit {
public:
    /// Lies over `display`, a child of `window`, and opens on Ctrl+L there.
    NotationEditor(QWidget& window, QWidget& display, TakeChord take);

    void Open();
    bool IsOpen() const { return isVisible(); }
    /// The reason shown for the last rejected symbol; empty once the text changes.
    QString Reason() const { return toolTip(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Apply();
    void Close(bool returnFocus);
    void ShowRejection(const QString& reason);
    void ClearRejection();

    QWidget& display_;
    TakeChord take_;
    QPointer<QWidget> returnFocus_;
};

/// The editor of the main window, taking typed chords in as "Use this
/// solution" does (one composition, alerts as a click gives them).
NotationEditor* AttachNotationEditor(ChordsWindow& window, Program& program);

}  // namespace hq::ui
