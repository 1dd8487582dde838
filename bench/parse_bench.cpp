// Reading chord symbols: a chart's worth of common spellings, each read to
// the panels' definition. The panel space is built before the timing.

#include <benchmark/benchmark.h>

#include <array>
#include <string_view>

#include "theory/chord_space.h"
#include "theory/symbol.h"

namespace hq {
namespace {

constexpr std::array<std::string_view, 40> kSymbols{
    "C",       "Am",      "F",         "G7",       "Dm7",      "Cmaj7",   "Em7b5",   "A7b9",
    "Bb13(#11)", "F#m7b5", "C-7",      "Ebmaj7/G", "G7+",      "D7sus4",  "E7#9",    "Abmaj9",
    "C6/9",    "Bbm6",    "Gm(maj7)",  "Co7",      "Cdim",     "C+",      "F9",      "Db7#11",
    "B\u00f87", "E\u0394", "A7(b9,b13)", "C/E",     "G/B",      "D5",      "Csus2",   "Fadd9",
    "Cm11",    "G13",     "C7alt",     "N.C.",     "Em(add9)", "A-7",     "D9sus",   "C.maj13(b5)/Gb",
};

void BM_ReadChordSymbol(benchmark::State& state) {
    benchmark::DoNotOptimize(ChordSpace::Get().Shapes().size());
    for (auto _ : state) {
        for (std::string_view symbol : kSymbols) {
            SymbolReading r = ReadChordSymbol(symbol);
            benchmark::DoNotOptimize(r);
        }
    }
    // Per symbol: the time of one iteration over the list, divided by its length.
    state.counters["ns_per_symbol"] = benchmark::Counter(static_cast<double>(kSymbols.size()),
                                                         benchmark::Counter::kIsIterationInvariantRate |
                                                             benchmark::Counter::kInvert);
}
BENCHMARK(BM_ReadChordSymbol);

}  // namespace
}  // namespace hq
