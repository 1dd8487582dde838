#include "platform/controls.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace hq {
namespace {

TEST(ControlTable, KidNumbersAreRowIndicesAndNamesAreUnique) {
    std::set<std::string_view> names;
    for (size_t i = 0; i < kControls.size(); ++i) {
        EXPECT_EQ(kControls[i].kid, static_cast<int32_t>(i));
        EXPECT_TRUE(names.insert(kControls[i].name).second) << kControls[i].name;
    }
}

TEST(ControlTable, KindCountsMatchTheWindow) {
    std::map<ControlKind, int> counts;
    for (const ControlRow& row : kControls) ++counts[row.kind];
    EXPECT_EQ(counts[ControlKind::Label], 26);
    EXPECT_EQ(counts[ControlKind::RadioButton], 15);
    EXPECT_EQ(counts[ControlKind::CheckBox], 43);
    EXPECT_EQ(counts[ControlKind::PushButton], 15);
    EXPECT_EQ(counts[ControlKind::ListBox], 2);
    EXPECT_EQ(counts[ControlKind::ScrollBar], 2);
}

TEST(ControlTable, TextsKeepTheirExactBlanks) {
    EXPECT_EQ(ControlAt(kid::DiminLabel)->caption, " Dimin.");
    EXPECT_EQ(ControlAt(kid::SequencerPanel)->caption, "Chords Sequencer     ");
    EXPECT_EQ(ControlAt(kid::AnalyzerPanel)->caption, "Chord Analyzer     ");
    EXPECT_EQ(ControlAt(kid::DisplayPlayPanel)->caption, "Chord Display & Play    ");
    EXPECT_EQ(ControlAt(kid::Major)->caption, "");
    EXPECT_EQ(ControlAt(kid::BassNotePanel)->hint, "Step 6: Select just one optional Bass Note\nThis defines a chord invertion");
}

TEST(ControlTable, RadioGroupsAreTheThreeRuns) {
    struct Case {
        int32_t kid;
        std::optional<int32_t> group;
    };
    const Case cases[] = {
        {kid::RC, kid::RC},       {kid::RB, kid::RC},
        {kid::Major, kid::Major}, {kid::Diminished, kid::Major},
        {kid::ArrangeClosest, kid::ArrangeClosest}, {kid::ArrangeRandom, kid::ArrangeClosest},
        {kid::Rb, std::nullopt},  {kid::E7, std::nullopt}, {0, std::nullopt}, {104, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(RadioGroupStart(c.kid), c.group) << c.kid;
}

TEST(ControlTable, LookupByNameIsCaseSensitive) {
    EXPECT_EQ(KidByName("Rb"), kid::Rb);
    EXPECT_EQ(KidByName("RB"), kid::RB);
    EXPECT_EQ(KidByName("Fill"), 103);
    EXPECT_EQ(KidByName("rc"), std::nullopt);
    EXPECT_EQ(KidByName("Chords"), std::nullopt);
}

}  // namespace
}  // namespace hq

namespace hq {
namespace {

TEST(MessageVocabulary, NamesMapToTheirNumbersAndUnknownNamesToZero) {
    EXPECT_EQ(MessageNumber("Selection"), ToNumber(Msg::Selection));
    EXPECT_EQ(MessageNumber("LastMessage"), ToNumber(Msg::LastMessage));
    EXPECT_EQ(MessageNumber("selection"), 0);
    EXPECT_EQ(MessageNumber("Blowback"), 0);
    std::set<int32_t> numbers;
    for (const MessageName& entry : kMessageNames) {
        EXPECT_EQ(MessageNumber(entry.name), ToNumber(entry.message));
        EXPECT_TRUE(numbers.insert(ToNumber(entry.message)).second) << entry.name;
    }
}

}  // namespace
}  // namespace hq
