// One QApplication for every widget test. Test discovery runs this binary
// without the ctest environment, so it chooses the headless platform itself.
// Qt's settings (the file dialog's last folder among them) go to a private
// folder, so no test reads or changes what another run or the user left.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include <cstdlib>

#include "ui/desktop.h"

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const QTemporaryDir settings;
    if (settings.isValid()) setenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit().constData(), 1);
    hq::ui::QuietQtMessages();
    QApplication application(argc, argv);
    hq::ui::PrepareApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
