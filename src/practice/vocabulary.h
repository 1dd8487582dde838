#pragma once
// What each practice level asks: its chord types and their positions, or
// its progressions in a key. Tables only; pure.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hq::practice {

enum class Level { Triads, TriadsInversions, Sevenths, SeventhsInversions, Colours, Progressions };
inline constexpr std::array<Level, 6> kLevels{Level::Triads,   Level::TriadsInversions, Level::Sevenths,
                                              Level::SeventhsInversions, Level::Colours, Level::Progressions};

/// "triads", "triads-inversions", ..., "progressions".
std::string_view LevelName(Level level);
std::optional<Level> LevelByName(std::string_view name);
bool AsksInversions(Level level);

struct ChordType {
    std::string_view name;                 // as the answer buttons show it: "m7b5"
    std::array<int8_t, 7> pitchClasses{};  // above the root, in chord-tone order (root, third, fifth, ...)
    int8_t toneCount = 0;
    int8_t positions = 1;  // root position and inversions asked where the level asks them
};

/// Empty for progressions.
std::span<const ChordType> LevelTypes(Level level);
const ChordType* FindType(Level level, std::string_view name);

/// "root position", "first inversion", "second inversion", "third inversion".
std::string_view InversionName(int32_t inversion0to3);

/// The expected answer: "m7, first inversion" where the level asks
/// inversions, "m7" otherwise.
std::string AnswerText(Level level, std::string_view type, int32_t inversion0to3);

/// A roman numeral of a key: its root above the tonic and its triad.
struct Numeral {
    std::string_view roman;  // "ii", "vii°", "III"
    int8_t rootAbove = 0;    // semitones above the tonic
    std::array<int8_t, 3> triad{};
};

struct Progression {
    std::string_view numerals;  // "ii-V-I"
    bool minor = false;
};
std::span<const Progression> Progressions();
/// The numeral of the key's mode, or nothing.
const Numeral* FindNumeral(std::string_view roman, bool minor);
/// "ii-V-I" split at its dashes.
std::vector<std::string_view> SplitNumerals(std::string_view numerals);

/// "Eb major", "F# minor".
std::string KeyName(int32_t tonic0to11, bool minor);

/// Every answer the level can expect, one per item kind: the statistics
/// and the Leitner boxes count by these.
std::vector<std::string> LevelKinds(Level level);

}  // namespace hq::practice
