#include "sequencer/sequence_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app/chords_callback.h"
#include "app/player_parts.h"
#include "cli/session.h"
#include "platform/controls.h"
#include "playback/player_test_support.h"
#include "sequencer/chord_list.h"
#include "sequencer/sequencer_test_support.h"

namespace hq {
namespace {

using testing::AppendChords;
using testing::Press;
using testing::RunToEnd;
using CallKind = HeadlessToolkit::CallKind;
using K = RecordingKeyboard::CallKind;

struct Shown {
    int64_t timeMs;
    std::string notation;
    bool operator==(const Shown&) const = default;
    friend void PrintTo(const Shown& s, std::ostream* os) { *os << s.timeMs << " " << s.notation; }
};

// Every chord decoded and composed for playing, with its time.
class Player {
public:
    explicit Player(HeadlessSession& s) : s_(s) {
        s.state.sequencer.play.ChordComposed = [this](const ComposedChord& chord) {
            shown.push_back({s_.toolkit.NowMs(), chord.Notation});
        };
    }
    std::vector<Shown> shown;

private:
    HeadlessSession& s_;
};

SequencerParts PartsOf(HeadlessSession& s) {
    return {s.state.sequencer, s.state.definition, s.state.chord, PlayerPartsOf(s.program),
            [&s](const ToolkitMessage& m) { ChordsWindowCallback(s.program, m); }};
}

// The three chords of the timeline, each with settings of its own.
void AppendThree(HeadlessSession& s) {
    AppendChords(s, {"RC", "RD Minor Up=off ArrangeOctave", "RE Major E9 ArrangeClosest Down=off Up Fill RepeatRoot"});
    s.state.sequencer.sequence.Records[1][34] = " 120";
    s.state.sequencer.sequence.Records[1][35] = " 3";
    // Back to what start-up shows, as a user would leave it before PLAY.
    testing::ClickAll(s, {"RC", "E7", "ArrangeClosest", "RepeatRoot=off", "Fill=off", "Down"});
}

TEST(SequencePlaying, ThreeChordsAtTempo180ComeRoundEvery2666Ms) {
    HeadlessSession s;
    AppendThree(s);
    Player player(s);
    Press(s, kid::PlaySequence);
    s.toolkit.AdvanceTo(10663);
    EXPECT_EQ(player.shown, (std::vector<Shown>{{0, "C7"}, {2666, "Dm7"}, {5332, "E9"}, {7998, "C7"}}));
    s.toolkit.AdvanceTo(10664);
    EXPECT_EQ(player.shown.back(), (Shown{10664, "Dm7"}));
}

TEST(SequencePlaying, OneChordIsPlayedAgainAtEveryTick) {
    HeadlessSession s;
    AppendChords(s, {"RA Minor"});
    Player player(s);
    Press(s, kid::PlaySequence);
    s.toolkit.AdvanceTo(8000);
    EXPECT_EQ(player.shown, (std::vector<Shown>{{0, "Am7"}, {2666, "Am7"}, {5332, "Am7"}, {7998, "Am7"}}));
}

TEST(SequencePlaying, EachChordPlaysWithTheSettingsOfItsOwnRecord) {
    HeadlessSession s;
    AppendThree(s);
    struct Expected {
        int64_t atMs;
        PlaySettings play;
    };
    const Expected expected[] = {
        {0, {.Arrangement = 0, .Up = 1, .Down = 1, .Tempo = 180, .NotesPerMeasure = 6}},
        {2666, {.Arrangement = 1, .Up = 0, .Down = 1, .Tempo = 120, .NotesPerMeasure = 3}},
        {5332, {.Arrangement = 0, .RepeatRoot = 1, .Up = 1, .Down = 0, .Fill = 1, .Tempo = 180, .NotesPerMeasure = 6}},
    };
    Press(s, kid::PlaySequence);
    for (const Expected& e : expected) {
        s.toolkit.AdvanceTo(e.atMs);
        const PlaySettings& p = s.state.play;
        EXPECT_EQ(p.Arrangement, e.play.Arrangement) << e.atMs;
        EXPECT_EQ(p.RepeatRoot, e.play.RepeatRoot) << e.atMs;
        EXPECT_EQ(p.Up, e.play.Up) << e.atMs;
        EXPECT_EQ(p.Down, e.play.Down) << e.atMs;
        EXPECT_EQ(p.Fill, e.play.Fill) << e.atMs;
        EXPECT_EQ(p.Tempo, e.play.Tempo) << e.atMs;
        EXPECT_EQ(p.NotesPerMeasure, e.play.NotesPerMeasure) << e.atMs;
        EXPECT_EQ(s.state.player.ArpeggioPlaying, 1) << e.atMs;
        EXPECT_NE(s.state.player.ArpeggioTimer, 0) << e.atMs;
        // Down alone walks the step list from its top.
        EXPECT_EQ(s.state.player.StepDirection, e.play.Up == 0 ? -1 : 1) << e.atMs;
    }
}

TEST(SequencePlaying, NeitherUpNorDownRepeatsTheWholeChord) {
    HeadlessSession s;
    AppendChords(s, {"RG Up=off Down=off"});
    testing::ClickAll(s, {"Up", "Down"});
    s.keyboard.ClearCalls();
    Press(s, kid::PlaySequence);
    EXPECT_EQ(s.state.player.ArpeggioTimer, 0);
    EXPECT_NE(s.state.player.ChordTimer, 0);
    s.toolkit.AdvanceTo(220);
    const std::vector<testing::PlayedNote> notes = testing::PlayedNotes(s.keyboard);
    ASSERT_EQ(notes.size(), 4u);
    for (const testing::PlayedNote& n : notes) EXPECT_EQ(n.onMs, 220);
}

TEST(ChordPeriodMs, EightBeatsOfTheTempoHeldTo60To300) {
    struct Case {
        int32_t tempo;
        uint32_t periodMs;
    };
    for (const Case& c : {Case{60, 8000}, Case{180, 2666}, Case{300, 1600}, Case{61, 7868}, Case{299, 1605},
                          Case{0, 8000}, Case{-40, 8000}, Case{32767, 1600}}) {
        EXPECT_EQ(ChordPeriodMs(c.tempo), c.periodMs) << c.tempo;
    }
}

TEST(SequencePlaying, ThePeriodIsFixedByTheTempoAtPlay) {
    struct Case {
        int32_t tempo;
        int32_t periodMs;
    };
    for (const Case& c : {Case{60, 8000}, Case{180, 2666}, Case{300, 1600}, Case{97, 4948}}) {
        HeadlessSession s;
        AppendChords(s, {"RC", "RD"});
        s.state.play.Tempo = c.tempo;
        s.toolkit.ClearCalls();
        Press(s, kid::PlaySequence);
        const std::vector<HeadlessToolkit::Call>& calls = s.toolkit.Calls();
        const auto start = std::find_if(calls.begin(), calls.end(),
                                        [](const auto& call) { return call.kind == CallKind::StartRepeatingTimer; });
        ASSERT_NE(start, calls.end()) << c.tempo;
        EXPECT_EQ(start->c, c.periodMs) << c.tempo;
        EXPECT_EQ(s.state.sequencer.play.SavedTempo, c.tempo);
        // Moving the slider while playing changes the tempo, not the period.
        s.Select(kid::TempoBar, 0);
        ChordsWindowCallback(s.program, {s.Grid(), ToNumber(Msg::Change), 0, 49, 0, 0, kid::TempoBar, 0});
        EXPECT_EQ(s.state.play.Tempo, 300);
        Player player(s);
        s.toolkit.AdvanceTo(2 * c.periodMs);
        EXPECT_EQ(player.shown, (std::vector<Shown>{{c.periodMs, "D7"}, {2 * c.periodMs, "C7"}})) << c.tempo;
        EXPECT_EQ(s.state.play.Tempo, 180);  // the record's own tempo
    }
}

// What PLAY leaves alone while the sequence plays: the radio buttons, the
// sliders and their displays, the list's text line and its selection.
struct Untouched {
    std::map<int32_t, int32_t> radios;
    std::array<int32_t, 4> tempoBar, notesBar;
    std::string tempoText, notesText, listText;
    int32_t selected;
    bool operator==(const Untouched&) const = default;
};

Untouched UntouchedOf(const HeadlessSession& s) {
    Untouched u;
    for (int32_t k = 0; k <= kControlCount; ++k) {
        const ControlRow* row = ControlAt(k);
        if (row != nullptr && row->kind == ControlKind::RadioButton) u.radios[k] = s.toolkit.ControlOf(s.Grid(), k)->value;
    }
    for (int32_t k : {kid::RepeatRoot, kid::RepeatBass, kid::RepeatFifth, kid::RepeatAll, kid::Up, kid::Down, kid::Fill}) {
        u.radios[k] = s.toolkit.ControlOf(s.Grid(), k)->value;
    }
    u.tempoBar = s.toolkit.ControlOf(s.Grid(), kid::TempoBar)->position;
    u.notesBar = s.toolkit.ControlOf(s.Grid(), kid::NotesMeasureBar)->position;
    u.tempoText = s.toolkit.ControlOf(s.Grid(), kid::TempoDisplay)->text;
    u.notesText = s.toolkit.ControlOf(s.Grid(), kid::NotesMeasureDisplay)->text;
    u.listText = s.toolkit.ControlOf(s.Grid(), kid::ChordsList)->text;
    u.selected = s.state.sequencer.sequence.SelectedPosition;
    return u;
}

TEST(SequencePlaying, DecodingLeavesSlidersRadioButtonsAndTheListAsTheyWere) {
    HeadlessSession s;
    AppendThree(s);
    s.Select(kid::ChordsList, 1);
    const Untouched before = UntouchedOf(s);
    Press(s, kid::PlaySequence);
    for (int64_t t : {0, 2666, 5332, 7998}) {
        s.toolkit.AdvanceTo(t);
        EXPECT_EQ(UntouchedOf(s), before) << t;
        // The check boxes and displays do follow the chord.
        EXPECT_EQ(testing::Checked(s, "E9"), t == 5332) << t;
        EXPECT_EQ(testing::Display(s, kid::NotationDisplay), s.state.chord.Notation) << t;
    }
}

TEST(SequencePlaying, StopAfterPlayingRestoresTheTempoAndResetsPanelsAndOptions) {
    HeadlessSession s;
    AppendChords(s, {"RD Rb Minor E9 BF ArrangeHarmonic RepeatAll Fill Up=off"});
    testing::ClickAll(s, {"RC", "Major", "E7", "BF=off", "ArrangeClosest", "RepeatAll=off", "Fill=off", "Up"});
    ChordsWindowCallback(s.program, {s.Grid(), ToNumber(Msg::Change), 0, 10, 0, 0, kid::TempoBar, 0});
    const int32_t tempo = s.state.play.Tempo;
    ASSERT_NE(tempo, 180);
    s.state.sequencer.sequence.Records[0][34] = " 250";
    Press(s, kid::PlaySequence);
    s.toolkit.AdvanceTo(3000);
    ASSERT_EQ(s.state.play.Tempo, 250);
    Press(s, kid::StopSequence);

    const PlaySettings& p = s.state.play;
    EXPECT_EQ(p.Tempo, tempo);
    EXPECT_EQ(p.NotesPerMeasure, 6);
    EXPECT_EQ(p.Arrangement, 0);
    for (int32_t PlaySettings::*flag : {&PlaySettings::RepeatRoot, &PlaySettings::RepeatBass, &PlaySettings::RepeatFifth,
                                        &PlaySettings::RepeatAll, &PlaySettings::Up, &PlaySettings::Down,
                                        &PlaySettings::Fill}) {
        EXPECT_EQ(p.*flag, 0);
    }
    const HeadlessToolkit& tk = s.toolkit;
    EXPECT_EQ(tk.ControlOf(s.Grid(), kid::TempoBar)->position, (std::array<int32_t, 4>{60, tempo, tempo, 300}));
    EXPECT_EQ(tk.ControlOf(s.Grid(), kid::TempoDisplay)->text, std::to_string(tempo));
    EXPECT_EQ(tk.ControlOf(s.Grid(), kid::NotesMeasureBar)->position, (std::array<int32_t, 4>{1, 6, 6, 12}));
    EXPECT_EQ(tk.ControlOf(s.Grid(), kid::NotesMeasureDisplay)->text, "6");
    for (const char* on : {"RC", "Major", "E7", "ArrangeClosest"}) EXPECT_TRUE(testing::Checked(s, on)) << on;
    for (const char* off : {"RepeatRoot", "RepeatBass", "RepeatFifth", "RepeatAll", "Up", "Down", "Fill"}) {
        EXPECT_FALSE(testing::Checked(s, off)) << off;
    }
    // Root letter, class and extension go back; the rest keeps the last record's values.
    const ChordDefinition& d = s.state.definition;
    EXPECT_EQ(d.RootLetter, "C");
    EXPECT_EQ(d.RootLetterPitch, 0);
    EXPECT_EQ(d.ChordClass, 0);
    EXPECT_EQ(d.Extension, 7);
    EXPECT_EQ(d.BassSelected, 0);
    EXPECT_EQ(d.RootFlat, 1);
    EXPECT_EQ(s.state.chord.Notation.substr(0, 2), "Cb");
    EXPECT_EQ(s.state.sequencer.play.SequencePlaying, 0);
    EXPECT_EQ(s.state.player.ArpeggioPlaying, 0);
    // Only note timers are left, and they end.
    RunToEnd(s);
    EXPECT_TRUE(s.keyboard.Sounding().empty());
    EXPECT_EQ(s.toolkit.RunningTimers(), 0u);
}

TEST(SequencePlaying, StopWhenIdleSilencesEverythingAndChangesNoSetting) {
    HeadlessSession s;
    AppendChords(s, {"RD Minor"});
    Press(s, kid::PlayRep);
    s.toolkit.AdvanceTo(500);
    const PlaySettings settings = s.state.play;
    const ChordDefinition definition = s.state.definition;
    s.toolkit.ClearCalls();
    s.keyboard.ClearCalls();
    Press(s, kid::StopSequence);
    EXPECT_EQ(s.state.player.ArpeggioPlaying, 0);
    EXPECT_EQ(s.state.player.ArpeggioTimer, 0);
    for (const HeadlessToolkit::Call& call : s.toolkit.Calls()) EXPECT_EQ(call.kind, CallKind::KillTimer);
    ASSERT_EQ(s.keyboard.Calls().size(), 1u);
    EXPECT_EQ(s.keyboard.Calls()[0].kind, K::AllNotesOff);
    EXPECT_EQ(s.state.play.Up, settings.Up);
    EXPECT_EQ(s.state.play.Tempo, settings.Tempo);
    EXPECT_EQ(s.state.definition, definition);
}

TEST(SequencePlaying, PlayOnAnEmptyListOnlyAlerts) {
    for (const std::vector<std::string>& chords : {std::vector<std::string>{}, {"RC", "RD"}}) {
        HeadlessSession s;
        AppendChords(s, chords);
        s.Select(kid::ClearAllChords, 0);
        const ChordDefinition definition = s.state.definition;
        s.toolkit.ClearCalls();
        s.keyboard.ClearCalls();
        Press(s, kid::PlaySequence);
        EXPECT_EQ(s.toolkit.Alerts(), std::vector<std::string>{std::string(kNoSequenceAlert)});
        EXPECT_EQ(s.toolkit.RunningTimers(), 0u);
        EXPECT_EQ(s.state.sequencer.play.SequencePlaying, 0);
        EXPECT_EQ(s.state.definition, definition);
        EXPECT_TRUE(s.keyboard.Calls().empty());
    }
}

TEST(SequencePlaying, PlayWhilePlayingStopsAndStartsAgainFromTheFirstChord) {
    HeadlessSession s;
    AppendThree(s);
    Player player(s);
    Press(s, kid::PlaySequence);
    s.toolkit.AdvanceTo(3000);
    Press(s, kid::PlaySequence);
    s.toolkit.AdvanceTo(5666);
    EXPECT_EQ(player.shown, (std::vector<Shown>{{0, "C7"}, {2666, "Dm7"}, {3000, "C7"}, {5666, "Dm7"}}));
    EXPECT_EQ(s.state.sequencer.play.SavedTempo, 180);
}

TEST(SequencePlaying, EditingWhilePlayingNeverReadsPastTheList) {
    struct Case {
        const char* what;
        std::vector<std::string_view> edits;  // at 3000 ms, after the second chord
        std::vector<Shown> shown;             // from 5332 ms on
    };
    for (const Case& c : {
             // Removing at 2, then at 0, leaves Dm7 alone; the next position, 2, is past the end.
             Case{"remove two of three", {"-", "-"}, {{5332, "Dm7"}, {7998, "Dm7"}}},
             Case{"clear all: ticks do nothing", {"0"}, {}},
             // New chords are built on the one being played, a minor chord.
             Case{"clear all, then append", {"0", "+F"}, {{5332, "Fm7"}, {7998, "Fm7"}}},
             Case{"insert at the next position", {"^G"}, {{5332, "Gm7"}, {7998, "E9"}}},
         }) {
        HeadlessSession s;
        AppendThree(s);
        Player player(s);
        Press(s, kid::PlaySequence);
        s.toolkit.AdvanceTo(3000);
        for (std::string_view e : c.edits) {
            if (e == "-") s.Select(kid::RemoveChord, 0);
            if (e == "0") s.Select(kid::ClearAllChords, 0);
            if (e[0] == '+' || e[0] == '^') {
                testing::Click(s, "R" + std::string(e.substr(1)));
                s.Select(e[0] == '+' ? kid::AppendChord : kid::InsertChord, 0);
            }
        }
        player.shown.clear();
        s.toolkit.AdvanceTo(8000);
        EXPECT_EQ(player.shown, c.shown) << c.what;
        EXPECT_NE(s.state.sequencer.play.SequenceTimer, 0) << c.what;
        EXPECT_EQ(s.state.sequencer.play.SequencePlaying, 1) << c.what;
    }
}

TEST(SequencePlaying, LoadingWhilePlayingStartsTheNewListFromItsFirstChord) {
    testing::TempFolder folder;
    {
        HeadlessSession writer;
        AppendChords(writer, {"RA Minor"});
        writer.toolkit.QueueFileDialogAnswer(folder / "one.chd");
        writer.Select(kid::SaveSequence, 0);
    }
    HeadlessSession s;
    AppendThree(s);
    Player player(s);
    Press(s, kid::PlaySequence);
    s.toolkit.AdvanceTo(6000);  // the next would be the first again, at position 0
    s.toolkit.QueueFileDialogAnswer(folder / "one.chd");
    s.Select(kid::LoadSequence, 0);
    player.shown.clear();
    s.toolkit.AdvanceTo(8000);
    EXPECT_EQ(player.shown, (std::vector<Shown>{{7998, "Am7"}}));
}

TEST(SequencePlaying, ARecordWithoutItsClosingMarkerIsSkippedWithTheWarning) {
    HeadlessSession s;
    AppendThree(s);
    s.state.sequencer.sequence.Records[1][39] = "567765 ";
    Player player(s);
    Press(s, kid::PlaySequence);
    s.toolkit.AdvanceTo(8000);
    // The position stays on the damaged record, so it is tried again and again.
    EXPECT_EQ(player.shown, (std::vector<Shown>{{0, "C7"}}));
    EXPECT_EQ(s.toolkit.Alerts(), std::vector<std::string>(3, std::string(kCorruptedRecordAlert)));
    EXPECT_EQ(s.state.sequencer.play.SequencePosition, 1);
    EXPECT_NE(s.state.sequencer.play.SequenceTimer, 0);

    // A damaged first record stops PLAY before any timer, still marked as playing.
    HeadlessSession first;
    AppendChords(first, {"RC"});
    first.state.sequencer.sequence.Records[0][39] = "";
    Press(first, kid::PlaySequence);
    EXPECT_EQ(first.toolkit.Alerts(), std::vector<std::string>{std::string(kCorruptedRecordAlert)});
    EXPECT_EQ(first.state.sequencer.play.SequenceTimer, 0);
    EXPECT_EQ(first.state.sequencer.play.SequencePlaying, 1);
    EXPECT_EQ(first.toolkit.RunningTimers(), 0u);
}

// A modal alert inside a tick lets the toolkit deliver the next expiry
// before the tick is over; that expiry must not decode on top of it.
TEST(SequencePlaying, ATickArrivingWhileTheLastIsInsideAnAlertIsSkipped) {
    HeadlessSession s;
    AppendThree(s);
    std::vector<std::string> composed;
    bool nested = false;
    s.state.sequencer.play.ChordComposed = [&](const ComposedChord& chord) {
        composed.push_back(chord.Notation);
        if (!nested && s.toolkit.NowMs() == 2666) {
            nested = true;
            SequenceTick(PartsOf(s));  // what the toolkit would run from the alert's own loop
        }
    };
    Press(s, kid::PlaySequence);
    s.toolkit.AdvanceTo(5332);
    EXPECT_TRUE(nested);
    EXPECT_EQ(composed, (std::vector<std::string>{"C7", "Dm7", "E9"}));
    EXPECT_FALSE(s.state.sequencer.play.InTick);
}

TEST(SequencePlaying, DamagedRecordsPlayWithoutHarm) {
    HeadlessSession s;
    AppendChords(s, {"RC", "RD"});
    std::vector<ChordRecord>& records = s.state.sequencer.sequence.Records;
    for (size_t field = 0; field < 39; ++field) records[0][field] = field % 2 == 0 ? "-128" : " 127";
    for (size_t field = 0; field < 39; ++field) records[1][field] = std::string(300, static_cast<char>('0' + field % 10));
    records[1][34] = "-32768";
    Player player(s);
    Press(s, kid::PlaySequence);
    s.toolkit.AdvanceTo(20000);
    Press(s, kid::StopSequence);
    RunToEnd(s);
    EXPECT_EQ(player.shown.size(), 8u);
    EXPECT_TRUE(s.keyboard.Sounding().empty());
}

TEST(SequencePlaying, ClosingTheWindowWhilePlayingEndsEveryNoteBeforeTheKeyboardCloses) {
    for (int64_t closeMs : {0, 55, 1000, 2666, 4000}) {
        HeadlessSession s;
        AppendThree(s);
        s.keyboard.ClearCalls();
        Press(s, kid::PlaySequence);
        s.toolkit.AdvanceTo(closeMs);
        s.toolkit.Deliver({s.Grid(), ToNumber(Msg::CloseWindow), 0, 0, 0, 0, 0, 0});
        s.toolkit.AdvanceTo(closeMs + 10000);
        const std::vector<RecordingKeyboard::Call>& calls = s.keyboard.Calls();
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back().kind, K::Close) << closeMs;
        std::map<std::pair<int32_t, int32_t>, int> sounding;
        for (const RecordingKeyboard::Call& c : calls) {
            if (c.kind == K::NoteOn) ++sounding[{c.a, c.b}];
            if (c.kind == K::NoteOff) --sounding[{c.a, c.b}];
            EXPECT_FALSE(c.afterClose) << closeMs;
        }
        for (const auto& [note, count] : sounding) EXPECT_EQ(count, 0) << closeMs << ": " << note.first;
        EXPECT_EQ(s.toolkit.RunningTimers(), 0u) << closeMs;
        EXPECT_EQ(s.toolkit.QuitStatus(), 0);
    }
}

}  // namespace
}  // namespace hq
