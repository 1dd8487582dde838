#pragma once
// FluidSynth's and ALSA's messages, caught before they reach the console.

namespace hq::kbd {

/// Installs the handlers once; their lines go to ReportLibraryMessage.
/// Called before the first synthesiser or MIDI system opens.
void CatchSoundLibraryMessages();

}  // namespace hq::kbd
