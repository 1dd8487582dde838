#include "analyzer/capture.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "headless/session.h"
#include "platform/controls.h"

namespace hq {
namespace {

using Key = std::pair<int32_t, int32_t>;  // pitch class, octave
using Call = HeadlessToolkit::Call;
using CallKind = HeadlessToolkit::CallKind;

void HoldAndCapture(HeadlessSession& session, const std::vector<Key>& keys) {
    session.keyboard.ReleaseAll();
    for (const auto& [pitchClass, octave] : keys) session.keyboard.Hold(pitchClass, octave);
    session.Select(kid::CaptureSolve, 0);
}

std::vector<Call> ListCalls(const HeadlessSession& session) {
    std::vector<Call> calls;
    for (const Call& c : session.toolkit.Calls()) {
        if (c.kid == kid::SolutionsList) calls.push_back(c);
    }
    return calls;
}

const HeadlessToolkit::Control& List(const HeadlessSession& session) {
    return *session.toolkit.ControlOf(session.Grid(), kid::SolutionsList);
}

struct CaptureCase {
    const char* what;
    std::vector<Key> keys;
    std::vector<std::string> lines;
    int32_t solutionCount;
};

TEST(CaptureAndSolve, ListsTheSolutionsOfTheHeldKeys) {
    const std::vector<CaptureCase> cases = {
        {"C E G", {{0, 4}, {4, 4}, {7, 4}}, {"C", "Em(#5)/C", "G6.sus4(no5)/C"}, 3},
        {"one pitch class in several octaves, the lowest key first",
         {{0, 3}, {0, 4}, {0, 5}, {4, 4}, {7, 2}},
         {"G6.sus4(no5)", "C/G", "Em(#5)/G"},
         3},
        {"keys outside octaves 1 to 7 are not seen",
         {{11, 0}, {0, 4}, {4, 4}, {7, 4}, {1, 8}, {2, 9}},
         {"C", "Em(#5)/C", "G6.sus4(no5)/C"},
         3},
        {"lowest and highest octaves read",
         {{9, 1}, {0, 7}, {4, 7}},
         {"Am", "C6(no5)/A", "E.sus4(#5)/A"},
         3},
        {"no valid candidate", {{0, 4}, {4, 4}, {6, 4}, {10, 4}}, {"-No Solution-"}, 0},
    };
    for (const CaptureCase& c : cases) {
        HeadlessSession session;
        session.toolkit.ClearCalls();
        HoldAndCapture(session, c.keys);
        EXPECT_EQ(List(session).lines, c.lines) << c.what;
        EXPECT_EQ(List(session).text, c.lines.front()) << c.what;
        EXPECT_EQ(session.state.analyzer.SolutionCount, c.solutionCount) << c.what;
        EXPECT_EQ(session.state.analyzer.SolutionTexts, c.lines) << c.what;
        EXPECT_TRUE(session.toolkit.Alerts().empty()) << c.what;
        const std::vector<Call> want = {
            {CallKind::SetTextArray, session.Grid(), kid::SolutionsList, static_cast<int32_t>(c.lines.size())},
            {CallKind::SetTextString, session.Grid(), kid::SolutionsList, 0, 0, 0, 0, c.lines.front()},
            {CallKind::Redraw, session.Grid(), kid::SolutionsList},
        };
        EXPECT_EQ(ListCalls(session), want) << c.what;
        // The analyzer neither composes nor touches the keys.
        EXPECT_EQ(session.state.chord.Notation, "C7") << c.what;
        EXPECT_TRUE(session.keyboard.Sounding().empty()) << c.what;
    }
}

TEST(CaptureAndSolve, FewerThanThreePitchClassesAlertAndShowNoSolution) {
    const std::vector<std::vector<Key>> cases = {
        {},
        {{0, 4}},
        {{0, 4}, {0, 5}, {4, 4}},
        {{0, 0}, {4, 0}, {7, 0}, {0, 8}, {4, 8}, {7, 8}},
        {{0, 4}, {4, 4}, {7, 0}},
    };
    for (const std::vector<Key>& keys : cases) {
        HeadlessSession session;
        HoldAndCapture(session, {{0, 4}, {4, 4}, {7, 4}});
        session.toolkit.ClearCalls();
        HoldAndCapture(session, keys);
        ASSERT_EQ(session.toolkit.Alerts().size(), 1u) << keys.size();
        EXPECT_EQ(session.toolkit.Alerts()[0],
                  "Less than three different notes detected.\nNo solution possible for this capture.\n"
                  "Click, hold and move away on the keys\nof the Keybord to lock them, and capture.");
        EXPECT_EQ(List(session).lines, std::vector<std::string>{"-No Solution-"});
        EXPECT_EQ(List(session).text, "-No Solution-");
        EXPECT_EQ(session.state.analyzer.SolutionCount, 0);
        EXPECT_TRUE(session.state.analyzer.Solutions.empty());
        // The alert comes first, then the list is emptied.
        const std::vector<Call>& calls = session.toolkit.Calls();
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.front().kind, CallKind::Alert);
        EXPECT_EQ(ListCalls(session).size(), 3u);
    }
}

TEST(CaptureAndSolve, ScansOctaveOneToSevenPitchClassByPitchClass) {
    HeadlessSession session;
    session.keyboard.ClearCalls();
    HoldAndCapture(session, {{0, 4}, {4, 4}, {7, 4}});
    std::vector<Key> asked;
    for (const RecordingKeyboard::Call& c : session.keyboard.Calls()) {
        if (c.kind == RecordingKeyboard::CallKind::GetNote) asked.emplace_back(c.a, c.b);
    }
    std::vector<Key> want;
    for (int32_t octave = 1; octave <= 7; ++octave) {
        for (int32_t pitchClass = 0; pitchClass < 12; ++pitchClass) want.emplace_back(pitchClass, octave);
    }
    EXPECT_EQ(asked, want);
    EXPECT_EQ(session.state.analyzer.CapturedPitches, (std::vector<int32_t>{0, 4, 7}));
}

TEST(CaptureAndSolve, ReplacesEarlierSolutionsEvenWithNone) {
    HeadlessSession session;
    EXPECT_EQ(session.state.analyzer.SolutionCount, 0);
    HoldAndCapture(session, {{0, 4}, {4, 4}, {7, 4}});
    session.Select(kid::SolutionsList, 2);
    ASSERT_EQ(session.state.analyzer.SelectedSolution, 2);
    HoldAndCapture(session, {{0, 4}, {4, 4}, {6, 4}, {10, 4}});
    EXPECT_EQ(session.state.analyzer.SolutionCount, 0);
    EXPECT_EQ(session.state.analyzer.SelectedSolution, 0);
    EXPECT_TRUE(session.state.analyzer.Solutions.empty());
    EXPECT_EQ(session.state.analyzer.SolutionTexts, std::vector<std::string>{"-No Solution-"});
}

}  // namespace
}  // namespace hq
