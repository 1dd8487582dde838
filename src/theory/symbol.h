#pragma once
// Reading a lead-sheet chord symbol ("F#m7b5", "Bb13(#11)", "C-7", "G7+",
// "C.maj13(b5)/Gb") into the definition the Step panels hold for it. Pure:
// text in, a definition or a musician's reason out.

#include <optional>
#include <string>
#include <string_view>

#include "theory/chord_definition.h"

namespace hq {

struct SymbolReading {
    /// Complete: every field the symbol does not name is 0, `BassLetter`
    /// empty without a bass.
    std::optional<ChordDefinition> definition;
    std::string reason;  // why it was rejected; empty when accepted
};

/// Accepts a symbol when a definition of the panels composes, without any
/// rule clearing a field, to exactly the symbol's notes and bass; among
/// several, the one whose notation is closest to the symbol.
SymbolReading ReadChordSymbol(std::string_view text);

}  // namespace hq
