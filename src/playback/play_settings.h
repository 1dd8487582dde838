#pragma once

#include <cstdint>

namespace hq {

namespace arrangement {
inline constexpr int32_t Closest = 0, Octave = 1, Harmonic = 2, Random = 3;
}

/// How the chord is shown and played. Flags hold 1 or 0; a ChordRecord keeps
/// these with its chord, so a damaged file can put any value in any of them.
struct PlaySettings {
    int32_t Arrangement = arrangement::Closest;
    int32_t RepeatRoot = 0;
    int32_t RepeatBass = 0;
    int32_t RepeatFifth = 0;
    int32_t RepeatAll = 0;
    int32_t Up = 0;
    int32_t Down = 0;
    int32_t Fill = 0;
    int32_t Tempo = 0;            // beats per minute, 60..300 from the slider
    int32_t NotesPerMeasure = 0;  // 1..12 from the slider
};

}  // namespace hq
