#include "app/routing.h"

namespace hq {

// Filled in with the chord sequencer.
void SelectSequencerControl(Program&, const ToolkitMessage&) {}
void ResetSequencer(Program&) {}

// Without a sequence player there is nothing sounding to stop but the
// keyboard's own notes.
void StopSequence(Program& program) { program.keyboard.KbdAllNotesOff(); }

}  // namespace hq
