#include "practice/vocabulary.h"

#include "theory/pitch.h"

namespace hq::practice {
namespace {

constexpr std::array<std::string_view, 6> kLevelNames{
    "triads", "triads-inversions", "sevenths", "sevenths-inversions", "colours", "progressions"};

// Augmented triads and diminished sevenths sound alike in every position,
// so only their root position is asked.
constexpr std::array<ChordType, 4> kTriads{{
    {"major", {0, 4, 7}, 3, 3},
    {"minor", {0, 3, 7}, 3, 3},
    {"diminished", {0, 3, 6}, 3, 3},
    {"augmented", {0, 4, 8}, 3, 1},
}};

constexpr std::array<ChordType, 7> kSevenths{{
    {"7", {0, 4, 7, 10}, 4, 4},
    {"maj7", {0, 4, 7, 11}, 4, 4},
    {"m7", {0, 3, 7, 10}, 4, 4},
    {"m7b5", {0, 3, 6, 10}, 4, 4},
    {"dim7", {0, 3, 6, 9}, 4, 1},
    {"m(maj7)", {0, 3, 7, 11}, 4, 4},
    {"7sus4", {0, 5, 7, 10}, 4, 4},
}};

// Tensions stacked above the seventh, as close as chord-tone order allows;
// each type holds the notes its chord symbol composes to (13 with its 11).
constexpr std::array<ChordType, 13> kColours{{
    {"9", {0, 4, 7, 10, 2}, 5, 1},
    {"maj9", {0, 4, 7, 11, 2}, 5, 1},
    {"m9", {0, 3, 7, 10, 2}, 5, 1},
    {"7b9", {0, 4, 7, 10, 1}, 5, 1},
    {"7#9", {0, 4, 7, 10, 3}, 5, 1},
    {"7#11", {0, 4, 7, 10, 6}, 5, 1},
    {"13", {0, 4, 7, 10, 2, 5, 9}, 7, 1},
    {"6", {0, 4, 7, 9}, 4, 1},
    {"m6", {0, 3, 7, 9}, 4, 1},
    {"6/9", {0, 4, 7, 9, 2}, 5, 1},
    {"add9", {0, 4, 7, 2}, 4, 1},
    {"sus2", {0, 2, 7}, 3, 1},
    {"sus4", {0, 5, 7}, 3, 1},
}};

constexpr std::array<Numeral, 7> kMajorNumerals{{
    {"I", 0, {0, 4, 7}},
    {"ii", 2, {0, 3, 7}},
    {"iii", 4, {0, 3, 7}},
    {"IV", 5, {0, 4, 7}},
    {"V", 7, {0, 4, 7}},
    {"vi", 9, {0, 3, 7}},
    {"vii°", 11, {0, 3, 6}},
}};

// The minor key's dominant is major, as it is heard.
constexpr std::array<Numeral, 7> kMinorNumerals{{
    {"i", 0, {0, 3, 7}},
    {"ii°", 2, {0, 3, 6}},
    {"III", 3, {0, 4, 7}},
    {"iv", 5, {0, 3, 7}},
    {"V", 7, {0, 4, 7}},
    {"VI", 8, {0, 4, 7}},
    {"VII", 10, {0, 4, 7}},
}};

constexpr std::array<Progression, 12> kProgressions{{
    {"I-IV-V-I", false},
    {"ii-V-I", false},
    {"I-vi-IV-V", false},
    {"I-V-vi-IV", false},
    {"vi-IV-I-V", false},
    {"I-vi-ii-V", false},
    {"IV-V-I", false},
    {"I-IV-I-V", false},
    {"i-iv-V-i", true},
    {"ii°-V-i", true},
    {"i-VI-III-VII", true},
    {"i-VII-VI-V", true},
}};

constexpr std::array<std::string_view, 4> kInversionNames{"root position", "first inversion", "second inversion",
                                                          "third inversion"};

}  // namespace

std::string_view LevelName(Level level) { return kLevelNames[static_cast<size_t>(level)]; }

std::optional<Level> LevelByName(std::string_view name) {
    for (const Level level : kLevels) {
        if (LevelName(level) == name) return level;
    }
    return std::nullopt;
}

bool AsksInversions(Level level) {
    return level == Level::TriadsInversions || level == Level::SeventhsInversions;
}

std::span<const ChordType> LevelTypes(Level level) {
    switch (level) {
    case Level::Triads:
    case Level::TriadsInversions: return kTriads;
    case Level::Sevenths:
    case Level::SeventhsInversions: return kSevenths;
    case Level::Colours: return kColours;
    case Level::Progressions: break;
    }
    return {};
}

const ChordType* FindType(Level level, std::string_view name) {
    for (const ChordType& type : LevelTypes(level)) {
        if (type.name == name) return &type;
    }
    return nullptr;
}

std::string_view InversionName(int32_t inversion0to3) {
    return kInversionNames[static_cast<size_t>(Mod12(inversion0to3) % 4)];
}

std::string AnswerText(Level level, std::string_view type, int32_t inversion0to3) {
    std::string text(type);
    if (AsksInversions(level)) text += std::string(", ") + std::string(InversionName(inversion0to3));
    return text;
}

std::span<const Progression> Progressions() { return kProgressions; }

const Numeral* FindNumeral(std::string_view roman, bool minor) {
    for (const Numeral& numeral : minor ? kMinorNumerals : kMajorNumerals) {
        if (numeral.roman == roman) return &numeral;
    }
    return nullptr;
}

std::vector<std::string_view> SplitNumerals(std::string_view numerals) {
    std::vector<std::string_view> parts;
    for (size_t start = 0;;) {
        const size_t dash = numerals.find('-', start);
        parts.push_back(numerals.substr(start, dash - start));
        if (dash == std::string_view::npos) return parts;
        start = dash + 1;
    }
}

std::string KeyName(int32_t tonic0to11, bool minor) {
    const auto& tonics = minor ? kMinorTonicNames : kMajorTonicNames;
    return std::string(tonics[static_cast<size_t>(Mod12(tonic0to11))]) + (minor ? " minor" : " major");
}

std::vector<std::string> LevelKinds(Level level) {
    std::vector<std::string> kinds;
    if (level == Level::Progressions) {
        for (const Progression& progression : kProgressions) kinds.emplace_back(progression.numerals);
        return kinds;
    }
    for (const ChordType& type : LevelTypes(level)) {
        const int32_t positions = AsksInversions(level) ? type.positions : 1;
        for (int32_t inversion = 0; inversion < positions; ++inversion) {
            kinds.push_back(AnswerText(level, type.name, inversion));
        }
    }
    return kinds;
}

}  // namespace hq::practice
