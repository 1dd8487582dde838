#pragma once
// How long arpeggio steps and their notes last. Pure.

#include <algorithm>
#include <cstdint>

namespace hq {

inline constexpr int32_t kNoteTickMs = 110;
inline constexpr int32_t kStepTickMs = 55;
inline constexpr int32_t kChordTickMs = 220;
inline constexpr int32_t kPlayOnceTicks = 10;

inline constexpr int32_t kLowestTempo = 60, kHighestTempo = 300;
inline constexpr int32_t kFewestNotesPerMeasure = 1, kMostNotesPerMeasure = 12;

/// 55 ms ticks per step: one four-beat measure (240000 ms, cut to 4363.63
/// ticks) divided by the notes per measure, truncated. Values from a damaged
/// record are clamped to 60..300 and 1..12 first; the result is 1..72.
inline int32_t StepTicks(int32_t tempo, int32_t notesPerMeasure) {
    const double bpm = std::clamp(tempo, kLowestTempo, kHighestTempo);
    const double notes = std::clamp(notesPerMeasure, kFewestNotesPerMeasure, kMostNotesPerMeasure);
    return std::max(static_cast<int32_t>(4363.63 / bpm / notes), 1);
}

/// 110 ms ticks an arpeggio note lasts: about one step, or one and a half
/// with Fill; at least 1.
inline int32_t ArpeggioNoteTicks(int32_t stepTicks, bool fill) {
    const int32_t ticks = fill ? static_cast<int32_t>(stepTicks * 0.7500000000000001) : stepTicks / 2;
    return std::max(ticks, 1);
}

/// 110 ms ticks a repeated chord lasts: (2 × StepTicks) div 3, at least 1.
inline int32_t ChordNoteTicks(int32_t stepTicks) { return std::max(2 * stepTicks / 3, 1); }

}  // namespace hq
