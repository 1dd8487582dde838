#pragma once
// Composition with its effects: the main window is brought into line with
// the definition after every chord change.

#include <cstdint>

#include "platform/toolkit.h"
#include "theory/composition.h"

namespace hq {

/// Composes `definition` (clearing what the rules clear) into `chord`, sets
/// every Step-panel check box of the window `grid`, shows the bass anomaly
/// alert when it applies, then the four display texts, and redraws.
void ComposeChord(ChordDefinition& definition, ComposedChord& chord, Toolkit& toolkit, int32_t grid);

/// Sends a composition's check box states, alert and texts to the window.
void RenderComposition(const StepControls& controls, bool bassAnomaly, const ComposedChord& chord,
                       Toolkit& toolkit, int32_t grid);

}  // namespace hq
