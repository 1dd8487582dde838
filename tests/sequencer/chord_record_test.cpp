#include "sequencer/chord_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/session.h"
#include "platform/controls.h"
#include "support/session_helpers.h"

namespace hq {
namespace {

using testing::ClickAll;

ChordRecord RecordOf(const HeadlessSession& s) {
    return EncodeChordRecord(s.state.definition, s.state.chord, s.state.play);
}

TEST(EncodeChordRecord, TheStartUpChordGivesItsFortyLines) {
    HeadlessSession s;
    const ChordRecord expected{
        "567765", "11", " 0", "C", " 0", " 0", " 0", " 7", " 0", " 0",
        " 0", " 0", " 0", "", " 0", " 0", " 0", " 0", " 0", " 0",
        " 0", " 0", "C7", "1-3-5-b7", "C,E,G,Bb", "0-4-7-10", " 0", " 0", " 0", " 0",
        " 0", " 1", " 1", " 0", " 180", " 6", "Reserva", "Reserva", "11", "567765",
    };
    const ChordRecord row = RecordOf(s);
    for (size_t i = 0; i < kRecordFieldCount; ++i) EXPECT_EQ(row[i], expected[i]) << "field " << i;
}

TEST(EncodeChordRecord, FieldsFollowTheChordAndSettings) {
    HeadlessSession s;
    ClickAll(s, {"RE", "Rb", "Minor", "E9", "Ab5", "BG", "Up=off", "Fill", "ArrangeHarmonic", "RepeatBass"});
    s.state.play.Tempo = 300;
    s.state.play.NotesPerMeasure = 12;
    const ChordRecord row = RecordOf(s);
    const std::vector<std::pair<size_t, std::string>> fields{
        {2, " 4"},  {3, "E"},    {4, " 1"},  {6, " 1"},  {7, " 9"},   {11, " 1"},
        {12, " 7"}, {13, "/G"},  {18, "-1"}, {22, s.state.chord.Notation},
        {26, " 2"}, {28, " 1"},  {31, " 0"}, {32, " 1"}, {33, " 1"},  {34, " 300"}, {35, " 12"},
    };
    for (const auto& [field, text] : fields) EXPECT_EQ(row[field], text) << "field " << field;
    EXPECT_EQ(row[23], s.state.chord.IntervalsText);
    EXPECT_EQ(row[24], s.state.chord.BasicNotesText);
    EXPECT_EQ(row[25], s.state.chord.DistancesText);
}

TEST(RecordNumber, ABlankBeforeZeroAndPositiveValuesOnly) {
    struct Case {
        int32_t value;
        const char* text;
    };
    for (const Case& c : {Case{0, " 0"}, Case{7, " 7"}, Case{180, " 180"}, Case{-1, "-1"}, Case{-128, "-128"},
                          Case{32767, " 32767"}}) {
        EXPECT_EQ(RecordNumber(c.value), c.text) << c.value;
    }
}

TEST(ReadRecordNumber, BlanksSignDigitsThenWrapped) {
    struct Case {
        const char* text;
        int bits;
        int32_t value;
    };
    for (const Case& c : {
             Case{" 7", 8, 7},          Case{"7", 8, 7},           Case{"   -1", 8, -1},
             Case{"-128", 8, -128},     Case{" 127", 8, 127},      Case{" 128", 8, -128},
             Case{" 200", 8, -56},      Case{" 256", 8, 0},        Case{"-129", 8, 127},
             Case{"", 8, 0},            Case{"   ", 8, 0},         Case{"abc", 8, 0},
             Case{"-", 8, 0},           Case{"+5", 8, 0},          Case{"- 5", 8, 0},
             Case{" 12abc", 8, 12},     Case{" 1 2", 8, 1},        Case{"\t5", 8, 0},
             Case{" 180", 16, 180},     Case{" 180", 8, -76},      Case{" 32768", 16, -32768},
             Case{" 65536", 16, 0},     Case{"-32769", 16, 32767},
             // Far more digits than any integer holds: still the low bits of the exact value.
             Case{" 99999999999999999999", 8, -1},
             Case{" 18446744073709551616", 16, 0},
         }) {
        EXPECT_EQ(ReadRecordNumber(c.text, c.bits), c.value) << "'" << c.text << "' " << c.bits;
    }
    // Every value in range reads back as itself.
    for (int32_t v = -32768; v <= 32767; ++v) {
        ASSERT_EQ(ReadRecordNumber(RecordNumber(v), 16), v);
        if (v >= -128 && v <= 127) {
            ASSERT_EQ(ReadRecordNumber(RecordNumber(v), 8), v);
        }
    }
}

struct Decoded {
    ChordDefinition definition;
    ComposedChord chord;
    PlaySettings play;
    RecordFields Fields() { return {definition, chord, play}; }
};

TEST(DecodeChordRecord, OnlyTheExactClosingMarkerIsAccepted) {
    HeadlessSession s;
    const ChordRecord good = RecordOf(s);
    struct Case {
        size_t field;
        const char* text;
        bool accepted;
    };
    for (const Case& c : {Case{39, "", false}, Case{39, "567765 ", false}, Case{39, " 567765", false},
                          Case{39, "567766", false}, Case{0, "", true}, Case{0, "garbage", true},
                          Case{1, "12", true}, Case{36, "", true}, Case{38, "x", true}}) {
        ChordRecord row = good;
        row[c.field] = c.text;
        Decoded d;
        d.definition.Extension = 99;
        d.chord.Notation = "before";
        d.play.Tempo = 77;
        EXPECT_EQ(DecodeChordRecord(row, d.Fields()), c.accepted) << c.field << " '" << c.text << "'";
        if (c.accepted) {
            EXPECT_EQ(d.definition, s.state.definition);
            EXPECT_EQ(d.chord.Notation, "C7");
            EXPECT_EQ(d.play.Tempo, 180);
        } else {
            EXPECT_EQ(d.definition.Extension, 99);
            EXPECT_EQ(d.chord.Notation, "before");
            EXPECT_EQ(d.play.Tempo, 77);
        }
    }
}

TEST(DecodeChordRecord, ADamagedRecordIsAcceptedWithItsValuesWrapped) {
    HeadlessSession s;
    ChordRecord row = RecordOf(s);
    row[2] = " 300";       // RootLetterPitch
    row[3] = "Zz";         // RootLetter
    row[7] = "seven";      // Extension
    row[18] = "-200";      // FifthAlteration
    row[22] = "";          // Notation
    row[34] = " 70000";    // Tempo
    row[35] = "-5";        // NotesPerMeasure
    Decoded d;
    ASSERT_TRUE(DecodeChordRecord(row, d.Fields()));
    EXPECT_EQ(d.definition.RootLetterPitch, 44);
    EXPECT_EQ(d.definition.RootLetter, "Zz");
    EXPECT_EQ(d.definition.Extension, 0);
    EXPECT_EQ(d.definition.FifthAlteration, 56);
    EXPECT_EQ(d.chord.Notation, "");
    EXPECT_EQ(d.play.Tempo, 4464);
    EXPECT_EQ(d.play.NotesPerMeasure, -5);
}

// Encoding right after decoding, with no recomposition between, gives the
// row back: the texts come back as stored.
TEST(DecodeChordRecord, EncodingAfterDecodingReproducesTheRow) {
    const std::vector<std::vector<std::string_view>> chords{
        {},
        {"RE", "Rb", "Minor", "E9", "Ab5"},
        {"RA", "Diminished", "Emaj13", "As11", "BC", "Bs", "Down=off"},
        {"RG", "Augmented", "sus4", "add9", "Ano5", "ArrangeRandom", "RepeatAll", "Fill"},
    };
    for (const std::vector<std::string_view>& clicks : chords) {
        HeadlessSession s;
        ClickAll(s, clicks);
        ChordRecord row = RecordOf(s);
        row[23] = "stored, not recomposed";
        Decoded d;
        ASSERT_TRUE(DecodeChordRecord(row, d.Fields()));
        EXPECT_EQ(EncodeChordRecord(d.definition, d.chord, d.play), row) << row[22];
    }
}

}  // namespace
}  // namespace hq
