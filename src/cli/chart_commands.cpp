#include "cli/chart_commands.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "cli/arguments.h"
#include "headless/headless_toolkit.h"
#include "platform/string_array.h"
#include "sequencer/chart_reader.h"
#include "sequencer/chart_writer.h"
#include "sequencer/sequence_file.h"
#include "sequencer/transpose.h"

namespace hq {
namespace {

// The play settings a record takes at start-up, as `encode` makes it.
constexpr PlaySettings kStartUpPlay{arrangement::Closest, 0, 0, 0, 0, 1, 1, 0, 180, 6};

int Fail(std::string_view command, std::string_view reason, std::string& err) {
    err += "harmoniqua-cli " + std::string(command) + ": " + std::string(reason) + "\n";
    return 2;
}

std::optional<ChordSequence> LoadSequenceFile(const std::string& path) {
    const std::optional<std::string> bytes = ReadStringArrayFile(path);
    if (!bytes) return std::nullopt;
    return ParseSequenceFile(std::optional<std::vector<std::string>>(SplitLines(*bytes)));
}

struct Spelling {
    std::string_view name;
    TransposeSpelling spelling;
};
constexpr std::array<Spelling, 3> kSpellings{{
    {"auto", TransposeSpelling::Auto},
    {"flats", TransposeSpelling::Flats},
    {"sharps", TransposeSpelling::Sharps},
}};

}  // namespace

int ChartInCommand(std::span<const std::string> args, std::string& out, std::string& err) {
    constexpr std::string_view kName = "chart-in";
    std::string chart;
    std::optional<std::string> file;
    PlaySettings play = kStartUpPlay;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!arg.starts_with("--") || arg == "--") {
            // One argument a line: its bar lines then open and close as typed.
            chart += std::string(arg) + "\n";
            continue;
        }
        const auto [option, value] = TakeOption(args, i);
        if (!value) return Fail(kName, "missing value for " + std::string(option), err);
        if (option == "--file") {
            if (file) return Fail(kName, "--file is given once", err);
            file = std::string(*value);
        } else if (option == "--tempo" || option == "--notes") {
            // Stored as given, as `encode` stores them.
            const std::optional<int32_t> number = ParseInt(*value, -32768, 32767);
            if (!number) return Fail(kName, "bad value for " + std::string(option) + " (-32768 to 32767)", err);
            (option == "--tempo" ? play.Tempo : play.NotesPerMeasure) = *number;
        } else {
            return Fail(kName, "unknown option: " + std::string(arg), err);
        }
    }
    if (file) {
        const std::optional<std::string> text = ReadStringArrayFile(*file);
        if (!text) return Fail(kName, "cannot read " + *file, err);
        chart += *text;
    } else if (chart.empty()) {
        return Fail(kName, "missing TEXT or --file CHART.txt", err);
    }
    const ChartReading reading = ReadChart(chart);
    if (!reading.chords) return Fail(kName, reading.reason, err);
    if (reading.chords->empty()) return Fail(kName, "the chart holds no chord", err);
    out += JoinLines(SequenceFileLines(SequenceOfChords(*reading.chords, play)));
    return 0;
}

int TransposeCommand(std::span<const std::string> args, std::string& out, std::string& err) {
    constexpr std::string_view kName = "transpose";
    std::vector<std::string_view> positional;
    TransposeSpelling spelling = TransposeSpelling::Auto;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!arg.starts_with("--")) {
            positional.push_back(arg);
            continue;
        }
        const auto [option, value] = TakeOption(args, i);
        if (option != "--spell") return Fail(kName, "unknown option: " + std::string(arg), err);
        const Spelling* chosen = nullptr;
        for (const Spelling& s : kSpellings) {
            if (value && s.name == *value) chosen = &s;
        }
        if (chosen == nullptr) return Fail(kName, "bad value for --spell (auto, flats or sharps)", err);
        spelling = chosen->spelling;
    }
    if (positional.size() != 2) return Fail(kName, "needs FILE.chd and SEMITONES", err);
    const std::optional<int32_t> semitones =
        ParseInt(positional[1], kLowestTransposition, kHighestTransposition);
    if (!semitones) return Fail(kName, "SEMITONES must be a whole number from -12 to 12", err);
    const std::string path(positional[0]);
    const std::optional<ChordSequence> sequence = LoadSequenceFile(path);
    if (!sequence) return Fail(kName, path + " is not a valid Chords Sequence File", err);
    const std::optional<ChordSequence> moved = TransposeSequence(*sequence, *semitones, spelling);
    if (!moved) return Fail(kName, "SEMITONES must be a whole number from -12 to 12", err);
    out += JoinLines(SequenceFileLines(*moved));
    return 0;
}

int ChartCommand(std::span<const std::string> args, std::string& out, std::string& err) {
    constexpr std::string_view kName = "chart";
    if (args.size() != 1 || args[0].starts_with("--")) return Fail(kName, "needs FILE.chd", err);
    const std::optional<ChordSequence> sequence = LoadSequenceFile(args[0]);
    if (!sequence) return Fail(kName, args[0] + " is not a valid Chords Sequence File", err);
    out += ChartText(sequence->Records);
    return 0;
}

}  // namespace hq
