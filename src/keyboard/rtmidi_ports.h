#pragma once
// The MIDI system through RtMidi, on the ALSA sequencer only (its JACK
// backend crashes when no JACK server runs).

#include <string>

#include "keyboard/midi_port.h"

namespace hq::kbd {

inline constexpr const char* kNoMidiSystem = "No MIDI system";

/// Opens the ports of client `clientName`, with a virtual output port of that
/// name. With no ALSA sequencer every port is null and `problem` is
/// kNoMidiSystem. Errors go to ReportLibraryMessage.
MidiSystem OpenRtMidi(const std::string& clientName);

}  // namespace hq::kbd
