#include <cstdio>
#include <string_view>
#include <vector>

#include "app/program_options.h"
#include "ui/desktop.h"

int main(int argc, char** argv) {
    // Answered before Qt starts, so it needs no display.
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const hq::ProgramOptions options = hq::ReadProgramOptions(args);
    switch (options.action) {
        case hq::ProgramAction::Run:
            return hq::ui::RunDesktop(argc, argv);
        case hq::ProgramAction::Refuse:
            std::fputs(options.text.c_str(), stderr);
            return options.exitStatus;
        case hq::ProgramAction::PrintUsage:
        case hq::ProgramAction::PrintVersion:
            break;
    }
    std::fputs(options.text.c_str(), stdout);
    return options.exitStatus;
}
