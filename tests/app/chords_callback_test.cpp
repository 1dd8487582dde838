// The main window's routing and start-up, on the headless toolkit.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/chords_callback.h"
#include "app/startup.h"
#include "headless/session.h"
#include "platform/controls.h"
#include "support/session_helpers.h"

namespace hq {
namespace {

using ToolkitCall = HeadlessToolkit::CallKind;
using KeyboardCall = RecordingKeyboard::CallKind;

ToolkitMessage Selection(const HeadlessSession& s, int32_t kidNumber, int32_t value1 = -1) {
    return {s.Grid(), ToNumber(Msg::Selection), value1, 0, 0, 0, kidNumber, 0};
}

ToolkitMessage Wrapped(ToolkitMessage m) {
    m.extra = m.message;
    m.message = ToNumber(Msg::Callback);
    return m;
}

bool Composed(const HeadlessToolkit& toolkit) {
    const auto& calls = toolkit.Calls();
    return std::any_of(calls.begin(), calls.end(), [](const HeadlessToolkit::Call& c) {
        return c.kind == ToolkitCall::SetTextString && c.kid == kid::NotationDisplay;
    });
}

bool Shown(const HeadlessToolkit& toolkit, int32_t grid) {
    const auto& calls = toolkit.Calls();
    return std::any_of(calls.begin(), calls.end(), [grid](const HeadlessToolkit::Call& c) {
        return c.kind == ToolkitCall::ShowWindow && c.grid == grid;
    });
}

enum class Effect { Nothing, Compose, ShowTmap, ShowFifths };

Effect ExpectedEffect(int32_t k) {
    if (k == 0) return Effect::Nothing;
    if (k == kid::ExtraButton1) return Effect::ShowTmap;
    if (k == kid::ExtraButton2) return Effect::ShowFifths;
    return Effect::Compose;
}

// Every kid that no command row claims, including numbers outside the
// window, composes; kid 0 does nothing; the picture buttons show a window.
TEST(ChordsWindowCallback, SelectionOfUnclaimedKidsComposesOrShowsAsRouted) {
    std::vector<int32_t> kids{-7, -1, 104, 3333};
    for (int32_t k = 0; k <= kControlCount; ++k) {
        const bool command = (k >= kid::AppendChord && k <= kid::ChordsList) ||
                             (k >= kid::SolutionsList && k <= kid::UseSolution) ||
                             (k >= kid::ArrangeClosest && k <= kid::RepeatAll) || k == kid::Up || k == kid::Down ||
                             k == kid::Fill;
        if (!command) kids.push_back(k);
    }
    for (int32_t k : kids) {
        HeadlessSession s;
        s.toolkit.ClearCalls();
        ChordsWindowCallback(s.program, Selection(s, k));
        const Effect expected = ExpectedEffect(k);
        EXPECT_EQ(Composed(s.toolkit), expected == Effect::Compose) << "kid " << k;
        EXPECT_EQ(Shown(s.toolkit, s.state.windows.tmap), expected == Effect::ShowTmap) << "kid " << k;
        EXPECT_EQ(Shown(s.toolkit, s.state.windows.fifths), expected == Effect::ShowFifths) << "kid " << k;
    }
}

TEST(ChordsWindowCallback, ArrangementAndRepeatChoicesNeverCompose) {
    for (int32_t k : {kid::ArrangeClosest, kid::ArrangeOctave, kid::ArrangeHarmonic, kid::ArrangeRandom,
                      kid::RepeatRoot, kid::RepeatBass, kid::RepeatFifth, kid::RepeatAll}) {
        HeadlessSession s;
        s.toolkit.ClearCalls();
        ChordsWindowCallback(s.program, Selection(s, k));
        EXPECT_FALSE(Composed(s.toolkit)) << "kid " << k;
    }
}

TEST(ChordsWindowCallback, LabelSelectionRecomposesTheSameChord) {
    HeadlessSession s;
    testing::ClickAll(s, {"RD", "Minor", "E9"});
    const std::string before = s.state.chord.Notation;
    s.toolkit.SetTextString(s.Grid(), kid::NotationDisplay, "stale");
    ChordsWindowCallback(s.program, Selection(s, kid::ClassPanel, 0));
    EXPECT_EQ(s.state.chord.Notation, before);
    EXPECT_EQ(s.toolkit.ControlOf(s.Grid(), kid::NotationDisplay)->text, before);
}

// Each message, delivered wrapped in Callback and directly, from the same
// start leaves the same calls behind.
TEST(ChordsWindowCallback, WrappedMessagesRouteLikeDirectOnes) {
    const std::vector<ToolkitMessage> messages{
        {0, ToNumber(Msg::Selection), -1, 0, 0, 0, kid::E9, 0},
        {0, ToNumber(Msg::Selection), -1, 0, 0, 0, kid::BG, 0},
        {0, ToNumber(Msg::Selection), 0, 0, 0, 0, kid::ExtraButton2, 0},
        {0, ToNumber(Msg::Change), 0, 30, 0, 0, kid::TempoBar, 0},
        {0, ToNumber(Msg::OneMore), 0, 0, 0, 0, kid::NotesMeasureBar, 0},
        {0, ToNumber(Msg::Update), 0, 0, 0, 0, 0, 0},
        {0, ToNumber(Msg::CloseWindow), 0, 0, 0, 0, 0, 0},
    };
    for (ToolkitMessage m : messages) {
        HeadlessSession direct;
        HeadlessSession wrapped;
        m.grid = direct.Grid();
        direct.toolkit.ClearCalls();
        wrapped.toolkit.ClearCalls();
        ChordsWindowCallback(direct.program, m);
        ChordsWindowCallback(wrapped.program, Wrapped(m));
        EXPECT_EQ(direct.toolkit.Calls(), wrapped.toolkit.Calls()) << "message " << m.message << " kid " << m.kid;
        EXPECT_EQ(direct.keyboard.Calls().size(), wrapped.keyboard.Calls().size()) << "message " << m.message;
    }
}

TEST(ChordsWindowCallback, BarMessagesFromOtherKidsChangeNothing) {
    for (Msg message : {Msg::Change, Msg::OneMore, Msg::OneLess}) {
        for (int32_t k : {0, kid::RC, kid::E7, kid::TempoDisplay, kid::NotesMeasureDisplay, kid::Fill, 104}) {
            HeadlessSession s;
            s.toolkit.ClearCalls();
            s.keyboard.ClearCalls();
            ChordsWindowCallback(s.program, {s.Grid(), ToNumber(message), 0, 49, 0, 0, k, 0});
            EXPECT_TRUE(s.toolkit.Calls().empty()) << "kid " << k;
            EXPECT_TRUE(s.keyboard.Calls().empty()) << "kid " << k;
            EXPECT_EQ(s.state.play.Tempo, 180);
            EXPECT_EQ(s.state.play.NotesPerMeasure, 6);
        }
    }
}

TEST(ChordsWindowCallback, UpdateComposesAndUnknownMessagesAreIgnored) {
    HeadlessSession s;
    s.toolkit.ClearCalls();
    ChordsWindowCallback(s.program, {s.Grid(), ToNumber(Msg::Update), 0, 0, 0, 0, 0, 0});
    EXPECT_TRUE(Composed(s.toolkit));

    for (int32_t message : {ToNumber(Msg::Redrawn), ToNumber(Msg::Create), 9999, -5}) {
        s.toolkit.ClearCalls();
        ChordsWindowCallback(s.program, {s.Grid(), message, 0, 0, 0, 0, kid::E9, 0});
        EXPECT_TRUE(s.toolkit.Calls().empty()) << "message " << message;
    }
}

TEST(ChordsWindowCallback, ClosingStopsNotesThenClosesTheKeyboardThenQuitsWithZero) {
    HeadlessSession s;
    s.keyboard.ClearCalls();
    ChordsWindowCallback(s.program, {s.Grid(), ToNumber(Msg::CloseWindow), 0, 0, 0, 0, 0, 0});
    const auto& calls = s.keyboard.Calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls.back().kind, KeyboardCall::Close);
    EXPECT_EQ(calls[calls.size() - 2].kind, KeyboardCall::AllNotesOff);
    EXPECT_EQ(s.toolkit.QuitStatus(), 0);
    EXPECT_EQ(s.toolkit.Calls().back().kind, ToolkitCall::Quit);
}

TEST(ChordsWindowCallback, ClickingTheCheckedRootAgainCancelsTheBass) {
    HeadlessSession s;
    testing::ClickAll(s, {"RC", "BE"});
    EXPECT_EQ(s.state.chord.Notation, "C7/E");
    testing::Click(s, "RC");
    EXPECT_EQ(s.state.chord.Notation, "C7");
    EXPECT_FALSE(testing::Checked(s, "BE"));
}

TEST(PictureWindowCallback, CloseHidesAndEverythingElseIsIgnored) {
    HeadlessSession s;
    const int32_t fifths = s.state.windows.fifths;
    s.toolkit.ShowWindow(fifths);
    for (int32_t message : {ToNumber(Msg::Selection), ToNumber(Msg::Redrawn), kStartUpMessage}) {
        s.toolkit.Deliver({fifths, message, 0, 0, 0, 0, 1, 0});
        EXPECT_TRUE(s.toolkit.IsVisible(fifths));
    }
    s.toolkit.Deliver(Wrapped({fifths, ToNumber(Msg::CloseWindow), 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(s.toolkit.IsVisible(fifths));
    EXPECT_TRUE(s.toolkit.IsVisible(s.Grid()));
    EXPECT_FALSE(s.toolkit.QuitStatus().has_value());
}

TEST(StartProgram, LeavesC7WithDefaultsAndHiddenPictures) {
    HeadlessSession s;
    EXPECT_EQ(s.state.chord.Notation, "C7");
    for (const char* on : {"RC", "Major", "E7", "ArrangeClosest", "Up", "Down"}) {
        EXPECT_TRUE(testing::Checked(s, on)) << on;
    }
    EXPECT_EQ(s.state.play.Tempo, 180);
    EXPECT_EQ(s.state.play.NotesPerMeasure, 6);
    EXPECT_EQ(s.toolkit.ControlOf(s.Grid(), kid::TempoBar)->position, (std::array<int32_t, 4>{60, 180, 180, 300}));
    EXPECT_EQ(s.toolkit.ControlOf(s.Grid(), kid::NotesMeasureBar)->position, (std::array<int32_t, 4>{1, 6, 6, 12}));
    EXPECT_TRUE(s.toolkit.IsVisible(s.Grid()));
    EXPECT_FALSE(s.toolkit.IsVisible(s.state.windows.fifths));
    EXPECT_FALSE(s.toolkit.IsVisible(s.state.windows.tmap));
    EXPECT_TRUE(s.toolkit.ConsoleLines().empty());
}

TEST(StartProgram, RunsItsStepsInOrder) {
    HeadlessSession s;
    const auto& keys = s.keyboard.Calls();
    ASSERT_GE(keys.size(), 8u);
    EXPECT_EQ(keys[0].kind, KeyboardCall::Start);
    const std::vector<std::pair<int32_t, int32_t>> params{{6, 2}, {23, 0}, {25, 100}, {26, 64},
                                                          {33, 1}, {11, 60}, {10, 3}};
    for (size_t i = 0; i < params.size(); ++i) {
        EXPECT_EQ(keys[i + 1].kind, KeyboardCall::SetParam);
        EXPECT_EQ(std::make_pair(keys[i + 1].a, keys[i + 1].b), params[i]);
    }

    // Windows shown in build order, the pictures hidden again, then the
    // start-up state: bars, the six defaults, the composed chord.
    std::vector<std::pair<ToolkitCall, int32_t>> seen;
    for (const auto& c : s.toolkit.Calls()) {
        if (c.kind == ToolkitCall::ShowWindow || c.kind == ToolkitCall::HideWindow) seen.emplace_back(c.kind, c.grid);
        if (c.kind == ToolkitCall::SetPosition || (c.kind == ToolkitCall::SetValue && c.a == -1)) {
            seen.emplace_back(c.kind, c.kid);
        }
        if (c.kind == ToolkitCall::SetTextString && c.kid == kid::NotationDisplay) seen.emplace_back(c.kind, c.kid);
    }
    const WindowGrids& w = s.state.windows;
    const std::vector<std::pair<ToolkitCall, int32_t>> expected{
        {ToolkitCall::ShowWindow, w.chords},       {ToolkitCall::ShowWindow, w.fifths},
        {ToolkitCall::ShowWindow, w.tmap},         {ToolkitCall::HideWindow, w.fifths},
        {ToolkitCall::HideWindow, w.tmap},         {ToolkitCall::SetPosition, kid::TempoBar},
        {ToolkitCall::SetPosition, kid::NotesMeasureBar}, {ToolkitCall::SetValue, kid::RC},
        {ToolkitCall::SetValue, kid::Major},       {ToolkitCall::SetValue, kid::ArrangeClosest},
        {ToolkitCall::SetValue, kid::E7},          {ToolkitCall::SetValue, kid::Up},
        {ToolkitCall::SetValue, kid::Down},
    };
    ASSERT_GE(seen.size(), expected.size());
    EXPECT_EQ(std::vector(seen.begin(), seen.begin() + static_cast<std::ptrdiff_t>(expected.size())), expected);
    EXPECT_EQ(seen.back(), std::make_pair(ToolkitCall::SetTextString, kid::NotationDisplay));
}

TEST(StartProgram, SecondStartDoesNothing) {
    HeadlessSession s;
    s.toolkit.ClearCalls();
    s.keyboard.ClearCalls();
    EXPECT_FALSE(StartProgram(s.program));
    EXPECT_TRUE(s.toolkit.Calls().empty());
    EXPECT_TRUE(s.keyboard.Calls().empty());
}

struct DiagnosticCase {
    std::vector<std::string> forgotten;
    size_t linesPerWindow;
};

TEST(StartProgram, UnknownWindowMessagesPrintTheDiagnosticPerWindow) {
    const std::vector<DiagnosticCase> cases{
        {{}, 0},
        {{"Selection"}, 1},
        {{"Redrawn", "CreateWindow"}, 1},
        {{"Callback"}, 1},
        {{"Create", "Callback"}, 2},
        {{"Blowback"}, 0},  // not one the windows use
    };
    for (const DiagnosticCase& c : cases) {
        HeadlessToolkit toolkit;
        RecordingKeyboard keyboard([&toolkit] { return toolkit.NowMs(); });
        SharedState state;
        Program program{state, toolkit, keyboard};
        for (const std::string& name : c.forgotten) toolkit.ForgetMessage(name);
        ASSERT_TRUE(StartProgram(program));
        std::vector<std::string> expected;
        for (const char* window : {"Chords", "Fifths", "Tmap"}) {
            for (size_t i = 0; i < c.linesPerWindow; ++i) {
                expected.push_back(std::string(window) + "() : Initialize : error ::: (undefined message)");
            }
        }
        EXPECT_EQ(toolkit.ConsoleLines(), expected) << (c.forgotten.empty() ? "" : c.forgotten[0]);
        EXPECT_EQ(state.chord.Notation, "C7");  // start-up goes on
    }
}

}  // namespace
}  // namespace hq
