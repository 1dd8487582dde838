#include "theory/composition.h"

#include <climits>

#include "platform/controls.h"
#include "theory/pitch.h"
#include "theory/spelling.h"

namespace hq {

const std::array<int32_t, kComposedBoxCount> kComposedBoxes{
    kid::Rb,    kid::Rs,    kid::E13,   kid::E11,   kid::E9,    kid::E7,    kid::E6,   kid::Emaj7,
    kid::Emaj9, kid::Emaj11, kid::Emaj13, kid::sus2, kid::sus4,  kid::add2,  kid::add9, kid::add4,
    kid::add11, kid::add6,  kid::add13, kid::BC,    kid::BD,    kid::BE,    kid::BF,   kid::BG,
    kid::BA,    kid::BB,    kid::Bb,    kid::Bs,    kid::Ab13,  kid::As11,  kid::Ano3, kid::As9,
    kid::Ab9,   kid::Ab5,   kid::As5,   kid::Ano5,
};

namespace {

using Field = int32_t ChordDefinition::*;
constexpr int32_t kAnyValue = INT32_MIN;

/// Clears a field, or only when it holds `onlyIf`.
struct Clear {
    Field field = nullptr;
    int32_t onlyIf = kAnyValue;
};

/// Why a rule row disabled a box, in the words its tooltip uses.
enum class Reason : uint8_t {
    None, Minor, Augmented, Diminished, Sixth, Ninth, Eleventh, Thirteenth, NoSeventh,
    Sus2, AddedNinth, Sus4, AddedEleventh, AddedThirteenth,
};

constexpr std::array<std::string_view, 14> kReasonTexts{
    "",
    "Not available with a minor chord",
    "Not available with an augmented chord",
    "Not available with a diminished chord",
    "Not available with the 6th extension",
    "Not available with the 9th extension: the ninth is already in it",
    "Not available with the 11th extension: the eleventh is already in it",
    "Not available with the 13th extension: the thirteenth is already in it",
    "Needs a 7th or larger extension",
    "Not available with sus2",
    "Not available with an added ninth",
    "Not available with sus4",
    "Not available with an added eleventh",
    "Not available with an added thirteenth",
};

// Lists below end at the first 0 (no KidNumber or mark index is 0 in them).
struct ClassRule {
    int32_t chordClass;
    Reason reason;
    std::array<int32_t, 7> disables;
    std::array<Clear, 7> clears;
    std::string_view text;
    std::array<int32_t, 2> marks;
};

constexpr std::array<ClassRule, 4> kClassRules{{
    {chord_class::Major, Reason::None, {}, {}, "", {4, 7}},
    {chord_class::Minor,
     Reason::Minor,
     {kid::sus2, kid::sus4, kid::Ano3, kid::As9},
     {{{&ChordDefinition::SecondAdd, 3},
       {&ChordDefinition::FourthAdd, 3},
       {&ChordDefinition::NoThird},
       {&ChordDefinition::NinthAlteration, 1}}},
     "m",
     {3, 7}},
    {chord_class::Augmented, Reason::Augmented, {kid::Ab13}, {{{&ChordDefinition::FlatThirteenth}}}, ".aug", {4, 8}},
    {chord_class::Diminished,
     Reason::Diminished,
     {kid::sus2, kid::sus4, kid::As9, kid::As11, kid::add6, kid::add13, kid::E13},
     {{{&ChordDefinition::SixthAdd},
       {&ChordDefinition::SecondAdd, 3},
       {&ChordDefinition::FourthAdd, 3},
       {&ChordDefinition::Extension, 13},
       {&ChordDefinition::Extension, 6},
       {&ChordDefinition::NinthAlteration, 1},
       {&ChordDefinition::SharpEleventh}}},
     ".dim",
     {3, 6}},
}};

constexpr int32_t kSeventh = -1;  // mark 9 for a diminished chord, else 10

struct ExtensionRule {
    int32_t extension;
    int32_t box;
    Reason reason;
    std::array<int32_t, 9> disables;
    std::array<Field, 4> clears;
    std::string_view text;
    std::array<int32_t, 4> marks;
};

constexpr std::array<int32_t, 9> kNinthDisables{kid::sus2, kid::add2, kid::add9, kid::Ab9, kid::As9};
constexpr std::array<Field, 4> kNinthClears{&ChordDefinition::SecondAdd, &ChordDefinition::NinthAlteration};
constexpr std::array<int32_t, 9> kEleventhDisables{kid::sus2, kid::add2, kid::add9, kid::sus4,
                                                   kid::add4, kid::add11, kid::As11};
constexpr std::array<Field, 4> kEleventhClears{&ChordDefinition::SecondAdd, &ChordDefinition::FourthAdd,
                                               &ChordDefinition::SharpEleventh};
constexpr std::array<int32_t, 9> kThirteenthDisables{kid::sus2, kid::add2,  kid::add9,  kid::sus4, kid::add4,
                                                     kid::add11, kid::add6, kid::add13, kid::Ab13};
constexpr std::array<Field, 4> kThirteenthClears{&ChordDefinition::SecondAdd, &ChordDefinition::FourthAdd,
                                                 &ChordDefinition::SixthAdd, &ChordDefinition::FlatThirteenth};

constexpr std::array<ExtensionRule, 9> kExtensionRules{{
    {6, kid::E6, Reason::Sixth, {kid::add6, kid::add13, kid::Ab13}, {&ChordDefinition::SixthAdd, &ChordDefinition::FlatThirteenth}, "6", {9}},
    {7, kid::E7, Reason::None, {}, {}, "7", {kSeventh}},
    {8, kid::Emaj7, Reason::None, {}, {}, ".maj7", {11}},
    {9, kid::E9, Reason::Ninth, kNinthDisables, kNinthClears, "9", {kSeventh, 14}},
    {10, kid::Emaj9, Reason::Ninth, kNinthDisables, kNinthClears, ".maj9", {11, 14}},
    {11, kid::E11, Reason::Eleventh, kEleventhDisables, kEleventhClears, "11", {kSeventh, 14, 17}},
    {12, kid::Emaj11, Reason::Eleventh, kEleventhDisables, kEleventhClears, ".maj11", {11, 14, 17}},
    {13, kid::E13, Reason::Thirteenth, kThirteenthDisables, kThirteenthClears, "13", {kSeventh, 14, 17, 21}},
    {14, kid::Emaj13, Reason::Thirteenth, kThirteenthDisables, kThirteenthClears, ".maj13", {11, 14, 17, 21}},
}};

struct MarkChange {
    int32_t index = 0;
    int32_t value = 0;
};

struct AdditionRule {
    int32_t code;
    int32_t box;
    Reason reason;
    std::array<int32_t, 3> disables;
    std::array<Field, 2> clears;
    std::string_view text;
    std::array<MarkChange, 2> marks;
};

constexpr std::array<AdditionRule, 3> kSecondRules{{
    {2, kid::add2, Reason::AddedNinth, {kid::Ab9, kid::As9}, {&ChordDefinition::NinthAlteration}, ".add2", {{{2, 1}}}},
    {3, kid::sus2, Reason::Sus2, {kid::Ab9, kid::As9, kid::Ano3}, {&ChordDefinition::NinthAlteration, &ChordDefinition::NoThird}, ".sus2", {{{4, 0}, {2, 1}}}},
    {9, kid::add9, Reason::AddedNinth, {kid::Ab9, kid::As9}, {&ChordDefinition::NinthAlteration}, ".add9", {{{14, 1}}}},
}};
constexpr std::array<AdditionRule, 3> kFourthRules{{
    {4, kid::add4, Reason::AddedEleventh, {kid::As11}, {&ChordDefinition::SharpEleventh}, ".add4", {{{5, 1}}}},
    {3, kid::sus4, Reason::Sus4, {kid::As11, kid::Ano3}, {&ChordDefinition::SharpEleventh, &ChordDefinition::NoThird}, ".sus4", {{{4, 0}, {5, 1}}}},
    {11, kid::add11, Reason::AddedEleventh, {kid::As11}, {&ChordDefinition::SharpEleventh}, ".add11", {{{17, 1}}}},
}};
constexpr std::array<AdditionRule, 2> kSixthRules{{
    {6, kid::add6, Reason::AddedThirteenth, {kid::Ab13}, {&ChordDefinition::FlatThirteenth}, ".add6", {{{9, 1}}}},
    {13, kid::add13, Reason::AddedThirteenth, {kid::Ab13}, {&ChordDefinition::FlatThirteenth}, ".add13", {{{21, 1}}}},
}};

/// An alteration holds when its field equals `value` (any nonzero value for
/// flags); it drops one mark and sets another.
struct AlterationRule {
    Field field;
    int32_t value;
    int32_t box;
    std::string_view text;
    int32_t dropped;
    int32_t added;  // 0: none
};

constexpr int32_t kNonZero = kAnyValue;

constexpr std::array<AlterationRule, 8> kAlterationRules{{
    {&ChordDefinition::FifthAlteration, -1, kid::Ab5, "(b5)", 7, 6},
    {&ChordDefinition::FifthAlteration, 1, kid::As5, "(#5)", 7, 8},
    {&ChordDefinition::SharpEleventh, kNonZero, kid::As11, "(#11)", 17, 18},
    {&ChordDefinition::FlatThirteenth, kNonZero, kid::Ab13, "(b13)", 21, 20},
    {&ChordDefinition::NinthAlteration, -1, kid::Ab9, "(b9)", 14, 13},
    {&ChordDefinition::NinthAlteration, 1, kid::As9, "(#9)", 14, 15},
    {&ChordDefinition::NoThird, kNonZero, kid::Ano3, "(no3)", 4, 0},
    {&ChordDefinition::NoFifth, kNonZero, kid::Ano5, "(no5)", 7, 0},
}};

constexpr std::array<int32_t, 12> kBassBoxByPitch{kid::BC, 0, kid::BD, 0, kid::BE, kid::BF,
                                                  0,       kid::BG, 0, kid::BA, 0, kid::BB};

constexpr std::array<std::string_view, 22> kIntervalNames{
    "1",  "b2", "2", "b3", "3",  "4",  "b5", "5",  "#5",  "6",  "b7",
    "7",  "8",  "b9", "9", "#9", "b11", "11", "#11", "12", "b13", "13",
};

template <size_t N>
bool Contains(const std::array<int32_t, N>& values, int32_t value) {
    for (int32_t v : values) {
        if (v == value) return true;
    }
    return false;
}

bool Matches(int32_t fieldValue, int32_t wanted) {
    return wanted == kAnyValue ? fieldValue != 0 : fieldValue == wanted;
}

class Composer {
public:
    explicit Composer(const ChordDefinition& definition) { out_.definition = definition; }

    Composition Run() {
        Root();
        ChordClass();
        Extension();
        Additions();
        Alterations();
        Bass();
        Texts();
        return std::move(out_);
    }

private:
    Composition out_;
    ChordDefinition& d_ = out_.definition;
    ComposedChord& c_ = out_.chord;
    std::array<int32_t, kIntervalMarkCount>& marks_ = out_.chord.IntervalMarks;

    void Check(int32_t kidNumber) { out_.controls[static_cast<size_t>(kidNumber)].checked = true; }
    void Disable(int32_t kidNumber, Reason reason) {
        ControlState& s = out_.controls[static_cast<size_t>(kidNumber)];
        s.checked = false;
        s.enabled = false;
        s.disabledBy.push_back(kReasonTexts[static_cast<size_t>(reason)]);
    }
    template <size_t N>
    void DisableAll(const std::array<int32_t, N>& kids, Reason reason) {
        for (int32_t k : kids) {
            if (k != 0) Disable(k, reason);
        }
    }
    int32_t Seventh() const { return d_.ChordClass == chord_class::Diminished ? 9 : 10; }

    /// The pitch and name of a letter with its accidentals; damaged files can
    /// set both, and both then apply.
    struct Accidentals {
        int32_t flat, sharp;
        int32_t flatBox, sharpBox;
    };
    void SpellLetter(int32_t letterPitch, const std::string& letter, Accidentals a, int32_t& pitch,
                     std::string& name) {
        pitch = Mod12(letterPitch);
        name = letter;
        if (a.flat != 0) {
            Check(a.flatBox);
            pitch = (pitch + 11) % 12;
            name += 'b';
        }
        if (a.sharp != 0) {
            Check(a.sharpBox);
            pitch = (pitch + 1) % 12;
            name += '#';
        }
    }

    void Root() {
        SpellLetter(d_.RootLetterPitch, d_.RootLetter, {d_.RootFlat, d_.RootSharp, kid::Rb, kid::Rs}, c_.RootPitch,
                    c_.RootName);
        c_.Notation = c_.RootName;
        marks_[0] = mark::Tone;
    }

    void ChordClass() {
        for (const ClassRule& rule : kClassRules) {
            if (rule.chordClass != d_.ChordClass) continue;
            if (rule.chordClass == chord_class::Augmented || rule.chordClass == chord_class::Diminished) {
                DisableAll(std::array{kid::E6, kid::Emaj7, kid::Emaj9, kid::Emaj11, kid::Emaj13}, rule.reason);
                if (Contains(std::array{6, 8, 10, 12, 14}, d_.Extension)) d_.Extension = 0;
                DisableAll(std::array{kid::Ab5, kid::As5, kid::Ano3, kid::Ano5}, rule.reason);
                d_.FifthAlteration = d_.NoThird = d_.NoFifth = 0;
            }
            DisableAll(rule.disables, rule.reason);
            for (const Clear& clear : rule.clears) {
                if (clear.field != nullptr && (clear.onlyIf == kAnyValue || d_.*clear.field == clear.onlyIf)) {
                    d_.*clear.field = 0;
                }
            }
            c_.Notation += rule.text;
            for (int32_t m : rule.marks) marks_[static_cast<size_t>(m)] = mark::Tone;
        }
    }

    void Extension() {
        for (const ExtensionRule& rule : kExtensionRules) {
            if (rule.extension != d_.Extension) continue;
            Check(rule.box);
            DisableAll(rule.disables, rule.reason);
            for (Field f : rule.clears) {
                if (f != nullptr) d_.*f = 0;
            }
            c_.Notation += rule.text;
            for (int32_t m : rule.marks) {
                if (m != 0) marks_[static_cast<size_t>(m == kSeventh ? Seventh() : m)] = mark::Tone;
            }
        }
        if (d_.Extension == 0 || d_.Extension == 6) {
            DisableAll(std::array{kid::Ab9, kid::As9, kid::As11, kid::Ab13}, Reason::NoSeventh);
            d_.NinthAlteration = d_.SharpEleventh = d_.FlatThirteenth = 0;
        }
    }

    template <size_t N>
    void Addition(const std::array<AdditionRule, N>& rules, int32_t code) {
        for (const AdditionRule& rule : rules) {
            if (rule.code != code) continue;
            Check(rule.box);
            DisableAll(rule.disables, rule.reason);
            for (Field f : rule.clears) {
                if (f != nullptr) d_.*f = 0;
            }
            c_.Notation += rule.text;
            for (const MarkChange& m : rule.marks) {
                if (m.index != 0) marks_[static_cast<size_t>(m.index)] = m.value;
            }
        }
    }

    void Additions() {
        Addition(kSecondRules, d_.SecondAdd);
        Addition(kFourthRules, d_.FourthAdd);
        Addition(kSixthRules, d_.SixthAdd);
    }

    void Alterations() {
        for (const AlterationRule& rule : kAlterationRules) {
            if (!Matches(d_.*rule.field, rule.value)) continue;
            Check(rule.box);
            c_.Notation += rule.text;
            marks_[static_cast<size_t>(rule.dropped)] = mark::None;
            if (rule.added != 0) marks_[static_cast<size_t>(rule.added)] = mark::Tone;
        }
    }

    void Bass() {
        if (d_.BassSelected == 0) {
            c_.BassIndex = 0;
            d_.BassFlat = d_.BassSharp = 0;
            return;
        }
        // Only a letter pitch has a box; a damaged value still sounds, reduced.
        const int32_t letter = d_.BassLetterPitch;
        if (letter >= 0 && letter < 12 && kBassBoxByPitch[static_cast<size_t>(letter)] != 0) {
            Check(kBassBoxByPitch[static_cast<size_t>(letter)]);
        }
        SpellLetter(letter, d_.BassLetter, {d_.BassFlat, d_.BassSharp, kid::Bb, kid::Bs}, c_.BassPitch, c_.BassName);
        if (c_.BassPitch == c_.RootPitch) {
            c_.BassIndex = 0;
            return;
        }
        c_.Notation += c_.BassName;
        const int32_t d = (c_.BassPitch - c_.RootPitch + 12) % 12;
        const auto low = static_cast<size_t>(d);
        if (marks_[low] == mark::None && marks_[low + 12] == mark::None) {
            out_.bassAnomaly = true;
            marks_[low] = mark::ForeignBass;
            c_.BassIndex = d;
        } else if (marks_[low] != mark::None) {
            marks_[low] = mark::ToneAndBass;
            c_.BassIndex = d;
        } else {
            // The bass names a tone that sounds only in the upper octave.
            marks_[low + 12] = mark::ToneAndBass;
            c_.BassIndex = d + 12;
        }
    }

    void Texts() {
        const SpellingPreference preference = PreferenceFor(d_, c_.RootPitch);
        std::string& distances = c_.DistancesText;
        std::string& intervals = c_.IntervalsText;
        std::string& notes = c_.BasicNotesText;
        distances = "0";
        intervals = "1";
        notes = c_.RootName;
        for (int32_t i = 1; i <= 21; ++i) {
            const int32_t m = marks_[static_cast<size_t>(i)];
            if (m < mark::Tone) continue;
            distances += '-';
            intervals += '-';
            notes += ',';
            const std::string_view bassSign = m == mark::ToneAndBass ? "/" : m == mark::ForeignBass ? "//" : "";
            distances += bassSign;
            intervals += bassSign;
            notes += bassSign;
            distances += std::to_string(i);
            intervals += IntervalName(i, d_);
            notes += NoteName(c_.RootPitch + i, preference);
        }
    }
};

}  // namespace

std::string_view IntervalName(int32_t index, const ChordDefinition& d) {
    if (index < 0 || index >= static_cast<int32_t>(kIntervalNames.size())) return "";
    if (index == 9 && d.ChordClass == chord_class::Diminished && d.Extension > 6) return "bb7";
    return kIntervalNames[static_cast<size_t>(index)];
}

Composition Compose(const ChordDefinition& definition) { return Composer(definition).Run(); }

}  // namespace hq
