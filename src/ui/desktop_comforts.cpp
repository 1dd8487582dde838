#include "ui/desktop_comforts.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

#include "app/chord_steps.h"
#include "ui/keyboard/desktop_keyboard.h"
#include "ui/keyboard/keyboard_window.h"
#include "ui/qt_toolkit.h"

namespace hq::ui {
namespace {

void AddShortcut(QWidget* window, const QKeySequence& keys, const std::function<void()>& action) {
    auto* shortcut = new QShortcut(keys, window);
    QObject::connect(shortcut, &QShortcut::activated, window, action);
}

}  // namespace

void AddUndoKeys(QtToolkit& toolkit, Program& program) {
    QWidget* main = toolkit.Window(program.state.windows.chords);
    if (main == nullptr) return;
    AddShortcut(main, QKeySequence(Qt::CTRL | Qt::Key_Z), [&program] { UndoChord(program); });
    AddShortcut(main, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [&program] { RedoChord(program); });
    AddShortcut(main, QKeySequence(Qt::CTRL | Qt::Key_Y), [&program] { RedoChord(program); });
    AddShortcut(main, QKeySequence(Qt::CTRL | Qt::Key_Up), [&program] { TransposeChord(program, 1); });
    AddShortcut(main, QKeySequence(Qt::CTRL | Qt::Key_Down), [&program] { TransposeChord(program, -1); });
    AddShortcut(main, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up), [&program] { TransposeList(program, 1); });
    AddShortcut(main, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down),
                [&program] { TransposeList(program, -1); });
}

void WireComforts(QtToolkit& toolkit, Program& program, kbd::DesktopKeyboard& keyboard) {
    AddUndoKeys(toolkit, program);
    kbd::KeyboardWindow& window = keyboard.Window();
    window.OnPlayEachChord([&program](bool on) { program.state.comforts.playEachChord = on; });
    window.OnVoiceLed([&program](bool on) { program.state.sequencer.play.VoiceLed = on; });
    program.state.comforts.chordShown = [&program, &window] {
        window.SetKeyNames(KeyNamesOf(program.state.definition, program.state.chord));
    };
    // The keyboard goes before the main window at the end of the run.
    QObject::connect(&window, &QObject::destroyed, [&program] { program.state.comforts.chordShown = {}; });
    AnnounceChord(program);
}

}  // namespace hq::ui
