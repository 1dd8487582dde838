#pragma once
// The cost table of ranked naming. Costs are in half steps of "how unusual
// this reading is"; the cheapest reading is the name a musician says first.
// Everyday chords in root position cost 0 to 4, so that a slash costs less
// than an unusual reading of the same notes (C/E at 3 beats Em(#5) at 10).

#include <array>
#include <cstdint>
#include <span>

#include "theory/chord_space.h"

namespace hq::naming {

enum class Seventh : uint8_t { None, Sixth, Minor, Major };

constexpr Seventh SeventhOf(int32_t extension) {
    if (extension == 6) return Seventh::Sixth;
    if (extension == 7 || extension == 9 || extension == 11 || extension == 13) return Seventh::Minor;
    if (extension == 8 || extension == 10 || extension == 12 || extension == 14) return Seventh::Major;
    return Seventh::None;
}

struct ShapeCost {
    int16_t cost = 0;                   // in root position
    int8_t modifiers = 0;               // additions, alterations and omissions, for ties
    std::array<int8_t, 12> bassCost{};  // what a bass this many semitones above the root adds
};

/// The costs of `shape`, whose composition on C marks `intervalMarks`.
ShapeCost CostOf(const ChordShape& shape, std::span<const int32_t> intervalMarks);

// Far behind every exact name.
inline constexpr int32_t kNotExactCost = 1000;

}  // namespace hq::naming
