#pragma once
// The MIDI systems through RtMidi: the ALSA sequencer, and JACK once a
// server has answered (RtMidi's JACK backend prints and fails without one).

#include <string>

#include "keyboard/midi_port.h"

namespace hq::kbd {

inline constexpr const char* kNoMidiSystem = "No MIDI system";

/// Opens the ports of client `clientName`, with a virtual output port of that
/// name. With no ALSA sequencer every port is null and `problem` is
/// kNoMidiSystem. Errors go to ReportLibraryMessage.
MidiSystem OpenRtMidi(const std::string& clientName);

/// The same on JACK, for a server that has answered: client `clientName`
/// with the virtual port "out"; a chosen input opens as "in", a chosen
/// output as "out" of a client JACK names after it.
MidiSystem OpenRtMidiJack(const std::string& clientName);

}  // namespace hq::kbd
