#pragma once
// Note names in the key that the chord's root and class suggest, and a
// note spelled by its interval above a root.

#include <cstdint>
#include <string>
#include <string_view>

#include "theory/chord_definition.h"

namespace hq {

struct SpellingPreference {
    bool flats = false;
    bool sharps = false;  // both can hold at once, e.g. for C sharp
    bool rootFlat = false;
    bool rootSharp = false;
};

/// `rootPitch` is the root after its accidental, 0..11.
SpellingPreference PreferenceFor(const ChordDefinition& definition, int32_t rootPitch);

/// The name of pitch class 0..11 under `preference`.
std::string_view NoteName(int32_t pitchClass0to11, const SpellingPreference& preference);

/// Spells pitch class `pitch` as the interval named `intervalName` ("b3",
/// "#11", "bb7") above a root spelled `rootName` ("C", "Db"); "" when the
/// name is not an interval.
std::string SpellInterval(std::string_view rootName, int32_t pitch, std::string_view intervalName);

}  // namespace hq
