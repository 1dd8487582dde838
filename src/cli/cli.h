#pragma once

#include <span>
#include <string>

namespace hq {

/// Runs one harmoniqua-cli command line (without the program name): JSON on
/// `out`, a one-line error on `err`. Returns the exit status: 2 for a bad
/// argument, 0 otherwise.
int RunCli(std::span<const std::string> args, std::string& out, std::string& err);

}  // namespace hq
