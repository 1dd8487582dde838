#pragma once
// What the piano writes on its keys.

#include <array>
#include <cstdint>
#include <string>

#include "keyboard/keyboard_core.h"
#include "theory/composition.h"

namespace hq::kbd {

/// By pitch class 0..11.
using KeyNames = std::array<std::string, 12>;

/// Every pitch class with a flat, the names before any chord is shown.
KeyNames FlatKeyNames();

/// The chord's root by its name and each tone it marks as the chord spells
/// it; a pitch class it does not hold is named with a flat.
KeyNames KeyNamesOf(const ChordDefinition& definition, const ComposedChord& chord);

enum class NoteNaming : uint8_t { None, COnly, All };

/// The text on `key`, empty for none. C only: "C4" on every C. All: the
/// same, and every key that sounds or is held named as `names` spells it.
std::string KeyLabel(const KeyboardCore& core, int32_t key, NoteNaming naming, const KeyNames& names);

}  // namespace hq::kbd
