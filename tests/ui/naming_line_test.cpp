// The live naming line above the piano: the held keys named while they are
// held, and a click that hands the chord on.

#include <gtest/gtest.h>

#include <QPushButton>

#include <string>
#include <vector>

#include "tests/ui/keyboard_fixture.h"
#include "theory/composition.h"
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
        {'l', 64, {"E"}},  // E4: one note is named as the note
        {'l', 67, {"Em(no5)"}},  // G4
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

TEST(NamingLine, OneNoteShowsItsNameAndTwoTheirInterval) {
    struct Case {
        std::vector<int32_t> keys;  // locked in this order
        std::vector<std::string> shown;
        std::string interval;
        std::string taken;  // the Notation of the first name's chord
    };
    const std::vector<Case> cases = {
        {{60}, {"C"}, "", "C(no3)(no5)"},
        {{61, 73}, {"Db"}, "", "Db(no3)(no5)"},
        {{60, 67}, {"C(no3)", "G.sus4(no5)/C"}, "C\u2013G, perfect fifth", "C(no3)"},
        {{67, 55, 60}, {"G.sus4(no5)", "C(no3)/G"}, "G\u2013C, perfect fourth", "G.sus4(no5)"},
        {{60, 66}, {"C(b5)(no3)"}, "C\u2013F#, tritone", "C(b5)(no3)"},
        {{59, 70}, {"B.maj7(no3)(no5)"}, "B\u2013A#, major seventh", "B.maj7(no3)(no5)"},
        {{66, 69}, {"Gbm(no5)"}, "Gb\u2013A, minor third", "Gbm(no5)"},
        {{60, 64, 67}, {"C"}, "", "C"},
    };
    for (const Case& c : cases) {
        KeyboardRig rig;
        rig.Start();
        std::vector<ChordDefinition> taken;
        kbd::NamingLine& line = rig.Window().Naming();
        line.SetTaker([&taken](const ChordDefinition& d) { taken.push_back(d); });
        for (int32_t key : c.keys) rig.Lock(key);
        const std::vector<std::string> shown = line.ShownNames();
        ASSERT_GE(shown.size(), c.shown.size()) << c.taken;
        for (size_t i = 0; i < c.shown.size(); ++i) EXPECT_EQ(shown[i], c.shown[i]) << c.taken;
        EXPECT_EQ(line.ShownInterval(), c.interval) << c.taken;
        QTest::mouseClick(line.findChild<QPushButton*>(QStringLiteral("NamingLineName0")), Qt::LeftButton);
        ASSERT_EQ(taken.size(), 1u) << c.taken;
        EXPECT_EQ(Compose(taken[0]).chord.Notation, c.taken);
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
