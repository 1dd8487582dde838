#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "analyzer/song_chords.h"
#include "support/song_builder.h"

namespace hq {
namespace {

using test::SongBuilder;

struct Voicing {
    int32_t bass;
    std::initializer_list<int32_t> upper;
};

// Bars of block chords over a bass, `beats` quarters each; the upper voices
// on channel 0, the bass on channel 2 in its own part.
void Bars(SongBuilder& song, double from, double beats, std::initializer_list<Voicing> bars, int repeats = 1) {
    double at = from;
    for (int r = 0; r < repeats; ++r) {
        for (const Voicing& v : bars) {
            song.Chord(at, beats, v.upper);
            song.Note(at, beats, v.bass, 2);
            at += beats;
        }
    }
}

struct ChartCase {
    std::string what;
    std::function<std::string()> bytes;
    std::vector<std::string> names;   // the first segments' names
    std::string key;
    std::vector<std::string> romans;  // the same segments' numerals
};

class SongChartTest : public ::testing::TestWithParam<ChartCase> {};

TEST_P(SongChartTest, ReadsTheChordsKeyAndNumerals) {
    const ChartCase& c = GetParam();
    SongReading reading = ReadSong(c.bytes());
    ASSERT_TRUE(std::holds_alternative<Song>(reading)) << std::get<std::string>(reading);
    const SongChart chart = ChartOfSong(std::get<Song>(reading));
    std::vector<std::string> names, romans;
    for (size_t i = 0; i < chart.segments.size() && names.size() < c.names.size(); ++i) {
        names.push_back(chart.segments[i].Name());
        romans.push_back(chart.segments[i].roman);
    }
    EXPECT_EQ(names, c.names);
    EXPECT_EQ(KeyName(chart.key), c.key);
    EXPECT_EQ(romans, c.romans);
    for (size_t i = 1; i < chart.segments.size(); ++i) {
        EXPECT_EQ(chart.segments[i].startTick, chart.segments[i - 1].endTick) << "segments leave no gap";
    }
}

const Voicing kG{43, {55, 59, 62}}, kEm{40, {55, 59, 64}}, kC{36, {55, 60, 64}}, kD{38, {54, 57, 62}};

INSTANTIATE_TEST_SUITE_P(
    Songs, SongChartTest,
    ::testing::Values(
        ChartCase{"pop progression under a melody of passing notes",
                  [] {
                      SongBuilder s;
                      Bars(s.Part(), 0, 4, {kG, kEm, kC, kD}, 2);
                      s.Part();
                      for (int bar = 0; bar < 8; ++bar) {
                          for (int k : {0, 1, 2, 3}) s.Note(bar * 4 + k + 0.5, 0.5, 71 + (k % 2) * 2, 1);
                      }
                      return s.Bytes();
                  },
                  {"G", "Em", "C", "D", "G"}, "G major", {"I", "vi", "IV", "V", "I"}},
        ChartCase{"arpeggiated accompaniment, a dominant seventh, format 0 with drums",
                  [] {
                      SongBuilder s;
                      s.Part();
                      for (int r = 0; r < 2; ++r) {
                          const double at = r * 16;
                          s.Arpeggio(at, 4, 0.5, {48, 55, 64, 60}).Arpeggio(at + 4, 4, 0.5, {41, 57, 60, 65});
                          s.Arpeggio(at + 8, 4, 0.5, {43, 59, 65, 62}).Arpeggio(at + 12, 4, 0.5, {48, 55, 64, 60});
                      }
                      s.Part();
                      for (int b = 0; b < 32; ++b) s.Note(b, 0.25, 37 + b % 5, 9);
                      return s.Bytes(0);
                  },
                  {"C", "F", "G7", "C"}, "C major", {"I", "IV", "V7", "I"}},
        ChartCase{"inversions and a secondary dominant",
                  [] {
                      SongBuilder s;
                      Bars(s.Part(), 0, 4, {{48, {60, 64, 67}}, {49, {57, 64, 67}}, {50, {62, 65, 69}},
                                            {43, {59, 62, 65}}, {52, {60, 67, 72}}, {48, {60, 64, 67}}});
                      return s.Bytes();
                  },
                  {"C", "A7/Db", "Dm", "G7", "C/E", "C"}, "C major", {"I", "V65/ii", "ii", "V7", "I6", "I"}},
        ChartCase{"a chromatic chord and a waltz in 3/4 with a tempo change",
                  [] {
                      SongBuilder s;
                      s.Meter(0, 3, 2).Tempo(0, 90).Tempo(12, 120);
                      Bars(s.Part(), 0, 3, {{41, {57, 60, 65}}, {46, {58, 62, 65}}, {36, {58, 64, 67}},
                                            {41, {57, 60, 65}}, {39, {58, 63, 67}}, {41, {57, 60, 65}}}, 2);
                      return s.Bytes();
                  },
                  {"F", "Bb", "C7", "F", "Eb", "F"}, "F major", {"I", "IV", "V7", "I", "bVII", "I"}},
        ChartCase{"minor in 6/8 with a syncopated anticipation and silence",
                  [] {
                      SongBuilder s;
                      s.Meter(0, 6, 3);
                      Bars(s.Part(), 0, 3, {{45, {57, 60, 64}}, {38, {57, 62, 65}}, {40, {56, 59, 64}}, {45, {57, 60, 64}}}, 2);
                      s.Note(23.5, 0.5, 72, 1);  // a melody note before the last bar
                      s.Chord(28, 3, {57, 60, 64});
                      return s.Bytes();
                  },
                  {"Am", "Dm", "E", "Am", "Dm", "E", "Am", "N.C.", "Am"}, "A minor",
                  {"i", "iv", "V", "i", "iv", "V", "i", "", "i"}},
        ChartCase{"a chord held over a one-beat rest",
                  [] {
                      SongBuilder s;
                      s.Chord(0, 3, {48, 60, 64, 67}).Chord(4, 4, {48, 60, 64, 67}).Chord(8, 4, {43, 59, 62, 67});
                      s.Chord(12, 4, {48, 60, 64, 67});
                      return s.Bytes();
                  },
                  {"C", "G", "C"}, "C major", {"I", "V", "I"}}),
    [](const ::testing::TestParamInfo<ChartCase>& param) { return "case" + std::to_string(param.index); });

TEST(SongChart, StartsANewKeyAtTheBarThatLeavesTheOldOne) {
    SongBuilder s;
    Bars(s.Part(), 0, 4, {{36, {60, 64, 67}}, {45, {57, 60, 64}}, {41, {57, 60, 65}}, {43, {59, 62, 67}}}, 4);
    Bars(s, 64, 4, {{38, {62, 66, 69}}, {47, {59, 62, 66}}, {43, {59, 62, 67}}, {45, {61, 64, 69}}}, 4);
    const SongChart chart = ChartOfSong(std::get<Song>(ReadSong(s.Bytes())));
    std::vector<std::string> around;
    for (const SongSegment& segment : chart.segments) {
        if (segment.startTick >= 56 * 480 && segment.startTick < 72 * 480) {
            around.push_back(segment.Name() + " " + segment.roman + " in " + KeyName(segment.key));
        }
    }
    EXPECT_EQ(KeyName(chart.key), "C major");
    EXPECT_EQ(around, (std::vector<std::string>{"F IV in C major", "G V in C major", "D I in D major", "Bm vi in D major"}));
}

TEST(SongChart, CountsSecondsOverTheTempoMap) {
    SongBuilder s;
    s.Tempo(0, 120).Tempo(4, 60);
    s.Chord(0, 8, {60, 64, 67});
    const Song song = std::get<Song>(ReadSong(s.Bytes()));
    for (const auto& [beat, seconds] : std::vector<std::pair<double, double>>{{0, 0}, {2, 1}, {4, 2}, {6, 4}}) {
        EXPECT_DOUBLE_EQ(SecondsAtTick(song, beat * song.ticksPerQuarter), seconds) << beat;
    }
}

}  // namespace
}  // namespace hq
