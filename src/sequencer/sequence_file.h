#pragma once
// Sequence files: 40 lines per record, records back to back, an empty line
// after the last. Validation works on lines; the toolkit reads and writes.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/toolkit.h"
#include "sequencer/sequencer_state.h"

namespace hq {

inline constexpr std::string_view kSaveDialogTitle =
    "Select a Path and write a Filename to save the Chords Sequence (use .chd extension)";
inline constexpr std::string_view kLoadDialogTitle = "Select Chords Sequence File to Load (.chd)";
inline constexpr std::string_view kEmptyListSaveAlert = "The Chord List is empty.\nIs not possible to save it.";
inline constexpr std::string_view kSaveFailedAlert =
    "The Chords Sequence could not be saved.\nThe file on disk was not changed.";
inline constexpr std::string_view kInvalidFileAlert =
    "The selected file to load is not a valid\nChords Sequence File or is corrupted.\nThe List will not be "
    "updated.";

/// The number of records the lines hold, or nothing when they are not a
/// sequence file. A line past the end counts as empty.
std::optional<int32_t> CountSequenceRecords(std::span<const std::string> lines);

/// The file's lines: every field of every record, then one empty line.
std::vector<std::string> SequenceFileLines(const ChordSequence& sequence);

/// A sequence of the first `count` records of lines that passed
/// CountSequenceRecords; SelectedPosition on the last.
ChordSequence SequenceFromLines(std::span<const std::string> lines, int32_t count);

/// Validates lines as loading does: the sequence, or nothing when invalid
/// (no lines at all included).
std::optional<ChordSequence> ParseSequenceFile(const std::optional<std::vector<std::string>>& lines);
/// The same, moving the fields out of `lines` rather than copying them.
std::optional<ChordSequence> ParseSequenceFile(std::optional<std::vector<std::string>>&& lines);

/// What checking a file reports: its record count and each record's notation.
struct SequenceSummary {
    int32_t count = 0;
    std::vector<std::string> names;
};

/// Validates a whole file's text as loading its lines does, reading it in
/// place rather than as one string per line.
std::optional<SequenceSummary> SummariseSequenceText(std::string_view text);

/// The SAVE button: asks for a path and writes the sequence there whole.
void SaveSequence(const ChordSequence& sequence, Toolkit& toolkit, int32_t grid);

/// The LOAD button: 0 when the list was replaced or the dialog cancelled,
/// -1 when the file was rejected (the list is left as it was).
int32_t LoadSequence(ChordSequence& sequence, Toolkit& toolkit, int32_t grid);
/// The same for a path already chosen.
int32_t LoadSequenceFile(ChordSequence& sequence, const std::string& path, Toolkit& toolkit, int32_t grid);

}  // namespace hq
