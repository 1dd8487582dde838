#pragma once

#include <span>
#include <string>

namespace hq {

/// harmoniqua-cli export FILE.chd OUT [--passes N] [--tempo T] [--program P]:
/// the sequence as PLAY plays it, written to OUT as a Standard MIDI File or
/// audio by OUT's extension: {"written", "format", "chords", "notes",
/// "durationMs", "alerts"}. 1 when FILE is not a sequence file or OUT cannot
/// be written, 2 for a bad argument.
int ExportCommand(std::span<const std::string> args, std::string& out, std::string& err);

}  // namespace hq
