// The analyzer reading keys locked on the piano: the main window and the
// keyboard component together, as the program runs them.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>

#include "app/program.h"
#include "app/startup.h"
#include "platform/controls.h"
#include "tests/ui/keyboard_fixture.h"
#include "ui/chords_window.h"
#include "ui/qt_toolkit.h"

namespace hq {
namespace {

QStringList Solutions(ui::ChordsWindow& window) {
    auto* list = window.findChild<QComboBox*>(QStringLiteral("SolutionsList"));
    QStringList items;
    for (int i = 0; list != nullptr && i < list->count(); ++i) items << list->itemText(i);
    return items;
}

TEST(KeyboardCapture, KeysLockedWithTheMouseAreSolved) {
    const struct {
        std::vector<int32_t> locked;
        const char* first;
        int32_t pitchClasses;
    } cases[] = {
        {{60, 64, 67}, "C", 3},       // C4 E4 G4
        {{57, 60, 64}, "Am", 3},      // A3 C4 E4
        {{43, 59, 62, 65}, "G7", 4},  // G2 B3 D4 F4
    };
    for (const auto& c : cases) {
        SharedState state;
        ui::QtToolkit toolkit{QString()};
        testing::KeyboardRig rig;
        Program program{state, toolkit, *rig.keyboard};
        StartProgram(program);
        (void)QTest::qWaitForWindowExposed(&rig.Window());
        for (int32_t key : c.locked) rig.Lock(key);

        ui::ChordsWindow& window = *toolkit.Chords(state.windows.chords);
        auto* capture = window.findChild<QAbstractButton*>(QStringLiteral("CaptureSolve"));
        ASSERT_NE(capture, nullptr);
        capture->click();
        const QStringList solutions = Solutions(window);
        ASSERT_FALSE(solutions.isEmpty()) << c.first;
        EXPECT_EQ(solutions.front(), QString::fromLatin1(c.first)) << solutions.join(QStringLiteral(", ")).toStdString();
        EXPECT_EQ(static_cast<int32_t>(state.analyzer.CapturedPitches.size()), c.pitchClasses);
        rig.keyboard->KbdClose();
    }
}

}  // namespace
}  // namespace hq
