#include "cli/cli.h"

#include <array>
#include <charconv>
#include <functional>
#include <optional>
#include <string_view>

#include "cli/analyze_command.h"
#include "cli/chart_commands.h"
#include "cli/arguments.h"
#include "cli/chord_json.h"
#include "cli/export_command.h"
#include "cli/parse_command.h"
#include "cli/play_commands.h"
#include "cli/practice_commands.h"
#include "cli/sequence_commands.h"
#include "cli/song_command.h"
#include "cli/voice_command.h"
#include "platform/controls.h"
#include "platform/version.h"
#include "theory/compose_chord.h"

namespace hq {

constexpr std::string_view kUsage =
    "usage: harmoniqua-cli select [NAME[=on|off]]...\n"
    "       harmoniqua-cli compose [FIELD=VALUE]...\n"
    "       harmoniqua-cli arrange [NAME[=on|off]]... [PLAY-OPTION]...\n"
    "       harmoniqua-cli play [NAME[=on|off]]... [PLAY-OPTION]... [--once] [--ms D]\n"
    "       harmoniqua-cli analyze NOTE... [--use N] [--use-ranked N]\n"
    "       harmoniqua-cli encode [NAME[=on|off]]... [PLAY-OPTION]...\n"
    "       harmoniqua-cli encode --symbol SYMBOL [PLAY-OPTION]...\n"
    "       harmoniqua-cli parse SYMBOL...\n"
    "       harmoniqua-cli check FILE\n"
    "       harmoniqua-cli play-sequence FILE [--ms D] [--tempo T] [--voicing stored|smooth]\n"
    "       harmoniqua-cli chart-in TEXT... [--file CHART.txt] [--tempo T] [--notes N]\n"
    "       harmoniqua-cli transpose FILE.chd SEMITONES [--spell auto|flats|sharps]\n"
    "       harmoniqua-cli chart FILE.chd\n"
    "       harmoniqua-cli export FILE.chd OUT.mid|OUT.wav|OUT.flac [--passes N] [--tempo T] [--program P]\n"
    "                      [--voicing stored|smooth]\n"
    "       harmoniqua-cli voice FILE.chd\n"
    "       harmoniqua-cli practice-items --level LEVEL [--count N] [--seed S]\n"
    "       harmoniqua-cli practice-grade --level LEVEL --item JSON --answer TEXT\n"
    "       harmoniqua-cli chords-of SONG.mid... [--chd OUT.chd]\n"
    "PLAY-OPTION: --arrangement closest|octave|harmonic|random, --repeat root,bass,fifth,all,\n"
    "  --random-base N (not for encode), --tempo T, --notes N, --up, --no-up, --down, --no-down, --fill\n";


std::optional<int32_t> ParseInt(std::string_view text, int32_t lowest, int32_t highest) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    if (value < lowest || value > highest) return std::nullopt;
    return static_cast<int32_t>(value);
}

Option TakeOption(std::span<const std::string> args, size_t& i) {
    const std::string_view arg = args[i];
    const size_t equals = arg.find('=');
    if (equals != std::string_view::npos) return {arg.substr(0, equals), arg.substr(equals + 1)};
    if (i + 1 < args.size()) return {arg, std::string_view(args[++i])};
    return {arg, std::nullopt};
}

std::optional<StepSelection> ParseSelection(std::string_view arg) {
    const size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    const std::optional<int32_t> k = KidByName(name);
    if (!k || *k < kid::RC || *k > kid::Ano5) return std::nullopt;
    const ControlKind kind = ControlAt(*k)->kind;
    if (kind == ControlKind::RadioButton) {
        if (equals != std::string_view::npos) return std::nullopt;
        return StepSelection{*k, -1};
    }
    if (kind != ControlKind::CheckBox) return std::nullopt;
    if (equals == std::string_view::npos) return StepSelection{*k, -1};
    const std::string_view state = arg.substr(equals + 1);
    if (state == "on") return StepSelection{*k, -1};
    if (state == "off") return StepSelection{*k, 0};
    return std::nullopt;
}

namespace {

int SelectCommand(std::span<const std::string> args, std::string& out, std::string& err) {
    std::vector<StepSelection> selections;
    for (const std::string& arg : args) {
        if (arg.starts_with("--")) {
            err += "harmoniqua-cli select: " + UnknownOption(arg) + "\n";
            return 2;
        }
        std::optional<StepSelection> s = ParseSelection(arg);
        if (!s) {
            err += "harmoniqua-cli select: not a Step-panel control selection: " + DescribeBadSelection(arg) + "\n";
            return 2;
        }
        selections.push_back(*s);
    }
    HeadlessSession session;
    for (const StepSelection& s : selections) session.Select(s.kid, s.value1);
    JsonWriter json;
    WriteChordJson(json, session);
    out += json.str() + "\n";
    return 0;
}

bool SetField(ChordDefinition& d, std::string_view arg) {
    const size_t equals = arg.find('=');
    if (equals == std::string_view::npos) return false;
    const std::string_view name = arg.substr(0, equals);
    const std::string_view value = arg.substr(equals + 1);
    if (name == "RootLetter") {
        d.RootLetter = value;
        return true;
    }
    if (name == "BassLetter") {
        d.BassLetter = value;
        return true;
    }
    for (const NumericField& field : kNumericFields) {
        if (field.name != name) continue;
        const std::optional<int32_t> number = ParseInt(value, -128, 127);
        if (!number) return false;
        d.*field.member = *number;
        return true;
    }
    return false;
}

int ComposeCommand(std::span<const std::string> args, std::string& out, std::string& err) {
    HeadlessSession session;
    ChordDefinition definition = session.state.definition;
    for (const std::string& arg : args) {
        if (arg.starts_with("--")) {
            err += "harmoniqua-cli compose: " + UnknownOption(arg) + "\n";
            return 2;
        }
        if (!SetField(definition, arg)) {
            err += "harmoniqua-cli compose: not FIELD=VALUE with a known field and a value in range: " + arg + "\n";
            return 2;
        }
    }
    session.state.definition = definition;
    ComposeChord(session.state.definition, session.state.chord, session.toolkit, session.Grid());
    JsonWriter json;
    WriteChordJson(json, session);
    out += json.str() + "\n";
    return 0;
}

using Command = std::function<int(std::span<const std::string>, std::string&, std::string&)>;

struct CommandEntry {
    std::string_view name;
    Command run;
};

}  // namespace

int RunCli(std::span<const std::string> args, std::string& out, std::string& err) {
    static const auto kCommands = std::to_array<CommandEntry>({
        {"select", SelectCommand},
        {"compose", ComposeCommand},
        {"arrange", ArrangeCommand},
        {"play", PlayCommand},
        {"analyze", AnalyzeCommand},
        {"encode", EncodeCommand},
        {"check", CheckCommand},
        {"play-sequence", PlaySequenceCommand},
        {"export", ExportCommand},
        {"parse", ParseCommand},
        {"voice", VoiceCommand},
        {"chords-of", ChordsOfCommand},
        {"chart-in", ChartInCommand},
        {"transpose", TransposeCommand},
        {"chart", ChartCommand},
        {"practice-items", PracticeItemsCommand},
        {"practice-grade", PracticeGradeCommand},
    });
    if (args.empty()) {
        std::string names;
        for (const CommandEntry& command : kCommands) names += (names.empty() ? "" : ", ") + std::string(command.name);
        err += "harmoniqua-cli: missing command (" + names + "); --help lists them\n";
        return 2;
    }
    if (args[0] == "--version") {
        out += std::string("harmoniqua-cli ") + kVersion + "\n";
        return 0;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out += kUsage;
        return 0;
    }
    for (const CommandEntry& command : kCommands) {
        if (command.name == args[0]) return command.run(args.subspan(1), out, err);
    }
    err += "harmoniqua-cli: unknown command: " + args[0] + " (--help lists the commands)\n";
    return 2;
}

}  // namespace hq
