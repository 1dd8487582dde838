#include "theory/compose_chord.h"

#include <utility>

#include "platform/controls.h"

namespace hq {

void RenderComposition(const StepControls& controls, bool bassAnomaly, const ComposedChord& chord,
                       Toolkit& toolkit, int32_t grid) {
    for (int32_t box : kComposedBoxes) {
        const ControlState& state = controls[static_cast<size_t>(box)];
        // Unchecked before disabled, so a disabled box never shows checked.
        toolkit.SetValue(grid, box, state.checked ? -1 : 0);
        if (state.enabled) {
            toolkit.Enable(grid, box);
        } else {
            toolkit.Disable(grid, box);
        }
        toolkit.SetDisabledReasons(grid, box, state.disabledBy);
    }
    if (bassAnomaly) toolkit.Alert(kBassAnomalyAlert);
    toolkit.SetTextString(grid, kid::NotationDisplay, chord.Notation);
    toolkit.SetTextString(grid, kid::DistancesDisplay, chord.DistancesText);
    toolkit.SetTextString(grid, kid::IntervalsDisplay, chord.IntervalsText);
    toolkit.SetTextString(grid, kid::BasicNotesDisplay, chord.BasicNotesText);
    toolkit.Redraw(grid, 0);
}

void ComposeChord(ChordDefinition& definition, ComposedChord& chord, Toolkit& toolkit, int32_t grid) {
    Composition composition = Compose(definition);
    // The state is final before the alert: a modal alert lets other events in.
    definition = std::move(composition.definition);
    chord = std::move(composition.chord);
    RenderComposition(composition.controls, composition.bassAnomaly, chord, toolkit, grid);
}

}  // namespace hq
