// Note player cost on the headless toolkit: starting repeated play for the
// longest arrangement (Closest with All on a 13th chord, 21 rows), the pure
// arrangement alone, and one arpeggio step at the fastest settings.

#include <benchmark/benchmark.h>

#include "conditions.h"
#include "headless/headless_toolkit.h"
#include "platform/keyboard.h"
#include "playback/arrangement.h"
#include "keyboard/silent_keyboard.h"
#include "playback/note_player.h"
#include "theory/composition.h"

namespace hq {
namespace {

const bool kConditions = hq::bench::Conditions(
    "headless toolkit (virtual clock) and a silent stub keyboard; no windows, no synthesiser");


struct Player {
    PlaySettings settings{.Arrangement = arrangement::Closest, .RepeatAll = 1, .Up = 1, .Down = 1, .Tempo = 300,
                          .NotesPerMeasure = 12};
    PlayerState state;
    ComposedChord chord = Compose({.RootLetter = "C", .Extension = 13}).chord;
    HeadlessToolkit toolkit;
    SilentKeyboard keyboard;
    PlayerParts parts{settings, state, chord, toolkit, keyboard, 1};

    Player() { toolkit.SetRecording(false); }
};

void BM_StartRepeatedPlayLongest(benchmark::State& state) {
    Player player;
    for (auto _ : state) {
        StartRepeatedPlay(player.parts);
        benchmark::DoNotOptimize(player.state.LastStep);
    }
    if (player.state.LastStep != 20) state.SkipWithError("not the 21-row arrangement");
}
BENCHMARK(BM_StartRepeatedPlayLongest);

void BM_ArrangeLongest(benchmark::State& state) {
    Player player;
    for (auto _ : state) {
        const PitchList list = BuildPitchList(player.chord, player.settings);
        std::vector<Placement> placements = ArrangeChord(list, player.chord, player.settings, 0);
        benchmark::DoNotOptimize(placements.data());
    }
}
BENCHMARK(BM_ArrangeLongest);

// One 55 ms step at tempo 300 and 12 notes per measure: the step, its note-on
// and the note-off of the note two steps back.
void BM_ArpeggioStepFastest(benchmark::State& state) {
    Player player;
    StartRepeatedPlay(player.parts);
    for (auto _ : state) player.toolkit.AdvanceBy(55);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ArpeggioStepFastest);

}  // namespace
}  // namespace hq
