#include "ui/desktop.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/startup.h"
#include "keyboard/desktop_keyboard.h"
#include "keyboard/keyboard_memory.h"
#include "ui/look.h"
#include "ui/picture_folder.h"
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
    StartProgram(program);
    if (afterStart) afterStart(toolkit, program);
    return QApplication::exec();
}

}  // namespace hq::ui
