// Voicing whole sequences: 1,000 records cycled from chart progressions
// (mostly triads and sevenths, some ninths to thirteenths and slash chords),
// and 1,000 seven-note chords, the widest search. Composition is done before
// the timing.

#include <benchmark/benchmark.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "conditions.h"
#include "playback/voicing.h"
#include "theory/symbol.h"

namespace hq {
namespace {

const bool kConditions =
    hq::bench::Conditions("pure voicing of composed chords; no toolkit, no keyboard, no synthesiser");

constexpr size_t kRecords = 1000;

// Pop progressions, then jazz: ii-V-I chains, turnarounds, substitutions,
// altered and extended chords.
constexpr const char* kCharts[] = {
    "C G Am F C G F F",
    "Am F C G Am F C E7",
    "D A/C# Bm D/A G D/F# Em A7",
    "C C/B Am Am/G F C/E Dm7 G7",
    "E B C#m A E B A B",
    "Dm7 G7 Cmaj7 Cmaj7 Dm7 G7 Cmaj7 A7",
    "Cmaj7 Am7 Dm7 G7 Em7 A7 Dm7 G7",
    "Fmaj7 Bb7 Em7b5 A7b9 Dm7 G7 Cm7 F7",
    "Bbmaj7 Eb7 Am7b5 D7b9 Gm7 C9 Fmaj9 F6",
    "Em7b5 A7#9 Dm9 G13 Cmaj7 Db7 Cmaj7 Cmaj7",
    "Am7 D7 Gmaj7 Cmaj7 F#m7b5 B7b9 Em7 Em7",
    "Cm7 F7 Bbmaj7 Ebmaj7 Am7b5 D7 Gm6 Gm6",
    "Dm11 G13 Cmaj9 A7b9 Dm9 Db9 Cmaj7 C6",
    "Ebmaj7/G Ab7 Bb13(#11) Ebmaj7 Cm7 F9 Fm7 Bb7",
    "G7sus4 G7 Cadd9 C/E Fmaj7 Fm6 C/G G7",
};

std::vector<ComposedChord> ChartRecords(benchmark::State& state) {
    std::vector<ComposedChord> chart;
    for (const char* progression : kCharts) {
        std::istringstream words(progression);
        for (std::string symbol; words >> symbol;) {
            const SymbolReading r = ReadChordSymbol(symbol);
            if (!r.definition) state.SkipWithError(("not read: " + symbol).c_str());
            if (r.definition) chart.push_back(Compose(*r.definition).chord);
        }
    }
    std::vector<ComposedChord> records;
    for (size_t k = 0; k < kRecords && !chart.empty(); ++k) records.push_back(chart[k % chart.size()]);
    return records;
}

/// Thirteenth chords on roots drawn at random: seven pitch classes each.
std::vector<ComposedChord> SevenNoteRecords(benchmark::State& state) {
    std::mt19937 random(7);
    std::vector<ComposedChord> records;
    for (size_t k = 0; k < kRecords; ++k) {
        ChordDefinition d;
        d.RootLetterPitch = static_cast<int32_t>(random() % 12);
        d.ChordClass = static_cast<int32_t>(random() % 2);
        d.Extension = random() % 2 == 0 ? 13 : 14;
        d.NinthAlteration = d.ChordClass == chord_class::Minor ? 0 : static_cast<int32_t>(random() % 3) - 1;
        d.SharpEleventh = static_cast<int32_t>(random() % 2);
        records.push_back(Compose(d).chord);
        if (VoicedPitchClasses(records.back()).size() != 7) state.SkipWithError("not a seven-note chord");
    }
    return records;
}

void Voice(benchmark::State& state, const std::vector<ComposedChord>& records) {
    int64_t cost = 0;
    for (auto _ : state) {
        const std::vector<Voicing> voicings = VoiceSequence(records);
        benchmark::DoNotOptimize(voicings.data());
        cost = SequenceCost(voicings);
    }
    state.counters["records"] = static_cast<double>(records.size());
    state.counters["cost"] = static_cast<double>(cost);
}

void BM_VoiceChartRecords(benchmark::State& state) { Voice(state, ChartRecords(state)); }
BENCHMARK(BM_VoiceChartRecords)->Unit(benchmark::kMillisecond);

void BM_VoiceSevenNoteChords(benchmark::State& state) { Voice(state, SevenNoteRecords(state)); }
BENCHMARK(BM_VoiceSevenNoteChords)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hq
