#include "sequencer/sequence_player.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/chords_callback.h"
#include "app/player_parts.h"
#include "headless/session.h"
#include "playback/player_test_support.h"
#include "sequencer/sequencer_test_support.h"

namespace hq {
namespace {

using testing::Press;
using K = RecordingKeyboard::CallKind;

// "ms Notation" of every chord decoded and composed for playing.
void Watch(HeadlessSession& s, std::vector<std::string>& shown) {
    s.state.sequencer.play.ChordComposed = [&s, &shown](const ComposedChord& chord) {
        shown.push_back(std::to_string(s.toolkit.NowMs()) + " " + chord.Notation);
    };
}

// Three chords with settings of their own, then the panels set back as a
// user would leave them before PLAY.
void AppendThree(HeadlessSession& s) {
    testing::AppendChords(s, {"RC", "RD Minor Up=off ArrangeOctave", "RE Major E9 ArrangeClosest Down=off Up Fill"});
    s.state.sequencer.sequence.Records[1][34] = " 120";
    s.state.sequencer.sequence.Records[1][35] = " 3";
    testing::ClickAll(s, {"RC", "E7", "Fill=off", "Down"});
}

TEST(SequencePlaying, ChordsComeRoundEveryEightBeatsWithTheSettingsOfTheirRecords) {
    HeadlessSession s;
    AppendThree(s);
    std::vector<std::string> shown;
    Watch(s, shown);
    struct Step {
        int64_t atMs;
        int32_t arrangement, up, down, fill, tempo, notes;
    };
    Press(s, kid::PlaySequence);
    for (const Step& e : {Step{0, 0, 1, 1, 0, 180, 6}, Step{2666, 1, 0, 1, 0, 120, 3}, Step{5332, 0, 1, 0, 1, 180, 6}}) {
        s.toolkit.AdvanceTo(e.atMs);
        const PlaySettings& p = s.state.play;
        EXPECT_EQ((std::vector<int32_t>{p.Arrangement, p.Up, p.Down, p.Fill, p.Tempo, p.NotesPerMeasure}),
                  (std::vector<int32_t>{e.arrangement, e.up, e.down, e.fill, e.tempo, e.notes}))
            << e.atMs;
        EXPECT_EQ(s.state.player.StepDirection, e.up == 0 ? -1 : 1) << e.atMs;
    }
    s.toolkit.AdvanceTo(10663);
    EXPECT_EQ(shown, (std::vector<std::string>{"0 C7", "2666 Dm7", "5332 E9", "7998 C7"}));

    // PLAY again starts over from the first chord, with a fresh period.
    Press(s, kid::PlaySequence);
    s.toolkit.AdvanceTo(13329);
    EXPECT_EQ(shown.back(), "13329 Dm7");
}

TEST(SequencePlaying, ThePeriodIsFixedByTheTempoAtPlay) {
    struct Case {
        int32_t tempo, periodMs;
    };
    for (const Case& c : {Case{60, 8000}, Case{180, 2666}, Case{300, 1600}, Case{0, 8000}, Case{9999, 1600}}) {
        HeadlessSession s;
        testing::AppendChords(s, {"RC", "RD"});
        s.state.play.Tempo = c.tempo;
        Press(s, kid::PlaySequence);
        // Moving the slider while playing changes the tempo, never the period.
        ChordsWindowCallback(s.program, {s.Grid(), ToNumber(Msg::Change), 0, 25, 0, 0, kid::TempoBar, 0});
        std::vector<std::string> shown;
        Watch(s, shown);
        s.toolkit.AdvanceTo(2 * c.periodMs);
        EXPECT_EQ(shown, (std::vector<std::string>{std::to_string(c.periodMs) + " D7",
                                                   std::to_string(2 * c.periodMs) + " C7"}))
            << c.tempo;
    }
}

TEST(SequencePlaying, DecodingLeavesSlidersRadioButtonsPlayOptionsAndTheListAsTheyWere) {
    HeadlessSession s;
    AppendThree(s);
    s.Select(kid::ChordsList, 1);
    auto untouched = [&s] {
        std::vector<std::string> shown;
        for (int32_t k = 1; k <= kControlCount; ++k) {
            const ControlKind kind = ControlAt(k)->kind;
            const HeadlessToolkit::Control* c = s.toolkit.ControlOf(s.Grid(), k);
            if (kind == ControlKind::RadioButton || (k >= kid::RepeatRoot && k <= kid::RepeatAll) || k == kid::Up ||
                k == kid::Down || k == kid::Fill || k == kid::TempoDisplay || k == kid::NotesMeasureDisplay ||
                k == kid::ChordsList || kind == ControlKind::ScrollBar) {
                shown.push_back(std::to_string(c->value) + c->text + std::to_string(c->position[1]));
            }
        }
        return shown;
    };
    const std::vector<std::string> before = untouched();
    Press(s, kid::PlaySequence);
    for (int64_t t : {0, 2666, 5332}) {
        s.toolkit.AdvanceTo(t);
        EXPECT_EQ(untouched(), before) << t;
        EXPECT_EQ(testing::Checked(s, "E9"), t == 5332) << t;  // the check boxes do follow
    }
    EXPECT_EQ(s.state.sequencer.sequence.SelectedPosition, 1);
}

TEST(SequencePlaying, StopAfterPlayingRestoresTheTempoAndResetsPanelsAndOptions) {
    HeadlessSession s;
    testing::AppendChords(s, {"RD Rb Minor E9 ArrangeHarmonic RepeatAll Fill Up=off"});
    ChordsWindowCallback(s.program, {s.Grid(), ToNumber(Msg::Change), 0, 10, 0, 0, kid::TempoBar, 0});
    const int32_t tempo = s.state.play.Tempo;
    Press(s, kid::PlaySequence);
    s.toolkit.AdvanceTo(3000);
    ASSERT_EQ(s.state.play.Tempo, 180);
    Press(s, kid::StopSequence);

    const PlaySettings& p = s.state.play;
    EXPECT_EQ((std::vector<int32_t>{p.Tempo, p.NotesPerMeasure, p.Arrangement, p.RepeatRoot, p.RepeatBass,
                                    p.RepeatFifth, p.RepeatAll, p.Up, p.Down, p.Fill}),
              (std::vector<int32_t>{tempo, 6, 0, 0, 0, 0, 0, 0, 0, 0}));
    const HeadlessToolkit& tk = s.toolkit;
    EXPECT_EQ(tk.ControlOf(s.Grid(), kid::TempoBar)->position, (std::array<int32_t, 4>{60, tempo, tempo, 300}));
    EXPECT_EQ(tk.ControlOf(s.Grid(), kid::TempoDisplay)->text, std::to_string(tempo));
    EXPECT_EQ(tk.ControlOf(s.Grid(), kid::NotesMeasureBar)->position, (std::array<int32_t, 4>{1, 6, 6, 12}));
    EXPECT_EQ(tk.ControlOf(s.Grid(), kid::NotesMeasureDisplay)->text, "6");
    for (const char* on : {"RC", "Major", "E7", "ArrangeClosest"}) EXPECT_TRUE(testing::Checked(s, on)) << on;
    for (const char* off : {"RepeatAll", "Up", "Down", "Fill"}) EXPECT_FALSE(testing::Checked(s, off)) << off;
    // Root letter, class and extension go back; the flat stays from the last record.
    EXPECT_EQ(s.state.chord.Notation, "Cb7");
    EXPECT_EQ(s.state.sequencer.play.SequencePlaying, 0);

    // STOP again, now idle: everything is silenced and nothing is reset.
    Press(s, kid::PlayRep);
    s.toolkit.ClearCalls();
    s.keyboard.ClearCalls();
    Press(s, kid::StopSequence);
    EXPECT_EQ(s.state.player.ArpeggioPlaying, 0);
    for (const HeadlessToolkit::Call& call : s.toolkit.Calls()) EXPECT_EQ(call.kind, HeadlessToolkit::CallKind::KillTimer);
    ASSERT_EQ(s.keyboard.Calls().size(), 1u);
    EXPECT_EQ(s.keyboard.Calls()[0].kind, K::AllNotesOff);
}

TEST(SequencePlaying, PlayOnAnEmptyListOnlyAlerts) {
    HeadlessSession s;
    testing::AppendChords(s, {"RC"});
    s.Select(kid::ClearAllChords, 0);
    s.keyboard.ClearCalls();
    Press(s, kid::PlaySequence);
    EXPECT_EQ(s.toolkit.Alerts(), std::vector<std::string>{std::string(kNoSequenceAlert)});
    EXPECT_EQ(s.toolkit.RunningTimers(), 0u);
    EXPECT_TRUE(s.keyboard.Calls().empty());
}

TEST(SequencePlaying, EditingWhilePlayingNeverReadsPastTheList) {
    struct Case {
        const char* what;
        std::vector<int32_t> buttons;  // at 3000 ms; the next position is 2
        std::vector<std::string> shown;
    };
    for (const Case& c : {
             // Removing at 2, then at 0, leaves Dm7 alone: position 2 is past the end.
             Case{"remove two of three", {kid::RemoveChord, kid::RemoveChord}, {"5332 Dm7", "7998 Dm7"}},
             Case{"clear all: ticks do nothing", {kid::ClearAllChords}, {}},
             Case{"clear all, then append", {kid::ClearAllChords, kid::AppendChord}, {"5332 Dm7", "7998 Dm7"}},
         }) {
        for (const bool voiceLed : {false, true}) {
            HeadlessSession s;
            AppendThree(s);
            s.state.sequencer.play.VoiceLed = voiceLed;
            Press(s, kid::PlaySequence);
            s.toolkit.AdvanceTo(3000);
            for (int32_t button : c.buttons) Press(s, button);
            std::vector<std::string> shown;
            Watch(s, shown);
            s.toolkit.AdvanceTo(8000);
            EXPECT_EQ(shown, c.shown) << c.what;
            EXPECT_NE(s.state.sequencer.play.SequenceTimer, 0) << c.what;
            if (!voiceLed || c.shown.empty()) continue;
            // The edited list is voiced afresh: its one chord, as its own voicing.
            const PlayerState& p = s.state.player;
            EXPECT_EQ(std::vector<Placement>(p.StepList.begin(), p.StepList.begin() + p.LastStep + 1),
                      PlayOrderPlacements(VoiceSequence(ComposeRecords(s.state.sequencer.sequence.Records))[0]))
                << c.what;
        }
    }
}

TEST(SequencePlaying, ARecordWithoutItsClosingMarkerIsRetriedWithTheWarning) {
    HeadlessSession s;
    AppendThree(s);
    s.state.sequencer.sequence.Records[1][39] = "567765 ";
    std::vector<std::string> shown;
    Watch(s, shown);
    Press(s, kid::PlaySequence);
    s.toolkit.AdvanceTo(8000);
    EXPECT_EQ(shown, std::vector<std::string>{"0 C7"});
    EXPECT_EQ(s.toolkit.Alerts(), std::vector<std::string>(3, std::string(kCorruptedRecordAlert)));
    EXPECT_NE(s.state.sequencer.play.SequenceTimer, 0);
}

// A modal alert inside a tick lets the toolkit run the next expiry before
// the tick is over; that one must not decode on top of it.
TEST(SequencePlaying, ATickArrivingWhileTheLastIsInsideAnAlertIsSkipped) {
    HeadlessSession s;
    AppendThree(s);
    std::vector<std::string> composed;
    s.state.sequencer.play.ChordComposed = [&](const ComposedChord& chord) {
        composed.push_back(chord.Notation);
        if (s.toolkit.NowMs() == 2666 && composed.size() == 2) {
            SequenceTick({s.state.sequencer, s.state.definition, s.state.chord, PlayerPartsOf(s.program),
                          [&s](const ToolkitMessage& m) { ChordsWindowCallback(s.program, m); }});
        }
    };
    Press(s, kid::PlaySequence);
    s.toolkit.AdvanceTo(5332);
    EXPECT_EQ(composed, (std::vector<std::string>{"C7", "Dm7", "E9"}));
}

TEST(SequencePlaying, ClosingTheWindowEndsEveryNoteBeforeTheKeyboardCloses) {
    // At 2666 the close comes from inside the tick, as from one of its alerts.
    for (int64_t closeMs : {0, 1000, 2666, 4000}) {
        HeadlessSession s;
        AppendThree(s);
        s.state.sequencer.play.ChordComposed = [&s, closeMs](const ComposedChord&) {
            if (closeMs == 2666 && s.toolkit.NowMs() == 2666) s.toolkit.Deliver({s.Grid(), ToNumber(Msg::CloseWindow), 0, 0, 0, 0, 0, 0});
        };
        Press(s, kid::PlaySequence);
        s.toolkit.AdvanceTo(closeMs);
        if (!s.keyboard.Closed()) s.toolkit.Deliver({s.Grid(), ToNumber(Msg::CloseWindow), 0, 0, 0, 0, 0, 0});
        s.toolkit.AdvanceTo(closeMs + 10000);
        std::map<std::pair<int32_t, int32_t>, int> sounding;
        for (const RecordingKeyboard::Call& c : s.keyboard.Calls()) {
            sounding[{c.a, c.b}] += c.kind == K::NoteOn ? 1 : c.kind == K::NoteOff ? -1 : 0;
            EXPECT_FALSE(c.afterClose) << closeMs;
        }
        for (const auto& [note, count] : sounding) EXPECT_EQ(count, 0) << closeMs << ": " << note.first;
        EXPECT_EQ(s.keyboard.Calls().back().kind, K::Close) << closeMs;
        EXPECT_EQ(s.toolkit.RunningTimers(), 0u) << closeMs;
    }
}

}  // namespace
}  // namespace hq
