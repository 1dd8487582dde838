#include "cli/export_command.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "cli/arguments.h"
#include "cli/json.h"
#include "export/sequence_export.h"
#include "headless/headless_toolkit.h"
#include "sequencer/sequence_file.h"
#include "sound/soundfont.h"

namespace hq {
namespace {

constexpr int32_t kMostPasses = 100;

struct ExportRequest {
    std::string file;
    ExportJob job;
};

std::optional<std::string> ParseExportRequest(std::span<const std::string> args, ExportRequest& request) {
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!arg.starts_with("--")) {
            paths.emplace_back(arg);
            continue;
        }
        const std::string_view name = arg.substr(0, arg.find('='));
        if (name != "--passes" && name != "--tempo" && name != "--program" && name != "--voicing") {
            return UnknownOption(arg);
        }
        const auto [option, value] = TakeOption(args, i);
        if (!value) return "missing value for " + std::string(option);
        if (option == "--passes") {
            const std::optional<int32_t> passes = ParseInt(*value, 1, kMostPasses);
            if (!passes) return std::string("bad value for --passes (1 to 100)");
            request.job.passes = *passes;
        } else if (option == "--tempo") {
            const std::optional<int32_t> tempo = ClampedTempo(*value);
            if (!tempo) return std::string("bad value for --tempo (an integer)");
            request.job.tempo = *tempo;
        } else if (option == "--program") {
            const std::optional<int32_t> program = ParseInt(*value, 0, 127);
            if (!program) return std::string("bad value for --program (0 to 127)");
            request.job.program = *program;
        } else if (option == "--voicing") {
            const std::optional<bool> voiceLed = VoiceLedOf(*value);
            if (!voiceLed) return std::string(kBadVoicing);
            request.job.voiceLed = *voiceLed;
        }
    }
    if (paths.size() != 2) return std::string("needs FILE.chd and OUT");
    request.file = paths[0];
    request.job.path = paths[1];
    const std::optional<ExportFormat> format = ExportFormatOfPath(request.job.path);
    // A chart has a command of its own.
    if (!format || *format == ExportFormat::Chart) {
        return "OUT must end in .mid, .wav, .flac or .musicxml: " + request.job.path;
    }
    request.job.format = *format;
    return std::nullopt;
}

}  // namespace

int ExportCommand(std::span<const std::string> args, std::string& out, std::string& err) {
    ExportRequest request;
    if (const std::optional<std::string> reason = ParseExportRequest(args, request)) {
        err += "harmoniqua-cli export: " + *reason + "\n";
        return 2;
    }
    if (ReportUnopenable("export", request.file, err)) return 1;
    HeadlessToolkit files;
    std::optional<ChordSequence> sequence = ParseSequenceFile(files.LoadStringArray(request.file));
    if (!sequence) {
        err += std::string(kInvalidFileAlert) + "\n";
        return 1;
    }
    request.job.sequence = std::move(*sequence);
    FileExporter exporter(kbd::SoundfontFolders(ProgramFolder()));
    const ExportReport report = exporter.Run(request.job);
    if (report.outcome != ExportOutcome::Written) {
        err += "harmoniqua-cli export: " + report.problem + "\n";
        return 1;
    }
    const ExportSchedule& s = report.schedule;
    JsonWriter json;
    json.BeginObject().Key("written").String(request.job.path);
    json.Key("format").String(ExportFormatName(request.job.format));
    json.Key("chords").Int(static_cast<int64_t>(s.markers.size()));
    json.Key("notes").Int(std::count_if(s.notes.begin(), s.notes.end(), [](const ExportNote& n) { return n.on; }));
    json.Key("durationMs").Int(s.durationMs);
    json.Key("alerts").BeginArray();
    for (const std::string& alert : s.alerts) json.String(alert);
    json.EndArray().EndObject();
    out += json.str() + "\n";
    return 0;
}

}  // namespace hq
