#include "analyzer/naming_words.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

#include "analyzer/naming.h"
#include "analyzer/naming_costs.h"
#include "theory/composition.h"
#include "theory/pitch.h"

namespace hq {
namespace naming {
namespace {

// What a captured note that the panels drop would have been, by its distance
// above the root: the tensions the fixed list names.
constexpr std::array<std::string_view, 12> kLeftOutRoles{"1",  "b9", "9",   "#9",  "3",  "11",
                                                         "#11", "5", "b13", "13", "b7", "7"};
constexpr std::array<int32_t, 12> kLeftOutIndex{0, 13, 14, 15, 4, 17, 18, 7, 20, 21, 10, 11};

struct RoleAt {
    int32_t index;
    NoteRole role;
};

std::vector<RoleAt> RolesWithIndex(const NamedChord& chord) {
    const Composition composition = Compose(chord.definition);
    const ComposedChord& c = composition.chord;
    std::vector<RoleAt> roles;
    for (int32_t i = 0; i < kIntervalMarkCount; ++i) {
        const int32_t m = c.IntervalMarks[static_cast<size_t>(i)];
        if (m == mark::None) continue;
        const int32_t pitch = Mod12(c.RootPitch + i);
        NoteRole r{pitch, m == mark::ForeignBass ? "bass" : std::string(IntervalName(i, composition.definition)), ""};
        r.spelled = m == mark::ForeignBass ? std::string(kFlatNames[static_cast<size_t>(pitch)])
                                           : SpellInterval(c.RootName, pitch, r.role);
        roles.push_back({i, std::move(r)});
    }
    for (int32_t p : chord.leftOut) {
        const auto d = static_cast<size_t>(Mod12(p - c.RootPitch));
        NoteRole r{p, std::string(kLeftOutRoles[d]), SpellInterval(c.RootName, p, kLeftOutRoles[d])};
        roles.push_back({kLeftOutIndex[d], std::move(r)});
    }
    std::stable_sort(roles.begin(), roles.end(), [](const RoleAt& a, const RoleAt& b) { return a.index < b.index; });
    return roles;
}

constexpr std::array<std::string_view, 7> kDegreeWords{"root", "second", "third", "fourth", "fifth", "sixth", "seventh"};

/// "flat ninth", "sharp eleventh", "third" for an interval name.
std::string IntervalWords(std::string_view name) {
    std::string words;
    size_t i = 0;
    for (; i < name.size() && (name[i] == 'b' || name[i] == '#'); ++i) {
        words += name[i] == 'b' ? (i + 1 < name.size() && name[i + 1] == 'b' ? "double flat " : "flat ") : "sharp ";
        if (i + 1 < name.size() && name[i] == 'b' && name[i + 1] == 'b') ++i;
    }
    const int32_t number = std::atoi(std::string(name.substr(i)).c_str());
    if (number == 9) return words + "ninth";
    if (number == 11) return words + "eleventh";
    if (number == 13) return words + "thirteenth";
    if (number < 1 || number > 7) return words + std::string(name.substr(i));
    return words + std::string(kDegreeWords[static_cast<size_t>(number - 1)]);
}

std::string_view DegreeWord(int32_t extension) {
    if (extension == 9 || extension == 10) return "ninth";
    if (extension == 11 || extension == 12) return "eleventh";
    if (extension == 13 || extension == 14) return "thirteenth";
    return "seventh";
}

std::string QualityWords(const ChordDefinition& d, bool& halfDiminished) {
    constexpr std::array<std::string_view, 4> kTriads{"major", "minor", "augmented", "diminished"};
    const Seventh seventh = SeventhOf(d.Extension);
    const auto cls = static_cast<size_t>(std::clamp(d.ChordClass, 0, 3));
    halfDiminished = d.ChordClass == chord_class::Minor && d.FifthAlteration == -1 && seventh == Seventh::Minor;
    if (seventh == Seventh::None) return std::string(kTriads[cls]);
    if (seventh == Seventh::Sixth) return std::string(kTriads[cls]) + " sixth";
    const std::string degree(DegreeWord(d.Extension));
    if (halfDiminished) return "half-diminished " + degree;
    if (d.ChordClass == chord_class::Major) return (seventh == Seventh::Major ? "major " : "dominant ") + degree;
    if (d.ChordClass == chord_class::Minor && seventh == Seventh::Major) return "minor major " + degree;
    return std::string(kTriads[cls]) + " " + degree;
}

struct ModifierWords {
    int32_t ChordDefinition::*field;
    int32_t value;
    std::string_view words;
    std::string_view symbol;  // as the panels label it
};

constexpr std::array<ModifierWords, 16> kModifierWords{{
    {&ChordDefinition::FifthAlteration, -1, "flat fifth", "b5"},
    {&ChordDefinition::FifthAlteration, 1, "sharp fifth", "#5"},
    {&ChordDefinition::SecondAdd, 3, "suspended second", "sus2"},
    {&ChordDefinition::SecondAdd, 2, "added second", "add2"},
    {&ChordDefinition::SecondAdd, 9, "added ninth", "add9"},
    {&ChordDefinition::FourthAdd, 3, "suspended fourth", "sus4"},
    {&ChordDefinition::FourthAdd, 4, "added fourth", "add4"},
    {&ChordDefinition::FourthAdd, 11, "added eleventh", "add11"},
    {&ChordDefinition::SixthAdd, 6, "added sixth", "add6"},
    {&ChordDefinition::SixthAdd, 13, "added thirteenth", "add13"},
    {&ChordDefinition::NinthAlteration, -1, "flat ninth", "b9"},
    {&ChordDefinition::NinthAlteration, 1, "sharp ninth", "#9"},
    {&ChordDefinition::SharpEleventh, 1, "sharp eleventh", "#11"},
    {&ChordDefinition::FlatThirteenth, 1, "flat thirteenth", "b13"},
    {&ChordDefinition::NoThird, 1, "no third", "no3"},
    {&ChordDefinition::NoFifth, 1, "no fifth", "no5"},
}};

std::string BassWords(const Composition& composition) {
    const ComposedChord& c = composition.chord;
    if (composition.definition.BassSelected == 0 || c.BassIndex == 0) return "";
    const int32_t index = c.BassIndex;
    if (c.IntervalMarks[static_cast<size_t>(index)] == mark::ForeignBass) {
        return "over " + std::string(kFlatNames[static_cast<size_t>(c.BassPitch)]) + ", not a chord tone";
    }
    const std::string_view name = IntervalName(index, composition.definition);
    if (index == 3 || index == 4) return "first inversion";
    if (index >= 6 && index <= 8) return "second inversion";
    if (index == 10 || index == 11 || name == "bb7") return "third inversion";
    return IntervalWords(name) + " in the bass";
}

std::string JoinWithAnd(const std::vector<std::string_view>& parts) {
    std::string text;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) text += i + 1 == parts.size() ? " and " : ", ";
        text += parts[i];
    }
    return text;
}

// Which field of `raw` stops `field` from surviving composition: the first
// set field whose removal lets it through.
std::string_view Blocker(const ChordDefinition& raw, const ModifierWords& lost) {
    for (const ModifierWords& other : kModifierWords) {
        if (other.field == lost.field || raw.*other.field != other.value) continue;
        ChordDefinition without = raw;
        without.*other.field = 0;
        if (Compose(without).definition.*lost.field == lost.value) return other.symbol;
    }
    ChordDefinition plainExtension = raw;
    plainExtension.Extension = 0;
    if (raw.Extension != 0 && Compose(plainExtension).definition.*lost.field == lost.value) return "its extension";
    return "its chord class";
}

}  // namespace

std::string NoteList(const std::vector<int32_t>& pitches) {
    std::vector<std::string_view> names;
    for (int32_t p : pitches) names.push_back(kFlatNames[static_cast<size_t>(Mod12(p))]);
    return JoinWithAnd(names);
}

std::vector<std::string> LostCombinations(const ChordDefinition& raw, const ChordDefinition& kept) {
    std::vector<std::string> reasons;
    for (const ModifierWords& m : kModifierWords) {
        if (raw.*m.field != m.value || kept.*m.field == m.value) continue;
        reasons.push_back("the panels cannot combine " + std::string(m.symbol) + " with " +
                          std::string(Blocker(raw, m)));
    }
    return reasons;
}

}  // namespace naming

using namespace naming;

namespace {

struct IntervalWord {
    std::string_view words;
    std::string_view name;  // spells the upper note from the lower
};

// By semitones above the lower note; the tritone as an augmented fourth
// spells most lower notes with a single accidental.
constexpr std::array<IntervalWord, 12> kIntervalWords{{
    {"", ""},
    {"minor second", "b2"},
    {"major second", "2"},
    {"minor third", "b3"},
    {"major third", "3"},
    {"perfect fourth", "4"},
    {"tritone", "#4"},
    {"perfect fifth", "5"},
    {"minor sixth", "b6"},
    {"major sixth", "6"},
    {"minor seventh", "b7"},
    {"major seventh", "7"},
}};

struct TwoNotes {
    int32_t lower = 0;
    int32_t distance = 0;  // 1..11
};

std::optional<TwoNotes> TwoNotesOf(std::span<const int32_t> capturedPitches) {
    std::vector<int32_t> classes;
    for (int32_t p : capturedPitches) {
        if (std::find(classes.begin(), classes.end(), Mod12(p)) == classes.end()) classes.push_back(Mod12(p));
    }
    if (classes.size() != 2) return std::nullopt;
    return TwoNotes{classes[0], Mod12(classes[1] - classes[0])};
}

}  // namespace

std::string IntervalOfTwo(std::span<const int32_t> capturedPitches) {
    const std::optional<TwoNotes> two = TwoNotesOf(capturedPitches);
    return two ? std::string(kIntervalWords[static_cast<size_t>(two->distance)].words) : std::string();
}

std::string IntervalLineOfTwo(std::span<const int32_t> capturedPitches) {
    const std::optional<TwoNotes> two = TwoNotesOf(capturedPitches);
    if (!two) return "";
    const IntervalWord& w = kIntervalWords[static_cast<size_t>(two->distance)];
    const std::string_view lower = kFlatNames[static_cast<size_t>(two->lower)];
    std::string upper = SpellInterval(lower, two->lower + two->distance, w.name);
    // A double accidental reads worse than the plain name of the key.
    if (upper.size() > 2) upper = kFlatNames[static_cast<size_t>(Mod12(two->lower + two->distance))];
    return std::string(lower) + "\u2013" + upper + ", " + std::string(w.words);
}

std::vector<NoteRole> RolesOf(const NamedChord& chord) {
    std::vector<NoteRole> roles;
    for (RoleAt& r : RolesWithIndex(chord)) roles.push_back(std::move(r.role));
    return roles;
}

std::string ExplanationOf(const NamedChord& chord) {
    const Composition composition = Compose(chord.definition);
    const ChordDefinition& d = composition.definition;
    bool halfDiminished = false;
    std::string text = composition.chord.RootName + " " + QualityWords(d, halfDiminished);
    std::vector<std::string_view> with;
    std::vector<std::string_view> without;
    for (const ModifierWords& m : kModifierWords) {
        if (d.*m.field != m.value) continue;
        if (halfDiminished && m.field == &ChordDefinition::FifthAlteration) continue;
        (m.field == &ChordDefinition::NoThird || m.field == &ChordDefinition::NoFifth ? without : with)
            .push_back(m.words);
    }
    if (!with.empty()) text += " with " + JoinWithAnd(with);
    for (std::string_view w : without) text += ", " + std::string(w);
    const std::string bass = BassWords(composition);
    if (!bass.empty()) text += ", " + bass;
    if (!chord.leftOut.empty()) text += "; leaves out " + NoteList(chord.leftOut);
    return text;
}
}  // namespace hq
