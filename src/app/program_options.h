#pragma once
// The desktop program's own command line, read before Qt starts so that
// --help and a mistyped option need no display. Pure.

#include <span>
#include <string>
#include <string_view>

namespace hq {

enum class ProgramAction { Run, PrintUsage, PrintVersion, Refuse };

struct ProgramOptions {
    ProgramAction action = ProgramAction::Run;
    std::string text;  // what to print: the usage, the version line, or why the line was refused
    int exitStatus = 0;
};

/// `args` without the program's name. Qt's own options (-platform NAME,
/// -style NAME, -reverse, …) pass through with their values.
ProgramOptions ReadProgramOptions(std::span<const std::string_view> args);

}  // namespace hq
