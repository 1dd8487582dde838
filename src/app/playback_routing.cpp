#include "app/routing.h"

namespace hq {

// Filled in with the note player.
void SelectPlaybackControl(Program&, const ToolkitMessage&) {}
void MovePlaybackBar(Program&, const ToolkitMessage&) {}
void RestartChordPlay(Program&) {}

}  // namespace hq
