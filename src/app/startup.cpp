#include "app/startup.h"

#include <array>
#include <utility>

#include "platform/controls.h"
#include "theory/compose_chord.h"

namespace hq {
namespace {

// Channel 0, sound on, velocity 100, volume 64, the visible range: see the
// keyboard component for each parameter's meaning.
constexpr std::array<std::pair<int32_t, int32_t>, 7> kStartUpKeyboardParams{{
    {6, 2}, {23, 0}, {25, 100}, {26, 64}, {33, 1}, {11, 60}, {10, 3},
}};

constexpr int32_t kStartUpTempo = 180;
constexpr int32_t kStartUpNotesPerMeasure = 6;

}  // namespace

void SelectStepControl(SharedState& state, Toolkit& toolkit, int32_t kidNumber, int32_t value1) {
    ApplyStepSelection(state.definition, kidNumber, value1);
    ComposeChord(state.definition, state.chord, toolkit, state.windows.chords);
}

void InitialiseChordsWindow(SharedState& state, Toolkit& toolkit, Keyboard& keyboard) {
    const int32_t grid = state.windows.chords;
    for (const auto& [param, value] : kStartUpKeyboardParams) keyboard.KbdSetParam(param, value);

    state.play.Tempo = kStartUpTempo;
    state.play.NotesPerMeasure = kStartUpNotesPerMeasure;
    toolkit.SetPosition(grid, kid::TempoBar, 60, kStartUpTempo, kStartUpTempo, 300);
    toolkit.SetPosition(grid, kid::NotesMeasureBar, 1, kStartUpNotesPerMeasure, kStartUpNotesPerMeasure, 12);

    for (int32_t on : {kid::RC, kid::Major, kid::ArrangeClosest, kid::E7, kid::Up, kid::Down}) {
        toolkit.SetValue(grid, on, -1);
    }

    state.chord.RootPitch = 0;
    state.definition.ChordClass = chord_class::Major;
    state.play.Arrangement = arrangement::Closest;
    state.definition.Extension = 7;
    state.play.Up = 1;
    state.play.Down = 1;

    SelectStepControl(state, toolkit, kid::RC, -1);
}

}  // namespace hq
