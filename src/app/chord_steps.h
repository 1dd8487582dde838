#pragma once
// The user's own changes of the chord and of the sequence list: each is one
// undo step, and with "Play each chord" on, a change of the chord's notes
// sounds it once. Sequence playing and start-up never pass through here.

#include <cstdint>
#include <functional>

#include "app/program.h"

namespace hq {

/// Runs `action`, a user's change of the chord, as one step.
void AsUserStep(Program& program, const std::function<void()>& action);
/// Runs `action`, a user's change of the list (and maybe of the chord), as
/// one step that brings both back.
void AsListStep(Program& program, const std::function<void()>& action);

/// Ctrl+Z and Ctrl+Shift+Z: the previous or next chord (and list), taken
/// into the panels as a solution is; nothing at either end of the history
/// or while a sequence plays.
void UndoChord(Program& program);
void RedoChord(Program& program);

/// Ctrl+Up and Ctrl+Down: the panels' chord a semitone up or down.
void TransposeChord(Program& program, int32_t semitones);
/// Ctrl+Shift+Up and Ctrl+Shift+Down: every record of the list.
void TransposeList(Program& program, int32_t semitones);

/// Tells whoever shows the chord elsewhere (the piano's note names).
void AnnounceChord(Program& program);

}  // namespace hq
