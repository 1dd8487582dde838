#pragma once
// Reading an answer typed or given by name: a chord type in any usual
// spelling with its position, or roman numerals. Tables only; pure.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hq::practice {

/// Trimmed, blanks collapsed to one space, the typographic flat, sharp,
/// minus and dashes as ASCII.
std::string NormalizeAnswer(std::string_view text);

struct NamedChord {
    std::string_view type;  // a ChordType name of any level: "m7b5"
    int32_t inversion = 0;  // 0 when no position is named
};

/// "ø7", "half-diminished, first inversion", "Ebm7 /1", "minor": the type
/// (and position) it names; nothing when it names none.
std::optional<NamedChord> ReadChordName(std::string_view normalized);

/// Begins with a root letter A to G (a chord symbol, or a name with its root).
bool StartsWithRoot(std::string_view normalized);

/// "ii-V-I", "ii V I", "ii – V – I": the numerals without their
/// diminished signs; nothing when a part is not a numeral.
std::optional<std::vector<std::string>> ReadNumerals(std::string_view normalized);

/// A numeral as ReadNumerals gives it back: "vii°" is "vii".
std::string PlainNumeral(std::string_view roman);

}  // namespace hq::practice
