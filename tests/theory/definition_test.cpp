// Step-panel selections through the headless main window: the definition
// each leaves, and the check boxes as the window shows them afterwards.

#include "theory/chord_definition.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/session_helpers.h"
#include "theory/composition.h"

namespace hq {
namespace {

using testing::Checked;
using testing::ClickAll;
using testing::Display;
using testing::Enabled;

struct SelectionCase {
    const char* what;
    std::vector<std::string_view> clicks;
    const char* notation;
    std::vector<std::string_view> checked;
    std::vector<std::string_view> unchecked;
    std::vector<std::string_view> disabled;
    friend void PrintTo(const SelectionCase& c, std::ostream* os) { *os << c.what; }
};

class StepSelections : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(StepSelections, LeaveTheWindowInLineWithTheDefinition) {
    const SelectionCase& c = GetParam();
    HeadlessSession session;
    ClickAll(session, c.clicks);
    EXPECT_EQ(Display(session, kid::NotationDisplay), c.notation);
    for (std::string_view name : c.checked) EXPECT_TRUE(Checked(session, name)) << name;
    for (std::string_view name : c.unchecked) EXPECT_FALSE(Checked(session, name)) << name;
    for (std::string_view name : c.disabled) {
        EXPECT_FALSE(Enabled(session, name)) << name;
        EXPECT_FALSE(Checked(session, name)) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Definition, StepSelections,
    ::testing::Values(
        SelectionCase{"flat replaces sharp", {"Rs", "Rb"}, "Cb7", {"Rb"}, {"Rs"}, {}},
        SelectionCase{"unchecking the flat leaves the root natural", {"Rs", "Rb", "Rb=off"}, "C7", {}, {"Rb", "Rs"}, {}},
        SelectionCase{"a new root cancels the bass", {"BE", "Bb", "RD"}, "D7", {"RD", "E7"},
                      {"RC", "BC", "BD", "BE", "BF", "BG", "BA", "BB", "Bb", "Bs"}, {}},
        SelectionCase{"a root accidental cancels the bass", {"BE", "Rs"}, "C#7", {"Rs"}, {"BE"}, {}},
        SelectionCase{"unchecking the bass letter removes the bass", {"BE", "BE=off"}, "C7", {}, {"BE"}, {}},
        SelectionCase{"ninth replaces seventh", {"E9"}, "C9", {"E9"}, {"E7"}, {}},
        SelectionCase{"unchecking the ninth leaves no extension", {"E9", "E9=off"}, "C", {},
                      {"E7", "E9"}, {"Ab9", "As9", "As11", "Ab13"}},
        SelectionCase{"add9 replaces sus2", {"E7=off", "sus2", "add9"}, "C.add9", {"add9"}, {"sus2"}, {}},
        SelectionCase{"sus4 joins sus2", {"E7=off", "sus2", "sus4"}, "C.sus2.sus4", {"sus2", "sus4"}, {},
                      {"Ano3"}},
        SelectionCase{"b13 drops #5", {"As5", "Ab13"}, "C7(b13)", {"Ab13"}, {"As5"}, {}},
        SelectionCase{"#5 drops b13", {"Ab13", "As5"}, "C7(#5)", {"As5"}, {"Ab13"}, {}},
        SelectionCase{"#11 drops b5", {"Ab5", "As11"}, "C7(#11)", {"As11"}, {"Ab5"}, {}},
        SelectionCase{"b5 drops #11 and no5", {"As11", "Ano5", "Ab5"}, "C7(b5)", {"Ab5"}, {"As11", "Ano5"}, {}},
        SelectionCase{"no5 drops no3 and b5", {"Ano3", "Ab5", "Ano5"}, "C7(no5)", {"Ano5"}, {"Ano3", "Ab5"}, {}},
        SelectionCase{"b9 replaces #9", {"As9", "Ab9"}, "C7(b9)", {"Ab9"}, {"As9"}, {}},
        SelectionCase{"diminished clears the thirteenth", {"E13", "Diminished"}, "C.dim", {"Diminished"}, {},
                      {"E13"}},
        SelectionCase{"augmented keeps maj7 disabled", {"Emaj7", "Augmented"}, "C.aug", {"Augmented"}, {},
                      {"Emaj7", "E6"}},
        SelectionCase{"major again enables maj7, unchecked", {"Emaj7", "Augmented", "Major"}, "C", {}, {"Emaj7"},
                      {}},
        SelectionCase{"minor clears sus4, keeps add9", {"E7=off", "add9", "sus4", "Minor"}, "Cm.add9", {"add9"},
                      {"sus4"}, {"sus2", "sus4", "Ano3", "As9"}},
        SelectionCase{"E9 disables add9", {"add9", "E9"}, "C9", {"E9"}, {}, {"add9", "add2", "sus2"}},
        SelectionCase{"a bass accidental alone is discarded", {"Bb"}, "C7", {}, {"Bb"}, {}},
        SelectionCase{"B sharp bass under C adds nothing", {"BB", "Bs"}, "C7", {"BB", "Bs"}, {}, {}},
        SelectionCase{"the bass letter boxes act as one group", {"BE", "BG"}, "C7/G", {"BG"}, {"BE"}, {}},
        SelectionCase{"clicking the checked root again cancels the bass", {"BE", "RC"}, "C7", {"RC"}, {"BE"}, {}},
        SelectionCase{"root letters are one group", {"RG", "Rb", "RA"}, "Ab7", {"RA", "Rb"}, {"RG", "RC"}, {}}));

TEST(StepSelection, UncheckedBassKeepsItsLetter) {
    HeadlessSession session;
    ClickAll(session, {"BE", "BE=off"});
    const ChordDefinition& d = session.state.definition;
    EXPECT_EQ(d.BassSelected, 0);
    EXPECT_EQ(d.BassLetterPitch, 4);
    EXPECT_EQ(d.BassLetter, "/E");
}

TEST(StepSelection, AccidentalsAndAlterationsStoreTheirFlagValues) {
    struct Case {
        std::vector<std::string_view> clicks;
        int32_t ChordDefinition::*field;
        int32_t value;
    };
    const Case cases[] = {
        {{"Ab9"}, &ChordDefinition::NinthAlteration, -1},
        {{"As9"}, &ChordDefinition::NinthAlteration, 1},
        {{"Ab5"}, &ChordDefinition::FifthAlteration, -1},
        {{"As5"}, &ChordDefinition::FifthAlteration, 1},
        {{"As5", "As5=off"}, &ChordDefinition::FifthAlteration, 0},
        {{"Ano3"}, &ChordDefinition::NoThird, 1},
        {{"BD", "Bs"}, &ChordDefinition::BassSharp, 1},
        {{"BD", "Bs", "Bb"}, &ChordDefinition::BassSharp, 0},
        {{"Emaj13"}, &ChordDefinition::Extension, 14},
        {{"E6"}, &ChordDefinition::Extension, 6},
        {{"add13"}, &ChordDefinition::SixthAdd, 13},
        {{"add6", "add6=off"}, &ChordDefinition::SixthAdd, 0},
    };
    for (const Case& c : cases) {
        HeadlessSession session;
        ClickAll(session, c.clicks);
        EXPECT_EQ(session.state.definition.*c.field, c.value) << c.clicks.front();
    }
}

TEST(StepSelection, KidsOutsideTheStepPanelsChangeNothing) {
    for (int32_t k : {0, 1, 11, 12, 17, 20, 30, 39, 49, 58, 65, 103, -1, 104}) {
        ChordDefinition d{.RootLetter = "C", .Extension = 7};
        const ChordDefinition before = d;
        EXPECT_FALSE(ApplyStepSelection(d, k, -1)) << k;
        EXPECT_EQ(d, before) << k;
    }
}

TEST(BassAnomaly, AlertIsShownOnEveryCompositionWhileItLasts) {
    HeadlessSession session;
    ClickAll(session, {"E7=off", "BD"});
    ASSERT_EQ(session.toolkit.Alerts().size(), 1u);
    EXPECT_EQ(session.toolkit.Alerts()[0], kBassAnomalyAlert);
    EXPECT_EQ(Display(session, kid::NotationDisplay), "C/D");
    EXPECT_EQ(Display(session, kid::DistancesDisplay), "0-//2-4-7");
    ClickAll(session, {"add6"});
    EXPECT_EQ(session.toolkit.Alerts().size(), 2u);
    ClickAll(session, {"add9"});  // the ninth makes D a chord tone
    EXPECT_EQ(session.toolkit.Alerts().size(), 2u);
    EXPECT_EQ(Display(session, kid::NotationDisplay), "C.add9.add6/D");
}

TEST(BassAnomaly, AlertComesBeforeTheDisplayTexts) {
    HeadlessSession session;
    ClickAll(session, {"E7=off"});
    session.toolkit.ClearCalls();
    ClickAll(session, {"BD"});
    using Kind = HeadlessToolkit::CallKind;
    const auto& calls = session.toolkit.Calls();
    size_t alert = calls.size();
    size_t lastBoxUpdate = 0;
    size_t firstText = calls.size();
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].kind == Kind::Alert) alert = i;
        if (alert == calls.size() && (calls[i].kind == Kind::SetValue || calls[i].kind == Kind::Disable)) {
            lastBoxUpdate = i;
        }
        if (alert != calls.size() && calls[i].kind == Kind::SetTextString && firstText == calls.size()) firstText = i;
    }
    ASSERT_LT(alert, calls.size());
    EXPECT_LT(lastBoxUpdate, alert);
    ASSERT_LT(firstText, calls.size());
    EXPECT_EQ(calls[firstText].kid, kid::NotationDisplay);
    EXPECT_EQ(calls.back().kind, Kind::Redraw);
}

TEST(StartUp, ShowsC7WithTheDefaultControls) {
    HeadlessSession session;
    EXPECT_EQ(Display(session, kid::NotationDisplay), "C7");
    EXPECT_EQ(Display(session, kid::IntervalsDisplay), "1-3-5-b7");
    EXPECT_EQ(Display(session, kid::BasicNotesDisplay), "C,E,G,Bb");
    EXPECT_EQ(Display(session, kid::DistancesDisplay), "0-4-7-10");
    for (std::string_view on : {"RC", "Major", "E7", "ArrangeClosest", "Up", "Down"}) {
        EXPECT_TRUE(Checked(session, on)) << on;
    }
    EXPECT_EQ(session.state.play.Tempo, 180);
    EXPECT_EQ(session.state.play.NotesPerMeasure, 6);
    const auto* tempo = session.toolkit.ControlOf(session.Grid(), kid::TempoBar);
    EXPECT_EQ(tempo->position, (std::array<int32_t, 4>{60, 180, 180, 300}));
    EXPECT_TRUE(session.toolkit.Alerts().empty());
    using Kind = RecordingKeyboard::CallKind;
    std::vector<std::pair<int32_t, int32_t>> params;
    for (const auto& call : session.keyboard.Calls()) {
        if (call.kind == Kind::SetParam) params.emplace_back(call.a, call.b);
    }
    EXPECT_EQ(params, (std::vector<std::pair<int32_t, int32_t>>{
                          {6, 2}, {23, 0}, {25, 100}, {26, 64}, {33, 1}, {11, 60}, {10, 3}}));
}

}  // namespace
}  // namespace hq
