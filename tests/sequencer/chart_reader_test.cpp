#include <gtest/gtest.h>

#include <string>

#include "sequencer/chart_reader.h"
#include "sequencer/chart_support.h"

namespace hq {
namespace {

std::string Notations(const std::vector<ChordDefinition>& chords) {
    std::string out;
    for (const ChordDefinition& d : chords) out += (out.empty() ? "" : " ") + testing::Notation(d);
    return out;
}

TEST(ChartReader, BarLinesRepeatsSlashesAndNoChords) {
    const struct {
        const char* chart;
        const char* chords;  // notations in playing order
    } cases[] = {
        {"| Dm7 | G7 | Cmaj7 | % |", "Dm7 G7 C.maj7 C.maj7"},
        {"|: Dm7 G7 :| Cmaj7 || N.C. | | A7 :|", "Dm7 G7 C.maj7 A7"},
        {"| Am7 D7 | % | G / / / | % |", "Am7 D7 Am7 D7 G G"},
        {"| C | N.C. | % |", "C C"},
        {"Dm7 G7\nCmaj7", "Dm7 G7 C.maj7"},
        {"|Dm7|G7 C7|\r\n|F:|", "Dm7 G7 C7 F"},
        {"  \n\t", ""},
        {"| NC | N.C | n.c. |", ""},
    };
    for (const auto& c : cases) {
        const ChartReading r = ReadChart(c.chart);
        ASSERT_TRUE(r.chords.has_value()) << c.chart << ": " << r.reason;
        EXPECT_EQ(Notations(*r.chords), c.chords) << c.chart;
        EXPECT_EQ(r.reason, "");
    }
}

// Bars count from 1: an opening bar line starts none, an empty or N.C. bar
// counts, and a line's first bar line opens the next bar.
TEST(ChartReader, RefusesWholeAtTheFirstUnreadableChord) {
    const struct {
        const char* chart;
        const char* position;
        std::string reason;  // empty: the symbol reader's reason for `word`
        const char* word;
    } cases[] = {
        {"| Dm7 | H7 |", "bar 2, chord 1", "", "H7"},
        {"H7", "bar 1, chord 1", "", "H7"},
        {"| C | | N.C. | C / Xm |", "bar 4, chord 3", "", "Xm"},
        {"| C | D |\n| E | F |\n| 4/4 |", "bar 5, chord 1", "", "4/4"},
        {"| C | D |\n\n[A] | E |", "bar 3, chord 1", "", "[A]"},
        {"| Cmaj7 | C7alt |", "bar 2, chord 1", "", "C7alt"},
        {"% | C |", "bar 1, chord 1", "% repeats a bar, and no bar of chords comes before it", ""},
        {"| C | N.C. | | % % G7(b9,#9) |", "bar 4, chord 3", "", "G7(b9,#9)"},
    };
    for (const auto& c : cases) {
        const ChartReading r = ReadChart(c.chart);
        EXPECT_FALSE(r.chords.has_value()) << c.chart;
        const std::string reason = c.reason.empty() ? ReadChordSymbol(c.word).reason : c.reason;
        EXPECT_EQ(r.reason, std::string(c.position) + ": " + reason) << c.chart;
    }
}

TEST(ChartReader, RepeatsThatWouldDoubleForeverAreRefused) {
    std::string chart = "| C |";
    for (int bar = 2; bar <= 20; ++bar) chart += " % % |";
    const ChartReading r = ReadChart(chart);
    EXPECT_FALSE(r.chords.has_value());
    EXPECT_EQ(r.reason, "bar 14, chord 1: a chart holds at most 10000 chords");
}

}  // namespace
}  // namespace hq
