#pragma once
// Reading a chord symbol's text: its glyphs as ASCII, the root and bass,
// what the descriptor names and the tones that makes. Pure. Fitting the
// reading to what the panels can hold is symbol.cpp's.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "theory/pitch.h"

namespace hq::symbol {

// Longer than any notation the panels make, with room for spaces.
inline constexpr size_t kLongestSymbol = 96;

struct Ascii {
    std::array<char, kLongestSymbol> chars{};
    size_t size = 0;
    std::string_view view() const { return {chars.data(), size}; }
};

struct Note {
    int32_t letterPitch = 0;
    char letter = 'C';
    int32_t flat = 0;
    int32_t sharp = 0;
    int32_t Pitch() const { return Mod12(letterPitch - flat + sharp); }
};

enum class Quality : uint8_t { Major, Minor, Augmented, Diminished, HalfDiminished, Power };

struct Reading {
    Quality quality = Quality::Major;
    int32_t extension = 0;  // 0, 6, 7, 9, 11, 13
    bool majorSeventh = false;
    uint32_t tones = 0;  // Tone bits
};

/// A symbol's text, read: what it names, not yet what the panels make of it.
struct SymbolText {
    Ascii ascii;  // the text with its glyphs as ASCII and blanks dropped
    Note root;
    std::optional<Note> bass;
    Reading reading;
};

struct TextReading {
    std::optional<SymbolText> text;
    std::string reason;  // why it is not a chord symbol; empty when read
};

TextReading ReadSymbolText(std::string_view text);

/// Bit i for IntervalMarks index i, as composition places the same tones.
uint32_t TonesOf(const Reading& reading);

/// Bit p for each pitch class p above the root that `tones` sound.
uint16_t PitchClassesOf(uint32_t tones);

/// `part` in double quotes, for a reason.
std::string Quoted(std::string_view part);

}  // namespace hq::symbol
