// Undo and redo of the user's chord steps, and "Play each chord", on the
// headless toolkit and the recording keyboard.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/chord_steps.h"
#include "app/routing.h"
#include "headless/session.h"
#include "platform/controls.h"
#include "support/session_helpers.h"

namespace hq {
namespace {

using testing::Checked;
using testing::Click;
using testing::ClickAll;
using Steps = std::function<void(HeadlessSession&)>;

void UseFirstSolution(HeadlessSession& s) {
    for (int32_t pitchClass : {2, 5, 9}) s.keyboard.Hold(pitchClass, 4);
    s.Select(kid::CaptureSolve, 0);
    s.Select(kid::UseSolution, 0);
}

void PlayAndStopSequence(HeadlessSession& s) {
    s.Select(kid::PlaySequence, 0);
    s.toolkit.AdvanceBy(3000);
    s.Select(kid::StopSequence, 0);
}

void Undo(HeadlessSession& s) { UndoChord(s.program); }
void Times(HeadlessSession& s, int32_t n, const Steps& step) {
    for (int32_t i = 0; i < n; ++i) step(s);
}
void Redo(HeadlessSession& s) { RedoChord(s.program); }

struct UndoCase {
    const char* name;
    Steps steps;
    const char* notation;
    std::vector<std::string_view> checked, unchecked;
};

TEST(ChordSteps, UndoAndRedoRestoreTheWholeChord) {
    const std::vector<UndoCase> cases{
        {"a rule's cleared field comes back",
         [](HeadlessSession& s) { ClickAll(s, {"add9", "E9"}); Undo(s); },
         "C7.add9", {"add9", "E7"}, {"E9"}},
        {"redo takes the rule's chord again",
         [](HeadlessSession& s) { ClickAll(s, {"add9", "E9"}); Undo(s); Redo(s); },
         "C9", {"E9"}, {"add9"}},
        {"radio buttons follow", [](HeadlessSession& s) { ClickAll(s, {"RG", "Minor"}); Undo(s); Undo(s); },
         "C7", {"RC", "Major"}, {"RG", "Minor"}},
        {"a solution taken is one step", [](HeadlessSession& s) { UseFirstSolution(s); Undo(s); },
         "C7", {"RC", "Major", "E7"}, {"RD"}},
        {"a chord taken into the panels is one step",
         [](HeadlessSession& s) {
             TakeChordIntoPanels(s.program, {.RootLetterPitch = 9, .RootLetter = "A", .ChordClass = 1});
             Undo(s);
         },
         "C7", {"RC", "Major"}, {"RA", "Minor"}},
        {"a click that changes nothing is no step",
         [](HeadlessSession& s) { ClickAll(s, {"RD", "RD", "Major"}); Undo(s); },
         "C7", {"RC"}, {"RD"}},
        {"start-up is where undo ends", [](HeadlessSession& s) { Click(s, "Minor"); Times(s, 5, Undo); },
         "C7", {"Major"}, {"Minor"}},
        {"a new step after undo cuts the redo branch",
         [](HeadlessSession& s) { ClickAll(s, {"RD", "RE"}); Undo(s); Click(s, "Minor"); Times(s, 3, Redo); },
         "Dm7", {"RD", "Minor"}, {"RE"}},
        {"a hundred steps back",
         [](HeadlessSession& s) {
             Times(s, 50, [](HeadlessSession& t) { ClickAll(t, {"Minor", "Major"}); });
             Click(s, "RD");
             Times(s, 100, Undo);
         },
         "Cm7", {"RC", "Minor"}, {"RD"}},
        {"a hundred steps forth",
         [](HeadlessSession& s) {
             Times(s, 50, [](HeadlessSession& t) { ClickAll(t, {"Minor", "RD"}); });
             Times(s, 100, Undo);
             Times(s, 100, Redo);
         },
         "Dm7", {"RD", "Minor"}, {"RC"}},
        // The sequence's chords are not the user's: the whole play is one
        // step, back to the chord the panels held before PLAY.
        {"sequence play is one step",
         [](HeadlessSession& s) {
             Click(s, "RD");
             s.Select(kid::AppendChord, 0);
             ClickAll(s, {"RE", "E9"});
             PlayAndStopSequence(s);
             Undo(s);
         },
         "E9", {"RE", "E9"}, {"RD"}},
        {"redo after it takes what STOP left",
         [](HeadlessSession& s) {
             ClickAll(s, {"RE", "E9"});
             s.Select(kid::AppendChord, 0);
             PlayAndStopSequence(s);
             Undo(s);
             Redo(s);
         },
         "C7", {"RC", "E7"}, {"RE", "E9"}},
        {"undo and redo wait while the sequence plays",
         [](HeadlessSession& s) {
             Click(s, "RD");
             s.Select(kid::AppendChord, 0);
             Click(s, "RF");
             s.Select(kid::PlaySequence, 0);
             Times(s, 3, Undo);
             Redo(s);
             s.Select(kid::StopSequence, 0);
             Undo(s);
             Undo(s);
         },
         "D7", {"RD"}, {"RF"}},
    };
    for (const UndoCase& c : cases) {
        HeadlessSession s;
        c.steps(s);
        EXPECT_EQ(testing::Display(s, kid::NotationDisplay), c.notation) << c.name;
        for (std::string_view n : c.checked) EXPECT_TRUE(Checked(s, n)) << c.name << ": " << n;
        for (std::string_view n : c.unchecked) EXPECT_FALSE(Checked(s, n)) << c.name << ": " << n;
    }
}

struct SoundCase {
    const char* name;
    Steps before, action;
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
    const auto appended = [](HeadlessSession& s) { Click(s, "RD"); s.Select(kid::AppendChord, 0); };
    const std::vector<SoundCase> cases{
        {"a Step-panel click", nothing, [](HeadlessSession& s) { Click(s, "Minor"); }, true},
        {"a solution taken", nothing, UseFirstSolution, true},
        {"undo", [](HeadlessSession& s) { Click(s, "RG"); }, Undo, true},
        {"redo", [](HeadlessSession& s) { Click(s, "RG"); Undo(s); }, Redo, true},
        {"a click that keeps the notes", nothing, [](HeadlessSession& s) { Click(s, "RC"); }, false},
        {"undo with nothing to undo", nothing, Undo, false},
        {"sequence play and stop", appended, PlayAndStopSequence, false},
        {"a click while a sequence plays", [&](HeadlessSession& s) { appended(s); s.Select(kid::PlaySequence, 0); },
         [](HeadlessSession& s) { Click(s, "Minor"); }, false},
    };
    for (const SoundCase& c : cases) {
        const auto on = CallsOf(c, true, false);
        EXPECT_EQ(on, CallsOf(c, false, c.sounds)) << c.name;
        if (c.sounds) {
            EXPECT_NE(on, CallsOf(c, false, false)) << c.name;
        }
    }
}

}  // namespace
}  // namespace hq
