#pragma once
// The spellings a chord symbol is read from, as data: every alias and
// modifier lives here, the reader in symbol.cpp only walks these tables.

#include <array>
#include <cstdint>
#include <string_view>

namespace hq::symbol {

/// Glyphs of printed charts and what the reader takes them for.
struct Glyph {
    std::string_view utf8;
    std::string_view ascii;  // empty: dropped like a space
};

inline constexpr std::array<Glyph, 14> kGlyphs{{
    {"\u266d", "b"},   // flat sign
    {"\u266f", "#"},   // sharp sign
    {"\u0394", "^"},   // Greek capital delta
    {"\u2206", "^"},   // increment sign, the delta of many fonts
    {"\u25b3", "^"},   // white triangle
    {"\u00b0", "o"},   // degree sign
    {"\u00ba", "o"},   // ordinal indicator, the degree of some keyboards
    {"\u02da", "o"},   // ring above
    {"\u00f8", "h"},   // o with stroke
    {"\u00d8", "h"},
    {"\u2212", "-"},   // minus sign
    {"\u2013", "-"},   // en dash
    {"\u00a0", ""},    // no-break space
    {"\u2009", ""},    // thin space
}};

/// Whole symbols that stand in a chart's chord line but name no chord.
struct NonChord {
    std::string_view text;
    std::string_view reason;
};

inline constexpr std::string_view kNoChordReason = "N.C. is not a chord";
inline constexpr std::string_view kRepeatReason = "% repeats the previous chord";
inline constexpr std::array<NonChord, 8> kNonChords{{
    {"N.C.", kNoChordReason},
    {"N.C", kNoChordReason},
    {"NC", kNoChordReason},
    {"N/C", kNoChordReason},
    {"n.c.", kNoChordReason},
    {"nc", kNoChordReason},
    {"%", kRepeatReason},
    {"/", kRepeatReason},
}};

/// What a word of the descriptor (the text between root and bass) names.
enum class Word : uint8_t {
    Minor,
    MajorMark,     // maj, M: a major seventh with a number or after a minor
    MajorSeventh,  // ^, j: a major seventh even alone
    Augmented,
    Diminished,
    HalfDiminished,
    Suspended,
    Addition,
    Omission,
    Altered,
};

/// Where a spelling counts.
enum class Place : uint8_t {
    Anywhere,
    BeforeDigit,  // "ma7" but not the "ma" of "madd9"
    AtStart,      // right after the root: "-" minor, "0" diminished
};

struct Spelling {
    std::string_view text;
    Word word;
    Place place = Place::Anywhere;
};

/// Read by longest match; case matters ("M7" major, "m7" minor).
inline constexpr std::array<Spelling, 29> kSpellings{{
    {"minor", Word::Minor},
    {"min", Word::Minor},
    {"mi", Word::Minor},
    {"MIN", Word::Minor},
    {"MI", Word::Minor},
    {"m", Word::Minor},
    {"-", Word::Minor, Place::AtStart},
    {"major", Word::MajorMark},
    {"maj", Word::MajorMark},
    {"Maj", Word::MajorMark},
    {"MAJ", Word::MajorMark},
    {"Ma", Word::MajorMark},
    {"MA", Word::MajorMark},
    {"ma", Word::MajorMark, Place::BeforeDigit},
    {"M", Word::MajorMark},
    {"^", Word::MajorSeventh},
    {"j", Word::MajorSeventh},
    {"aug", Word::Augmented},
    {"+", Word::Augmented},
    {"dim", Word::Diminished},
    {"o", Word::Diminished},
    {"0", Word::Diminished, Place::AtStart},
    {"h", Word::HalfDiminished},
    {"sus", Word::Suspended},
    {"add", Word::Addition},
    {"omit", Word::Omission},
    {"no", Word::Omission},
    {"alt", Word::Altered},
    {"Alt", Word::Altered},
}};

/// Tones beyond the chord's class and extension, as bits of one set.
enum Tone : uint32_t {
    kAdd2 = 1u << 0,
    kAdd9 = 1u << 1,
    kAdd4 = 1u << 2,
    kAdd11 = 1u << 3,
    kAdd6 = 1u << 4,
    kAdd13 = 1u << 5,
    kFlat5 = 1u << 6,
    kSharp5 = 1u << 7,
    kFlat9 = 1u << 8,
    kSharp9 = 1u << 9,
    kSharp11 = 1u << 10,
    kFlat13 = 1u << 11,
    kNo3 = 1u << 12,
    kNo5 = 1u << 13,
    kSus2 = 1u << 14,
    kSus4 = 1u << 15,
    kNo11 = 1u << 16,  // the program's 13 holds the 11th; "13(no11)" lets it go
    kAdd3 = 1u << 17,  // the third beside a suspension: "7susadd3"
};

/// A number after a flat or sharp ("b9", "#11", "-5", "+9").
struct Alteration {
    char accidental;  // 'b' or '#'
    int32_t number;
    uint32_t tone;  // 0: the major seventh ("m#7")
};

inline constexpr std::array<Alteration, 11> kAlterations{{
    {'b', 5, kFlat5},
    {'#', 5, kSharp5},
    {'b', 9, kFlat9},
    {'#', 9, kSharp9},
    {'#', 11, kSharp11},
    {'b', 13, kFlat13},
    {'b', 6, kFlat13},
    {'#', 4, kSharp11},
    {'b', 2, kFlat9},
    {'#', 2, kSharp9},
    {'#', 7, 0},
}};

/// A number after "add", or a bare number after the extension ("7(9,13)").
struct Added {
    int32_t number;
    uint32_t tone;
};

inline constexpr std::array<Added, 7> kAdditions{{
    {2, kAdd2}, {9, kAdd9}, {4, kAdd4}, {11, kAdd11}, {6, kAdd6}, {13, kAdd13}, {3, kAdd3},
}};

/// A number after "no" or "omit", with the ordinal endings a chart may add.
inline constexpr std::array<Added, 3> kOmissions{{{3, kNo3}, {5, kNo5}, {11, kNo11}}};
inline constexpr std::array<std::string_view, 2> kOrdinalEndings{"rd", "th"};

/// Digits after "sus": "sus" alone is the fourth.
inline constexpr std::array<Added, 2> kSuspensions{{{2, kSus2}, {4, kSus4}}};

/// Numbers that can stand as the chord's extension; 8..14 are the major forms.
inline constexpr std::array<int32_t, 5> kExtensionNumbers{6, 7, 9, 11, 13};

/// Separators between a symbol's parts ("C7(b9,#11)", "C6/9", "C.maj7").
inline constexpr std::string_view kSeparators = ",./";

}  // namespace hq::symbol
