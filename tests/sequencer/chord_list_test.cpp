#include "sequencer/chord_list.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "headless/session.h"
#include "support/session_helpers.h"

namespace hq {
namespace {

// "+D" picks root D and presses Append, "^D" the same with Insert, "-" is
// Remove, "0" Clear All and "@N" selects list line N.
void Act(HeadlessSession& s, std::string_view token) {
    if (token[0] == '+' || token[0] == '^') {
        testing::Click(s, "R" + std::string(token.substr(1)));
        s.Select(token[0] == '+' ? kid::AppendChord : kid::InsertChord, 0);
    } else if (token[0] == '@') {
        s.Select(kid::ChordsList, std::stoi(std::string(token.substr(1))));
    } else {
        s.Select(token == "-" ? kid::RemoveChord : kid::ClearAllChords, 0);
    }
}

struct EditCase {
    const char* what;
    std::vector<std::string_view> actions;
    std::vector<std::string> texts;  // ListTexts and the list's lines afterwards
    int32_t count, selected;
    std::string shown;  // the list's text line
};

TEST(ChordListEditing, ListCountSelectionAndTheShownLine) {
    const EditCase cases[] = {
        {"append three", {"+C", "+D", "+E"}, {"C7", "D7", "E7"}, 3, 2, "E7"},
        {"append the same chord twice", {"+C", "+C"}, {"C7", "C7"}, 2, 1, "C7"},
        {"insert on an empty list appends", {"^D"}, {"D7"}, 1, 0, "D7"},
        {"insert at 0 goes first", {"+C", "+D", "@0", "^E"}, {"E7", "C7", "D7"}, 3, 0, "E7"},
        {"insert goes above the selected entry", {"+C", "+D", "+E", "@1", "^F"}, {"C7", "F7", "D7", "E7"}, 4, 1, "F7"},
        {"remove the middle", {"+C", "+D", "+E", "@1", "-"}, {"C7", "E7"}, 2, 0, "C7"},
        {"remove the last moves nothing", {"+C", "+D", "+E", "-"}, {"C7", "D7"}, 2, 0, "C7"},
        {"remove the only entry clears", {"+C", "-"}, {"Empty List"}, 0, 0, "Empty List"},
        {"remove on an empty list clears", {"-"}, {"Empty List"}, 0, 0, "Empty List"},
        {"clear all keeps the selected position", {"+C", "+D", "+E", "0"}, {"Empty List"}, 0, 2, "Empty List"},
        {"append after clear all starts again at 0", {"+C", "+D", "0", "+E"}, {"E7"}, 1, 0, "E7"},
        {"a line outside the list is ignored", {"+C", "+D", "@5", "@-1", "^E"}, {"C7", "E7", "D7"}, 3, 1, "E7"},
    };
    for (const EditCase& c : cases) {
        HeadlessSession s;
        for (std::string_view action : c.actions) Act(s, action);
        const ChordSequence& q = s.state.sequencer.sequence;
        EXPECT_EQ(q.ListTexts, c.texts) << c.what;
        EXPECT_EQ(q.SequenceCount, c.count) << c.what;
        EXPECT_EQ(q.SelectedPosition, c.selected) << c.what;
        ASSERT_EQ(q.Records.size(), static_cast<size_t>(c.count)) << c.what;
        for (size_t i = 0; i < q.Records.size(); ++i) EXPECT_EQ(q.Records[i][kNotationField], c.texts[i]) << c.what;
        EXPECT_EQ(s.toolkit.ControlOf(s.Grid(), kid::ChordsList)->lines, c.texts) << c.what;
        EXPECT_EQ(s.toolkit.ControlOf(s.Grid(), kid::ChordsList)->text, c.shown) << c.what;
    }
}

}  // namespace
}  // namespace hq
