// Composition cost: the pure composition over definitions drawn across the
// whole domain, and a Step-panel selection with its rendering.

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "conditions.h"
#include "headless/session.h"
#include "platform/controls.h"
#include "theory/composition.h"

namespace hq {
namespace {

const bool kConditions = hq::bench::Conditions(
    "pure composition, and the headless toolkit with a recording keyboard; no windows, no synthesiser");

constexpr size_t kSampleSize = 100'000;

std::vector<ChordDefinition> Sample() {
    std::mt19937 random(1234);
    auto pick = [&](std::initializer_list<int32_t> values) {
        std::uniform_int_distribution<size_t> at(0, values.size() - 1);
        return *(values.begin() + at(random));
    };
    const char* rootLetters[] = {"C", "D", "E", "F", "G", "A", "B"};
    const char* bassLetters[] = {"/C", "/D", "/E", "/F", "/G", "/A", "/B"};
    constexpr int32_t letterPitches[] = {0, 2, 4, 5, 7, 9, 11};
    std::vector<ChordDefinition> sample(kSampleSize);
    for (ChordDefinition& d : sample) {
        const size_t root = random() % 7;
        const size_t bass = random() % 7;
        d.RootLetterPitch = letterPitches[root];
        d.RootLetter = rootLetters[root];
        d.RootFlat = pick({0, 0, 1});
        d.RootSharp = d.RootFlat != 0 ? 0 : pick({0, 0, 1});
        d.ChordClass = pick({0, 1, 2, 3});
        d.Extension = pick({0, 6, 7, 8, 9, 10, 11, 12, 13, 14});
        d.SecondAdd = pick({0, 0, 2, 3, 9});
        d.FourthAdd = pick({0, 0, 3, 4, 11});
        d.SixthAdd = pick({0, 0, 6, 13});
        d.BassSelected = pick({0, 1});
        d.BassLetterPitch = letterPitches[bass];
        d.BassLetter = bassLetters[bass];
        d.BassFlat = pick({0, 0, 1});
        d.BassSharp = d.BassFlat != 0 ? 0 : pick({0, 0, 1});
        d.FlatThirteenth = pick({0, 1});
        d.FifthAlteration = pick({-1, 0, 0, 1});
        d.SharpEleventh = pick({0, 1});
        d.NoThird = pick({0, 0, 1});
        d.NoFifth = pick({0, 0, 1});
        d.NinthAlteration = pick({-1, 0, 0, 1});
    }
    return sample;
}

void BM_PureComposition(benchmark::State& state) {
    const std::vector<ChordDefinition> sample = Sample();
    size_t i = 0;
    for (auto _ : state) {
        Composition c = Compose(sample[i]);
        benchmark::DoNotOptimize(c);
        i = i + 1 == sample.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PureComposition);

// Alternating E9 and E7, as a user clicking: selection, composition and all
// control updates on the headless toolkit.
void BM_SelectAndRender(benchmark::State& state) {
    HeadlessSession session;
    session.toolkit.SetRecording(false);
    session.keyboard.ClearCalls();
    bool ninth = false;
    for (auto _ : state) {
        ninth = !ninth;
        session.Select(ninth ? kid::E9 : kid::E7, -1);
        benchmark::DoNotOptimize(session.state.chord.Notation.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SelectAndRender);

}  // namespace
}  // namespace hq
