#pragma once
// Reading a chord chart ("| Dm7 G7 | Cmaj7 | % |") into the chords it plays,
// one record each, on top of the chord-symbol reader. Pure: text in, chords
// or the place and reason of the first thing that cannot be read.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "playback/play_settings.h"
#include "sequencer/sequencer_state.h"
#include "theory/chord_definition.h"

namespace hq {

/// More chords than any song holds; "%" could otherwise double a chart per bar.
inline constexpr size_t kMostChartChords = 10'000;

struct ChartReading {
    /// In playing order; nothing when the chart is refused.
    std::optional<std::vector<ChordDefinition>> chords;
    /// "bar B, chord C: REASON" (both counted from 1); empty when read.
    std::string reason;
};

/// Bar lines "|", "||", "|:" and ":|"; blanks and line breaks between
/// chords; "%" alone repeats the chords of the last bar that held any; "/"
/// alone continues the chord before and adds none; "N.C." and empty bars add
/// none. A bar line that opens a line starts no bar.
ChartReading ReadChart(std::string_view text);

/// The sequence of the chords, each record as Append makes it under `play`.
ChordSequence SequenceOfChords(std::span<const ChordDefinition> chords, const PlaySettings& play);

}  // namespace hq
