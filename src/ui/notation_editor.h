#pragma once
// Typing a chord symbol into the notation display: Ctrl+L opens an editor
// over it holding the current notation; Enter takes the chord into the Step
// panels, or a whole chart onto the end of the sequence list; Escape,
// leaving the editor or a click anywhere outside it cancels.

#include <QLineEdit>
#include <QPointer>

#include <functional>
#include <vector>

#include "app/program.h"
#include "theory/chord_definition.h"

namespace hq::ui {

class ChordsWindow;

/// Takes an accepted symbol's definition into the program.
using TakeChord = std::function<void(const ChordDefinition& definition)>;
/// Takes an accepted chart's chords, in playing order (never none).
using TakeChart = std::function<void(const std::vector<ChordDefinition>& chords)>;

class NotationEditor final : public QLineEdit {
public:
    /// Lies over `display`, a child of `window`, and opens on Ctrl+L there.
    NotationEditor(QWidget& window, QWidget& display, TakeChord take, TakeChart takeChart = {});

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
    TakeChart takeChart_;
    QPointer<QWidget> returnFocus_;
};

/// The editor of the main window, taking typed chords in as "Use this
/// solution" does (one composition, alerts as a click gives them) and
/// charts onto the sequence list.
NotationEditor* AttachNotationEditor(ChordsWindow& window, Program& program);

}  // namespace hq::ui
