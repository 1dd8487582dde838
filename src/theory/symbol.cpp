#include "theory/symbol.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>

#include "theory/chord_space.h"
#include "theory/pitch.h"
#include "theory/spelling.h"
#include "theory/symbol_text.h"
#include "theory/symbol_vocabulary.h"

namespace hq {
namespace {

using namespace symbol;

// ---- Pass 5: the definition the symbol spells out ----------------------------

/// The fields the symbol names, as the panels would hold them if they could.
ChordDefinition Literal(const Reading& r) {
    ChordDefinition d;
    const auto has = [&](uint32_t tone) { return (r.tones & tone) != 0; };
    switch (r.quality) {
    case Quality::Major: d.ChordClass = chord_class::Major; break;
    case Quality::Power: d.ChordClass = chord_class::Major, d.NoThird = 1; break;
    case Quality::Minor: d.ChordClass = chord_class::Minor; break;
    case Quality::HalfDiminished: d.ChordClass = chord_class::Minor, d.FifthAlteration = -1; break;
    case Quality::Augmented: d.ChordClass = chord_class::Augmented; break;
    case Quality::Diminished: d.ChordClass = chord_class::Diminished; break;
    }
    d.Extension = r.extension >= 7 && r.majorSeventh ? r.extension + 1 : r.extension;
    d.SecondAdd = has(kSus2) ? 3 : has(kAdd9) ? 9 : has(kAdd2) ? 2 : 0;
    d.FourthAdd = has(kSus4) ? 3 : has(kAdd11) ? 11 : has(kAdd4) ? 4 : 0;
    d.SixthAdd = has(kAdd13) ? 13 : has(kAdd6) ? 6 : 0;
    if (has(kFlat5)) d.FifthAlteration = -1;
    if (has(kSharp5)) d.FifthAlteration = 1;
    d.NinthAlteration = has(kFlat9) ? -1 : has(kSharp9) ? 1 : 0;
    d.SharpEleventh = has(kSharp11) ? 1 : 0;
    d.FlatThirteenth = has(kFlat13) ? 1 : 0;
    if (has(kNo3)) d.NoThird = 1;
    d.NoFifth = has(kNo5) ? 1 : 0;
    return d;
}

// ---- Pass 6: the panels' reading, by a fixed preference ----------------------

struct Wish {
    ChordDefinition literal;
    uint32_t tones;       // IntervalMarks indices, as TonesOf gives them
    uint16_t chordNotes;  // without the bass
};

int32_t Degree(int32_t extension) { return extension >= 7 ? extension - (extension % 2 == 0 ? 1 : 0) : extension; }

// The additions, then the alterations and omissions, in the order of kShapeFields.
constexpr auto kPartFields = std::span<const ShapeField>(kShapeFields).subspan(2);
constexpr auto kAdditionFields = kPartFields.first(3);
constexpr auto kAlterationFields = kPartFields.subspan(3);

int32_t CountNonZero(const ChordShape& shape, std::span<const ShapeField> fields) {
    return static_cast<int32_t>(
        std::count_if(fields.begin(), fields.end(), [&](const ShapeField& f) { return shape.*f.shape != 0; }));
}

struct Criterion {
    std::string_view name;
    int32_t (*score)(const SpaceShape&, const Wish&);  // higher is preferred
};

/// Earlier criteria decide; later ones only break ties.
constexpr std::array<Criterion, 9> kPreference{{
    {"the bass adds no tone and hides none",
     [](const SpaceShape& s, const Wish& w) { return static_cast<int32_t>(s.notes == w.chordNotes); }},
    {"the class the symbol names",
     [](const SpaceShape& s, const Wish& w) { return static_cast<int32_t>(s.shape.ChordClass == w.literal.ChordClass); }},
    {"the suspensions the symbol names",
     [](const SpaceShape& s, const Wish& w) {
         return static_cast<int32_t>((s.shape.SecondAdd == 3) == (w.literal.SecondAdd == 3) &&
                                     (s.shape.FourthAdd == 3) == (w.literal.FourthAdd == 3));
     }},
    {"the extension the symbol names",
     [](const SpaceShape& s, const Wish& w) { return static_cast<int32_t>(s.shape.Extension == w.literal.Extension); }},
    {"the nearest extension",
     [](const SpaceShape& s, const Wish& w) { return -std::abs(Degree(s.shape.Extension) - Degree(w.literal.Extension)); }},
    {"most of the parts the symbol names",
     [](const SpaceShape& s, const Wish& w) {
         int32_t same = 0;
         for (const ShapeField& f : kPartFields) {
             const int32_t wanted = w.literal.*f.definition;
             same += wanted != 0 && wanted == s.shape.*f.shape ? 1 : 0;
         }
         return same;
     }},
    {"most tones at the degrees the symbol names",
     [](const SpaceShape& s, const Wish& w) { return std::popcount(s.tones & w.tones); }},
    {"fewest additions", [](const SpaceShape& s, const Wish&) { return -CountNonZero(s.shape, kAdditionFields); }},
    {"fewest alterations", [](const SpaceShape& s, const Wish&) { return -CountNonZero(s.shape, kAlterationFields); }},
}};

bool Preferred(const SpaceShape& a, const SpaceShape& b, const Wish& w) {
    for (const Criterion& c : kPreference) {
        const int32_t sa = c.score(a, w);
        const int32_t sb = c.score(b, w);
        if (sa != sb) return sa > sb;
    }
    return false;
}

const SpaceShape* Choose(const Wish& wish, int32_t bassInterval) {
    const SpaceShape* best = nullptr;
    const auto consider = [&](uint16_t notes) {
        for (const SpaceShape& s : ChordSpace::Get().WithNotes(notes)) {
            if (s.reach == Reach::StoredRecord) continue;  // a symbol is typed into the panels
            if (best == nullptr || Preferred(s, *best, wish)) best = &s;
        }
    };
    // The bass sounds either way: as a chord tone or as a bass of its own.
    const uint16_t bassBit = static_cast<uint16_t>(1u << bassInterval);
    const auto all = static_cast<uint16_t>(wish.chordNotes | bassBit);
    consider(all);
    if (bassInterval != 0) consider(static_cast<uint16_t>(all & ~bassBit));
    return best;
}

// ---- Pass 7: why the panels cannot hold it -----------------------------------

struct Diagnosis {
    bool (*applies)(const Reading&);
    std::string_view reason;
};

bool Has(const Reading& r, uint32_t tones) { return (r.tones & tones) == tones; }
bool NoSeventh(const Reading& r) { return r.extension < 7; }

constexpr std::array<Diagnosis, 6> kDiagnoses{{
    {[](const Reading& r) { return Has(r, kFlat9 | kSharp9); }, "b9 and #9 together cannot be built in the panels"},
    {[](const Reading& r) { return Has(r, kFlat5 | kSharp5); }, "b5 and #5 together cannot be built in the panels"},
    {[](const Reading& r) { return NoSeventh(r) && Has(r, kFlat13); }, "a b13 needs a seventh in the panels"},
    {[](const Reading& r) { return NoSeventh(r) && Has(r, kSharp11); }, "a #11 needs a seventh in the panels"},
    {[](const Reading& r) { return NoSeventh(r) && Has(r, kFlat9); }, "a b9 needs a seventh in the panels"},
    {[](const Reading& r) { return NoSeventh(r) && Has(r, kSharp9); }, "a #9 needs a seventh in the panels"},
}};

std::string Unbuildable(const Reading& r, const ChordDefinition& literal, int32_t rootPitch, std::string_view symbol) {
    for (const Diagnosis& d : kDiagnoses) {
        if (d.applies(r)) return std::string(d.reason);
    }
    const SpellingPreference preference = PreferenceFor(literal, rootPitch);
    const uint16_t notes = PitchClassesOf(TonesOf(r));
    std::string names;
    for (int32_t i = 0; i < 12; ++i) {
        if (((notes >> i) & 1u) == 0) continue;
        if (!names.empty()) names += ", ";
        names += NoteName(rootPitch + i, preference);
    }
    return Quoted(symbol) + " cannot be built in the panels: none of their chords holds exactly " + names;
}

void SetRoot(const Note& root, ChordDefinition& d) {
    d.RootLetterPitch = root.letterPitch;
    d.RootLetter = std::string(1, root.letter);
    d.RootFlat = root.flat;
    d.RootSharp = root.sharp;
}

void SetBass(const Note& bass, ChordDefinition& d) {
    d.BassSelected = 1;
    d.BassLetterPitch = bass.letterPitch;
    d.BassLetter = std::string{'/', bass.letter};
    d.BassFlat = bass.flat;
    d.BassSharp = bass.sharp;
}

SymbolReading Rejected(std::string reason) { return {std::nullopt, std::move(reason)}; }

}  // namespace

SymbolReading ReadChordSymbol(std::string_view text) {
    TextReading read = ReadSymbolText(text);
    if (!read.text) return Rejected(std::move(read.reason));
    const SymbolText& symbol = *read.text;
    const Reading& reading = symbol.reading;
    const ChordDefinition literal = Literal(reading);
    const uint32_t tones = TonesOf(reading);
    const Wish wish{literal, tones, PitchClassesOf(tones)};
    const int32_t rootPitch = symbol.root.Pitch();
    const int32_t bassInterval = symbol.bass ? Mod12(symbol.bass->Pitch() - rootPitch) : 0;
    const SpaceShape* shape = Choose(wish, bassInterval);
    if (shape == nullptr) return Rejected(Unbuildable(reading, literal, rootPitch, symbol.ascii.view()));

    ChordDefinition d;
    ApplyShape(shape->shape, d);
    SetRoot(symbol.root, d);
    if (symbol.bass) SetBass(*symbol.bass, d);
    return {std::move(d), {}};
}

}  // namespace hq
