#include "analyzer/naming.h"

#include <algorithm>
#include <array>

#include "analyzer/naming_costs.h"
#include "analyzer/naming_words.h"
#include "analyzer/use_solution.h"
#include "theory/chord_space.h"
#include "theory/composition.h"
#include "theory/pitch.h"

namespace hq {
namespace {

using namespace naming;

// ---------------------------------------------------------------------------
// The panels' chord space as the names need it: every shape that clicks or
// "Use this solution" make, with its costs and Notation, keyed by the pitch
// classes it sounds.
// ---------------------------------------------------------------------------

struct Shape {
    const SpaceShape* space = nullptr;
    uint16_t tones = 0;  // bit k: the chord sounds k semitones above the root (mod 12)
    int16_t cost = 0;
    int8_t modifiers = 0;               // additions, alterations and omissions, for ties
    std::array<int8_t, 12> bassCost{};  // by the bass's distance above the root
    std::string suffix;                 // the Notation after the root name
};

/// What "Use this solution" makes of a fixed solution on the root C.
struct FixedUse {
    ChordShape shape;   // after composition
    uint16_t tones = 0;  // what the composed chord sounds, the bass included
};

struct Space {
    std::vector<Shape> shapes;              // grouped by tones, cheapest first
    std::vector<FixedUse> fixedUses;        // by captured tones above the root * 12 + the bass's distance
    std::array<uint32_t, 4097> offsets{};  // shapes of tones t: [offsets[t], offsets[t + 1])

    std::span<const Shape> Of(uint32_t tones) const {
        return std::span<const Shape>(shapes).subspan(offsets[tones], offsets[tones + 1] - offsets[tones]);
    }
};

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
            uses[tones * 12 + static_cast<uint32_t>(d)] = {ShapeOf(composition.definition),
                                                           static_cast<uint16_t>(TonesOf(composition.chord))};
        }
    }
    return uses;
}

Space BuildSpace() {
    Space space;
    ChordDefinition d;
    d.RootLetter = "C";
    for (const SpaceShape& s : ChordSpace::Get().Shapes()) {
        if (s.reach == Reach::StoredRecord) continue;
        ApplyShape(s.shape, d);
        const Composition c = Compose(d);
        const ShapeCost costs = CostOf(s.shape, c.chord.IntervalMarks);
        space.shapes.push_back({&s, s.notes, costs.cost, costs.modifiers, costs.bassCost,
                                c.chord.Notation.substr(c.chord.RootName.size())});
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
    n.name = kFlatNames[static_cast<size_t>(c.root)];
    n.name += c.shape->suffix;
    if (c.bass != kNoBass) n.name += kBassNames[static_cast<size_t>(c.bass)];
    ApplyShape(c.shape->space->shape, n.definition);
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
    ApplyShape(ShapeOfSolution(s), d);
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
    ApplyShape(use.shape, n.definition);
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

}  // namespace


void PrepareNaming() { (void)TheSpace(); }

std::vector<NamedChord> NameCapture(std::span<const int32_t> capturedPitches) {
    const Capture capture = ReadCapture(capturedPitches);
    std::vector<NamedChord> names;
    if (capture.count == 0) return names;
    std::vector<Candidate> found = Candidates(capture);
    std::sort(found.begin(), found.end(), Better);
    names.reserve(found.size());
    for (const Candidate& c : found) names.push_back(ExactName(c));
    // One or two notes have no fixed solutions: the list stays as the panels name them.
    if (!names.empty() || capture.count < kMinSolvablePitches) return names;

    for (const Solution& s : Solve(capturedPitches)) names.push_back(FixedName(s, capture.mask));
    std::stable_sort(names.begin(), names.end(),
                     [](const NamedChord& a, const NamedChord& b) { return a.leftOut.size() < b.leftOut.size(); });
    return names;
}

std::vector<NamedChord> BestNames(std::span<const int32_t> capturedPitches, size_t limit) {
    const Capture capture = ReadCapture(capturedPitches);
    std::vector<NamedChord> names;
    if (capture.count == 0 || limit == 0) return names;
    std::vector<Candidate> found = Candidates(capture);
    const size_t kept = std::min(limit, found.size());
    std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(kept), found.end(), Better);
    for (size_t i = 0; i < kept; ++i) names.push_back(ExactName(found[i]));
    return names;
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
    const std::vector<std::string> reasons = LostCombinations(RawDefinitionOf(solution), named.definition);
    if (!named.leftOut.empty()) text += "\n\"Use this solution\" leaves out " + NoteList(named.leftOut);
    const uint32_t added = TonesOf(Compose(named.definition).chord) & ~capture.mask;
    if (added != 0) text += (named.leftOut.empty() ? "\n\"Use this solution\" adds " : " and adds ") + NoteList(PitchesOf(added));
    for (const std::string& reason : reasons) text += "\n" + reason;
    return text;
}

}  // namespace hq
