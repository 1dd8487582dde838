#include "playback/note_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "app/chords_callback.h"
#include "app/player_parts.h"
#include "headless/session.h"
#include "platform/controls.h"
#include "playback/player_test_support.h"
#include "playback/step_timing.h"
#include "support/session_helpers.h"
#include "theory/compose_chord.h"

namespace hq {
namespace {

using testing::Click;
using testing::ClickAll;
using testing::PlayedNote;
using testing::PlayedNotes;
using testing::Press;
using testing::RunToEnd;
using K = RecordingKeyboard::CallKind;

int64_t Count(const RecordingKeyboard& keyboard, K kind) {
    return std::count_if(keyboard.Calls().begin(), keyboard.Calls().end(),
                         [kind](const RecordingKeyboard::Call& c) { return c.kind == kind; });
}

// ---- Step and note lengths

struct TimingCase {
    const char* what;
    int32_t tempo, notesPerMeasure;
    bool up, down, fill;
    int64_t firstMs, stepMs, noteMs;
    friend void PrintTo(const TimingCase& c, std::ostream* os) { *os << c.what; }
};

class StepTiming : public ::testing::TestWithParam<TimingCase> {};

// C7 on four rows, long enough for six steps; the chord-repeat mode sounds
// all four rows at every step.
TEST_P(StepTiming, StepsAndNotesLastTheirTicks) {
    const TimingCase& c = GetParam();
    HeadlessSession session;
    session.state.play.Tempo = c.tempo;
    session.state.play.NotesPerMeasure = c.notesPerMeasure;
    Click(session, c.up ? "Up" : "Up=off");
    Click(session, c.down ? "Down" : "Down=off");
    Click(session, c.fill ? "Fill" : "Fill=off");
    session.keyboard.ClearCalls();

    Press(session, kid::PlayRep);
    const int64_t stopMs = c.firstMs + 5 * c.stepMs;
    session.toolkit.AdvanceTo(stopMs);
    Press(session, kid::StopRep);
    RunToEnd(session);

    const std::vector<PlayedNote> notes = PlayedNotes(session.keyboard);
    const size_t perStep = c.up || c.down ? 1 : 4;
    ASSERT_EQ(notes.size(), 6 * perStep);
    for (size_t i = 0; i < notes.size(); ++i) {
        EXPECT_EQ(notes[i].onMs, c.firstMs + static_cast<int64_t>(i / perStep) * c.stepMs) << i;
        EXPECT_EQ(notes[i].lengthMs, c.noteMs) << i;
    }
    EXPECT_EQ(session.state.play.Tempo, c.tempo);  // played clamped, stored as it was
    EXPECT_EQ(session.state.play.NotesPerMeasure, c.notesPerMeasure);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, StepTiming,
    ::testing::Values(TimingCase{"180/6 arpeggio: 4 ticks, notes of 2", 180, 6, true, true, false, 55, 220, 220},
                      TimingCase{"180/6 with Fill: notes of 3", 180, 6, true, false, true, 55, 220, 330},
                      TimingCase{"180/6 repeated chord", 180, 6, false, false, false, 220, 880, 220},
                      TimingCase{"120/4 arpeggio: 9 ticks, notes of 4", 120, 4, false, true, false, 55, 495, 440},
                      TimingCase{"120/4 with Fill: notes of 6", 120, 4, true, true, true, 55, 495, 660},
                      TimingCase{"120/4 repeated chord", 120, 4, false, false, true, 220, 1980, 660},
                      TimingCase{"300/12: 1 tick, notes of 1", 300, 12, true, true, false, 55, 55, 110},
                      TimingCase{"300/12 with Fill", 300, 12, true, true, true, 55, 55, 110},
                      TimingCase{"300/12 repeated chord", 300, 12, false, false, false, 220, 220, 110},
                      TimingCase{"60/1: 72 ticks", 60, 1, true, true, false, 55, 3960, 3960}));

// A damaged record can hold any tempo and notes per measure.
INSTANTIATE_TEST_SUITE_P(
    RegressionOutOfRangeSettings, StepTiming,
    ::testing::Values(TimingCase{"tempo 0 plays as 60", 0, 6, true, true, false, 55, 660, 660},
                      TimingCase{"tempo and notes -3 play as 60 and 1", -3, -3, true, true, false, 55, 3960, 3960},
                      TimingCase{"notes 0 plays as 1", 180, 0, false, false, false, 220, 24 * 220, 16 * 110},
                      TimingCase{"huge values play as 300 and 12", 32767, 99, true, true, false, 55, 55, 110}));

TEST(StepTickCount, ClampedAndAtLeastOne) {
    EXPECT_EQ(StepTicks(180, 6), 4);
    EXPECT_EQ(StepTicks(120, 4), 9);
    EXPECT_EQ(StepTicks(300, 12), 1);
    EXPECT_EQ(StepTicks(60, 1), 72);
    EXPECT_EQ(StepTicks(INT32_MIN, INT32_MAX), 6);  // 60 and 12
    EXPECT_EQ(StepTicks(INT32_MAX, INT32_MIN), 14);  // 300 and 1
}

// ---- The order of the rows

struct RowOrderCase {
    const char* what;
    std::vector<std::string_view> chord;
    bool up, down;
    std::vector<int32_t> rows;
    bool rootAloneRecord = false;  // as a damaged record composes: the root alone
    friend void PrintTo(const RowOrderCase& c, std::ostream* os) { *os << c.what; }
};

class RowOrder : public ::testing::TestWithParam<RowOrderCase> {};

TEST_P(RowOrder, FollowsUpAndDown) {
    const RowOrderCase& c = GetParam();
    HeadlessSession session;
    ClickAll(session, c.chord);
    if (c.rootAloneRecord) {
        ChordDefinition& d = session.state.definition;
        d.Extension = 0;
        d.NoThird = 1;
        d.NoFifth = 1;
        ComposeChord(d, session.state.chord, session.toolkit, session.Grid());
    }
    Click(session, c.up ? "Up" : "Up=off");
    Click(session, c.down ? "Down" : "Down=off");
    Press(session, kid::PlayRep);
    session.toolkit.AdvanceTo(55 + 220 * static_cast<int64_t>(c.rows.size() - 1));
    Press(session, kid::StopRep);
    RunToEnd(session);

    const PlayerState& player = session.state.player;
    std::vector<int32_t> rows;
    for (const PlayedNote& n : PlayedNotes(session.keyboard)) {
        const auto end = player.StepList.begin() + player.LastStep + 1;
        const auto at = std::find(player.StepList.begin(), end, n.note);
        rows.push_back(at == end ? -1 : static_cast<int32_t>(at - player.StepList.begin()));
        EXPECT_GE(n.note.octave, 1);  // never an unfilled row
    }
    EXPECT_EQ(rows, c.rows);
}

const std::vector<std::string_view> kC7{};
const std::vector<std::string_view> kPowerChord{"E7=off", "Ano3"};

INSTANTIATE_TEST_SUITE_P(
    Rows, RowOrder,
    ::testing::Values(RowOrderCase{"four rows up", kC7, true, false, {0, 1, 2, 3, 0, 1, 2}},
                      RowOrderCase{"four rows down", kC7, false, true, {3, 2, 1, 0, 3, 2, 1}},
                      RowOrderCase{"four rows both ways", kC7, true, true, {0, 1, 2, 3, 2, 1, 0, 1, 2}},
                      RowOrderCase{"two rows both ways", kPowerChord, true, true, {0, 1, 0, 1, 0}}));

INSTANTIATE_TEST_SUITE_P(
    RegressionOneRow, RowOrder,
    ::testing::Values(RowOrderCase{"both ways stays on row 0", kC7, true, true, {0, 0, 0, 0}, true},
                      RowOrderCase{"up", kC7, true, false, {0, 0, 0}, true},
                      RowOrderCase{"down", kC7, false, true, {0, 0, 0}, true}));

// ---- The two sliders

struct BarCase {
    const char* what;
    int32_t kid;
    Msg message;
    int32_t position;  // value2 of a Change
    int32_t tempoBefore, notesBefore;
    int32_t tempo, notes;
    std::vector<HeadlessToolkit::Call> calls;  // grid 1 is the main window
    friend void PrintTo(const BarCase& c, std::ostream* os) { *os << c.what; }
};

using TK = HeadlessToolkit::CallKind;
using Call = HeadlessToolkit::Call;

std::vector<Call> TempoShown(int32_t tempo) {
    return {{TK::SetPosition, 1, kid::TempoBar, 60, tempo, tempo, 300},
            {TK::SetTextString, 1, kid::TempoDisplay, 0, 0, 0, 0, std::to_string(tempo)},
            {TK::Redraw, 1, kid::TempoDisplay}};
}

std::vector<Call> NotesShown(int32_t notes, bool moved) {
    std::vector<Call> calls;
    if (moved) calls.push_back({TK::SetPosition, 1, kid::NotesMeasureBar, 1, notes, notes, 12});
    calls.push_back({TK::SetTextString, 1, kid::NotesMeasureDisplay, 0, 0, 0, 0, std::to_string(notes)});
    calls.push_back({TK::Redraw, 1, kid::NotesMeasureDisplay});
    return calls;
}

class Bars : public ::testing::TestWithParam<BarCase> {};

TEST_P(Bars, SetAndShowTheirValue) {
    const BarCase& c = GetParam();
    for (bool wrapped : {false, true}) {
        HeadlessSession session;
        ASSERT_EQ(session.Grid(), 1);
        session.state.play.Tempo = c.tempoBefore;
        session.state.play.NotesPerMeasure = c.notesBefore;
        session.toolkit.ClearCalls();
        session.keyboard.ClearCalls();
        const int32_t message = ToNumber(c.message);
        session.toolkit.Deliver({1, wrapped ? ToNumber(Msg::Callback) : message, 0, c.position, 0, 0, c.kid,
                                 wrapped ? message : 0});
        EXPECT_EQ(session.state.play.Tempo, c.tempo) << wrapped;
        EXPECT_EQ(session.state.play.NotesPerMeasure, c.notes) << wrapped;
        EXPECT_EQ(session.toolkit.Calls(), c.calls) << wrapped;
        EXPECT_TRUE(session.keyboard.Calls().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sliders, Bars,
    ::testing::Values(
        BarCase{"tempo one more", kid::TempoBar, Msg::OneMore, 0, 180, 6, 181, 6, TempoShown(181)},
        BarCase{"tempo one more at 300", kid::TempoBar, Msg::OneMore, 0, 300, 6, 300, 6, TempoShown(300)},
        BarCase{"tempo one less at 60", kid::TempoBar, Msg::OneLess, 0, 60, 6, 60, 6, TempoShown(60)},
        BarCase{"tempo drag 0", kid::TempoBar, Msg::Change, 0, 180, 6, 60, 6, TempoShown(60)},
        BarCase{"tempo drag 24", kid::TempoBar, Msg::Change, 24, 180, 6, 177, 6, TempoShown(177)},
        BarCase{"tempo drag 49", kid::TempoBar, Msg::Change, 49, 180, 6, 300, 6, TempoShown(300)},
        BarCase{"notes one more", kid::NotesMeasureBar, Msg::OneMore, 0, 180, 6, 180, 7, NotesShown(7, true)},
        BarCase{"notes one less", kid::NotesMeasureBar, Msg::OneLess, 0, 180, 6, 180, 5, NotesShown(5, true)},
        BarCase{"notes one more at 12", kid::NotesMeasureBar, Msg::OneMore, 0, 180, 12, 180, 12,
                NotesShown(12, false)},
        BarCase{"notes one less at 1", kid::NotesMeasureBar, Msg::OneLess, 0, 180, 1, 180, 1, NotesShown(1, false)},
        BarCase{"notes drag 0", kid::NotesMeasureBar, Msg::Change, 0, 180, 6, 180, 1, NotesShown(1, false)},
        BarCase{"notes drag 24", kid::NotesMeasureBar, Msg::Change, 24, 180, 9, 180, 6, NotesShown(6, false)},
        BarCase{"notes drag 49", kid::NotesMeasureBar, Msg::Change, 49, 180, 6, 180, 12, NotesShown(12, false)},
        BarCase{"another kid's Change", kid::Ab13, Msg::Change, 30, 180, 6, 180, 6, {}},
        BarCase{"the window's OneMore", 0, Msg::OneMore, 0, 180, 6, 180, 6, {}},
        BarCase{"a display's OneLess", kid::TempoDisplay, Msg::OneLess, 0, 180, 6, 180, 6, {}}));

INSTANTIATE_TEST_SUITE_P(
    RegressionDragOutsideRange, Bars,
    ::testing::Values(
        BarCase{"tempo drag -5", kid::TempoBar, Msg::Change, -5, 180, 6, 60, 6, TempoShown(60)},
        BarCase{"tempo drag 80", kid::TempoBar, Msg::Change, 80, 180, 6, 300, 6, TempoShown(300)},
        BarCase{"tempo drag far out", kid::TempoBar, Msg::Change, INT32_MAX, 180, 6, 300, 6, TempoShown(300)},
        BarCase{"notes drag far below", kid::NotesMeasureBar, Msg::Change, INT32_MIN, 180, 6, 180, 1,
                NotesShown(1, false)}));

TEST(BarsWhilePlaying, TakeEffectAtTheNextStepWithoutRestarting) {
    HeadlessSession session;
    session.keyboard.ClearCalls();
    Press(session, kid::PlayRep);
    session.toolkit.AdvanceTo(300);  // notes at 55 and 275; the next is due at 495
    session.toolkit.Deliver({1, ToNumber(Msg::Change), 0, 49, 0, 0, kid::TempoBar, 0});
    session.toolkit.Deliver({1, ToNumber(Msg::Change), 0, 49, 0, 0, kid::NotesMeasureBar, 0});
    session.toolkit.AdvanceTo(700);
    Press(session, kid::StopRep);
    RunToEnd(session);
    std::vector<int64_t> onMs;
    for (const PlayedNote& n : PlayedNotes(session.keyboard)) onMs.push_back(n.onMs);
    EXPECT_EQ(onMs, (std::vector<int64_t>{55, 275, 495, 550, 605, 660}));
    EXPECT_EQ(Count(session.keyboard, K::GetParam), 1);
}

// ---- The controls of the display-and-play panel

TEST(PlayControls, StoreTheirSettingWithoutPlayingOrComposing) {
    struct Case {
        const char* name;
        int32_t value1;
        int32_t PlaySettings::*field;
        int32_t stored;
    };
    const Case cases[] = {
        {"ArrangeOctave", -1, &PlaySettings::Arrangement, 1},
        {"ArrangeHarmonic", -1, &PlaySettings::Arrangement, 2},
        {"ArrangeRandom", -1, &PlaySettings::Arrangement, 3},
        {"ArrangeClosest", -1, &PlaySettings::Arrangement, 0},
        {"RepeatRoot", -1, &PlaySettings::RepeatRoot, 1},
        {"RepeatBass", -1, &PlaySettings::RepeatBass, 1},
        {"RepeatFifth", -1, &PlaySettings::RepeatFifth, 1},
        {"RepeatAll", -1, &PlaySettings::RepeatAll, 1},
        {"RepeatAll", 0, &PlaySettings::RepeatAll, 0},
        {"Fill", -1, &PlaySettings::Fill, 1},
        {"Fill", 0, &PlaySettings::Fill, 0},
        {"Up", 0, &PlaySettings::Up, 0},
        {"Down", 0, &PlaySettings::Down, 0},
        {"Up", -1, &PlaySettings::Up, 1},
    };
    HeadlessSession session;
    session.state.play.Arrangement = 2;
    for (const Case& c : cases) {
        session.toolkit.ClearCalls();
        session.keyboard.ClearCalls();
        session.Select(*KidByName(c.name), c.value1);
        EXPECT_EQ(session.state.play.*c.field, c.stored) << c.name << " " << c.value1;
        EXPECT_TRUE(session.toolkit.Calls().empty()) << c.name;  // composing would set every Step box
        EXPECT_TRUE(session.keyboard.Calls().empty()) << c.name;
        EXPECT_EQ(session.toolkit.RunningTimers(), 0u) << c.name;
    }
}

TEST(PlayControls, UpAndDownRestartOnlyWhilePlaying) {
    HeadlessSession session;
    session.keyboard.ClearCalls();
    Click(session, "Up=off");
    Click(session, "Down=off");
    Click(session, "Up");
    EXPECT_TRUE(session.keyboard.Calls().empty());
    EXPECT_EQ(session.toolkit.RunningTimers(), 0u);

    Press(session, kid::PlayRep);     // up only: rows 0, 1, 2 at 55, 275, 495
    session.toolkit.AdvanceTo(600);
    Click(session, "Down");           // both ways, from row 0 again
    session.toolkit.AdvanceTo(1200);  // 655, 875, 1095
    Press(session, kid::StopRep);
    RunToEnd(session);

    EXPECT_EQ(Count(session.keyboard, K::GetParam), 2);
    std::vector<std::pair<int64_t, int32_t>> played;
    for (const PlayedNote& n : PlayedNotes(session.keyboard)) played.emplace_back(n.onMs, n.note.pitchClass);
    EXPECT_EQ(played, (std::vector<std::pair<int64_t, int32_t>>{
                          {55, 0}, {275, 4}, {495, 7}, {655, 0}, {875, 4}, {1095, 7}}));
}

TEST(PlayControls, PlayOnceSoundsOnTopOfTheArpeggio) {
    HeadlessSession session;
    session.keyboard.ClearCalls();
    Press(session, kid::PlayRep);
    session.toolkit.AdvanceTo(300);
    Press(session, kid::PlayOnce);
    session.toolkit.AdvanceTo(1000);
    Press(session, kid::StopRep);
    RunToEnd(session);

    // The same notes overlap here, so the calls are compared as they come;
    // Up and Down turn the arpeggio at G4 after Bb4.
    using Event = std::tuple<int64_t, bool, int32_t>;  // time, on, pitch class (all at octave 4)
    std::vector<Event> events;
    for (const RecordingKeyboard::Call& c : session.keyboard.Calls()) {
        if (c.kind != K::NoteOn && c.kind != K::NoteOff) continue;
        EXPECT_EQ(c.b, 4);
        events.emplace_back(c.timeMs, c.kind == K::NoteOn, c.a);
    }
    std::sort(events.begin(), events.end());
    std::vector<Event> expected{{55, true, 0},   {275, false, 0}, {275, true, 4},  {300, true, 0},
                                {300, true, 4},  {300, true, 7},  {300, true, 10}, {495, false, 4},
                                {495, true, 7},  {715, false, 7}, {715, true, 10}, {935, false, 10},
                                {935, true, 7},  {1155, false, 7}, {1400, false, 0}, {1400, false, 4},
                                {1400, false, 7}, {1400, false, 10}};
    EXPECT_EQ(events, expected);
}

TEST(PlayControls, RepPlayRestartsAndStopLetsNotesEnd) {
    HeadlessSession session;
    session.keyboard.ClearCalls();
    Press(session, kid::PlayRep);
    session.toolkit.AdvanceTo(300);
    Press(session, kid::PlayRep);  // a fresh start: row 0 again 55 ms later
    session.toolkit.AdvanceTo(400);
    Press(session, kid::StopRep);
    session.toolkit.AdvanceTo(5000);

    const std::vector<PlayedNote> notes = PlayedNotes(session.keyboard);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[2].onMs, 355);
    EXPECT_EQ(notes[2].note, (Placement{0, 4}));
    EXPECT_EQ(notes[2].lengthMs, 220);  // stopping does not cut a sounding note
    EXPECT_EQ(session.state.player.ArpeggioPlaying, 0);
    EXPECT_TRUE(session.keyboard.Sounding().empty());
}

TEST(PlayControls, PlayChordMessageRestartsRepeatedPlay) {
    HeadlessSession session;
    session.keyboard.ClearCalls();
    const ToolkitMessage restart{1, kPlayChordMessage, 0, 0, 0, 0, 0, 0};
    ChordsWindowCallback(session.program, restart);  // starts when nothing plays
    session.toolkit.AdvanceTo(300);
    Click(session, "E9");  // the chord changes; the next restart plays it
    ChordsWindowCallback(session.program, restart);
    session.toolkit.AdvanceTo(400);
    Press(session, kid::StopRep);
    RunToEnd(session);
    const std::vector<PlayedNote> notes = PlayedNotes(session.keyboard);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[2].onMs, 355);
    EXPECT_EQ(session.state.player.LastStep, 4);  // C9 has five rows
    EXPECT_EQ(Count(session.keyboard, K::GetParam), 2);
}

TEST(PlayControls, ArpeggioSetsParameter33OnlyBelowSixteen) {
    for (int32_t value : {0, 15, 16, 100}) {
        HeadlessSession session;
        session.keyboard.KbdSetParam(23, value);
        session.keyboard.ClearCalls();
        Press(session, kid::PlayRep);
        const std::vector<RecordingKeyboard::Call>& calls = session.keyboard.Calls();
        ASSERT_GE(calls.size(), 1u);
        EXPECT_EQ(calls[0], (RecordingKeyboard::Call{0, K::GetParam, 23, value}));
        EXPECT_EQ(Count(session.keyboard, K::SetParam), value < 16 ? 1 : 0) << value;
        if (value < 16) {
            EXPECT_EQ(calls[1], (RecordingKeyboard::Call{0, K::SetParam, 33, 1}));
        }
    }
}

TEST(PlayControls, ClosingTheWindowStopsTheArpeggioBeforeTheKeyboardCloses) {
    HeadlessSession session;
    session.keyboard.ClearCalls();
    Press(session, kid::PlayRep);
    session.toolkit.AdvanceTo(300);
    session.toolkit.Deliver({1, ToNumber(Msg::CloseWindow), 0, 0, 0, 0, 0, 0});
    session.toolkit.AdvanceTo(3000);
    const std::vector<RecordingKeyboard::Call>& calls = session.keyboard.Calls();
    const auto allOff = std::find_if(calls.begin(), calls.end(), [](const auto& c) { return c.kind == K::AllNotesOff; });
    ASSERT_NE(allOff, calls.end());
    ASSERT_NE(allOff + 1, calls.end());
    EXPECT_EQ((allOff + 1)->kind, K::Close);
    for (const RecordingKeyboard::Call& c : calls) EXPECT_FALSE(c.kind == K::NoteOn && c.timeMs > 300);
    EXPECT_EQ(session.toolkit.QuitStatus(), 0);
}

// ---- Faults mended

TEST(Regression, UnknownArrangementPlaysAsClosest) {
    HeadlessSession session;
    session.state.play.Arrangement = 9;
    session.keyboard.ClearCalls();
    Press(session, kid::PlayOnce);
    Press(session, kid::PlayRep);
    session.toolkit.AdvanceTo(55 + 220 * 4);
    Press(session, kid::StopRep);
    RunToEnd(session);
    std::vector<Placement> played;
    for (const PlayedNote& n : PlayedNotes(session.keyboard)) played.push_back(n.note);
    const Placement c4{0, 4}, e4{4, 4}, g4{7, 4}, bb4{10, 4};
    EXPECT_EQ(played, (std::vector<Placement>{c4, e4, g4, bb4, c4, e4, g4, bb4, g4}));
}

TEST(Regression, OverFiveHundredNotesAliveAllEnd) {
    HeadlessSession session;
    // 42 placements: a chord with seven tones in one octave, in six octaves.
    ClickAll(session, {"E7=off", "E11", "Ab13", "add2", "add11", "As11", "ArrangeOctave", "RepeatAll"});
    ASSERT_EQ(CurrentPlacements(PlayerPartsOf(session.program)).size(), 42u);
    session.keyboard.ClearCalls();
    for (int press = 0; press < 12; ++press) {
        session.toolkit.AdvanceTo(50 * press);
        Press(session, kid::PlayOnce);
    }
    EXPECT_EQ(session.state.player.NoteOffs.size(), 504u);
    int32_t sounding = 0;
    for (const auto& [note, times] : session.keyboard.Sounding()) sounding += times;
    EXPECT_EQ(sounding, 504);

    RunToEnd(session);
    const std::vector<PlayedNote> notes = PlayedNotes(session.keyboard);
    ASSERT_EQ(notes.size(), 504u);
    for (const PlayedNote& n : notes) EXPECT_EQ(n.lengthMs, 1100);
    EXPECT_TRUE(session.keyboard.Sounding().empty());
    EXPECT_TRUE(session.state.player.NoteOffs.empty());
}

TEST(Regression, StoppedTimersAreNeverKilledAgain) {
    HeadlessSession session;
    auto kills = [&session] {
        std::vector<int32_t> numbers;
        for (const HeadlessToolkit::Call& c : session.toolkit.Calls()) {
            if (c.kind == TK::KillTimer) numbers.push_back(c.a);
        }
        session.toolkit.ClearCalls();
        return numbers;
    };
    session.toolkit.ClearCalls();
    Press(session, kid::StopRep);  // nothing ever ran: no timer 0 is killed
    EXPECT_EQ(kills(), std::vector<int32_t>{});

    ClickAll(session, {"Up=off", "Down=off"});
    Press(session, kid::PlayRep);  // the chord timer
    const int32_t chordTimer = session.state.player.ChordTimer;
    session.toolkit.AdvanceTo(500);
    Press(session, kid::StopRep);
    EXPECT_EQ(kills(), std::vector<int32_t>{chordTimer});
    EXPECT_EQ(session.state.player.ChordTimer, 0);

    Click(session, "Up");
    Press(session, kid::PlayRep);  // the arpeggio timer; the old chord timer's number is not touched
    const int32_t arpeggioTimer = session.state.player.ArpeggioTimer;
    session.toolkit.AdvanceTo(1000);
    Press(session, kid::StopRep);
    Press(session, kid::StopRep);
    EXPECT_EQ(kills(), std::vector<int32_t>{arpeggioTimer});
    EXPECT_EQ(session.state.player.ArpeggioTimer, 0);
}

TEST(Regression, NoteOffNamesExactlyItsNoteOn) {
    HeadlessSession session;
    session.keyboard.ClearCalls();
    // Numbers 12 × octave + pitch class would decode these to other notes.
    const std::vector<Placement> odd{{13, 3}, {-1, 2}, {0, 0}, {11, -4}};
    for (const Placement& note : odd) PlayNote(PlayerPartsOf(session.program), note, 3);
    RunToEnd(session);
    std::vector<Placement> off;
    for (const RecordingKeyboard::Call& c : session.keyboard.Calls()) {
        if (c.kind == K::NoteOff) {
            off.push_back({c.a, c.b});
            EXPECT_EQ(c.timeMs, 330);
        }
    }
    EXPECT_EQ(off, odd);
}

}  // namespace
}  // namespace hq
