#include "sequencer/sequence_file.h"

#include "sequencer/chord_list.h"

namespace hq {
namespace {

constexpr size_t kRecordLines = kRecordFieldCount;
// Fewer lines cannot hold a record; 38 and 39 are turned away by the marker.
constexpr size_t kFewestLines = 38;

std::string_view LineAt(std::span<const std::string> lines, size_t index) {
    return index < lines.size() ? std::string_view(lines[index]) : std::string_view();
}

}  // namespace

std::optional<int32_t> CountSequenceRecords(std::span<const std::string> lines) {
    if (lines.size() < kFewestLines) return std::nullopt;
    if (lines[0] != kRecordMarker) return std::nullopt;
    for (size_t n = 1;; ++n) {
        if (LineAt(lines, kRecordLines * n - 1) != kRecordMarker) return std::nullopt;
        if (LineAt(lines, kRecordLines * n).empty()) return static_cast<int32_t>(n);
    }
}

std::vector<std::string> SequenceFileLines(const ChordSequence& sequence) {
    std::vector<std::string> lines;
    const auto count = static_cast<size_t>(sequence.SequenceCount < 0 ? 0 : sequence.SequenceCount);
    lines.reserve(count * kRecordLines + 1);
    for (size_t i = 0; i < count && i < sequence.Records.size(); ++i) {
        lines.insert(lines.end(), sequence.Records[i].begin(), sequence.Records[i].end());
    }
    lines.emplace_back();
    return lines;
}

ChordSequence SequenceFromLines(std::span<const std::string> lines, int32_t count) {
    ChordSequence s;
    const auto n = static_cast<size_t>(count);
    s.Records.resize(n);
    s.ListTexts.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        for (size_t k = 0; k < kRecordLines; ++k) s.Records[i][k] = lines[kRecordLines * i + k];
        s.ListTexts.push_back(s.Records[i][kNotationField]);
    }
    s.SequenceCount = count;
    s.SelectedPosition = count - 1;
    return s;
}

std::optional<ChordSequence> ParseSequenceFile(const std::optional<std::vector<std::string>>& lines) {
    if (!lines) return std::nullopt;
    const std::optional<int32_t> count = CountSequenceRecords(*lines);
    if (!count) return std::nullopt;
    return SequenceFromLines(*lines, *count);
}

void SaveSequence(const ChordSequence& sequence, Toolkit& toolkit, int32_t) {
    if (sequence.SequenceCount <= 0) {
        toolkit.Alert(kEmptyListSaveAlert);
        return;
    }
    const std::vector<std::string> lines = SequenceFileLines(sequence);
    const std::string path = toolkit.FileDialog(kSaveDialogTitle, FileDialogMode::Save);
    if (path.empty()) return;
    if (!toolkit.SaveStringArray(path, lines)) toolkit.Alert(kSaveFailedAlert);
}

int32_t LoadSequence(ChordSequence& sequence, Toolkit& toolkit, int32_t grid) {
    const std::string path = toolkit.FileDialog(kLoadDialogTitle, FileDialogMode::Open);
    if (path.empty()) return 0;
    const std::optional<std::vector<std::string>> lines = toolkit.LoadStringArray(path);
    toolkit.Redraw(grid, 0);
    std::optional<ChordSequence> loaded = ParseSequenceFile(lines);
    if (!loaded) {
        toolkit.Alert(kInvalidFileAlert);
        return -1;
    }
    sequence = std::move(*loaded);
    RefreshChordsList(sequence, sequence.ListTexts.back(), toolkit, grid);
    return 0;
}

}  // namespace hq
