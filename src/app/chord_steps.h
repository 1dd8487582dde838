#pragma once
// The user's own changes of the chord: each is one undo step, and with
// "Play each chord" on, a change of the chord's notes sounds it once.
// Sequence playing and start-up never pass through here.

#include <functional>

#include "app/program.h"

namespace hq {

/// Runs `action`, a user's change of the chord, as one step.
void AsUserStep(Program& program, const std::function<void()>& action);

/// Ctrl+Z and Ctrl+Shift+Z: the previous or next chord, taken into the
/// panels as a solution is; nothing at either end of the history.
void UndoChord(Program& program);
void RedoChord(Program& program);

/// Tells whoever shows the chord elsewhere (the piano's note names).
void AnnounceChord(Program& program);

}  // namespace hq
