#include "analyzer/naming.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "headless/session.h"
#include "platform/controls.h"
#include "theory/composition.h"

namespace hq {
namespace {

// C=0 Db=1 D=2 Eb=3 E=4 F=5 Gb=6 G=7 Ab=8 A=9 Bb=10 B=11; the first note is the lowest.
using Pitches = std::vector<int32_t>;

uint32_t MaskOf(const Pitches& pitches) {
    uint32_t mask = 0;
    for (int32_t p : pitches) mask |= 1u << p;
    return mask;
}

uint32_t SoundingMask(const Composition& c) {
    uint32_t mask = 0;
    for (int32_t i = 0; i < kIntervalMarkCount; ++i) {
        if (c.chord.IntervalMarks[static_cast<size_t>(i)] != mark::None) mask |= 1u << ((c.chord.RootPitch + i) % 12);
    }
    return mask;
}

TEST(RankedNaming, EverydayChordsInEveryInversionComeFirstUnderTheirUsualName) {
    struct Case {
        Pitches notes;
        const char* first;
    };
    const std::vector<Case> cases = {
        {{0, 4, 7}, "C"},           {{4, 7, 0}, "C/E"},           {{7, 0, 4}, "C/G"},
        {{0, 3, 7}, "Cm"},          {{3, 7, 0}, "Cm/Eb"},         {{9, 1, 4}, "A"},
        {{0, 3, 6}, "C.dim"},       {{3, 6, 0}, "C.dim/Eb"},      {{0, 4, 8}, "C.aug"},
        {{0, 2, 7}, "C.sus2"},      {{0, 5, 7}, "C.sus4"},        {{0, 5, 7, 10}, "C7.sus4"},
        {{0, 4, 7, 10}, "C7"},      {{4, 0, 7, 10}, "C7/E"},      {{7, 0, 4, 10}, "C7/G"},
        {{10, 0, 4, 7}, "C7/Bb"},   {{6, 10, 1, 4}, "Gb7"},       {{10, 6, 1, 4}, "Gb7/Bb"},
        {{0, 4, 7, 11}, "C.maj7"},  {{11, 0, 4, 7}, "C.maj7/B"},  {{9, 0, 4, 7}, "Am7"},
        {{0, 4, 7, 9}, "C6"},       {{2, 5, 9, 0}, "Dm7"},        {{0, 3, 7, 11}, "Cm.maj7"},
        {{0, 3, 6, 10}, "Cm7(b5)"}, {{0, 3, 6, 9}, "C.dim7"},     {{0, 2, 4, 7}, "C.add9"},
        {{0, 4, 7, 10, 2}, "C9"},   {{0, 4, 7, 9, 2}, "C6.add9"}, {{0, 4, 7, 10, 2, 9}, "C9.add13"},
        {{7, 11, 2, 5, 8}, "G7(b9)"}, {{7, 11, 5, 8}, "G7(b9)(no5)"}, {{0, 4, 7, 10, 3}, "C7(#9)"},
        {{0, 4, 6, 10}, "C7(b5)"},  {{0, 4, 7, 10, 6}, "C7(#11)"}, {{0, 4, 7, 11, 6}, "C.maj7(#11)"},
    };
    for (const Case& c : cases) {
        const std::vector<NamedChord> names = NameCapture(c.notes);
        ASSERT_FALSE(names.empty()) << c.first;
        EXPECT_EQ(names.front().name, c.first);
        EXPECT_TRUE(names.front().exact) << c.first;
        EXPECT_EQ(BestNames(c.notes, 1).front().name, c.first);
    }
}

// Every exact name composes to the captured notes with the lowest one as its
// bass; the fixed list's captures all have names; names are not repeated.
TEST(RankedNaming, ExactNamesSoundExactlyTheCaptureOverTheWholeDomain) {
    size_t checked = 0;
    for (uint32_t mask = 1; mask < 4096; ++mask) {
        Pitches pitches;
        for (int32_t p = 0; p < 12; ++p) {
            if ((mask >> p & 1u) != 0) pitches.push_back(p);
        }
        for (size_t lowest = 0; lowest < pitches.size(); ++lowest) {
            Pitches capture = pitches;
            std::swap(capture[0], capture[lowest]);
            const std::vector<NamedChord> names = NameCapture(capture);
            if (pitches.size() >= 3 && !Solve(capture).empty()) {
                EXPECT_FALSE(names.empty()) << mask;
            }
            std::set<std::string> seen;
            for (size_t i = 0; i < names.size(); ++i) {
                EXPECT_TRUE(seen.insert(names[i].name).second) << names[i].name;
                if (!names[i].exact || (i > 2 && (mask + lowest) % 7 != 0)) continue;
                const Composition c = Compose(names[i].definition);
                ASSERT_EQ(SoundingMask(c), mask) << names[i].name;
                EXPECT_EQ(c.chord.Notation, names[i].name);
                EXPECT_EQ(c.definition, names[i].definition) << names[i].name;
                const int32_t bass = c.definition.BassSelected != 0 ? c.chord.BassPitch : c.chord.RootPitch;
                EXPECT_EQ(bass, capture[0]) << names[i].name;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 24576u);
}

// Whatever the panels build by clicking, its notes get an exact name.
TEST(RankedNaming, ChordsBuiltByClickingThePanelsHaveAnExactName) {
    std::mt19937 random(15);
    std::vector<int32_t> kids;
    for (int32_t k = 1; k <= 57; ++k) {
        if (IsStepSelectionKid(k)) kids.push_back(k);
    }
    for (int run = 0; run < 400; ++run) {
        ChordDefinition d = Compose(ChordDefinition{.RootLetter = "C", .Extension = 7}).definition;
        for (int click = 0; click < 8; ++click) {
            ApplyStepSelection(d, kids[random() % kids.size()], random() % 3 == 0 ? 0 : -1);
            d = Compose(d).definition;
        }
        const Composition c = Compose(d);
        Pitches capture{d.BassSelected != 0 ? c.chord.BassPitch : c.chord.RootPitch};
        for (int32_t p = 0; p < 12; ++p) {
            if ((SoundingMask(c) >> p & 1u) != 0) capture.push_back(p);
        }
        if (MaskOf(capture) != SoundingMask(c) || capture.size() < 4) continue;
        const std::vector<NamedChord> names = NameCapture(capture);
        ASSERT_FALSE(names.empty()) << c.chord.Notation;
        EXPECT_TRUE(names.front().exact) << c.chord.Notation;
    }
}

// Only without an exact name: the fixed solutions, with what "Use" drops.
TEST(RankedNaming, NotExactNamesListWhatUseThisSolutionLeavesOut) {
    struct Case {
        Pitches notes;
        const char* first;
        Pitches leftOut;
    };
    const std::vector<Case> cases = {
        {{0, 1, 2, 3, 4}, "Dbm.maj7(b9).add9(no5)/C", {2}},
        {{0, 2, 3, 4, 5}, "Dm7(b9).add9(no5)/C", {3}},
        {{0, 1, 2, 3, 4, 7}, "Dbm.maj7(b9)(b5).add9/C", {2}},
    };
    for (const Case& c : cases) {
        const std::vector<NamedChord> names = NameCapture(c.notes);
        ASSERT_FALSE(names.empty()) << c.first;
        EXPECT_EQ(names.front().name, c.first);
        EXPECT_FALSE(names.front().exact);
        EXPECT_EQ(names.front().leftOut, c.leftOut) << c.first;
        EXPECT_TRUE(BestNames(c.notes, 4).empty()) << c.first;
        // The panels after "Use this solution" sound the capture without the left-out notes.
        HeadlessSession session;
        for (int32_t p : c.notes) session.keyboard.Hold(p, 4);
        session.Select(kid::CaptureSolve, 0);
        const auto& lines = session.state.analyzer.SolutionTexts;
        const auto line = std::find(lines.begin(), lines.end(), c.first) - lines.begin();
        session.Select(kid::SolutionsList, static_cast<int32_t>(line));
        session.Select(kid::UseSolution, 0);
        EXPECT_EQ(session.state.definition, names.front().definition) << c.first;
        EXPECT_EQ(SoundingMask(Compose(session.state.definition)) & MaskOf(c.notes), MaskOf(c.notes) & ~MaskOf(c.leftOut));
    }
}

TEST(RankedNaming, RolesSpellEachNoteByItsIntervalFromTheRoot) {
    struct Case {
        Pitches notes;
        const char* roles;  // role=spelled, in the order of the marks
        const char* explanation;
    };
    const std::vector<Case> cases = {
        {{4, 7, 0}, "1=C 3=E 5=G", "C major, first inversion"},
        {{7, 11, 5, 8}, "1=G 3=B b7=F b9=Ab", "G dominant seventh with flat ninth, no fifth"},
        {{0, 3, 6, 9}, "1=C b3=Eb b5=Gb bb7=Bbb", "C diminished seventh"},
        {{0, 3, 6, 10}, "1=C b3=Eb b5=Gb b7=Bb", "C half-diminished seventh"},
        {{0, 4, 7, 11, 6}, "1=C 3=E 5=G 7=B #11=F#", "C major seventh with sharp eleventh"},
        {{6, 10, 1, 4}, "1=Gb 3=Bb 5=Db b7=Fb", "Gb dominant seventh"},
        {{1, 0, 4, 7}, "1=C bass=Db 3=E 5=G", "C major, over Db, not a chord tone"},
        {{0, 2, 4, 7}, "1=C 3=E 5=G 9=D", "C major with added ninth"},
        {{10, 0, 4, 7}, "1=C 3=E 5=G b7=Bb", "C dominant seventh, third inversion"},
    };
    for (const Case& c : cases) {
        const NamedChord first = NameCapture(c.notes).front();
        std::string roles;
        for (const NoteRole& r : RolesOf(first)) roles += (roles.empty() ? "" : " ") + r.role + "=" + r.spelled;
        EXPECT_EQ(roles, c.roles) << first.name;
        EXPECT_EQ(ExplanationOf(first), c.explanation) << first.name;
    }
    EXPECT_EQ(SpellInterval("B", 2, "#9"), "C##");
    EXPECT_EQ(SpellInterval("Db", 4, "b3"), "Fb");
    EXPECT_EQ(SpellInterval("C", 6, "bass"), "");
}

TEST(SolutionsListHints, GiveRolesAndWhatUseLeavesOutAndWhy) {
    struct Case {
        Pitches notes;
        size_t line;
        const char* hint;
    };
    const std::vector<Case> cases = {
        {{4, 7, 0}, 2, "C (1), E (3), G (5)"},
        {{4, 7, 0}, 0, "E (1), G (b3), B# (#5)"},
        {{0, 4, 7, 10, 1, 2}, 0,
         "C (1), E (3), G (5), Bb (b7), Db (b9), D (9)\n\"Use this solution\" leaves out Db\n"
         "the panels cannot combine b9 with add9"},
    };
    for (const Case& c : cases) {
        const std::vector<Solution> solutions = Solve(c.notes);
        ASSERT_LT(c.line, solutions.size());
        EXPECT_EQ(SolutionHint(solutions[c.line], c.notes), c.hint) << solutions[c.line].name;
    }
    // The list shows them as hints of its lines.
    HeadlessSession session;
    for (int32_t p : {4, 7, 0}) session.keyboard.Hold(p, 4);
    session.Select(kid::CaptureSolve, 0);
    const HeadlessToolkit::Control* list = session.toolkit.ControlOf(session.Grid(), kid::SolutionsList);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->lineHints.size(), 3u);
    EXPECT_EQ(list->lineHints[0], "C (1), E (3), G (5)");  // C E G held in one octave: C is lowest
}

}  // namespace
}  // namespace hq
