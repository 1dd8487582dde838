#pragma once
// Writing chords as a chart: lead-sheet symbols that the program's own
// symbol reader takes back to the same notes over the same bass, one record
// a bar and four bars a line. Pure.

#include <span>
#include <string>

#include "sequencer/chord_record.h"
#include "theory/chord_definition.h"

namespace hq {

/// A chart symbol split where a notation program wants it.
struct ChartSymbol {
    std::string root;    // "Bb"
    std::string suffix;  // "m7b5", "13(no11)"; empty for a major triad
    std::string bass;    // "/Ab"; empty without a bass of its own
    bool readable = true;  // false: no symbol reads back; the panels' notation stands in
    std::string Text() const { return root + suffix + bass; }
};

/// The extension a chart names: a seventh with an added 9th is a 9th, a 9th
/// with an added 11th an 11th, an 11th with an added 13th a 13th, a 9th
/// with an added 13th a 13th without its 11th, a major or minor triad with
/// an added 6th a 6th; the additions it takes in are cleared.
struct ChartExtension {
    int32_t degree = 0;  // 0, 6, 7, 9, 11, 13
    bool majorSeventh = false;
    int32_t secondAdd = 0, fourthAdd = 0, sixthAdd = 0;  // as in the definition
    bool noEleventh = false;
};
ChartExtension ChartExtensionOf(const ChordDefinition& definition);

/// The symbol of a definition as composition leaves it.
ChartSymbol ChartSymbolOf(const ChordDefinition& definition);

/// "| Dm7 | G7 | Cmaj7 | Cmaj7 |" lines, each ending in a line break; a
/// record that does not decode is a bar of "N.C.".
std::string ChartText(std::span<const ChordRecord> records);

}  // namespace hq
