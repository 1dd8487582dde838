#pragma once
// Names for the twelve pitch classes that follow a chord: how the piano's
// keys and a written score spell its notes.

#include <array>
#include <string>

#include "theory/composition.h"

namespace hq {

/// By pitch class 0..11.
using KeyNames = std::array<std::string, 12>;

/// Every pitch class with a flat, the names before any chord is shown.
KeyNames FlatKeyNames();

/// The chord's root by its name and each tone it marks by its interval from
/// the root; a pitch class it does not hold is named with a flat.
KeyNames KeyNamesOf(const ChordDefinition& definition, const ComposedChord& chord);

}  // namespace hq
