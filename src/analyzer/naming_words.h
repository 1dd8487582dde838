#pragma once
// The words of ranked naming: each note's role, the chord in a line of
// words, and why "Use this solution" cannot keep a part.

#include <cstdint>
#include <string>
#include <vector>

#include "theory/chord_definition.h"

namespace hq::naming {

/// "C, E and G" for pitch classes 0, 4 and 7.
std::string NoteList(const std::vector<int32_t>& pitches);

/// For each part `raw` names that composing it left out of `kept`:
/// "the panels cannot combine b9 with add9".
std::vector<std::string> LostCombinations(const ChordDefinition& raw, const ChordDefinition& kept);

}  // namespace hq::naming
