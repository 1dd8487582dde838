#pragma once
// LOAD with its file types and the chord chart typed into the notation
// editor: each replaces or extends the sequence list as the user's step.

#include <string>
#include <string_view>
#include <vector>

#include "app/program.h"
#include "theory/chord_definition.h"

namespace hq {

inline constexpr std::string_view kChartUnreadAlert = "The chord chart could not be read:\n";
inline constexpr std::string_view kSongUnreadAlert = "The chords of the MIDI file could not be read:\n";
inline constexpr std::string_view kNoChordsReason = "it holds no chords";

/// The LOAD button: asks for a file and replaces the list with what it
/// holds; a file that cannot be read leaves the list as it was, with an
/// alert that says why.
void LoadAnyList(Program& program);

/// Appends the chords as Append would under the current play settings, and
/// the panels show the last one; one step.
void AppendChart(Program& program, const std::vector<ChordDefinition>& chords);

}  // namespace hq
