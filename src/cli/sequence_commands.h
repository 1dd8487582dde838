#pragma once

#include <span>
#include <string>

namespace hq {

/// harmoniqua-cli encode: the 40 lines of the record that Append makes of
/// the chord and play settings given; alerts go to `err`.
int EncodeCommand(std::span<const std::string> args, std::string& out, std::string& err);

/// harmoniqua-cli check FILE: {"valid", "count", "names", "alerts"}, FILE
/// validated as LOAD validates it.
int CheckCommand(std::span<const std::string> args, std::string& out, std::string& err);

/// harmoniqua-cli play-sequence FILE [--ms D] [--tempo T]: FILE loaded,
/// PLAY at 0 ms and STOP at D ms on the virtual clock: {"events", "alerts"}.
int PlaySequenceCommand(std::span<const std::string> args, std::string& out, std::string& err);

}  // namespace hq
