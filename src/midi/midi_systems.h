#pragma once
// Several MIDI systems as one: each port listed under its system's label,
// this program's own ports left out, every virtual port hearing the same.

#include <string>
#include <string_view>
#include <vector>

#include "keyboard/midi_port.h"

namespace hq::kbd {

inline constexpr std::string_view kAlsaLabel = "ALSA: ";
inline constexpr std::string_view kJackLabel = "JACK: ";

struct LabelledSystem {
    std::string label;
    MidiSystem system;
};

/// A port of client `client` itself, or of the "client-NN" a JACK server
/// names a second client of that name.
bool IsOwnPort(std::string_view port, std::string_view client);

/// Systems with a problem drop out; with none left, the first one's
/// problem stands.
MidiSystem CombineMidiSystems(std::vector<LabelledSystem> systems, const std::string& ownClient);

/// The ALSA sequencer as it is, or beside JACK where a server answered.
MidiSystem OpenMidiSystems(const std::string& clientName, bool jackAnswered);

}  // namespace hq::kbd
