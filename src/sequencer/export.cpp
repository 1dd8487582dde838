#include "sequencer/export.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>

#include "sequencer/sequence_file.h"

namespace hq {
namespace {

struct FormatRow {
    ExportFormat format;
    std::string_view name;
    std::string_view extension;
    size_t saveType;  // its index in kSaveTypes
};

constexpr std::array<FormatRow, 5> kFormats{{
    {ExportFormat::Midi, "midi", ".mid", 1},
    {ExportFormat::Wav, "wav", ".wav", 2},
    {ExportFormat::Flac, "flac", ".flac", 3},
    {ExportFormat::Chart, "chart", ".txt", 4},
    {ExportFormat::MusicXml, "musicxml", ".musicxml", 5},
}};

const FormatRow& RowOf(ExportFormat format) {
    return *std::find_if(kFormats.begin(), kFormats.end(), [format](const FormatRow& r) { return r.format == format; });
}

}  // namespace

std::optional<ExportFormat> ExportFormatOfPath(std::string_view path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const FormatRow& row : kFormats) {
        if (row.extension == extension) return row.format;
    }
    return std::nullopt;
}

std::string_view ExportFormatName(ExportFormat format) { return RowOf(format).name; }
std::string_view ExportExtension(ExportFormat format) { return RowOf(format).extension; }

std::optional<ExportFormat> ExportFormatOfSaveType(size_t type) {
    for (const FormatRow& row : kFormats) {
        if (row.saveType == type) return row.format;
    }
    return std::nullopt;
}

void SaveOrExportSequence(const ChordSequence& sequence, int32_t tempo, Toolkit& toolkit, int32_t,
                          SequenceExporter* exporter, bool voiceLed) {
    if (sequence.SequenceCount <= 0) {
        toolkit.Alert(kEmptyListSaveAlert);
        return;
    }
    const SaveChoice choice = toolkit.SaveFileDialog(kSaveDialogTitle, kSaveTypes);
    if (choice.path.empty()) return;
    const std::optional<ExportFormat> format = ExportFormatOfSaveType(choice.type);
    if (!format) {
        if (!toolkit.SaveStringArray(choice.path, SequenceFileLines(sequence))) toolkit.Alert(kSaveFailedAlert);
        return;
    }
    ExportJob job{sequence, tempo, 1, 0, *format, choice.path, voiceLed};
    if (std::filesystem::path(job.path).extension().empty()) job.path += ExportExtension(*format);
    const ExportOutcome outcome = exporter != nullptr ? exporter->Export(job) : ExportOutcome::Failed;
    if (outcome == ExportOutcome::Failed) toolkit.Alert(kExportFailedAlert);
}

}  // namespace hq
