// The live naming line above the piano: the held keys named while they are
// held, and a click that hands the chord on.

#include <gtest/gtest.h>

#include <QPushButton>

#include <string>
#include <vector>

#include "tests/ui/keyboard_fixture.h"
#include "ui/keyboard/naming_line.h"

namespace hq {
namespace {

using testing::KeyboardRig;

TEST(NamingLine, NamesTheHeldKeysOnEveryChange) {
    struct Step {
        char op;  // 'l' lock the key, 'u' unlock it
        int32_t key;
        std::vector<std::string> shown;  // the first names, best first
    };
    const std::vector<Step> steps = {
        {'l', 64, {}},  // E4
        {'l', 67, {}},  // G4: two pitch classes are no chord
        {'l', 72, {"C/E", "Em(#5)"}},
        {'l', 82, {"C7/E"}},  // Bb5
        {'u', 82, {"C/E"}},
        {'l', 40, {"C/E"}},   // E2: an octave lower counts the same
        {'l', 34, {"C7/Bb"}},  // Bb1 now lowest
        {'u', 67, {}},         // G4 gone: Bb C E
    };
    KeyboardRig rig;
    rig.Start();
    kbd::NamingLine& line = rig.Window().Naming();
    for (const Step& s : steps) {
        if (s.op == 'l') rig.Lock(s.key);
        if (s.op == 'u') {
            rig.Press(s.key);
            rig.Release(s.key);
        }
        const std::vector<std::string> shown = line.ShownNames();
        ASSERT_GE(shown.size(), s.shown.size()) << s.key;
        EXPECT_LE(shown.size(), kbd::NamingLine::kShownNames);
        for (size_t i = 0; i < s.shown.size(); ++i) EXPECT_EQ(shown[i], s.shown[i]) << s.key;
        if (s.shown.empty() && s.op == 'l') {
            EXPECT_TRUE(shown.empty()) << s.key;
        }
    }
}

TEST(NamingLine, ClickingANameHandsItsChordOn) {
    KeyboardRig rig;
    rig.Start();
    std::vector<ChordDefinition> taken;
    kbd::NamingLine& line = rig.Window().Naming();
    line.SetTaker([&taken](const ChordDefinition& d) { taken.push_back(d); });
    EXPECT_FALSE(line.Take(0));
    for (int32_t key : {55, 59, 62, 65}) rig.Lock(key);  // G3 B3 D4 F4
    auto* best = line.findChild<QPushButton*>(QStringLiteral("NamingLineName0"));
    ASSERT_NE(best, nullptr);
    EXPECT_EQ(best->text(), QStringLiteral("G7"));
    QTest::mouseClick(best, Qt::LeftButton);
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].RootLetter, "G");
    EXPECT_EQ(taken[0].Extension, 7);
    EXPECT_EQ(taken[0].BassSelected, 0);
    EXPECT_FALSE(line.Take(kbd::NamingLine::kShownNames));
}

}  // namespace
}  // namespace hq
