// The desktop program, ending as soon as its main window has first been
// painted: it writes one byte to stdout at that moment. Run by bench_startup.

#include <QEvent>
#include <QObject>
#include <QWidget>

#include <cstdlib>
#include <unistd.h>

#include "ui/desktop.h"
#include "ui/qt_toolkit.h"

namespace {

class FirstPaint final : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const char shown = '!';
            if (write(STDOUT_FILENO, &shown, 1) != 1) std::_Exit(1);
            std::_Exit(0);
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int main(int argc, char** argv) {
    FirstPaint watcher;
    return hq::ui::RunDesktop(argc, argv, [&watcher](hq::ui::QtToolkit& toolkit, hq::Program& program) {
        toolkit.Window(program.state.windows.chords)->installEventFilter(&watcher);
    });
}
