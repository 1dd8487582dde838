#pragma once

#include "app/shared_state.h"
#include "platform/keyboard.h"
#include "platform/toolkit.h"

namespace hq {

/// Brings the main window to its start-up state: keyboard parameters, tempo
/// 180 and 6 notes per measure, the default controls on, and the chord C7.
void InitialiseChordsWindow(SharedState& state, Toolkit& toolkit, Keyboard& keyboard);

/// The Step-panel row of the main window's Selection routing: the definition
/// takes the selection and the chord is composed. `value1` is the reported
/// check state (-1 checked, 0 cleared).
void SelectStepControl(SharedState& state, Toolkit& toolkit, int32_t kidNumber, int32_t value1);

}  // namespace hq
