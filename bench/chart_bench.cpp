// Chord charts over a 1,000-record sequence (target: under 5 ms each): the
// chart read in, the sequence transposed, the chart written out. The
// chords are forty common lead-sheet symbols moved through all twelve keys,
// so few records repeat one another.

#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <string_view>

#include "conditions.h"
#include "sequencer/chart_reader.h"
#include "sequencer/chart_writer.h"
#include "sequencer/transpose.h"
#include "theory/symbol.h"

namespace hq {
namespace {

const bool kConditions = hq::bench::Conditions("pure functions only; no toolkit, no keyboard");

constexpr size_t kRecords = 1000;

constexpr std::array<std::string_view, 40> kSymbols{
    "Dm7",    "G7",       "Cmaj7",    "Am7",     "D7",     "Gmaj7",   "Em7b5",  "A7b9",
    "Bb13",   "F#m7b5",   "B7#9",     "Ebmaj7/G", "G7#5",  "D7sus4",  "E7#9",   "Abmaj9",
    "C6/9",   "Bbm6",     "Gm(maj7)", "Cdim7",   "Cdim",   "Caug",    "F9",     "Db7#11",
    "Bm7",    "E7",       "A7b9b13",  "C/E",     "G/B",    "D5",      "Csus2",  "Fadd9",
    "Cm11",   "G13",      "Em(add9)", "Am7/G",   "D9sus4", "Fmaj7#11", "Bb7",   "Ebm9",
};

std::string Chart() {
    std::string chart;
    for (size_t i = 0; i < kRecords; ++i) {
        const ChordDefinition d = *ReadChordSymbol(kSymbols[i % kSymbols.size()]).definition;
        const auto semitones = static_cast<int32_t>(i / kSymbols.size() % 12);
        chart += (i % 4 == 0 ? "| " : "") + ChartSymbolOf(TransposeDefinition(d, semitones, TransposeSpelling::Auto)).Text() +
                 (i % 4 == 3 ? " |\n" : " | ");
    }
    return chart;
}

void BM_ChartIn1000(benchmark::State& state) {
    const std::string chart = Chart();
    for (auto _ : state) {
        ChartReading reading = ReadChart(chart);
        if (!reading.chords || reading.chords->size() != kRecords) state.SkipWithError(reading.reason.c_str());
        ChordSequence sequence = SequenceOfChords(*reading.chords, {});
        benchmark::DoNotOptimize(sequence);
    }
}
BENCHMARK(BM_ChartIn1000)->Unit(benchmark::kMillisecond);

void BM_Transpose1000(benchmark::State& state) {
    const ChordSequence sequence = SequenceOfChords(*ReadChart(Chart()).chords, {});
    for (auto _ : state) {
        std::optional<ChordSequence> moved = TransposeSequence(sequence, 5, TransposeSpelling::Auto);
        benchmark::DoNotOptimize(moved);
    }
}
BENCHMARK(BM_Transpose1000)->Unit(benchmark::kMillisecond);

void BM_ChartOut1000(benchmark::State& state) {
    const ChordSequence sequence = SequenceOfChords(*ReadChart(Chart()).chords, {});
    for (auto _ : state) {
        std::string text = ChartText(sequence.Records);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_ChartOut1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hq
