#pragma once

#include <span>
#include <string>

namespace hq {

/// harmoniqua-cli arrange: the chord built by Step-panel selections, arranged
/// under the play options: {"PitchList": [...], "placements": [[pc, octave], ...]}.
int ArrangeCommand(std::span<const std::string> args, std::string& out, std::string& err);

/// harmoniqua-cli play: the same chord played on the virtual clock, once
/// (--once) or repeatedly until STOP at --ms (2000): {"events": [...], "alerts": [...]}.
int PlayCommand(std::span<const std::string> args, std::string& out, std::string& err);

}  // namespace hq
