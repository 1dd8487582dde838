#pragma once
// Pitch classes, the letters that name them and their plain names.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace hq {

/// Pitch class 0..11 of any integer, negative ones included.
constexpr int32_t Mod12(int32_t value) {
    const int32_t r = value % 12;
    return r < 0 ? r + 12 : r;
}

/// The seven letters in scale order, and the pitch class of each.
inline constexpr std::string_view kLetters = "CDEFGAB";
inline constexpr std::array<int32_t, 7> kLetterPitches{0, 2, 4, 5, 7, 9, 11};

/// The pitch class of a capital letter A-G; nothing for any other character.
constexpr std::optional<int32_t> LetterPitch(char letter) {
    const size_t at = kLetters.find(letter);
    if (at == std::string_view::npos) return std::nullopt;
    return kLetterPitches[at];
}

/// Pitch classes 0..11 by name, black keys always as flats, or always as sharps.
inline constexpr std::array<std::string_view, 12> kFlatNames{"C", "Db", "D", "Eb", "E", "F",
                                                             "Gb", "G", "Ab", "A", "Bb", "B"};
inline constexpr std::array<std::string_view, 12> kSharpNames{"C", "C#", "D", "D#", "E", "F",
                                                              "F#", "G", "G#", "A", "A#", "B"};

/// The tonic of a key by its pitch class, as key signatures name it: the
/// major keys with flats, the minor keys with the fewer accidentals.
inline constexpr std::array<std::string_view, 12> kMajorTonicNames = kFlatNames;
inline constexpr std::array<std::string_view, 12> kMinorTonicNames{"C", "C#", "D", "Eb", "E", "F",
                                                                   "F#", "G", "G#", "A", "Bb", "B"};

}  // namespace hq
