#include <gtest/gtest.h>

#include <iostream>
#include <set>

#include "sequencer/chart_reader.h"
#include "sequencer/chart_writer.h"
#include "sequencer/chart_support.h"

namespace hq {
namespace {

using testing::Chord;

TEST(ChartSymbol, NamesChordsWithTheChartSuffixes) {
    const struct {
        const char* typed;
        const char* written;
    } cases[] = {
        {"Dm7", "Dm7"},           {"C", "C"},               {"Cm", "Cm"},           {"Co", "Cdim"},
        {"C+", "Caug"},           {"CM7", "Cmaj7"},         {"Bbm7b5", "Bbm7b5"},   {"Co7", "Cdim7"},
        {"Cm(maj7)", "Cm(maj7)"}, {"C6", "C6"},             {"Ebm6", "Ebm6"},       {"C6/9", "C6/9"},
        {"G7sus4", "G7sus4"},     {"Csus2", "Csus2"},       {"Csus4", "Csus4"},     {"Cadd9", "Cadd9"},
        {"F9", "F9"},             {"Cmaj9", "Cmaj9"},       {"C11", "C11"},         {"A13", "A13"},
        {"C9.add13", "C13(no11)"}, {"C7(b9,#11)", "C7b9#11"}, {"C7#5#9", "C7#5#9"}, {"C(b5)", "C(b5)"},
        {"C5", "C5"},             {"C7(no3)", "C7(no3)"},   {"Dm7/C", "Dm7/C"},     {"F#m7b5/E", "F#m7b5/E"},
        {"C/Bb", "C/Bb"},         {"Cmaj7(#11)", "Cmaj7#11"}, {"C7add13", "C7add13"}, {"Cm9", "Cm9"},
        {"F/F", "F"},             {"Cm(b5)", "Cmb5"},       {"Cm6(add9)", "Cm6/9"}, {"C9sus4", "C9sus4"},
    };
    for (const auto& c : cases) {
        const ChartSymbol s = ChartSymbolOf(Chord(c.typed));
        EXPECT_EQ(s.Text(), c.written) << c.typed;
        EXPECT_TRUE(s.readable) << c.typed;
    }
}

// Every chord of the panels, alone and over each bass: its symbol reads back
// to the same notes over the same bass, and only the panels' notation
// stands in where the chart vocabulary has no word.
TEST(ChartSymbol, EveryPanelChordReadsBackToItsNotesAndBass) {
    const std::vector<ChordDefinition> chords = testing::EveryPanelChordOnC();
    ASSERT_GT(chords.size(), 1000u);
    size_t fallbacks = 0;
    std::set<std::string> seen;
    constexpr std::array<std::pair<const char*, int32_t>, 3> kBasses{{{"/E", 4}, {"/B", 11}, {"/F", 5}}};
    for (const ChordDefinition& chord : chords) {
        for (int32_t bass = -1; bass < static_cast<int32_t>(kBasses.size()); ++bass) {
            ChordDefinition d = chord;
            if (bass >= 0) {
                d.BassSelected = 1;
                d.BassLetter = kBasses[static_cast<size_t>(bass)].first;
                d.BassLetterPitch = kBasses[static_cast<size_t>(bass)].second;
                d.BassFlat = bass == 1 ? 1 : 0;  // Bb
            }
            const ChartSymbol s = ChartSymbolOf(d);
            const SymbolReading back = ReadChordSymbol(s.Text());
            ASSERT_TRUE(back.definition.has_value()) << testing::Notation(d) << " -> " << s.Text() << ": " << back.reason;
            EXPECT_EQ(testing::SoundOf(*back.definition), testing::SoundOf(d)) << testing::Notation(d) << " -> " << s.Text();
            EXPECT_TRUE(s.readable);
            if (s.suffix.find('.') != std::string::npos) ++fallbacks;
            seen.insert(s.Text());
        }
    }
    EXPECT_EQ(fallbacks, 0u);
    std::cout << chords.size() << " panel chords on C, " << seen.size() << " distinct symbols, " << fallbacks
              << " in the panels' notation\n";
}

TEST(ChartText, OneRecordABarFourBarsALine) {
    const std::vector<ChordDefinition> chords{Chord("Dm7"), Chord("G7"), Chord("Cmaj7"), Chord("Cmaj7"), Chord("A7/C#")};
    ChordSequence s = SequenceOfChords(chords, {});
    EXPECT_EQ(ChartText(s.Records), "| Dm7 | G7 | Cmaj7 | Cmaj7 |\n| A7/C# |\n");
    s.Records[1][kClosingMarkerField] = "damaged";
    EXPECT_EQ(ChartText(std::span(s.Records).first(2)), "| Dm7 | N.C. |\n");
    EXPECT_EQ(ChartText({}), "");
}

}  // namespace
}  // namespace hq
