#pragma once

#include <cstdint>

namespace hq {

/// Where one note of a chord sounds: the keyboard component's pitch class
/// 0..11 and octave (the arrangements place notes in octaves 1..7).
struct Placement {
    int32_t pitchClass = 0;
    int32_t octave = 0;
    bool operator==(const Placement&) const = default;
};

}  // namespace hq
