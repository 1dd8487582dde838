#include "app/program_options.h"

#include <array>

#include "platform/version.h"

namespace hq {
namespace {

struct QtOption {
    std::string_view name;
    bool takesValue;
};

// What QApplication and its platform plugins read themselves.
constexpr std::array<QtOption, 22> kQtOptions{{
    {"-platform", true},         {"-platformpluginpath", true}, {"-platformtheme", true},
    {"-plugin", true},           {"-qwindowgeometry", true},    {"-qwindowicon", true},
    {"-qwindowtitle", true},     {"-reverse", false},           {"-session", true},
    {"-style", true},            {"-stylesheet", true},         {"-widgetcount", false},
    {"-display", true},          {"-geometry", true},           {"-title", true},
    {"-name", true},             {"-visual", true},             {"-ncols", true},
    {"-cmap", false},            {"-nograb", false},            {"-dograb", false},
    {"-sync", false},
}};

constexpr std::string_view kUsage =
    "usage: harmoniqua [--help] [--version] [QT-OPTION]...\n"
    "Opens the chord window and the piano window.\n"
    "  --help      print this and exit\n"
    "  --version   print the version and exit\n"
    "Qt's own options pass through, for example -platform offscreen, -style fusion, -reverse.\n"
    "The README (README.md with the sources, /usr/share/doc/harmoniqua/README.md when installed)\n"
    "and `man harmoniqua` describe every window; harmoniqua-cli --help lists the command-line tool.\n";

const QtOption* QtOptionNamed(std::string_view arg) {
    // Qt takes "--style" as "-style" and "-style=fusion" as a name with its value.
    if (arg.starts_with("--")) arg.remove_prefix(1);
    arg = arg.substr(0, arg.find('='));
    for (const QtOption& option : kQtOptions) {
        if (option.name == arg) return &option;
    }
    return nullptr;
}

}  // namespace

ProgramOptions ReadProgramOptions(std::span<const std::string_view> args) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") return {ProgramAction::PrintUsage, std::string(kUsage), 0};
        if (arg == "--version") return {ProgramAction::PrintVersion, std::string("harmoniqua ") + kVersion + "\n", 0};
        if (!arg.starts_with('-') || arg == "-") continue;
        const QtOption* qt = QtOptionNamed(arg);
        if (qt == nullptr) {
            return {ProgramAction::Refuse,
                    "harmoniqua: unknown option: " + std::string(arg) + " (harmoniqua --help lists the options)\n", 2};
        }
        if (qt->takesValue && arg.find('=') == std::string_view::npos) ++i;
    }
    return {};
}

}  // namespace hq
