// Draws the program's windows, and the keyboard window's row of options,
// to PNG files, as the README shows them:
// harmoniqua-screenshots OUTPUT_FOLDER

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QRect>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

#include "platform/controls.h"
#include "ui/chords_window.h"
#include "ui/desktop.h"
#include "ui/keyboard/desktop_keyboard.h"
#include "ui/keyboard/keyboard_window.h"
#include "ui/practice/answer_pad.h"
#include "ui/practice/practice_window.h"
#include "ui/qt_toolkit.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: harmoniqua-screenshots OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    // The practice answers given for the picture stay out of the user's statistics.
    const QTemporaryDir practiceData;
    if (!practiceData.isValid()) return 1;
    setenv("XDG_DATA_HOME", practiceData.path().toLocal8Bit().constData(), 1);
    int status = 0;
    const int run = hq::ui::RunDesktop(1, argv, [&](hq::ui::QtToolkit& toolkit, hq::Program& program) {
        hq::ui::ChordsWindow* chords = toolkit.Chords(program.state.windows.chords);
        // Through the buttons, as a user opens them.
        for (int32_t button : {hq::kid::ExtraButton1, hq::kid::ExtraButton2}) {
            qobject_cast<QAbstractButton*>(chords->Control(button))->click();
        }
        // A chord the program plays and three keys the user locked.
        auto* keyboard = dynamic_cast<hq::kbd::DesktopKeyboard*>(&program.keyboard);
        if (keyboard != nullptr) {
            for (int32_t pitchClass : {0, 4, 7}) keyboard->KbdNoteOn(pitchClass, 3);
            for (int32_t key : {72, 76, 79}) {
                keyboard->Core().PointerPress(key);
                keyboard->Core().PointerMove(-1);
                keyboard->Core().PointerRelease(-1);
            }
        }
        // Time for the soundfont, so the status line is the settled one.
        QTimer::singleShot(1500, [&toolkit, &program, keyboard, chords, folder, &status] {
            const struct {
                int32_t grid;
                const char* file;
            } shots[] = {{program.state.windows.chords, "main-window.png"},
                         {program.state.windows.fifths, "fifths-window.png"},
                         {program.state.windows.tmap, "tmap-window.png"}};
            const auto save = [folder, &status](QWidget* window, const char* file) {
                const QString path = QDir(folder).filePath(QString::fromLatin1(file));
                if (window == nullptr || !window->grab().save(path)) {
                    std::fprintf(stderr, "harmoniqua-screenshots: cannot write %s\n", qPrintable(path));
                    status = 1;
                }
            };
            for (const auto& shot : shots) save(toolkit.Window(shot.grid), shot.file);
            save(keyboard != nullptr ? &keyboard->Window() : nullptr, "keyboard-window.png");
            // The row of options alone, across the window.
            const QString optionPath = QDir(folder).filePath(QStringLiteral("voice-led-option.png"));
            QRect row;
            if (keyboard != nullptr) {
                QWidget& window = keyboard->Window();
                for (const char* name : {"PlayEachChord", "NoteNames", "VoiceLed", "ReleaseAll"}) {
                    if (const auto* widget = window.findChild<QWidget*>(QString::fromLatin1(name))) {
                        row |= QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size());
                    }
                }
                row = QRect(0, row.top() - 3, window.width(), row.height() + 6);
            }
            if (row.height() <= 6 || !keyboard->Window().grab(row).save(optionPath)) {
                std::fprintf(stderr, "harmoniqua-screenshots: cannot write %s\n", qPrintable(optionPath));
                status = 1;
            }
            // A few questions answered, the last one right; after the piano's picture,
            // which would show the questions' notes.
            auto* practice = chords->findChild<hq::ui::PracticeWindow*>(QStringLiteral("Practice"));
            if (practice != nullptr) {
                practice->Open();
                practice->findChild<QComboBox*>(QStringLiteral("Level"))->setCurrentIndex(2);
                const bool answers[] = {true, false, true, true, false, true};
                for (size_t i = 0; i < std::size(answers); ++i) {
                    const bool right = answers[i];
                    std::string kind = hq::practice::ExpectedAnswer(practice->Item());
                    for (const std::string& other : hq::practice::LevelKinds(practice->Item().level)) {
                        if (!right && other != kind) {
                            kind = other;
                            break;
                        }
                    }
                    practice->findChild<QAbstractButton*>(hq::ui::AnswerButtonName(kind))->click();
                    if (i + 1 < std::size(answers)) practice->findChild<QAbstractButton*>(QStringLiteral("Next"))->click();
                }
            }
            save(practice, "practice-window.png");
            QCoreApplication::exit(0);
        });
    });
    return run != 0 ? run : status;
}
