#include "sequencer/chord_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "headless/session.h"
#include "support/session_helpers.h"

namespace hq {
namespace {

ChordRecord RecordOf(const HeadlessSession& s) { return EncodeChordRecord(s.state.definition, s.state.chord, s.state.play); }

TEST(EncodeChordRecord, TheStartUpChordGivesItsFortyLines) {
    HeadlessSession s;
    EXPECT_EQ(RecordOf(s), (ChordRecord{
                               "567765", "11", " 0", "C", " 0", " 0", " 0", " 7", " 0", " 0",
                               " 0", " 0", " 0", "", " 0", " 0", " 0", " 0", " 0", " 0",
                               " 0", " 0", "C7", "1-3-5-b7", "C,E,G,Bb", "0-4-7-10", " 0", " 0", " 0", " 0",
                               " 0", " 1", " 1", " 0", " 180", " 6", "Reserva", "Reserva", "11", "567765",
                           }));
}

TEST(ReadRecordNumber, BlanksSignDigitsThenWrapped) {
    struct Case {
        const char* text;
        int bits;
        int32_t value;
    };
    for (const Case& c : {
             Case{" 7", 8, 7},       Case{"   -1", 8, -1},   Case{" 128", 8, -128},   Case{"-129", 8, 127},
             Case{"", 8, 0},         Case{"abc", 8, 0},      Case{"-", 8, 0},         Case{"+5", 8, 0},
             Case{"- 5", 8, 0},      Case{" 12abc", 8, 12},  Case{"\t5", 8, 0},       Case{" 180", 8, -76},
             Case{" 32768", 16, -32768}, Case{"-32769", 16, 32767},
             // More digits than any integer holds: still the low bits of the exact value.
             Case{" 99999999999999999999", 8, -1}, Case{" 18446744073709551616", 16, 0},
         }) {
        EXPECT_EQ(ReadRecordNumber(c.text, c.bits), c.value) << "'" << c.text << "' " << c.bits;
    }
    // Every value in range reads back as itself, negative ones written without a blank.
    EXPECT_EQ(RecordNumber(-1), "-1");
    for (int32_t v = -32768; v <= 32767; ++v) {
        ASSERT_EQ(ReadRecordNumber(RecordNumber(v), 16), v);
        if (v >= -128 && v <= 127) {
            ASSERT_EQ(ReadRecordNumber(RecordNumber(v), 8), v);
        }
    }
}

TEST(DecodeChordRecord, OnlyTheExactClosingMarkerIsAcceptedAndARejectionChangesNothing) {
    HeadlessSession s;
    struct Case {
        size_t field;
        const char* text;
        bool accepted;
    };
    for (const Case& c : {Case{39, "", false}, Case{39, "567765 ", false}, Case{39, " 567765", false},
                          Case{0, "garbage", true}, Case{38, "", true}}) {
        ChordRecord row = RecordOf(s);
        row[c.field] = c.text;
        ChordDefinition definition{.Extension = 99};
        ComposedChord chord{.Notation = "before"};
        PlaySettings play{.Tempo = 77};
        EXPECT_EQ(DecodeChordRecord(row, {definition, chord, play}), c.accepted) << c.field << " '" << c.text << "'";
        EXPECT_EQ(definition.Extension, c.accepted ? 7 : 99);
        EXPECT_EQ(chord.Notation, c.accepted ? "C7" : "before");
        EXPECT_EQ(play.Tempo, c.accepted ? 180 : 77);
    }
}

// Right after a decode, with no recomposition between, encoding gives the
// row back: the texts come back as stored, not as recomposed.
TEST(DecodeChordRecord, EncodingAfterDecodingReproducesTheRow) {
    for (const std::vector<std::string_view>& clicks : std::vector<std::vector<std::string_view>>{
             {"RE", "Rb", "Minor", "E9", "Ab5"},
             {"RA", "Diminished", "Emaj13", "As11", "BC", "Bs", "Down=off"},
             {"RG", "Augmented", "sus4", "add9", "Ano5", "ArrangeRandom", "RepeatAll", "Fill"}}) {
        HeadlessSession s;
        testing::ClickAll(s, clicks);
        ChordRecord row = RecordOf(s);
        row[23] = "stored, not recomposed";
        ChordDefinition definition;
        ComposedChord chord;
        PlaySettings play;
        ASSERT_TRUE(DecodeChordRecord(row, {definition, chord, play}));
        EXPECT_EQ(EncodeChordRecord(definition, chord, play), row) << row[22];
    }
}

}  // namespace
}  // namespace hq
