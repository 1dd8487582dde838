// Ranked naming cost over every capture there can be: every non-empty set of
// pitch classes with each of its members as the lowest note (24,576).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "analyzer/naming.h"
#include "every_capture.h"

namespace hq {
namespace {

// The whole domain once per iteration; "ns_per_capture" is the figure to
// read (run with --benchmark_repetitions for its median).
template <typename Name>
void RunEveryCapture(benchmark::State& state, Name name) {
    PrepareNaming();  // built once per run, outside the timing
    const std::vector<std::vector<int32_t>> captures = EveryCapture();
    for (auto _ : state) {
        size_t found = 0;
        for (const std::vector<int32_t>& capture : captures) found += name(capture).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["ns_per_capture"] = benchmark::Counter(
        static_cast<double>(captures.size()) * 1e-9,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["captures"] = static_cast<double>(captures.size());
}

// Every name of a capture, as harmoniqua-cli analyze lists them.
void BM_NameEveryCapture(benchmark::State& state) {
    RunEveryCapture(state, [](const std::vector<int32_t>& c) { return NameCapture(c); });
}
BENCHMARK(BM_NameEveryCapture)->Unit(benchmark::kMillisecond);

// The four names of the live line in the keyboard window.
void BM_LiveNamesEveryCapture(benchmark::State& state) {
    RunEveryCapture(state, [](const std::vector<int32_t>& c) { return BestNames(c, 4); });
}
BENCHMARK(BM_LiveNamesEveryCapture)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hq
