#pragma once
// What LOAD reads: a sequence file, a chord chart or the chords of a MIDI
// song. The chosen filter decides; "All files" leaves it to the extension.
// Pure.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace hq {

enum class LoadKind : uint8_t { Sequence, Chart, Song };

/// The types the LOAD dialog offers; "All files" is preselected.
inline constexpr std::array<std::string_view, 4> kLoadTypes{
    "All files (*)", "Chords Sequence (*.chd)", "Chord chart (*.txt)", "Chords of a MIDI file (*.mid *.midi)"};
inline constexpr size_t kAllFilesLoadType = 0;

/// `type` indexes kLoadTypes; "All files" or an unknown index goes by the
/// extension (any case): ".txt" a chart, ".mid" or ".midi" a song, anything
/// else a sequence file.
LoadKind LoadKindOf(size_t type, std::string_view path);

}  // namespace hq
