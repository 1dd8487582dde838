#include "sequencer/chord_list.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "cli/session.h"
#include "platform/controls.h"
#include "support/session_helpers.h"

namespace hq {
namespace {

using Call = HeadlessToolkit::Call;
using CallKind = HeadlessToolkit::CallKind;

// One user action per token: "+D" picks root D and presses Append, "^D" the
// same with Insert, "-" Remove, "0" Clear All, "@N" selects list line N.
void Act(HeadlessSession& s, std::string_view token) {
    if (token[0] == '+' || token[0] == '^') {
        testing::Click(s, "R" + std::string(token.substr(1)));
        s.Select(token[0] == '+' ? kid::AppendChord : kid::InsertChord, 0);
    } else if (token == "-") {
        s.Select(kid::RemoveChord, 0);
    } else if (token == "0") {
        s.Select(kid::ClearAllChords, 0);
    } else if (token[0] == '@') {
        s.Select(kid::ChordsList, std::stoi(std::string(token.substr(1))));
    }
}

struct EditCase {
    const char* what;
    std::vector<std::string_view> actions;
    std::vector<std::string> texts;  // ListTexts afterwards
    int32_t count;
    int32_t selected;
    std::string shown;  // the list's text line
    friend void PrintTo(const EditCase& c, std::ostream* os) { *os << c.what; }
};

class ChordListEditing : public ::testing::TestWithParam<EditCase> {};

TEST_P(ChordListEditing, ListTextsCountSelectionAndTheShownLine) {
    const EditCase& c = GetParam();
    HeadlessSession s;
    for (std::string_view action : c.actions) Act(s, action);
    const ChordSequence& q = s.state.sequencer.sequence;
    EXPECT_EQ(q.ListTexts, c.texts);
    EXPECT_EQ(q.SequenceCount, c.count);
    EXPECT_EQ(q.SelectedPosition, c.selected);
    ASSERT_EQ(q.Records.size(), static_cast<size_t>(c.count));
    for (int32_t i = 0; i < c.count; ++i) EXPECT_EQ(q.Records[static_cast<size_t>(i)][kNotationField], c.texts[static_cast<size_t>(i)]);
    const HeadlessToolkit::Control* list = s.toolkit.ControlOf(s.Grid(), kid::ChordsList);
    EXPECT_EQ(list->lines, c.texts);
    EXPECT_EQ(list->text, c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, ChordListEditing,
    ::testing::Values(
        EditCase{"append three", {"+C", "+D", "+E"}, {"C7", "D7", "E7"}, 3, 2, "E7"},
        EditCase{"append the same chord twice", {"+C", "+C"}, {"C7", "C7"}, 2, 1, "C7"},
        EditCase{"insert on an empty list appends", {"^D"}, {"D7"}, 1, 0, "D7"},
        EditCase{"insert at 0 goes first", {"+C", "+D", "@0", "^E"}, {"E7", "C7", "D7"}, 3, 0, "E7"},
        EditCase{"insert after Append goes above the last", {"+C", "+D", "^E"}, {"C7", "E7", "D7"}, 3, 1, "E7"},
        EditCase{"insert in the middle", {"+C", "+D", "+E", "@1", "^F"}, {"C7", "F7", "D7", "E7"}, 4, 1, "F7"},
        EditCase{"remove the middle", {"+C", "+D", "+E", "@1", "-"}, {"C7", "E7"}, 2, 0, "C7"},
        EditCase{"remove the last moves nothing", {"+C", "+D", "+E", "-"}, {"C7", "D7"}, 2, 0, "C7"},
        EditCase{"remove twice removes the first the second time", {"+C", "+D", "+E", "-", "-"}, {"D7"}, 1, 0,
                 "D7"},
        EditCase{"remove the only entry clears", {"+C", "-"}, {"Empty List"}, 0, 0, "Empty List"},
        EditCase{"remove on an empty list clears", {"-"}, {"Empty List"}, 0, 0, "Empty List"},
        EditCase{"clear all keeps the selected position", {"+C", "+D", "+E", "0"}, {"Empty List"}, 0, 2,
                 "Empty List"},
        EditCase{"append after clear all starts again at 0", {"+C", "+D", "0", "+E"}, {"E7"}, 1, 0, "E7"},
        EditCase{"insert after clear all appends", {"+C", "+D", "0", "^F"}, {"F7"}, 1, 0, "F7"},
        EditCase{"a line outside the list is ignored", {"+C", "+D", "@5", "@-1", "^E"}, {"C7", "E7", "D7"}, 3, 1,
                 "E7"},
        EditCase{"a selection on an empty list is ignored", {"+C", "0", "@0", "^E"}, {"E7"}, 1, 0, "E7"}));

TEST(ChordListEditing, EveryEditEndsWithTheListRefresh) {
    for (int32_t button : {kid::AppendChord, kid::InsertChord, kid::RemoveChord, kid::ClearAllChords}) {
        HeadlessSession s;
        s.Select(kid::AppendChord, 0);
        s.toolkit.ClearCalls();
        s.Select(button, 0);
        const ChordSequence& q = s.state.sequencer.sequence;
        const int32_t grid = s.Grid();
        const std::string shown = q.SequenceCount == 0 ? "Empty List" : q.ListTexts[static_cast<size_t>(q.SelectedPosition)];
        EXPECT_EQ(s.toolkit.Calls(),
                  (std::vector<Call>{{CallKind::SetTextArray, grid, kid::ChordsList, static_cast<int32_t>(q.ListTexts.size())},
                                     {CallKind::SetTextString, grid, kid::ChordsList, 0, 0, 0, 0, shown},
                                     {CallKind::Redraw, grid, kid::ChordsList}}))
            << "button " << button;
    }
}

TEST(ChordListEditing, NeitherEditsNorSelectionsTouchTheChordOrTheKeyboard) {
    HeadlessSession s;
    testing::ClickAll(s, {"RE", "Minor", "E9"});
    const ChordDefinition definition = s.state.definition;
    const std::string notation = s.state.chord.Notation;
    s.keyboard.ClearCalls();
    for (std::string_view action : {"+D", "+E", "@0", "^F", "-", "@1", "0"}) {
        const ChordDefinition before = s.state.definition;
        s.toolkit.ClearCalls();
        if (action[0] == '@') {
            Act(s, action);
            EXPECT_TRUE(s.toolkit.Calls().empty()) << action;
        } else {
            s.Select(action[0] == '+' ? kid::AppendChord : action[0] == '^' ? kid::InsertChord
                     : action == "-"  ? kid::RemoveChord : kid::ClearAllChords, 0);
            for (const Call& call : s.toolkit.Calls()) EXPECT_EQ(call.kid, kid::ChordsList) << action;
        }
        EXPECT_EQ(s.state.definition, before) << action;
    }
    EXPECT_EQ(s.state.definition, definition);
    EXPECT_EQ(s.state.chord.Notation, notation);
    EXPECT_TRUE(s.keyboard.Calls().empty());
}

}  // namespace
}  // namespace hq
