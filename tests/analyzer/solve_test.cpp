#include "analyzer/solve.h"

#include <gtest/gtest.h>

#include <climits>
#include <span>
#include <string>
#include <vector>

#include "solution_matchers.h"

namespace hq {
namespace {

using testing::ExpectedSolution;
using testing::ExpectSolutions;

struct Capture {
    const char* what;
    std::vector<int32_t> pitches;  // in order of first appearance, lowest first
    std::vector<ExpectedSolution> solutions;
    friend void PrintTo(const Capture& c, std::ostream* os) { *os << c.what; }
};

class SolvedCaptures : public ::testing::TestWithParam<Capture> {};

TEST_P(SolvedCaptures, GiveTheirSolutionsInRootOrder) {
    ExpectSolutions(Solve(GetParam().pitches), GetParam().solutions);
}

//                     root cls ext  2nd 4th 6th  5th 9th #11 b13 no3 no5 bass
INSTANTIATE_TEST_SUITE_P(
    Captures, SolvedCaptures,
    ::testing::Values(
        Capture{"C E G",
                {0, 4, 7},
                {{"C", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                 {"Em(#5)/C", {4, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0}},
                 {"G6.sus4(no5)/C", {7, 0, 6, 0, 3, 0, 0, 0, 0, 0, 0, 1, 0}}}},
        Capture{"C Eb Gb Bb",
                {0, 3, 6, 10},
                {{"Cm7(b5)", {0, 1, 7, 0, 0, 0, -1, 0, 0, 0, 0, 0, 0}},
                 {"Ebm6/C", {3, 1, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                 {"Gb(b5).add13/C", {6, 0, 0, 0, 0, 13, -1, 0, 0, 0, 0, 0, 0}},
                 {"Bb.sus2.sus4(#5)/C", {10, 0, 0, 3, 3, 0, 1, 0, 0, 0, 0, 0, 0}}}},
        Capture{"diminished seventh",
                {0, 3, 6, 9},
                {{"C.dim7", {0, 3, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                 {"Eb.dim7/C", {3, 3, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                 {"Gb.dim7/C", {6, 3, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                 {"A.dim7/C", {9, 3, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}}},
        Capture{"C Eb Gb B",
                {0, 3, 6, 11},
                {{"Cm.maj7(b5)", {0, 1, 8, 0, 0, 0, -1, 0, 0, 0, 0, 0, 0}},
                 {"Ebm6(#5)/C", {3, 1, 6, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0}},
                 {"Gb6.sus4(b5)/C", {6, 0, 6, 0, 3, 0, -1, 0, 0, 0, 0, 0, 0}}}},
        Capture{"flat ninth first",
                {0, 4, 7, 10, 1},
                {{"C7(b9)", {0, 0, 7, 0, 0, 0, 0, -1, 0, 0, 0, 0, 0}},
                 {"G.dim7.add11/C", {7, 3, 7, 0, 11, 0, 0, 0, 0, 0, 0, 0, 0}},
                 {"Bb.dim9/C", {10, 3, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                 {"Dbm.maj7(b5).add13/C", {1, 1, 8, 0, 0, 13, -1, 0, 0, 0, 0, 0, 0}}}},
        Capture{"sharp ninth first",
                {0, 4, 7, 10, 3},
                {{"C7(#9)", {0, 0, 7, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0}},
                 {"Gm6(#5).add11/C", {7, 1, 6, 0, 11, 0, 1, 0, 0, 0, 0, 0, 0}},
                 {"Bb6.sus2.sus4(b5)/C", {10, 0, 6, 3, 3, 0, -1, 0, 0, 0, 0, 0, 0}}}},
        Capture{"E G C with E lowest",
                {4, 7, 0},
                {{"Em(#5)", {4, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 4}},
                 {"G6.sus4(no5)/E", {7, 0, 6, 0, 3, 0, 0, 0, 0, 0, 0, 1, 4}},
                 {"C/E", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4}}}},
        Capture{"major third and flat fifth end the naming", {0, 4, 6, 10}, {}},
        Capture{"C F G",
                {0, 5, 7},
                {{"C.sus4", {0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0}},
                 {"F.sus2/C", {5, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                 {"G7.sus4(no5)/C", {7, 0, 7, 0, 3, 0, 0, 0, 0, 0, 0, 1, 0}}}},
        Capture{"C E G A D",
                {0, 4, 7, 9, 2},
                {{"C6.add9", {0, 0, 6, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                 {"Em7(#5).add11/C", {4, 1, 7, 0, 11, 0, 1, 0, 0, 0, 0, 0, 0}},
                 {"G6.sus2.sus4/C", {7, 0, 6, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0}},
                 {"Am7.add11/C", {9, 1, 7, 0, 11, 0, 0, 0, 0, 0, 0, 0, 0}},
                 {"D7.sus2.sus4/C", {2, 0, 7, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0}}}},
        Capture{"seven-note thirteenth",
                {0, 4, 7, 10, 2, 5, 9},
                {{"C13", {0, 0, 13, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                 {"Em11(b9)(b13)(b5)/C", {4, 1, 11, 0, 0, 0, -1, -1, 0, 1, 0, 0, 0}},
                 {"Gm13/C", {7, 1, 13, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                 {"Bb.maj13(#11)/C", {10, 0, 14, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
                 {"Dm11(b13)/C", {2, 1, 11, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}},
                 {"F.maj13/C", {5, 0, 14, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                 {"Am11(b9)(b13)/C", {9, 1, 11, 0, 0, 0, 0, -1, 0, 1, 0, 0, 0}}}},
        Capture{"no third and no fifth, omitted after the additions",
                {0, 10, 9},
                {{"C7.add13(no3)(no5)", {0, 0, 7, 0, 0, 13, 0, 0, 0, 0, 1, 1, 0}},
                 {"Bb.maj7.sus2(no5)/C", {10, 0, 8, 3, 0, 0, 0, 0, 0, 0, 0, 1, 0}}}}));

// Each branch of the third and the fifth, rooted on the lowest note C.
struct Branch {
    std::vector<int32_t> pitches;
    ExpectedSolution first;
};

TEST(ThirdAndFifth, EveryBranchNamesAndCodesItsChord) {
    //                                     root cls ext 2nd 4th 6th 5th 9th #11 b13 no3 no5 bass
    const std::vector<Branch> cases = {
        {{0, 4, 8, 11}, {"C.maj7(#5)", {0, 0, 8, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0}}},
        {{0, 4, 8, 10}, {"C.aug7", {0, 2, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}},
        {{0, 4, 8, 9}, {"C6(#5)", {0, 0, 6, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0}}},
        {{0, 4, 8}, {"C.aug", {0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}},
        {{0, 4, 6}, {"C(b5)", {0, 0, 0, 0, 0, 0, -1, 0, 0, 0, 0, 0, 0}}},
        {{0, 4, 6, 9}, {"C(b5).add13", {0, 0, 0, 0, 0, 13, -1, 0, 0, 0, 0, 0, 0}}},
        {{0, 4, 10}, {"C7(no5)", {0, 0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}}},
        {{0, 4, 11}, {"C.maj7(no5)", {0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}}},
        {{0, 4, 9}, {"C6(no5)", {0, 0, 6, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}}},
        {{0, 4, 7, 2, 5}, {"C.add9.add11", {0, 0, 0, 9, 11, 0, 0, 0, 0, 0, 0, 0, 0}}},
        {{0, 3, 7}, {"Cm", {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}},
        {{0, 3, 7, 10}, {"Cm7", {0, 1, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}},
        {{0, 3, 7, 11}, {"Cm.maj7", {0, 1, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}},
        {{0, 3, 6}, {"C.dim", {0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}},
        {{0, 3, 8}, {"Cm(#5)", {0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0}}},
        {{0, 3, 10}, {"Cm7(no5)", {0, 1, 7, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}}},
        {{0, 2, 5, 7}, {"C.sus2.sus4", {0, 0, 0, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0}}},
        {{0, 2, 7}, {"C.sus2", {0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0}}},
        {{0, 7, 10}, {"C7(no3)", {0, 0, 7, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0}}},
        {{0, 2, 8}, {"C.sus2(#5)", {0, 0, 0, 3, 0, 0, 1, 0, 0, 0, 0, 0, 0}}},
        {{0, 5, 6}, {"C.sus4(b5)", {0, 0, 0, 0, 3, 0, -1, 0, 0, 0, 0, 0, 0}}},
        {{0, 2, 10}, {"C7.sus2(no5)", {0, 0, 7, 3, 0, 0, 0, 0, 0, 0, 0, 1, 0}}},
    };
    for (const Branch& c : cases) {
        const std::vector<Solution> solutions = Solve(c.pitches);
        ASSERT_FALSE(solutions.empty()) << c.first.name;
        ExpectSolutions(std::span(solutions).first(1), {c.first});
    }
}

// NameExtensions over C7 (C E G Bb): each ninth, eleventh and thirteenth
// found, with the text, extension and alterations it gives.
struct ExtensionCase {
    std::vector<int32_t> added;  // pitch classes above C E G Bb
    const char* name;
    int32_t extension, ninthAlteration, sharpEleventh, flatThirteenth;
};

TEST(NameExtensions, FollowTheNinthEleventhThirteenthTable) {
    const std::vector<ExtensionCase> cases = {
        {{1, 6, 8}, "C7(b9)(#11)(b13)", 7, -1, 1, 1}, {{1, 6, 9}, "C13(b9)(#11)", 13, -1, 1, 0},
        {{1, 6}, "C7(b9)(#11)", 7, -1, 1, 0},        {{1, 5, 8}, "C11(b9)(b13)", 11, -1, 0, 1},
        {{1, 5, 9}, "C13(b9)", 13, -1, 0, 0},        {{1, 5}, "C11(b9)", 11, -1, 0, 0},
        {{1}, "C7(b9)", 7, -1, 0, 0},                {{3, 6, 8}, "C7(#9)(#11)(b13)", 7, 1, 1, 1},
        {{3, 6, 9}, "C13(#9)(#11)", 13, 1, 1, 0},    {{3, 6}, "C7(#9)(#11)", 7, 1, 1, 0},
        {{3, 5, 8}, "C11(#9)(b13)", 11, 1, 0, 1},    {{3, 5, 9}, "C13(#9)", 13, 1, 0, 0},
        {{3, 5}, "C11(#9)", 11, 1, 0, 0},            {{3}, "C7(#9)", 7, 1, 0, 0},
        {{2, 6, 8}, "C9(#11)(b13)", 9, 0, 1, 1},     {{2, 6, 9}, "C13(#11)", 13, 0, 1, 0},
        {{2, 6}, "C9(#11)", 9, 0, 1, 0},             {{2, 5, 8}, "C11(b13)", 11, 0, 0, 1},
        {{2, 5, 9}, "C13", 13, 0, 0, 0},             {{2, 5}, "C11", 11, 0, 0, 0},
        {{2}, "C9", 9, 0, 0, 0},                     {{}, "C7", 7, 0, 0, 0},
        // Without a ninth the eleventh and thirteenth are not examined: an
        // eleventh or thirteenth is then an addition.
        {{5}, "C7.add11", 7, 0, 0, 0},               {{9}, "C7.add13", 7, 0, 0, 0},
        // Flat and sharp ninth together: the flat one is the ninth, the
        // sharp one is left over.
        {{1, 3}, "", 0, 0, 0, 0},
        // Over a major seventh every number is one higher.
        {{11, 2, 5, 9}, "C.maj13", 14, 0, 0, 0},
    };
    for (const ExtensionCase& c : cases) {
        std::vector<int32_t> pitches{0, 4, 7};
        // The major-seventh row has no minor seventh.
        if (c.added.empty() || c.added.front() != 11) pitches.push_back(10);
        pitches.insert(pitches.end(), c.added.begin(), c.added.end());
        const std::vector<Solution> solutions = Solve(pitches);
        const bool rooted = !solutions.empty() && solutions.front().RootPitch == 0;
        if (std::string(c.name).empty()) {
            EXPECT_FALSE(rooted) << solutions.front().name;
            continue;
        }
        ASSERT_TRUE(rooted) << c.name;
        const Solution& s = solutions.front();
        EXPECT_EQ(s.name, c.name);
        EXPECT_EQ(s.Extension, c.extension) << c.name;
        EXPECT_EQ(s.NinthAlteration, c.ninthAlteration) << c.name;
        EXPECT_EQ(s.SharpEleventh, c.sharpEleventh) << c.name;
        EXPECT_EQ(s.FlatThirteenth, c.flatThirteenth) << c.name;
    }
}

TEST(Solve, NeedsThreeDistinctPitchClasses) {
    const std::vector<std::vector<int32_t>> cases = {{}, {0}, {0, 4}, {0, 0, 4, 4, 12, 16}};
    for (const std::vector<int32_t>& pitches : cases) EXPECT_TRUE(Solve(pitches).empty()) << pitches.size();
}

TEST(Solve, ReducesOutOfRangeValuesAndIgnoresRepeats) {
    const std::vector<Solution> plain = Solve(std::vector<int32_t>{0, 4, 7});
    const std::vector<std::vector<int32_t>> cases = {
        {12, 16, 19}, {0, 4, 0, 7, 4}, {-12, -8, -5}, {INT32_MIN + 8, 4, 7 + 12 * 1000}};
    for (const std::vector<int32_t>& pitches : cases) EXPECT_EQ(Solve(pitches), plain) << pitches[0];
}

}  // namespace
}  // namespace hq
