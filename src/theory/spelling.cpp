#include "theory/spelling.h"

#include <array>
#include <cstdlib>

#include "theory/pitch.h"

namespace hq {
namespace {

enum class Alternative : uint8_t {
    None,
    WhenSharpsNotRootFlat,  // the sharp spelling of a black key
    WhenBothNotRootFlat,    // B#, E#
    WhenBothNotRootSharp,   // Fb, Cb
};

struct Spelling {
    std::string_view name;
    std::string_view alternative;
    Alternative when;
};

constexpr std::array<Spelling, 12> kSpellings{{
    {"C", "B#", Alternative::WhenBothNotRootFlat},
    {"Db", "C#", Alternative::WhenSharpsNotRootFlat},
    {"D", "", Alternative::None},
    {"Eb", "D#", Alternative::WhenSharpsNotRootFlat},
    {"E", "Fb", Alternative::WhenBothNotRootSharp},
    {"F", "E#", Alternative::WhenBothNotRootFlat},
    {"Gb", "F#", Alternative::WhenSharpsNotRootFlat},
    {"G", "", Alternative::None},
    {"Ab", "G#", Alternative::WhenSharpsNotRootFlat},
    {"A", "", Alternative::None},
    {"Bb", "A#", Alternative::WhenSharpsNotRootFlat},
    {"B", "Cb", Alternative::WhenBothNotRootSharp},
}};

}  // namespace

SpellingPreference PreferenceFor(const ChordDefinition& d, int32_t rootPitch) {
    const bool minorKey = d.ChordClass == chord_class::Minor || d.ChordClass == chord_class::Diminished;
    // Minor and diminished chords take the key count of their relative major.
    const int32_t keyCount = Mod12(((minorKey ? rootPitch + 3 : rootPitch) * 5));
    SpellingPreference p;
    p.rootFlat = d.RootFlat != 0;
    p.rootSharp = d.RootSharp != 0;
    p.flats = keyCount <= 6 || p.rootFlat;
    p.sharps = keyCount > 6 || p.rootSharp;
    return p;
}

std::string_view NoteName(int32_t pitchClass, const SpellingPreference& p) {
    const Spelling& s = kSpellings[static_cast<size_t>(Mod12(pitchClass))];
    const bool both = p.flats && p.sharps;
    bool alternative = false;
    switch (s.when) {
        case Alternative::None: break;
        case Alternative::WhenSharpsNotRootFlat: alternative = p.sharps && !p.rootFlat; break;
        case Alternative::WhenBothNotRootFlat: alternative = both && !p.rootFlat; break;
        case Alternative::WhenBothNotRootSharp: alternative = both && !p.rootSharp; break;
    }
    return alternative ? s.alternative : s.name;
}

std::string SpellInterval(std::string_view rootName, int32_t pitch, std::string_view intervalName) {
    const size_t letter = rootName.empty() ? std::string_view::npos : kLetters.find(rootName.front());
    size_t digits = 0;
    while (digits < intervalName.size() && (intervalName[digits] == 'b' || intervalName[digits] == '#')) ++digits;
    const int32_t number = std::atoi(std::string(intervalName.substr(digits)).c_str());
    if (letter == std::string_view::npos || number < 1 || digits == intervalName.size()) return "";
    const size_t spelledLetter = (letter + static_cast<size_t>(number - 1)) % 7;
    std::string text(1, kLetters[spelledLetter]);
    switch (Mod12(pitch - kLetterPitches[spelledLetter])) {
        case 0: break;
        case 1: text += "#"; break;
        case 2: text += "##"; break;
        case 10: text += "bb"; break;
        case 11: text += "b"; break;
        default: return std::string(kFlatNames[static_cast<size_t>(Mod12(pitch))]);
    }
    return text;
}

}  // namespace hq
