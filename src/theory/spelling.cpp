#include "theory/spelling.h"

#include <array>

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

}  // namespace hq
