#include "app/player_parts.h"
#include "app/routing.h"

namespace hq {

// Filled in with the chord sequencer.
void SelectSequencerControl(Program&, const ToolkitMessage&) {}
void ResetSequencer(Program&) {}

// Without a sequence player there is nothing to stop but repeated play and
// the keyboard's own notes.
void StopSequence(Program& program) {
    StopRepeatedPlay(PlayerPartsOf(program));
    program.keyboard.KbdAllNotesOff();
}

}  // namespace hq
