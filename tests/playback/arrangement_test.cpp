#include "playback/arrangement.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "theory/composition.h"

namespace hq {
namespace {

// Notes as the keyboard names them: "Bb4" is pitch class 10 at octave 4.
std::vector<Placement> Notes(std::initializer_list<const char*> names) {
    static constexpr std::pair<const char*, int32_t> kNames[] = {
        {"C", 0}, {"Db", 1}, {"D", 2}, {"Eb", 3}, {"E", 4}, {"F", 5},
        {"Gb", 6}, {"G", 7}, {"Ab", 8}, {"A", 9}, {"Bb", 10}, {"B", 11},
    };
    std::vector<Placement> out;
    for (std::string name : names) {
        const std::string letter = name.substr(0, name.size() - 1);
        const size_t before = out.size();
        for (const auto& [n, pc] : kNames) {
            if (letter == n) out.push_back({pc, name.back() - '0'});
        }
        if (out.size() == before) ADD_FAILURE() << "not a note name: " << name;
    }
    return out;
}

struct ArrangementCase {
    const char* what;
    ChordDefinition definition;
    PlaySettings settings;
    int32_t randomBase;
    std::vector<Placement> placements;
    friend void PrintTo(const ArrangementCase& c, std::ostream* os) { *os << c.what; }
};

std::vector<Placement> Arrange(const ChordDefinition& definition, const PlaySettings& settings,
                               int32_t randomBase) {
    const ComposedChord chord = Compose(definition).chord;
    return ArrangeChord(BuildPitchList(chord, settings), chord, settings, randomBase);
}

class Arrangements : public ::testing::TestWithParam<ArrangementCase> {};

TEST_P(Arrangements, PlaceTheNotesInOrder) {
    const ArrangementCase& c = GetParam();
    EXPECT_EQ(Arrange(c.definition, c.settings, c.randomBase), c.placements);
}

constexpr ChordDefinition kTriad{.RootLetter = "C"};
constexpr int32_t kOn = 1;
const ChordDefinition kC7{.RootLetter = "C", .Extension = 7};
const ChordDefinition kC9{.RootLetter = "C", .Extension = 9};
const ChordDefinition kCOverE{.BassSelected = 1, .RootLetter = "C", .BassLetterPitch = 4, .BassLetter = "/E"};
const ChordDefinition kDOverC9{
    .BassSelected = 1, .RootLetter = "C", .Extension = 9, .BassLetterPitch = 2, .BassLetter = "/D"};

INSTANTIATE_TEST_SUITE_P(
    Closest, Arrangements,
    ::testing::Values(
        ArrangementCase{"triad", kTriad, {}, 0, Notes({"C4", "E4", "G4"})},
        ArrangementCase{"root repeated", kTriad, {.RepeatRoot = kOn}, 0, Notes({"C4", "E4", "G4", "C5"})},
        ArrangementCase{"fifth repeated", kTriad, {.RepeatFifth = kOn}, 0, Notes({"C4", "E4", "G4", "G5"})},
        ArrangementCase{"bass repeated, no bass chosen", kTriad, {.RepeatBass = kOn}, 0,
                        Notes({"C4", "E4", "G4", "C5"})},
        ArrangementCase{"all three repeats, bass first", kTriad,
                        {.RepeatRoot = kOn, .RepeatBass = kOn, .RepeatFifth = kOn}, 0,
                        Notes({"C4", "E4", "G4", "C5", "C6", "G6"})},
        ArrangementCase{"all octaves up to 7", kTriad, {.RepeatAll = kOn}, 0,
                        Notes({"C2", "E2", "G2", "C3", "E3", "G3", "C4", "E4", "G4", "C5", "E5", "G5", "C6", "E6",
                               "G6", "C7", "E7", "G7"})},
        ArrangementCase{"All suppresses the other repeats", kTriad,
                        {.RepeatRoot = kOn, .RepeatFifth = kOn, .RepeatAll = kOn}, 0,
                        Notes({"C2", "E2", "G2", "C3", "E3", "G3", "C4", "E4", "G4", "C5", "E5", "G5", "C6", "E6",
                               "G6", "C7", "E7", "G7"})},
        ArrangementCase{"ninth", kC9, {}, 0, Notes({"C4", "E4", "G4", "Bb4", "D5"})},
        ArrangementCase{"slash chord", kCOverE, {}, 0, Notes({"E4", "G4", "C5"})},
        ArrangementCase{"slash chord with All stops in the middle of a pass", kCOverE, {.RepeatAll = kOn}, 0,
                        Notes({"E2", "G2", "C3", "E3", "G3", "C4", "E4", "G4", "C5", "E5", "G5", "C6", "E6", "G6",
                               "C7", "E7", "G7"})},
        ArrangementCase{"bass on the ninth", kDOverC9, {}, 0, Notes({"D4", "C5", "E5", "G5", "Bb5"})},
        ArrangementCase{"no fifth to repeat in a flat five",
                        {.RootLetter = "C", .Extension = 7, .FifthAlteration = -1}, {.RepeatFifth = kOn}, 0,
                        Notes({"C4", "E4", "Gb4", "Bb4"})},
        ArrangementCase{"thirteenth with All", {.RootLetter = "C", .Extension = 13}, {.RepeatAll = kOn}, 0,
                        Notes({"C2", "E2", "G2", "Bb2", "D3", "F3", "A3", "C4", "E4", "G4", "Bb4", "D5", "F5", "A5",
                               "C6", "E6", "G6", "Bb6", "D7", "F7", "A7"})}));

INSTANTIATE_TEST_SUITE_P(
    OneOctave, Arrangements,
    ::testing::Values(
        ArrangementCase{"ninth folds into the first octave", kC9, {.Arrangement = arrangement::Octave}, 0,
                        Notes({"C4", "D4", "E4", "G4", "Bb4"})},
        ArrangementCase{"bass on the ninth folds too", kDOverC9, {.Arrangement = arrangement::Octave}, 0,
                        Notes({"D4", "E4", "G4", "Bb4", "C5"})},
        ArrangementCase{"thirteenth folds to one octave",
                        {.RootLetter = "C", .Extension = 13}, {.Arrangement = arrangement::Octave}, 0,
                        Notes({"C4", "D4", "E4", "F4", "G4", "A4", "Bb4"})}));

INSTANTIATE_TEST_SUITE_P(
    Harmonic, Arrangements,
    ::testing::Values(
        ArrangementCase{"seventh", kC7, {.Arrangement = arrangement::Harmonic}, 0,
                        Notes({"C3", "C4", "E5", "G4", "Bb5"})},
        ArrangementCase{"slash chord leaves the bass out", kCOverE, {.Arrangement = arrangement::Harmonic}, 0,
                        Notes({"C3", "C4", "G4", "C3"})},
        ArrangementCase{"a tone below the root goes one octave up",
                        {.RootLetterPitch = 9, .RootLetter = "A", .ChordClass = 1, .Extension = 7},
                        {.Arrangement = arrangement::Harmonic}, 0, Notes({"A3", "A4", "C3", "E5", "G6"})},
        ArrangementCase{"All only suppresses the repeats", kTriad,
                        {.Arrangement = arrangement::Harmonic, .RepeatRoot = kOn, .RepeatAll = kOn}, 0,
                        Notes({"C3", "C4", "E5", "G4"})}));

INSTANTIATE_TEST_SUITE_P(
    Random, Arrangements,
    ::testing::Values(
        ArrangementCase{"RandomBase 1000", kC7, {.Arrangement = arrangement::Random}, 1000,
                        Notes({"C3", "E4", "G5", "Bb3"})},
        ArrangementCase{"RandomBase 1000 with All", kC7, {.Arrangement = arrangement::Random, .RepeatAll = kOn},
                        1000, Notes({"C3", "E4", "E5", "E3", "G5", "G6", "G4", "Bb3", "Bb4", "Bb2"})},
        ArrangementCase{"repeats placed like every other entry", kTriad,
                        {.Arrangement = arrangement::Random, .RepeatRoot = kOn}, 1000,
                        Notes({"C3", "E4", "G5", "C3"})}));

// A damaged record can hold any Arrangement.
INSTANTIATE_TEST_SUITE_P(
    RegressionUnknownArrangement, Arrangements,
    ::testing::Values(ArrangementCase{"4 as Closest, unfolded", kC9, {.Arrangement = 4}, 0,
                                      Notes({"C4", "E4", "G4", "Bb4", "D5"})},
                      ArrangementCase{"-1 as Closest", kTriad, {.Arrangement = -1, .RepeatRoot = kOn}, 0,
                                      Notes({"C4", "E4", "G4", "C5"})},
                      ArrangementCase{"-32768 with All", kTriad, {.Arrangement = -32768, .RepeatAll = kOn}, 0,
                                      Arrange(kTriad, {.RepeatAll = kOn}, 0)}));

TEST(PitchList, RunsUpFromTheBassThenWrapsThenRepeats) {
    const ComposedChord chord = Compose(kDOverC9).chord;
    const PitchList list = BuildPitchList(chord, {.RepeatRoot = kOn, .RepeatBass = kOn, .RepeatFifth = kOn});
    EXPECT_EQ(std::vector<int32_t>(list.pitchClasses.begin(), list.pitchClasses.begin() + list.count),
              (std::vector<int32_t>{2, 0, 4, 7, 10, 2, 0, 7}));
    EXPECT_EQ(list.BassOffset, 14);
    EXPECT_EQ(BuildPitchList(chord, {.Arrangement = arrangement::Octave}).BassOffset, 2);
}

TEST(RandomBase, NanosecondsDividedBySecondsPlusOne) {
    struct Case {
        int32_t second, nanosecond, randomBase;
    };
    for (const Case& c : {Case{0, 1000, 1000}, Case{59, 999'999'999, 16'666'666}, Case{4, 5, 1},
                          // Readings out of range are reduced, never divided by zero.
                          Case{-1, 500, 500}, Case{70, 6000, 100}, Case{3, -5, 0}, Case{0, 2'000'000'000, 999'999'999}}) {
        EXPECT_EQ(RandomBaseOf(c.second, c.nanosecond), c.randomBase) << c.second << " " << c.nanosecond;
    }
}

// Every arrangement of every kind of chord, including the damaged ones a
// sequence file can produce: notes on the keyboard, within the step list.
TEST(ArrangementBounds, StayOnTheKeyboardForAnyChordAndSettings) {
    std::mt19937 random(99);
    std::uniform_int_distribution<int32_t> byte(-128, 127);
    for (int i = 0; i < 3000; ++i) {
        ChordDefinition d{.RootLetter = "C"};
        for (const NumericField& field : kNumericFields) {
            d.*field.member = i % 2 == 0 ? byte(random) : std::abs(byte(random)) % 15;
        }
        const ComposedChord chord = Compose(d).chord;
        for (int32_t bits = 0; bits < 64; ++bits) {
            const PlaySettings s{.Arrangement = (bits & 3) + (i % 7 == 0 ? 4 : 0), .RepeatRoot = bits >> 2 & 1,
                                 .RepeatBass = bits >> 3 & 1, .RepeatFifth = bits >> 4 & 1,
                                 .RepeatAll = bits >> 5 & 1};
            const int32_t randomBase = static_cast<int32_t>(random() % 1'000'000'000);
            const std::vector<Placement> placements = ArrangeChord(BuildPitchList(chord, s), chord, s, randomBase);
            ASSERT_FALSE(placements.empty());
            ASSERT_LE(placements.size(), 132u);
            for (size_t k = 0; k < placements.size(); ++k) {
                const Placement& p = placements[k];
                ASSERT_TRUE(p.pitchClass >= 0 && p.pitchClass <= 11 && p.octave >= 1 && p.octave <= 7)
                    << i << " " << bits << " " << k;
                if (s.Arrangement == arrangement::Closest || s.Arrangement == arrangement::Octave) {
                    if (k > 0) {
                        const Placement& q = placements[k - 1];
                        ASSERT_GT(12 * p.octave + p.pitchClass, 12 * q.octave + q.pitchClass) << i << " " << bits;
                    }
                }
                if (s.Arrangement == arrangement::Random && k == 0) {
                    ASSERT_EQ(p.octave, 3);
                }
            }
        }
    }
}

TEST(ArrangementBounds, DamagedComposedChordIsReducedNotIndexed) {
    ComposedChord chord;
    chord.IntervalMarks.fill(-7);
    chord.IntervalMarks[0] = 1;
    chord.IntervalMarks[9] = 40;
    chord.IntervalMarks[24] = 5;  // beyond the marks an arrangement reads
    chord.RootPitch = 40;         // pitch class 4
    for (int32_t bassIndex : {-9, 0, 9, 21, 22, 500}) {
        chord.BassIndex = bassIndex;
        for (int32_t a = 0; a < 4; ++a) {
            const PlaySettings s{.Arrangement = a, .RepeatBass = 1};
            for (const Placement& p : ArrangeChord(BuildPitchList(chord, s), chord, s, 0)) {
                EXPECT_TRUE(p.pitchClass >= 0 && p.pitchClass <= 11 && p.octave >= 1 && p.octave <= 7);
            }
        }
    }
    EXPECT_TRUE(ArrangeChord(PitchList{}, chord, {}, 0).empty());
}

}  // namespace
}  // namespace hq
