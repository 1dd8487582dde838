// Draws the program's three windows to PNG files, as the README shows them:
// harmoniqua-screenshots OUTPUT_FOLDER

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QTimer>
#include <QWidget>

#include <cstdio>

#include "platform/controls.h"
#include "ui/chords_window.h"
#include "ui/desktop.h"
#include "ui/qt_toolkit.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: harmoniqua-screenshots OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    int status = 0;
    const int run = hq::ui::RunDesktop(1, argv, [&](hq::ui::QtToolkit& toolkit, hq::Program& program) {
        hq::ui::ChordsWindow* chords = toolkit.Chords(program.state.windows.chords);
        // Through the buttons, as a user opens them.
        for (int32_t button : {hq::kid::ExtraButton1, hq::kid::ExtraButton2}) {
            qobject_cast<QAbstractButton*>(chords->Control(button))->click();
        }
        QTimer::singleShot(200, [&toolkit, &program, folder, &status] {
            const struct {
                int32_t grid;
                const char* file;
            } shots[] = {{program.state.windows.chords, "main-window.png"},
                         {program.state.windows.fifths, "fifths-window.png"},
                         {program.state.windows.tmap, "tmap-window.png"}};
            for (const auto& shot : shots) {
                const QString path = QDir(folder).filePath(QString::fromLatin1(shot.file));
                if (!toolkit.Window(shot.grid)->grab().save(path)) {
                    std::fprintf(stderr, "harmoniqua-screenshots: cannot write %s\n", qPrintable(path));
                    status = 1;
                }
            }
            QCoreApplication::exit(0);
        });
    });
    return run != 0 ? run : status;
}
