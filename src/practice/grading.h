#pragma once
// Grading an answer to a practice item: a name (button or typed), a chord
// symbol, numerals, or the notes played. Pure.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "practice/items.h"

namespace hq::practice {

/// What the confusion table records when an answer names nothing the
/// vocabularies hold.
inline constexpr std::string_view kOtherAnswer = "other";

struct Grade {
    bool right = false;
    std::string expected;  // "m7, first inversion"
    /// The answer as the level's own name ("m7b5, root position"), or kOtherAnswer.
    std::string given;
};

/// A type in any usual spelling with its position where the level asks it
/// (none named is root position), a chord symbol graded as the chord it
/// spells, or numerals for progressions.
Grade GradeAnswer(const PracticeItem& item, std::string_view text);

/// Notes held (MIDI, any order, repeats allowed): right when a transposition
/// of their pitch classes is the item's and, where the level asks positions,
/// the lowest maps onto the item's bass.
Grade GradePlayed(const PracticeItem& item, std::span<const int32_t> midiNotes);

}  // namespace hq::practice
