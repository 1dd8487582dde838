// Undo and redo of the user's chord steps, and "Play each chord", on the
// headless toolkit and the recording keyboard.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/chord_steps.h"
#include "app/routing.h"
#include "cli/session.h"
#include "platform/controls.h"
#include "support/session_helpers.h"

namespace hq {
namespace {

using testing::Checked;
using testing::Click;
using testing::ClickAll;
using testing::Display;

std::string Notation(const HeadlessSession& s) { return Display(s, kid::NotationDisplay); }

void CaptureAndUseFirstSolution(HeadlessSession& s) {
    for (int32_t pitchClass : {2, 5, 9}) s.keyboard.Hold(pitchClass, 4);
    s.Select(kid::CaptureSolve, 0);
    s.Select(kid::UseSolution, 0);
}

struct UndoCase {
    const char* name;
    std::function<void(HeadlessSession&)> steps;
    int32_t undos;
    int32_t redos;
    const char* notation;
    std::vector<std::string_view> checked;
    std::vector<std::string_view> unchecked;
};

TEST(ChordSteps, UndoAndRedoRestoreTheWholeChord) {
    const std::vector<UndoCase> cases{
        {"a rule's cleared field comes back",
         [](HeadlessSession& s) { ClickAll(s, {"add9", "E9"}); },
         1, 0, "C7.add9", {"add9", "E7"}, {"E9"}},
        {"redo takes the rule's chord again",
         [](HeadlessSession& s) { ClickAll(s, {"add9", "E9"}); },
         1, 1, "C9", {"E9"}, {"add9"}},
        {"the root radio button follows the undo",
         [](HeadlessSession& s) { ClickAll(s, {"RG", "Minor"}); },
         2, 0, "C7", {"RC", "Major"}, {"RG", "Minor"}},
        {"a solution taken is one step",
         [](HeadlessSession& s) { CaptureAndUseFirstSolution(s); },
         1, 0, "C7", {"RC", "Major", "E7"}, {"RD"}},
        {"a chord taken into the panels is one step",
         [](HeadlessSession& s) {
             ChordDefinition d{.RootLetterPitch = 9, .RootLetter = "A", .ChordClass = 1};
             TakeChordIntoPanels(s.program, d);
         },
         1, 0, "C7", {"RC", "Major"}, {"RA", "Minor"}},
        {"a click that changes nothing is no step",
         [](HeadlessSession& s) { ClickAll(s, {"RD", "RD", "Major"}); },
         1, 0, "C7", {"RC"}, {"RD"}},
        {"undo beyond the first step changes nothing",
         [](HeadlessSession& s) { Click(s, "Minor"); },
         5, 0, "C7", {"Major"}, {"Minor"}},
        {"a new step after undo cuts the redo branch",
         [](HeadlessSession& s) {
             ClickAll(s, {"RD", "RE"});
             UndoChord(s.program);
             Click(s, "Minor");
         },
         0, 3, "Dm7", {"RD", "Minor"}, {"RE"}},
    };
    for (const UndoCase& c : cases) {
        HeadlessSession s;
        c.steps(s);
        for (int32_t i = 0; i < c.undos; ++i) UndoChord(s.program);
        for (int32_t i = 0; i < c.redos; ++i) RedoChord(s.program);
        EXPECT_EQ(Notation(s), c.notation) << c.name;
        for (std::string_view n : c.checked) EXPECT_TRUE(Checked(s, n)) << c.name << ": " << n;
        for (std::string_view n : c.unchecked) EXPECT_FALSE(Checked(s, n)) << c.name << ": " << n;
    }
}

TEST(ChordSteps, KeepsAHundredStepsBackAndForth) {
    HeadlessSession s;
    const ChordDefinition start = s.state.definition;
    for (int32_t i = 0; i < 100; ++i) Click(s, i % 2 == 0 ? "Minor" : "RD");
    const ChordDefinition end = s.state.definition;
    for (int32_t i = 0; i < 100; ++i) UndoChord(s.program);
    EXPECT_EQ(s.state.definition, start);
    for (int32_t i = 0; i < 100; ++i) RedoChord(s.program);
    EXPECT_EQ(s.state.definition, end);
}

// The chords a playing sequence shows are not the user's: undo after it
// goes back past the user's last click, not to what the sequence showed.
TEST(ChordSteps, SequencePlayIsNoStep) {
    HeadlessSession s;
    Click(s, "RD");
    s.Select(kid::AppendChord, 0);
    ClickAll(s, {"RE", "RF"});
    s.Select(kid::PlaySequence, 0);
    s.toolkit.AdvanceBy(3000);
    s.Select(kid::StopSequence, 0);
    UndoChord(s.program);
    EXPECT_EQ(Notation(s), "E7");
    UndoChord(s.program);
    EXPECT_EQ(Notation(s), "D7");
}

struct SoundCase {
    const char* name;
    std::function<void(HeadlessSession&)> before;
    std::function<void(HeadlessSession&)> action;
    bool sounds;
};

std::vector<RecordingKeyboard::Call> CallsOf(const SoundCase& c, bool playEachChord, bool pressPlayOnce) {
    HeadlessSession s;
    c.before(s);
    s.state.comforts.playEachChord = playEachChord;
    s.keyboard.ClearCalls();
    c.action(s);
    if (pressPlayOnce) s.Select(kid::PlayOnce, 0);
    s.toolkit.AdvanceBy(5000);
    return s.keyboard.Calls();
}

// "Play each chord" sounds a user's new chord exactly as PLAY ONCE would,
// and adds nothing anywhere else.
TEST(PlayEachChord, SoundsTheUsersNewChordsOnly) {
    const auto nothing = [](HeadlessSession&) {};
    const std::vector<SoundCase> cases{
        {"a Step-panel click", nothing, [](HeadlessSession& s) { Click(s, "Minor"); }, true},
        {"a solution taken", nothing, CaptureAndUseFirstSolution, true},
        {"undo", [](HeadlessSession& s) { Click(s, "RG"); }, [](HeadlessSession& s) { UndoChord(s.program); },
         true},
        {"redo",
         [](HeadlessSession& s) {
             Click(s, "RG");
             UndoChord(s.program);
         },
         [](HeadlessSession& s) { RedoChord(s.program); }, true},
        {"a click that keeps the notes", nothing, [](HeadlessSession& s) { Click(s, "RC"); }, false},
        {"undo with nothing to undo", nothing, [](HeadlessSession& s) { UndoChord(s.program); }, false},
        {"sequence play",
         [](HeadlessSession& s) {
             Click(s, "RD");
             s.Select(kid::AppendChord, 0);
             Click(s, "RE");
             s.Select(kid::AppendChord, 0);
         },
         [](HeadlessSession& s) {
             s.Select(kid::PlaySequence, 0);
             s.toolkit.AdvanceBy(4000);
             s.Select(kid::StopSequence, 0);
         },
         false},
        {"a click while a sequence plays",
         [](HeadlessSession& s) {
             s.Select(kid::AppendChord, 0);
             s.Select(kid::PlaySequence, 0);
         },
         [](HeadlessSession& s) { Click(s, "Minor"); }, false},
    };
    for (const SoundCase& c : cases) {
        const auto off = CallsOf(c, false, false);
        const auto on = CallsOf(c, true, false);
        if (c.sounds) {
            EXPECT_EQ(on, CallsOf(c, false, true)) << c.name;
            EXPECT_NE(on, off) << c.name;
        } else {
            EXPECT_EQ(on, off) << c.name;
        }
    }
}

}  // namespace
}  // namespace hq
