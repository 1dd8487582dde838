// Solving cost: every capture there can be, that is every non-empty set of
// pitch classes with each of its members as the lowest note.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "conditions.h"
#include "analyzer/solve.h"
#include "every_capture.h"

namespace hq {
namespace {

const bool kConditions = hq::bench::Conditions(
    "pure functions only; no toolkit, no keyboard");

// One iteration is one capture, so the time per iteration is the time per
// capture, averaged over the whole domain in turn.
void BM_SolveCapture(benchmark::State& state) {
    const std::vector<std::vector<int32_t>> captures = EveryCapture();
    size_t i = 0;
    for (auto _ : state) {
        std::vector<Solution> solutions = Solve(captures[i]);
        benchmark::DoNotOptimize(solutions.data());
        i = i + 1 == captures.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["captures"] = static_cast<double>(captures.size());
}
BENCHMARK(BM_SolveCapture);

// The whole domain once per iteration.
void BM_SolveEveryCapture(benchmark::State& state) {
    const std::vector<std::vector<int32_t>> captures = EveryCapture();
    for (auto _ : state) {
        size_t found = 0;
        for (const std::vector<int32_t>& capture : captures) found += Solve(capture).size();
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(captures.size()));
}
BENCHMARK(BM_SolveEveryCapture)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hq
