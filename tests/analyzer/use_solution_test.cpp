#include "analyzer/use_solution.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "headless/session.h"
#include "platform/controls.h"
#include "theory/composition.h"

namespace hq {
namespace {

using Key = std::pair<int32_t, int32_t>;  // pitch class, octave
using CallKind = HeadlessToolkit::CallKind;

void Capture(HeadlessSession& session, const std::vector<Key>& keys) {
    session.keyboard.ReleaseAll();
    for (const auto& [pitchClass, octave] : keys) session.keyboard.Hold(pitchClass, octave);
    session.Select(kid::CaptureSolve, 0);
}

void UseLine(HeadlessSession& session, int32_t line) {
    session.Select(kid::SolutionsList, line);
    session.Select(kid::UseSolution, 0);
}

bool Checked(const HeadlessSession& session, int32_t kidNumber) {
    return session.toolkit.IsChecked(session.Grid(), kidNumber);
}

/// The Step-panel radio buttons and boxes checked, in KidNumber order.
std::vector<int32_t> CheckedStepControls(const HeadlessSession& session) {
    std::vector<int32_t> checked;
    for (int32_t k = kid::RC; k <= kid::Ano5; ++k) {
        if (Checked(session, k)) checked.push_back(k);
    }
    return checked;
}

const std::vector<Key> kCEG = {{0, 4}, {4, 4}, {7, 4}};
const std::vector<Key> kHalfDiminished = {{0, 4}, {3, 4}, {6, 4}, {10, 4}};

struct UseCase {
    const char* what;
    std::vector<Key> keys;
    int32_t line;
    const char* notation;
    ChordDefinition definition;  // as the use leaves it
    std::vector<int32_t> checked;
    std::vector<std::string> alerts;
};

TEST(UseSolution, TakesTheChosenLineOverIntoTheStepPanels) {
    const std::vector<UseCase> cases = {
        {"second line of C E G",
         kCEG,
         1,
         "Em(#5)/C",
         {.BassSelected = 1, .RootLetterPitch = 4, .RootLetter = "E", .ChordClass = 1, .BassLetter = "/C",
          .FifthAlteration = 1},
         {kid::RE, kid::Minor, kid::As5, kid::BC},
         {}},
        {"bass equal to the root clears the bass",
         kCEG,
         0,
         "C",
         {.RootLetter = "C"},
         {kid::RC, kid::Major},
         {}},
        {"root on pitch class 6 is G flat",
         kHalfDiminished,
         2,
         "Gb.add13(b5)/C",
         {.BassSelected = 1, .RootLetterPitch = 7, .RootLetter = "G", .RootFlat = 1, .SixthAdd = 13,
          .BassLetter = "/C", .FifthAlteration = -1},
         {kid::RG, kid::Rb, kid::Major, kid::add13, kid::Ab5, kid::BC},
         {}},
        {"root flat, minor sixth",
         kHalfDiminished,
         1,
         "Ebm6/C",
         {.BassSelected = 1, .RootLetterPitch = 4, .RootLetter = "E", .RootFlat = 1, .ChordClass = 1,
          .Extension = 6, .BassLetter = "/C"},
         {kid::RE, kid::Rb, kid::Minor, kid::E6, kid::BC},
         {}},
        {"bass on a black key is a flat",
         {{3, 2}, {0, 4}, {7, 4}},
         1,
         "Cm/Eb",
         {.BassSelected = 1, .RootLetter = "C", .ChordClass = 1, .BassLetterPitch = 4, .BassLetter = "/E",
          .BassFlat = 1},
         {kid::RC, kid::Minor, kid::BE, kid::Bb},
         {}},
        {"a solution the rules cut down leaves a foreign bass",
         {{0, 4}, {1, 4}, {9, 4}, {11, 4}},
         1,
         "B7.sus2(no5)/C",
         {.BassSelected = 1, .RootLetterPitch = 11, .RootLetter = "B", .Extension = 7, .SecondAdd = 3,
          .BassLetter = "/C", .NoFifth = 1},
         {kid::RB, kid::Major, kid::E7, kid::sus2, kid::Ano5, kid::BC},
         {std::string(kBassAnomalyAlert)}},
    };
    for (const UseCase& c : cases) {
        HeadlessSession session;
        Capture(session, c.keys);
        UseLine(session, c.line);
        EXPECT_EQ(session.state.chord.Notation, c.notation) << c.what;
        EXPECT_EQ(session.state.definition, c.definition) << c.what;
        EXPECT_EQ(session.toolkit.Alerts(), c.alerts) << c.what;
        std::vector<int32_t> want = c.checked;
        std::sort(want.begin(), want.end());
        EXPECT_EQ(CheckedStepControls(session), want) << c.what;
    }
}

TEST(UseSolution, EntersEveryPitchClassWithItsLetterAndFlat) {
    constexpr std::array<int32_t, 12> rootKids{kid::RC, kid::RD, kid::RD, kid::RE, kid::RE, kid::RF,
                                               kid::RG, kid::RG, kid::RA, kid::RA, kid::RB, kid::RB};
    constexpr std::array<int32_t, 12> bassKids{kid::BC, kid::BD, kid::BD, kid::BE, kid::BE, kid::BF,
                                               kid::BG, kid::BG, kid::BA, kid::BA, kid::BB, kid::BB};
    const std::array<std::string, 12> names{"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};
    for (int32_t root = 0; root < 12; ++root) {
        const int32_t bass = (root + 4) % 12;  // the major third
        HeadlessSession session;
        Solution s;
        s.RootPitch = root;
        s.BassPitch = bass;
        session.state.analyzer.Solutions = {s};
        session.state.analyzer.SolutionCount = 1;
        session.Select(kid::UseSolution, 0);
        const auto r = static_cast<size_t>(root);
        const auto b = static_cast<size_t>(bass);
        EXPECT_TRUE(Checked(session, rootKids[r])) << root;
        EXPECT_TRUE(Checked(session, bassKids[b])) << root;
        EXPECT_EQ(Checked(session, kid::Rb), names[r].size() == 2) << root;
        EXPECT_EQ(Checked(session, kid::Bb), names[b].size() == 2) << root;
        EXPECT_FALSE(Checked(session, kid::Rs) || Checked(session, kid::Bs)) << root;
        EXPECT_EQ(session.state.chord.Notation, names[r] + "/" + names[b]) << root;
        EXPECT_EQ(session.state.chord.RootPitch, root);
        EXPECT_EQ(session.state.chord.BassPitch, bass);
        EXPECT_TRUE(session.toolkit.Alerts().empty()) << root;
    }
}

TEST(UseSolution, ComposesAfterRootAndClassAfterTheExtensionAndAfterTheRest) {
    HeadlessSession session;
    Capture(session, kCEG);
    session.Select(kid::SolutionsList, 1);  // Em(#5)/C
    session.toolkit.ClearCalls();
    session.Select(kid::UseSolution, 0);

    std::vector<std::string> steps;
    const std::vector<HeadlessToolkit::Call>& calls = session.toolkit.Calls();
    for (size_t i = 0; i < calls.size(); ++i) {
        const HeadlessToolkit::Call& c = calls[i];
        const bool afterComposition = i > 0 && calls[i - 1].kind == CallKind::Redraw && calls[i - 1].kid == 0;
        if (c.kind == CallKind::SetTextString && c.kid == kid::NotationDisplay) steps.push_back(c.text);
        if (c.kind != CallKind::SetValue || c.b != 0) continue;
        const bool radio = (c.kid >= kid::RC && c.kid <= kid::RB) || (c.kid >= kid::Major && c.kid <= kid::Diminished);
        const bool bassSet = afterComposition && c.kid >= kid::BC && c.kid <= kid::BB;
        if ((radio || bassSet) && c.a == -1) steps.push_back(std::string(ControlAt(c.kid)->name));
    }
    // The first composition still has the extension of the chord before.
    EXPECT_EQ(steps, (std::vector<std::string>{"RE", "Minor", "Em7", "Em", "BC", "Em(#5)/C"}));
}

TEST(UseSolution, WithoutASolutionOnlyAlerts) {
    const std::vector<std::pair<const char*, std::vector<Key>>> cases = {
        {"no capture since start-up", {}},
        {"a capture without solution", {{0, 4}, {4, 4}, {6, 4}, {10, 4}}},
        {"a capture of two notes", {{0, 4}, {4, 4}}},
    };
    for (const auto& [what, keys] : cases) {
        HeadlessSession session;
        if (!keys.empty()) Capture(session, keys);
        const size_t alertsBefore = session.toolkit.Alerts().size();
        const ChordDefinition before = session.state.definition;
        session.toolkit.ClearCalls();
        UseLine(session, 0);
        ASSERT_EQ(session.toolkit.Alerts().size(), alertsBefore + 1) << what;
        EXPECT_EQ(session.toolkit.Alerts().back(), "There is no solution to use") << what;
        EXPECT_EQ(session.state.definition, before) << what;
        EXPECT_EQ(session.toolkit.Calls().size(), 1u) << what;  // the alert, nothing else
    }
}

TEST(SolutionsList, IgnoresLinesOutsideTheSolutions) {
    HeadlessSession session;
    Capture(session, kCEG);
    session.Select(kid::SolutionsList, 2);
    for (int32_t line : {-1, 3, 1000, INT32_MIN, INT32_MAX}) {
        session.Select(kid::SolutionsList, line);
        EXPECT_EQ(session.state.analyzer.SelectedSolution, 2) << line;
    }
    session.Select(kid::UseSolution, 0);
    EXPECT_EQ(session.state.chord.Notation, "G6.sus4(no5)/C");
}

TEST(SolutionsList, ANewCaptureReturnsTheChoiceToTheFirstLine) {
    HeadlessSession session;
    Capture(session, kCEG);
    session.Select(kid::SolutionsList, 1);
    Capture(session, kCEG);
    EXPECT_EQ(session.state.analyzer.SelectedSolution, 0);
    session.Select(kid::UseSolution, 0);
    EXPECT_EQ(session.state.chord.Notation, "C");
}

TEST(UseSolution, NeverReadsOutsideTheSolutionRows) {
    struct Damage {
        const char* what;
        int32_t solutionCount;
        int32_t selected;
        bool used;
    };
    const std::vector<Damage> cases = {
        {"choice past the rows", 3, 7, false},
        {"negative choice", 3, -1, false},
        {"count larger than the rows", 10, 5, false},
        {"count smaller than the rows", 1, 2, false},
        {"in range", 3, 2, true},
    };
    for (const Damage& d : cases) {
        HeadlessSession session;
        Capture(session, kCEG);
        session.state.analyzer.SolutionCount = d.solutionCount;
        session.state.analyzer.SelectedSolution = d.selected;
        session.Select(kid::UseSolution, 0);
        EXPECT_EQ(session.toolkit.Alerts().empty(), d.used) << d.what;
    }
    // Pitches out of their range are reduced before they index a table.
    HeadlessSession session;
    Solution s;
    s.RootPitch = 13;
    s.BassPitch = -8;
    s.ChordClass = 9;
    session.state.analyzer.Solutions = {s};
    session.state.analyzer.SolutionCount = 1;
    session.Select(kid::UseSolution, 0);
    EXPECT_EQ(session.state.chord.RootName, "Db");
    EXPECT_EQ(session.state.definition.BassLetter, "/E");
}

struct TakeCase {
    const char* what;
    std::vector<int32_t> clickedBefore;  // radio buttons and boxes checked by the user first
    ChordDefinition wanted;
    const char* notation;
    std::vector<int32_t> checked;
    size_t alerts;
};

TEST(TakeDefinition, SetsTheRadioButtonsAndComposesOnce) {
    const std::vector<TakeCase> cases = {
        {"sharp root and sharp bass",
         {},
         {.BassSelected = 1, .RootLetterPitch = 5, .RootLetter = "F", .RootSharp = 1, .ChordClass = 1,
          .Extension = 7, .BassLetter = "/C", .BassSharp = 1},
         "F#m7/C#",
         {kid::RF, kid::Rs, kid::Minor, kid::E7, kid::BC, kid::Bs},
         0},
        {"the previous root, class and bass give way",
         {kid::RD, kid::Diminished, kid::BA},
         {.RootLetter = "C", .Extension = 8},
         "C.maj7",
         {kid::RC, kid::Major, kid::Emaj7},
         0},
        {"a bass equal to the root stays checked and adds nothing",
         {},
         {.BassSelected = 1, .RootLetterPitch = 11, .RootLetter = "B", .RootSharp = 1, .BassLetter = "/C"},
         "B#",
         {kid::RB, kid::Rs, kid::Major, kid::BC},
         0},
        {"a foreign bass alerts once",
         {},
         {.BassSelected = 1, .RootLetter = "C", .BassLetterPitch = 2, .BassLetter = "/D"},
         "C/D",
         {kid::RC, kid::Major, kid::BD},
         1},
        {"the rules still clear what the class excludes",
         {},
         {.RootLetterPitch = 2, .RootLetter = "D", .ChordClass = 3, .Extension = 13, .SixthAdd = 6},
         "D.dim",
         {kid::RD, kid::Diminished},
         0},
    };
    for (const TakeCase& c : cases) {
        HeadlessSession session;
        for (int32_t k : c.clickedBefore) session.Select(k, -1);
        const size_t alertsBefore = session.toolkit.Alerts().size();
        session.toolkit.ClearCalls();
        TakeDefinition(c.wanted, session.state.definition, session.state.chord, session.toolkit, session.Grid());
        EXPECT_EQ(session.state.chord.Notation, c.notation) << c.what;
        EXPECT_EQ(session.toolkit.Alerts().size() - alertsBefore, c.alerts) << c.what;
        const std::vector<HeadlessToolkit::Call>& calls = session.toolkit.Calls();
        EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const auto& call) { return call.kind == CallKind::Redraw; }), 1)
            << c.what;
        std::vector<int32_t> want = c.checked;
        std::sort(want.begin(), want.end());
        EXPECT_EQ(CheckedStepControls(session), want) << c.what;
    }
}

}  // namespace
}  // namespace hq
