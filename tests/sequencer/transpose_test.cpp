#include <gtest/gtest.h>

#include "sequencer/chart_reader.h"
#include "sequencer/chart_support.h"
#include "sequencer/transpose.h"

namespace hq {
namespace {

using testing::Chord;
using testing::Notation;

TEST(Transpose, EachIntervalMovesTheLetterByItsCount) {
    const char* up[] = {"C7", "Db7", "D7", "Eb7", "E7", "F7", "F#7", "G7", "Ab7", "A7", "Bb7", "B7", "C7"};
    const char* down[] = {"C7", "B7", "Bb7", "A7", "Ab7", "G7", "Gb7", "F7", "E7", "Eb7", "D7", "Db7", "C7"};
    for (int32_t s = 0; s <= 12; ++s) {
        EXPECT_EQ(Notation(TransposeDefinition(Chord("C7"), s, TransposeSpelling::Auto)), up[s]) << s;
        EXPECT_EQ(Notation(TransposeDefinition(Chord("C7"), -s, TransposeSpelling::Auto)), down[s]) << -s;
    }
    // Ctrl+Up, a semitone at a time.
    ChordDefinition d = Chord("C");
    std::string walk = Notation(d);
    for (int i = 0; i < 12; ++i) walk += " " + Notation(d = TransposeDefinition(d, 1, TransposeSpelling::Auto));
    EXPECT_EQ(walk, "C Db D Eb E F Gb G Ab A Bb B C");
}

TEST(Transpose, AwkwardNamesGiveWayAndSlashChordsMoveAlike) {
    const struct {
        const char* from;
        int32_t semitones;
        TransposeSpelling spelling;
        const char* to;
    } cases[] = {
        {"Bb", 2, TransposeSpelling::Auto, "C"},         // not B#
        {"F#m", 2, TransposeSpelling::Auto, "G#m"},
        {"Db", 3, TransposeSpelling::Auto, "E"},         // Fb
        {"B", 6, TransposeSpelling::Auto, "F"},          // E#
        {"Cb", -1, TransposeSpelling::Auto, "Bb"},
        {"Gb", 3, TransposeSpelling::Auto, "A"},         // Bbb
        {"Gb", 1, TransposeSpelling::Auto, "G"},         // Abb
        {"E#", 6, TransposeSpelling::Auto, "B"},         // A##
        {"B#", 6, TransposeSpelling::Auto, "F#"},        // E##
        {"Fb", -6, TransposeSpelling::Auto, "Bb"},       // Cbb
        {"Fb", 0, TransposeSpelling::Auto, "E"},
        {"C/E", 2, TransposeSpelling::Auto, "D/F#"},
        {"Dm7/C", -2, TransposeSpelling::Auto, "Cm7/Bb"},
        {"G7/B", 1, TransposeSpelling::Auto, "Ab7/C"},
        {"C", 1, TransposeSpelling::Flats, "Db"},
        {"C", 1, TransposeSpelling::Sharps, "C#"},
        {"E/G#", 1, TransposeSpelling::Flats, "F/A"},
        {"Gb/Bb", 0, TransposeSpelling::Sharps, "F#/A#"},
        {"A#m7", 12, TransposeSpelling::Flats, "Bbm7"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Notation(TransposeDefinition(Chord(c.from), c.semitones, c.spelling)), c.to)
            << c.from << " " << c.semitones;
    }
}

TEST(Transpose, RecordsKeepEveryOtherFieldAndComposeAgain) {
    const PlaySettings play{arrangement::Random, 1, 1, 0, 0, 0, 1, 1, 97, 5};
    const ChordSequence s = SequenceOfChords(*ReadChart("| Dm7(b5)/Ab | C9.add13 |").chords, play);
    const std::optional<ChordSequence> moved = TransposeSequence(s, -3, TransposeSpelling::Auto);
    ASSERT_TRUE(moved.has_value());
    EXPECT_EQ(moved->ListTexts, (std::vector<std::string>{"Bm7(b5)/F", "A9.add13"}));
    const ChordRecord& r = moved->Records[0];
    for (size_t i = 0; i < kRecordFieldCount; ++i) {
        const bool moves = (i >= 2 && i <= 5) || (i >= 12 && i <= 15) || (i >= 22 && i <= 25);
        if (!moves) {
            EXPECT_EQ(r[i], s.Records[0][i]) << "field " << i;
        }
    }
    EXPECT_EQ(r[24], "B,D,/F,A");
    EXPECT_FALSE(TransposeSequence(s, 13, TransposeSpelling::Auto).has_value());
    EXPECT_FALSE(TransposeSequence(s, -13, TransposeSpelling::Auto).has_value());
}

}  // namespace
}  // namespace hq
