// One QApplication for every widget test. Test discovery runs this binary
// without the ctest environment, so it chooses the headless platform itself.

#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>

#include "ui/desktop.h"

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    hq::ui::QuietQtMessages();
    QApplication application(argc, argv);
    hq::ui::PrepareApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
