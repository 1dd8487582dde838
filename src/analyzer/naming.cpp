#include "analyzer/naming.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

#include "analyzer/use_solution.h"
#include "platform/controls.h"
#include "theory/composition.h"
#include "theory/pitch.h"

namespace hq {
namespace {

// ---------------------------------------------------------------------------
// The cost table. Costs are in half steps of "how unusual this reading is";
// the cheapest reading is the name a musician says first. Everyday chords in
// root position cost 0 to 4, so that a slash costs less than an unusual
// reading of the same notes (C/E at 3 beats Em(#5) at 10).
// ---------------------------------------------------------------------------

enum class Seventh : uint8_t { None, Sixth, Minor, Major };

constexpr Seventh SeventhOf(int32_t extension) {
    if (extension == 6) return Seventh::Sixth;
    if (extension == 7 || extension == 9 || extension == 11 || extension == 13) return Seventh::Minor;
    if (extension == 8 || extension == 10 || extension == 12 || extension == 14) return Seventh::Major;
    return Seventh::None;
}

// By class, then fifth alteration -1, 0, +1: augmented and diminished
// readings of a common triad cost more than the triad they hide.
constexpr std::array<std::array<int32_t, 3>, 4> kTriadCost{{
    {6, 0, 6},   // major: (b5), plain, (#5) (C.aug is the usual spelling)
    {7, 1, 10},  // minor: m(b5) is a diminished triad, m(#5) a major triad in inversion
    {4, 4, 4},   // augmented
    {4, 4, 4},   // diminished
}};

// By class, then none, sixth, minor seventh, major seventh. A sixth costs
// more than its relative minor seventh: Am7 before C6/A, C6 before Am7/C.
constexpr std::array<std::array<int32_t, 4>, 4> kSeventhCost{{
    {0, 4, 2, 2},   // major: 6, 7, maj7
    {0, 3, 1, 4},   // minor: m6, m7, m.maj7
    {0, 9, 1, 9},   // augmented: .aug7
    {0, 9, -1, 9},  // diminished: .dim7 (the diminished seventh is its own chord)
}};

// Chords with a name of their own, cheaper than the sum of their parts.
constexpr int32_t kHalfDiminishedDiscount = -4;  // m7(b5)
constexpr int32_t kSevenSusFourDiscount = -2;    // 7.sus4, 9.sus4
constexpr int32_t kSixNineDiscount = -2;         // 6.add9
// Readings a musician avoids.
constexpr int32_t kSymmetricTensionCost = 4;   // each tension or addition on .aug or .dim
constexpr int32_t kSymmetricExtensionCost = 6;  // .dim9, .aug11 and higher
constexpr int32_t kSixthWithFourthCost = 3;     // 6.add11, 6.sus4: a seventh chord in disguise
constexpr int32_t kFurtherAdditionCost = 1;     // each addition after the first
constexpr int32_t kSusWithAdditionCost = 2;     // .sus4.add9 and the like
constexpr int32_t kSusWithAlteredFifthCost = 2;  // .sus2(b5)
constexpr int32_t kFurtherAlterationCost = 1;   // each alteration after the first
constexpr int32_t kSharpNineWithoutThirdCost = 3;  // #9 is heard against a major third
constexpr int32_t kSusWithoutFifthCost = 3;     // neither third nor fifth: hardly a chord
constexpr int32_t kSharpElevenWithoutFifthCost = 2;  // players write (b5) then
constexpr int32_t kAddThirteenCost = 2;  // add13 or add6 on a triad is a sixth chord spelled oddly
constexpr int32_t kThirteenWithoutNinthCost = 1;  // 7.add13: the ninth usually comes with it

// Extension degree beyond the seventh, by Extension code.
constexpr int32_t ExtensionDegreeCost(int32_t extension) {
    if (extension == 9 || extension == 10) return 2;
    if (extension == 11 || extension == 12) return 3;
    if (extension == 13 || extension == 14) return 5;
    return 0;
}

struct ModifierCost {
    int32_t ChordDefinition::*field;
    int32_t value;
    int32_t cost;
};

constexpr std::array<ModifierCost, 13> kModifierCosts{{
    {&ChordDefinition::SecondAdd, 3, 3},  // sus2
    {&ChordDefinition::SecondAdd, 2, 4},  // add2 (add9 is the usual spelling)
    {&ChordDefinition::SecondAdd, 9, 3},  // add9
    {&ChordDefinition::FourthAdd, 3, 2},  // sus4
    {&ChordDefinition::FourthAdd, 4, 4},  // add4
    {&ChordDefinition::FourthAdd, 11, 3}, // add11
    {&ChordDefinition::SixthAdd, 6, 5},   // add6
    {&ChordDefinition::SixthAdd, 13, 4},  // add13
    {&ChordDefinition::NinthAlteration, -1, 2},
    {&ChordDefinition::NinthAlteration, 1, 3},
    {&ChordDefinition::SharpEleventh, 1, 3},
    {&ChordDefinition::FlatThirteenth, 1, 5},
    {&ChordDefinition::NoThird, 1, 6},
}};
constexpr int32_t kNoFifthCost = 3;  // players leave the fifth out freely, but a full chord reads first

// A bass other than the root, by the role of the bass: thirds are the
// lightest inversion, tensions in the bass heavy, a foreign bass heaviest.
constexpr int32_t kThirdInBassCost = 3;
constexpr int32_t kFifthInBassCost = 4;
constexpr int32_t kSeventhInBassCost = 5;
constexpr int32_t kToneInBassCost = 6;     // 2, 4, 6 of sus, add and sixth chords
constexpr int32_t kTensionInBassCost = 6;  // 9, 11, 13 and their alterations
constexpr int32_t kForeignBassCost = 10;

/// `susTone`: the 2 or 4 that stands for the third of a sus chord, 0 if none.
constexpr int32_t BassCostOfIndex(int32_t index, bool diminishedSeventh, int32_t susTone) {
    if (index == 3 || index == 4 || index == susTone) return kThirdInBassCost;
    if (index >= 6 && index <= 8) return kFifthInBassCost;
    if (index == 10 || index == 11 || (index == 9 && diminishedSeventh)) return kSeventhInBassCost;
    if (index < 12) return kToneInBassCost;
    return kTensionInBassCost;
}

// Far behind every exact name.
constexpr int32_t kNotExactCost = 1000;

// ---------------------------------------------------------------------------
// The chord space: every definition the panels can build on the root C,
// keyed by the pitch classes it sounds.
// ---------------------------------------------------------------------------

struct Shape {
    std::array<int8_t, 11> fields{};  // in the order of kShapeFields
    uint16_t tones = 0;               // bit k: the chord sounds k semitones above the root (mod 12)
    int16_t cost = 0;
    int8_t modifiers = 0;                      // additions, alterations and omissions, for ties
    std::array<int8_t, 12> bassCost{};         // by the bass's distance above the root
    std::string suffix;                        // the Notation after the root name
};

constexpr std::array<int32_t ChordDefinition::*, 11> kShapeFields{
    &ChordDefinition::ChordClass,      &ChordDefinition::Extension,      &ChordDefinition::SecondAdd,
    &ChordDefinition::FourthAdd,       &ChordDefinition::SixthAdd,       &ChordDefinition::FifthAlteration,
    &ChordDefinition::NinthAlteration, &ChordDefinition::SharpEleventh, &ChordDefinition::FlatThirteenth,
    &ChordDefinition::NoThird,         &ChordDefinition::NoFifth,
};

/// What "Use this solution" makes of a fixed solution on the root C.
struct FixedUse {
    std::array<int8_t, 11> fields{};  // in the order of kShapeFields, after composition
    uint16_t tones = 0;               // what the composed chord sounds, the bass included
};

struct Space {
    std::vector<Shape> shapes;              // grouped by tones, cheapest first
    std::vector<FixedUse> fixedUses;        // by captured tones above the root * 12 + the bass's distance
    std::array<uint32_t, 4097> offsets{};  // shapes of tones t: [offsets[t], offsets[t + 1])

    std::span<const Shape> Of(uint32_t tones) const {
        return std::span<const Shape>(shapes).subspan(offsets[tones], offsets[tones + 1] - offsets[tones]);
    }
};

int32_t ShapeCost(const ChordDefinition& d, int8_t& modifiers) {
    const size_t cls = static_cast<size_t>(std::clamp(d.ChordClass, 0, 3));
    const Seventh seventh = SeventhOf(d.Extension);
    const bool hasSus = d.SecondAdd == 3 || d.FourthAdd == 3;
    int32_t cost = kTriadCost[cls][static_cast<size_t>(d.FifthAlteration + 1)] +
                   kSeventhCost[cls][static_cast<size_t>(seventh)] + ExtensionDegreeCost(d.Extension);
    if (d.ChordClass == chord_class::Minor && d.FifthAlteration == -1 && seventh == Seventh::Minor) {
        cost += kHalfDiminishedDiscount;
    }
    if (d.ChordClass == chord_class::Major && seventh == Seventh::Minor && d.FourthAdd == 3) cost += kSevenSusFourDiscount;
    if (seventh == Seventh::Sixth && d.SecondAdd == 9) cost += kSixNineDiscount;
    int32_t count = d.FifthAlteration != 0 ? 1 : 0;
    for (const ModifierCost& m : kModifierCosts) {
        if (d.*m.field != m.value) continue;
        cost += m.cost;
        ++count;
    }
    if (d.NoFifth != 0) {
        cost += kNoFifthCost + (hasSus ? kSusWithoutFifthCost : 0);
        ++count;
    }
    const int32_t additions = (d.SecondAdd != 0 && d.SecondAdd != 3 ? 1 : 0) +
                              (d.FourthAdd != 0 && d.FourthAdd != 3 ? 1 : 0) + (d.SixthAdd != 0 ? 1 : 0);
    if (additions > 1) cost += kFurtherAdditionCost * (additions - 1);
    if (hasSus && additions > 0) cost += kSusWithAdditionCost;
    if (d.SixthAdd != 0 && seventh == Seventh::None) cost += kAddThirteenCost;
    if (d.SixthAdd != 0 && (d.Extension == 7 || d.Extension == 8) && d.SecondAdd != 9) cost += kThirteenWithoutNinthCost;
    if (d.SharpEleventh != 0 && d.NoFifth != 0) cost += kSharpElevenWithoutFifthCost;
    if (hasSus && d.FifthAlteration != 0) cost += kSusWithAlteredFifthCost;
    if (d.NinthAlteration == 1 && (hasSus || d.NoThird != 0)) cost += kSharpNineWithoutThirdCost;
    const int32_t alterations = (d.FifthAlteration != 0 ? 1 : 0) + (d.NinthAlteration != 0 ? 1 : 0) +
                                d.SharpEleventh + d.FlatThirteenth;
    if (alterations > 1) cost += kFurtherAlterationCost * (alterations - 1);
    if (d.ChordClass == chord_class::Diminished || d.ChordClass == chord_class::Augmented) {
        cost += kSymmetricTensionCost * count + (ExtensionDegreeCost(d.Extension) > 0 ? kSymmetricExtensionCost : 0);
    }
    if (seventh == Seventh::Sixth && d.FourthAdd != 0) cost += kSixthWithFourthCost;
    modifiers = static_cast<int8_t>(count);
    return cost;
}

std::optional<Shape> ShapeOf(const ChordDefinition& d) {
    const Composition composition = Compose(d);
    if (!(composition.definition == d)) return std::nullopt;  // the rules would change it
    Shape shape;
    for (size_t i = 0; i < kShapeFields.size(); ++i) shape.fields[i] = static_cast<int8_t>(d.*kShapeFields[i]);
    const auto& marks = composition.chord.IntervalMarks;
    for (int32_t i = 0; i < kIntervalMarkCount; ++i) {
        if (marks[static_cast<size_t>(i)] != mark::None) shape.tones |= static_cast<uint16_t>(1u << Mod12(i));
    }
    const bool diminishedSeventh = d.ChordClass == chord_class::Diminished && d.Extension > 6;
    const int32_t susTone = d.FourthAdd == 3 ? 5 : d.SecondAdd == 3 ? 2 : 0;
    for (int32_t k = 1; k < 12; ++k) {
        const bool low = marks[static_cast<size_t>(k)] != mark::None;
        const bool high = marks[static_cast<size_t>(k + 12)] != mark::None;
        const int32_t cost = low    ? BassCostOfIndex(k, diminishedSeventh, susTone)
                             : high ? BassCostOfIndex(k + 12, diminishedSeventh, susTone)
                                    : kForeignBassCost;
        shape.bassCost[static_cast<size_t>(k)] = static_cast<int8_t>(cost);
    }
    shape.cost = static_cast<int16_t>(ShapeCost(d, shape.modifiers));
    shape.suffix = composition.chord.Notation.substr(composition.chord.RootName.size());
    return shape;
}

// Pairs that the panels themselves never leave on together: checking one
// unchecks the other.
bool PanelsAllow(const ChordDefinition& d) {
    if (d.FlatThirteenth != 0 && d.FifthAlteration == 1) return false;
    if (d.SharpEleventh != 0 && d.FifthAlteration == -1) return false;
    if (d.NoThird != 0 && d.NoFifth != 0) return false;
    return !(d.NoFifth != 0 && d.FifthAlteration != 0);
}

// Whether a control the alterations need is enabled after composing the rest:
// the alterations themselves disable nothing.
bool AlterationsEnabled(const ChordDefinition& d, const StepControls& controls) {
    const auto on = [&controls](int32_t kidNumber) { return controls[static_cast<size_t>(kidNumber)].enabled; };
    return (d.FifthAlteration != -1 || on(kid::Ab5)) && (d.FifthAlteration != 1 || on(kid::As5)) &&
           (d.NinthAlteration != -1 || on(kid::Ab9)) && (d.NinthAlteration != 1 || on(kid::As9)) &&
           (d.SharpEleventh == 0 || on(kid::As11)) && (d.FlatThirteenth == 0 || on(kid::Ab13)) &&
           (d.NoThird == 0 || on(kid::Ano3)) && (d.NoFifth == 0 || on(kid::Ano5));
}

void AddAlteredShapes(ChordDefinition d, const StepControls& controls, std::vector<Shape>& shapes) {
    constexpr std::array<int32_t, 3> kSigned{-1, 0, 1};
    for (int32_t fifth : kSigned) {
        d.FifthAlteration = fifth;
        for (int32_t ninth : kSigned) {
            d.NinthAlteration = ninth;
            for (int32_t flags = 0; flags < 16; ++flags) {
                d.SharpEleventh = flags & 1;
                d.FlatThirteenth = (flags >> 1) & 1;
                d.NoThird = (flags >> 2) & 1;
                d.NoFifth = (flags >> 3) & 1;
                if (!PanelsAllow(d) || !AlterationsEnabled(d, controls)) continue;
                if (std::optional<Shape> shape = ShapeOf(d)) shapes.push_back(std::move(*shape));
            }
        }
    }
}

ChordDefinition RawDefinitionOf(const Solution& s);
uint32_t TonesOf(const ComposedChord& chord);

std::vector<FixedUse> BuildFixedUses() {
    std::vector<FixedUse> uses(4096 * 12);
    for (uint32_t tones = 1; tones < 4096; tones += 2) {
        for (int32_t d = 0; d < 12; ++d) {
            if ((tones & (1u << d)) == 0) continue;
            const std::optional<Solution> solution = SolveCandidate(tones, 0, d);
            if (!solution) continue;
            const Composition composition = Compose(RawDefinitionOf(*solution));
            FixedUse& use = uses[tones * 12 + static_cast<uint32_t>(d)];
            for (size_t i = 0; i < kShapeFields.size(); ++i) {
                use.fields[i] = static_cast<int8_t>(composition.definition.*kShapeFields[i]);
            }
            use.tones = static_cast<uint16_t>(TonesOf(composition.chord));
        }
    }
    return uses;
}

Space BuildSpace() {
    constexpr std::array<int32_t, 10> kExtensions{0, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    constexpr std::array<int32_t, 4> kSeconds{0, 2, 3, 9};
    constexpr std::array<int32_t, 4> kFourths{0, 3, 4, 11};
    constexpr std::array<int32_t, 3> kSixths{0, 6, 13};
    Space space;
    ChordDefinition d;
    d.RootLetter = "C";
    for (int32_t cls = 0; cls < 4; ++cls) {
        d.ChordClass = cls;
        for (int32_t ext : kExtensions) {
            d.Extension = ext;
            for (int32_t second : kSeconds) {
                d.SecondAdd = second;
                for (int32_t fourth : kFourths) {
                    d.FourthAdd = fourth;
                    for (int32_t sixth : kSixths) {
                        d.SixthAdd = sixth;
                        const Composition plain = Compose(d);
                        if (plain.definition == d) AddAlteredShapes(d, plain.controls, space.shapes);
                    }
                }
            }
        }
    }
    std::sort(space.shapes.begin(), space.shapes.end(), [](const Shape& a, const Shape& b) {
        if (a.tones != b.tones) return a.tones < b.tones;
        if (a.cost != b.cost) return a.cost < b.cost;
        return a.suffix < b.suffix;
    });
    // One entry per Notation: the cheaper definition of a name stays.
    space.shapes.erase(std::unique(space.shapes.begin(), space.shapes.end(),
                                   [](const Shape& a, const Shape& b) {
                                       return a.tones == b.tones && a.suffix == b.suffix;
                                   }),
                       space.shapes.end());
    size_t next = 0;
    for (uint32_t tones = 0; tones <= 4096; ++tones) {
        while (next < space.shapes.size() && space.shapes[next].tones < tones) ++next;
        space.offsets[tones] = static_cast<uint32_t>(next);
    }
    space.fixedUses = BuildFixedUses();
    return space;
}

const Space& TheSpace() {
    static const Space space = BuildSpace();
    return space;
}

// ---------------------------------------------------------------------------
// Naming a capture
// ---------------------------------------------------------------------------

struct Capture {
    uint32_t mask = 0;  // bit p: pitch class p captured
    int32_t lowest = 0;
    size_t count = 0;
};

Capture ReadCapture(std::span<const int32_t> capturedPitches) {
    Capture c;
    for (int32_t p : capturedPitches) {
        const uint32_t bit = 1u << Mod12(p);
        if ((c.mask & bit) != 0) continue;
        if (c.count == 0) c.lowest = Mod12(p);
        c.mask |= bit;
        ++c.count;
    }
    return c;
}

/// The captured pitch classes seen from `root`: bit k for k semitones above it.
constexpr uint32_t Above(uint32_t mask, int32_t root) {
    const auto r = static_cast<uint32_t>(root);
    return ((mask >> r) | (mask << (12 - r))) & 0xFFFu;
}

struct Candidate {
    int32_t cost;
    int32_t modifiers;
    int32_t root;
    int32_t bass;  // kNoBass when the lowest note is the root
    const Shape* shape;
};

void SpellRoot(ChordDefinition& d, int32_t root) {
    const PitchEntry& e = kPitchEntries[static_cast<size_t>(root)];
    d.RootLetterPitch = e.letterPitch;
    d.RootLetter = e.rootLetter;
    d.RootFlat = e.flat;
    d.RootSharp = 0;
}

void SpellBass(ChordDefinition& d, int32_t bass) {
    if (bass == kNoBass) {
        d.BassSelected = 0;
        return;
    }
    const PitchEntry& e = kPitchEntries[static_cast<size_t>(bass)];
    d.BassSelected = 1;
    d.BassLetterPitch = e.letterPitch;
    d.BassLetter = e.bassLetter;
    d.BassFlat = e.flat;
    d.BassSharp = 0;
}

NamedChord ExactName(const Candidate& c) {
    NamedChord n;
    n.RootPitch = c.root;
    n.BassPitch = c.bass;
    n.exact = true;
    n.cost = c.cost;
    n.name.reserve(12);
    n.name = kRootNames[static_cast<size_t>(c.root)];
    n.name += c.shape->suffix;
    if (c.bass != kNoBass) n.name += kBassNames[static_cast<size_t>(c.bass)];
    for (size_t i = 0; i < kShapeFields.size(); ++i) n.definition.*kShapeFields[i] = c.shape->fields[i];
    SpellRoot(n.definition, c.root);
    SpellBass(n.definition, c.bass);
    return n;
}

std::vector<Candidate> Candidates(const Capture& capture) {
    const Space& space = TheSpace();
    std::vector<Candidate> found;
    for (int32_t root = 0; root < 12; ++root) {
        if ((capture.mask & (1u << root)) == 0) continue;
        const uint32_t tones = Above(capture.mask, root);
        const int32_t d = Mod12(capture.lowest - root);
        const int32_t bass = d == 0 ? kNoBass : capture.lowest;
        for (const Shape& s : space.Of(tones)) {
            found.push_back({s.cost + (d == 0 ? 0 : s.bassCost[static_cast<size_t>(d)]), s.modifiers, root, bass, &s});
        }
        if (d == 0) continue;
        for (const Shape& s : space.Of(tones & ~(1u << d))) {  // the bass is not a chord tone
            found.push_back({s.cost + s.bassCost[static_cast<size_t>(d)], s.modifiers, root, bass, &s});
        }
    }
    return found;
}

bool Better(const Candidate& a, const Candidate& b) {
    if (a.cost != b.cost) return a.cost < b.cost;
    if (a.modifiers != b.modifiers) return a.modifiers < b.modifiers;
    if ((a.bass == kNoBass) != (b.bass == kNoBass)) return a.bass == kNoBass;
    if (a.shape->suffix.size() != b.shape->suffix.size()) return a.shape->suffix.size() < b.shape->suffix.size();
    if (a.root != b.root) return a.root < b.root;
    return a.shape->suffix < b.shape->suffix;
}

uint32_t TonesOf(const ComposedChord& chord) {
    uint32_t tones = 0;
    for (int32_t i = 0; i < kIntervalMarkCount; ++i) {
        if (chord.IntervalMarks[static_cast<size_t>(i)] != mark::None) tones |= 1u << Mod12(chord.RootPitch + i);
    }
    return tones;
}

std::vector<int32_t> PitchesOf(uint32_t mask) {
    std::vector<int32_t> pitches;
    for (int32_t p = 0; p < 12; ++p) {
        if ((mask & (1u << p)) != 0) pitches.push_back(p);
    }
    return pitches;
}

ChordDefinition RawDefinitionOf(const Solution& s) {
    ChordDefinition d;
    SpellRoot(d, Mod12(s.RootPitch));
    d.ChordClass = s.ChordClass;
    d.Extension = s.Extension;
    d.SecondAdd = s.SecondAdd;
    d.FourthAdd = s.FourthAdd;
    d.SixthAdd = s.SixthAdd;
    d.FifthAlteration = s.FifthAlteration;
    d.NinthAlteration = s.NinthAlteration;
    d.SharpEleventh = s.SharpEleventh;
    d.FlatThirteenth = s.FlatThirteenth;
    d.NoThird = s.NoThird;
    d.NoFifth = s.NoFifth;
    SpellBass(d, Mod12(s.BassPitch) == Mod12(s.RootPitch) ? kNoBass : Mod12(s.BassPitch));
    return d;
}

NamedChord FixedName(const Solution& s, uint32_t capturedMask) {
    NamedChord n;
    n.name = s.name;
    n.RootPitch = Mod12(s.RootPitch);
    n.BassPitch = Mod12(s.BassPitch) == n.RootPitch ? kNoBass : Mod12(s.BassPitch);
    const int32_t d = Mod12(s.BassPitch - s.RootPitch);
    const FixedUse& use = TheSpace().fixedUses[Above(capturedMask, n.RootPitch) * 12 + static_cast<uint32_t>(d)];
    for (size_t i = 0; i < kShapeFields.size(); ++i) n.definition.*kShapeFields[i] = use.fields[i];
    SpellRoot(n.definition, n.RootPitch);
    SpellBass(n.definition, n.BassPitch);
    const uint32_t sounding = Above(use.tones, Mod12(-n.RootPitch));
    n.exact = sounding == capturedMask;
    // Rebuilt exactly after all (no3 with no5, which only "Use" sets): then it goes by its Notation.
    if (n.exact) n.name = Compose(n.definition).chord.Notation;
    n.leftOut = PitchesOf(capturedMask & ~sounding);
    n.cost = kNotExactCost + static_cast<int32_t>(n.leftOut.size());
    return n;
}

// ---------------------------------------------------------------------------
// Roles, spelling and words
// ---------------------------------------------------------------------------

// What a captured note that the panels drop would have been, by its distance
// above the root: the tensions the fixed list names.
constexpr std::array<std::string_view, 12> kLeftOutRoles{"1",  "b9", "9",   "#9",  "3",  "11",
                                                         "#11", "5", "b13", "13", "b7", "7"};
constexpr std::array<int32_t, 12> kLeftOutIndex{0, 13, 14, 15, 4, 17, 18, 7, 20, 21, 10, 11};

constexpr std::string_view kLetters = "CDEFGAB";
constexpr std::array<int32_t, 7> kLetterPitches{0, 2, 4, 5, 7, 9, 11};

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
        r.spelled = m == mark::ForeignBass ? std::string(kRootNames[static_cast<size_t>(pitch)])
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
        return "over " + std::string(kRootNames[static_cast<size_t>(c.BassPitch)]) + ", not a chord tone";
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

std::string NoteList(const std::vector<int32_t>& pitches) {
    std::vector<std::string_view> names;
    for (int32_t p : pitches) names.push_back(kRootNames[static_cast<size_t>(Mod12(p))]);
    return JoinWithAnd(names);
}

}  // namespace

void PrepareNaming() { (void)TheSpace(); }

std::vector<NamedChord> NameCapture(std::span<const int32_t> capturedPitches) {
    const Capture capture = ReadCapture(capturedPitches);
    std::vector<NamedChord> names;
    if (capture.count < kMinSolvablePitches) return names;
    std::vector<Candidate> found = Candidates(capture);
    std::sort(found.begin(), found.end(), Better);
    names.reserve(found.size());
    for (const Candidate& c : found) names.push_back(ExactName(c));
    if (!names.empty()) return names;

    for (const Solution& s : Solve(capturedPitches)) names.push_back(FixedName(s, capture.mask));
    std::stable_sort(names.begin(), names.end(),
                     [](const NamedChord& a, const NamedChord& b) { return a.leftOut.size() < b.leftOut.size(); });
    return names;
}

std::vector<NamedChord> BestNames(std::span<const int32_t> capturedPitches, size_t limit) {
    const Capture capture = ReadCapture(capturedPitches);
    std::vector<NamedChord> names;
    if (capture.count < kMinSolvablePitches || limit == 0) return names;
    std::vector<Candidate> found = Candidates(capture);
    const size_t kept = std::min(limit, found.size());
    std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(kept), found.end(), Better);
    for (size_t i = 0; i < kept; ++i) names.push_back(ExactName(found[i]));
    return names;
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

ChordDefinition DefinitionOfSolution(const Solution& solution) {
    return Compose(RawDefinitionOf(solution)).definition;
}

std::string SolutionHint(const Solution& solution, std::span<const int32_t> capturedPitches) {
    const Capture capture = ReadCapture(capturedPitches);
    const NamedChord named = FixedName(solution, capture.mask);
    std::string text;
    for (const NoteRole& r : RolesOf(named)) {
        if (!text.empty()) text += ", ";
        text += r.spelled + " (" + r.role + ")";
    }
    if (named.exact) return text;
    const ChordDefinition raw = RawDefinitionOf(solution);
    std::vector<std::string> reasons;
    for (const ModifierWords& m : kModifierWords) {
        if (raw.*m.field != m.value || named.definition.*m.field == m.value) continue;
        reasons.push_back("the panels cannot combine " + std::string(m.symbol) + " with " +
                          std::string(Blocker(raw, m)));
    }
    if (!named.leftOut.empty()) text += "\n\"Use this solution\" leaves out " + NoteList(named.leftOut);
    const uint32_t added = TonesOf(Compose(named.definition).chord) & ~capture.mask;
    if (added != 0) text += (named.leftOut.empty() ? "\n\"Use this solution\" adds " : " and adds ") + NoteList(PitchesOf(added));
    for (const std::string& reason : reasons) text += "\n" + reason;
    return text;
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
        default: return std::string(kRootNames[static_cast<size_t>(Mod12(pitch))]);
    }
    return text;
}

}  // namespace hq
