#pragma once
// Spreading the composed chord over the keyboard's octaves. Pure: the clock
// reading for Random is passed in as RandomBase.

#include <array>
#include <cstdint>
#include <vector>

#include "playback/placement.h"
#include "playback/play_settings.h"
#include "theory/composition.h"

namespace hq {

inline constexpr int32_t kPitchListCapacity = 50;
inline constexpr int32_t kWorkMarkCount = 37;
inline constexpr int32_t kHighestOctave = 7;

/// The chord's pitch classes from the bass upward, wrapping to the tones below
/// the bass, then the Root/Bass/Fifth repeats.
struct PitchList {
    std::array<int32_t, kPitchListCapacity> pitchClasses{};
    int32_t count = 0;
    int32_t BassOffset = 0;  // where in the (folded) marks the list starts
};

/// Octave of a note d semitones (0..11, as pitch classes) above a root at
/// octave 3, for the Harmonic arrangement.
inline constexpr std::array<int32_t, 12> kHarmonicOctaves{3, 6, 6, 2, 5, 1, 3, 4, 1, 3, 5, 6};

/// The list ArrangeChord walks. Any chord and settings give a list (damaged
/// marks, roots or bass indices are reduced, never used as indices).
PitchList BuildPitchList(const ComposedChord& chord, const PlaySettings& settings);

/// The placements, in playing order, for the list BuildPitchList made from the
/// same chord and settings. An Arrangement outside 0..3 is arranged as
/// Closest. `randomBase` (from RandomBaseOf) matters only to Random.
std::vector<Placement> ArrangeChord(const PitchList& list, const ComposedChord& chord, const PlaySettings& settings,
                                    int32_t randomBase);

/// RandomBase from a clock reading: nanosecond div (second + 1), with both
/// reduced to their ranges (0..59, 0..999'999'999) first.
int32_t RandomBaseOf(int32_t secondOfMinute, int32_t nanosecond);

}  // namespace hq
