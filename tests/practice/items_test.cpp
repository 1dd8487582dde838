#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "practice/items.h"
#include "support/cli_run.h"
#include "theory/composition.h"
#include "theory/pitch.h"
#include "theory/symbol.h"

namespace hq::practice {
namespace {

constexpr std::string_view kRootNames[12] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};

// The model: the chord the symbol reader composes for "<root><suffix>".
std::string SymbolSuffix(std::string_view type) {
    if (type == "major") return "";
    if (type == "minor") return "m";
    if (type == "diminished") return "dim";
    if (type == "augmented") return "aug";
    return std::string(type);
}

std::set<int32_t> SymbolPitchClasses(const std::string& symbol) {
    static std::map<std::string, std::set<int32_t>> read;
    if (const auto found = read.find(symbol); found != read.end()) return found->second;
    const SymbolReading reading = ReadChordSymbol(symbol);
    EXPECT_TRUE(reading.definition.has_value()) << symbol;
    std::set<int32_t> pcs;
    if (!reading.definition) return pcs;
    const ComposedChord chord = Compose(*reading.definition).chord;
    for (int32_t i = 0; i < kIntervalMarkCount; ++i) {
        if (chord.IntervalMarks[static_cast<size_t>(i)] != mark::None) pcs.insert(Mod12(chord.RootPitch + i));
    }
    return read[symbol] = pcs;
}

struct LevelCase {
    Level level;
    size_t kinds;  // types times the positions asked
};

TEST(PracticeItems, EveryItemSoundsItsStatedChordAndASweepCoversTheLevel) {
    constexpr LevelCase kCases[] = {
        {Level::Triads, 4},   {Level::TriadsInversions, 3 * 3 + 1}, {Level::Sevenths, 7},
        {Level::SeventhsInversions, 6 * 4 + 1}, {Level::Colours, 13},
    };
    for (const LevelCase& c : kCases) {
        std::set<std::string> kinds;
        std::set<int32_t> roots;
        for (const uint64_t seed : {1ULL, 99ULL, 123456789ULL}) {
            for (const PracticeItem& item : GenerateItems(c.level, 1000, seed)) {
                SCOPED_TRACE(std::string(LevelName(c.level)) + " " + ExpectedAnswer(item) + " on " + std::string(kRootNames[item.root]));
                ASSERT_FALSE(item.notes.empty());
                EXPECT_GE(item.notes.front(), 48);
                EXPECT_LE(item.notes.back(), 84);
                for (size_t i = 1; i < item.notes.size(); ++i) {
                    EXPECT_GT(item.notes[i], item.notes[i - 1]);
                    EXPECT_LT(item.notes[i] - item.notes[i - 1], 12);  // close: no tone skipped an octave
                }
                const std::set<int32_t> expected = SymbolPitchClasses(std::string(kRootNames[item.root]) + SymbolSuffix(item.type));
                std::set<int32_t> sounding;
                for (const int32_t note : item.notes) sounding.insert(Mod12(note));
                EXPECT_EQ(sounding, expected);
                EXPECT_EQ(sounding.size(), item.notes.size());
                // Inversion k puts the k-th chord tone above the root (in thirds) in the bass.
                std::vector<int32_t> above;
                for (const int32_t pc : expected) above.push_back(Mod12(pc - item.root));
                std::sort(above.begin(), above.end());
                EXPECT_EQ(Mod12(item.notes.front() - item.root), above[static_cast<size_t>(item.inversion)]);
                if (!AsksInversions(c.level) || item.type == "augmented" || item.type == "dim7") {
                    EXPECT_EQ(item.inversion, 0);
                }
                kinds.insert(ExpectedAnswer(item));
                roots.insert(item.root);
            }
        }
        EXPECT_EQ(kinds.size(), c.kinds) << LevelName(c.level);
        const std::vector<std::string> listed = LevelKinds(c.level);
        EXPECT_EQ(kinds, std::set<std::string>(listed.begin(), listed.end()));
        EXPECT_EQ(roots.size(), 12u);
    }
}

// Scale degrees of the key, the dominant of minor raised: an independent model.
TEST(PracticeItems, ProgressionChordsAreTheTriadsOfTheirNumeralsInTheKey) {
    constexpr int32_t kMajor[7] = {0, 2, 4, 5, 7, 9, 11}, kMinor[7] = {0, 2, 3, 5, 7, 8, 10};
    constexpr std::string_view kDegrees[7] = {"i", "ii", "iii", "iv", "v", "vi", "vii"};
    std::set<std::string> answers;
    std::set<int32_t> tonics;
    for (const PracticeItem& item : GenerateItems(Level::Progressions, 3000, 5)) {
        SCOPED_TRACE(item.type);
        std::string joined;
        ASSERT_GE(item.chords.size(), 3u);
        ASSERT_LE(item.chords.size(), 4u);
        for (const ProgressionChord& chord : item.chords) {
            joined += (joined.empty() ? "" : "-") + chord.roman;
            std::string letters = chord.roman.substr(0, chord.roman.find("°"));
            const bool upper = letters[0] == 'I' || letters[0] == 'V';
            for (char& ch : letters) ch = static_cast<char>(std::tolower(ch));
            const auto degree = static_cast<size_t>(std::find(kDegrees, kDegrees + 7, letters) - kDegrees);
            ASSERT_LT(degree, 7u);
            int32_t root = item.root + (item.minorKey ? kMinor[degree] : kMajor[degree]);
            if (item.minorKey && degree == 4) root = item.root + 7;
            const int32_t third = upper ? 4 : 3, fifth = chord.roman.ends_with("°") ? 6 : 7;
            ASSERT_EQ(chord.notes.size(), 3u);
            EXPECT_GE(chord.notes.front(), 48);
            EXPECT_LE(chord.notes.back(), 84);
            EXPECT_EQ(Mod12(chord.notes[0] - root), 0);
            EXPECT_EQ(chord.notes[1] - chord.notes[0], third);
            EXPECT_EQ(chord.notes[2] - chord.notes[0], fifth);
        }
        EXPECT_EQ(joined, ExpectedAnswer(item));
        const std::vector<int32_t> reference = ReferenceNotes(item);  // the key's tonic triad
        ASSERT_EQ(reference.size(), 3u);
        EXPECT_EQ(Mod12(reference[0] - item.root), 0);
        EXPECT_EQ(reference[1] - reference[0], item.minorKey ? 3 : 4);
        EXPECT_EQ(reference[2] - reference[0], 7);
        answers.insert(item.type);
        tonics.insert(item.root);
    }
    EXPECT_EQ(answers.size(), LevelKinds(Level::Progressions).size());
    EXPECT_EQ(tonics.size(), 12u);
}

TEST(PracticeItems, CliPrintsTheSameItemsForTheSameSeed) {
    struct Case {
        std::vector<std::string> args;
        int status;
        size_t items;
    };
    const Case kCases[] = {
        {{"practice-items", "--level", "sevenths-inversions", "--count", "40", "--seed", "7"}, 0, 40},
        {{"practice-items", "--level=progressions", "--count=3", "--seed=18446744073709551615"}, 0, 3},
        {{"practice-items", "--level", "colours"}, 0, 1},
        {{"practice-items", "--level", "nines"}, 2, 0},
        {{"practice-items", "--count", "3"}, 2, 0},
        {{"practice-items", "--level", "triads", "--count", "-1"}, 2, 0},
        {{"practice-items", "--level", "triads", "--seed", "x"}, 2, 0},
        {{"practice-items", "--level", "triads", "--level", "triads"}, 2, 0},
        {{"practice-items", "--level", "triads", "--colour", "red"}, 2, 0},
    };
    for (const Case& c : kCases) {
        const testing::CliRun first = testing::Cli(c.args), second = testing::Cli(c.args);
        EXPECT_EQ(first.status, c.status) << c.args[1];
        EXPECT_EQ(first.out, second.out);
        EXPECT_EQ(testing::Count(first.out, "\"level\": "), c.items);
        EXPECT_EQ(first.err.empty(), c.status == 0) << first.err;
    }
    const std::string one = testing::Cli({"practice-items", "--level", "triads", "--count", "30", "--seed", "1"}).out;
    EXPECT_NE(one, testing::Cli({"practice-items", "--level", "triads", "--count", "30", "--seed", "2"}).out);
}

}  // namespace
}  // namespace hq::practice
