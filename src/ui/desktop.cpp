#include "ui/desktop.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <QThreadPool>

#include "analyzer/naming.h"
#include "app/routing.h"
#include "app/startup.h"
#include "sound/soundfont.h"
#include "ui/desktop_comforts.h"
#include "ui/desktop_exporter.h"
#include "ui/keyboard/desktop_keyboard.h"
#include "ui/keyboard/keyboard_memory.h"
#include "ui/keyboard/keyboard_window.h"
#include "ui/keyboard/naming_line.h"
#include "ui/look.h"
#include "ui/notation_editor.h"
#include "ui/picture_folder.h"
#include "ui/practice/practice_window.h"
#include "ui/qt_toolkit.h"

namespace hq::ui {
namespace {

// A fatal message is the one a user needs: Qt stops right after it.
void DropMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) std::fprintf(stderr, "Harmoniqua: %s\n", qPrintable(text));
}

}  // namespace

void QuietQtMessages() {
    const char* wanted = std::getenv("HARMONIQUA_QT_MESSAGES");
    if (wanted == nullptr || std::strcmp(wanted, "1") != 0) qInstallMessageHandler(DropMessage);
}

void PrepareApplication() {
    QApplication::setApplicationName(QStringLiteral("Harmoniqua"));
    QApplication::setStyle(MakeWindowStyle());
}

int RunDesktop(int argc, char** argv, const AfterStart& afterStart) {
    QuietQtMessages();
    QApplication application(argc, argv);
    PrepareApplication();

    SharedState state;
    QtToolkit toolkit(FindPictureFolder(QCoreApplication::applicationDirPath()));
    const std::unique_ptr<kbd::DesktopKeyboard> keyboard =
        kbd::MakeDesktopKeyboard(QCoreApplication::applicationDirPath().toStdString());
    keyboard->RememberIn(kbd::KeyboardSettingsFile());
    Program program{state, toolkit, *keyboard};
    DesktopExporter exporter(kbd::SoundfontFolders(QCoreApplication::applicationDirPath().toStdString()),
                             [&keyboard] { return keyboard->Core().Instrument(); });
    program.exporter = &exporter;
    StartProgram(program);
    if (ChordsWindow* chords = toolkit.Chords(state.windows.chords)) AttachNotationEditor(*chords, program);
    WireComforts(toolkit, program, *keyboard);
    AttachPractice(toolkit, program, &keyboard->Window());
    // The live naming's chord space is built beside the event loop, not before the first window.
    QThreadPool::globalInstance()->start([] { PrepareNaming(); });
    keyboard->Window().Naming().SetTaker(
        [&program](const ChordDefinition& chord) { TakeChordIntoPanels(program, chord); });
    if (afterStart) afterStart(toolkit, program);
    return QApplication::exec();
}

}  // namespace hq::ui
