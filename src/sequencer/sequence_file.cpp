#include "sequencer/sequence_file.h"

#include <array>
#include <utility>

#include "platform/string_array.h"
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

namespace {

// `Field(line)` gives a record its copy of a line.
template <typename Lines, typename Field>
ChordSequence BuildSequence(Lines& lines, int32_t count, Field field) {
    ChordSequence s;
    const auto n = static_cast<size_t>(count);
    s.Records.resize(n);
    s.ListTexts.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        for (size_t k = 0; k < kRecordLines; ++k) s.Records[i][k] = field(lines[kRecordLines * i + k]);
        s.ListTexts.push_back(s.Records[i][kNotationField]);
    }
    s.SequenceCount = count;
    s.SelectedPosition = count - 1;
    return s;
}

// Reads text as CountSequenceRecords reads its lines, handing `take` each
// record's fields in turn (also those of a file found invalid later on).
template <typename Take>
std::optional<int32_t> WalkRecords(std::string_view text, Take take) {
    size_t at = 0;
    std::optional<std::string_view> first = NextLine(text, at);
    if (!first || *first != kRecordMarker) return std::nullopt;
    std::array<std::string_view, kRecordLines> fields;
    for (int32_t count = 1;; ++count) {
        fields[0] = *first;
        for (size_t k = 1; k < kRecordLines; ++k) fields[k] = NextLine(text, at).value_or(std::string_view());
        if (fields[kRecordLines - 1] != kRecordMarker) return std::nullopt;
        take(fields);
        first = NextLine(text, at);
        if (!first || first->empty()) return count;
    }
}

}  // namespace

ChordSequence SequenceFromLines(std::span<const std::string> lines, int32_t count) {
    return BuildSequence(lines, count, [](const std::string& line) { return line; });
}

std::optional<ChordSequence> ParseSequenceFile(const std::optional<std::vector<std::string>>& lines) {
    if (!lines) return std::nullopt;
    const std::optional<int32_t> count = CountSequenceRecords(*lines);
    if (!count) return std::nullopt;
    return SequenceFromLines(*lines, *count);
}

std::optional<ChordSequence> ParseSequenceFile(std::optional<std::vector<std::string>>&& lines) {
    if (!lines) return std::nullopt;
    const std::optional<int32_t> count = CountSequenceRecords(*lines);
    if (!count) return std::nullopt;
    return BuildSequence(*lines, *count, [](std::string& line) { return std::move(line); });
}

std::optional<SequenceSummary> SummariseSequenceText(std::string_view text) {
    SequenceSummary summary;
    const std::optional<int32_t> count =
        WalkRecords(text, [&summary](const auto& fields) { summary.names.emplace_back(fields[kNotationField]); });
    if (!count) return std::nullopt;
    summary.count = *count;
    return summary;
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
    return LoadSequenceFile(sequence, path, toolkit, grid);
}

int32_t LoadSequenceFile(ChordSequence& sequence, const std::string& path, Toolkit& toolkit, int32_t grid) {
    // The lines go as soon as the records hold their fields.
    std::optional<std::vector<std::string>> lines = toolkit.LoadStringArray(path);
    toolkit.Redraw(grid, 0);
    std::optional<ChordSequence> loaded = ParseSequenceFile(std::exchange(lines, std::nullopt));
    if (!loaded) {
        toolkit.Alert(kInvalidFileAlert);
        return -1;
    }
    sequence = std::move(*loaded);
    RefreshChordsList(sequence, sequence.ListTexts.back(), toolkit, grid);
    return 0;
}

}  // namespace hq
