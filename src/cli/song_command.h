#pragma once

#include <span>
#include <string>

namespace hq {

/// harmoniqua-cli chords-of SONG.mid... [--chd OUT.chd]: each song's key and
/// chord chart as {"files": [...]}; a song that cannot be read gives
/// {"file", "error"} in its place and the exit status 1.
int ChordsOfCommand(std::span<const std::string> args, std::string& out, std::string& err);

}  // namespace hq
