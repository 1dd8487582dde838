#include <QKeySequence>
#include <QPointer>
#include <QShortcut>

#include "ui/keyboard/keyboard_window.h"
#include "ui/practice/practice_window.h"
#include "ui/qt_toolkit.h"

namespace hq::ui {

PracticeWindow* AttachPractice(QtToolkit& toolkit, Program& program, kbd::KeyboardWindow* keyboardWindow) {
    QWidget* main = toolkit.Window(program.state.windows.chords);
    if (main == nullptr) return nullptr;
    auto* window = new PracticeWindow(program, main);
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), main);
    QObject::connect(shortcut, &QShortcut::activated, window, &PracticeWindow::Open);
    if (keyboardWindow != nullptr) {
        keyboardWindow->OnPractice([window = QPointer<PracticeWindow>(window)] {
            if (window) window->Open();
        });
    }
    return window;
}

}  // namespace hq::ui
