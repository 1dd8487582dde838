#pragma once

#include <span>
#include <string>

namespace hq {

/// harmoniqua-cli voice FILE.chd: each record's voicing in the least-moving
/// voicing of the whole sequence, {"voicings": [{"record", "notation", "bass",
/// "upper"}...], "cost"}. 1 when FILE is not a sequence file, 2 for a bad
/// argument.
int VoiceCommand(std::span<const std::string> args, std::string& out, std::string& err);

}  // namespace hq
