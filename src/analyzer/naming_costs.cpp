#include "analyzer/naming_costs.h"

#include <algorithm>

#include "theory/composition.h"

namespace hq::naming {
namespace {

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
constexpr int32_t kWithoutThirdOrFifthCost = 3;  // sus or no3, and no5: hardly a chord
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
    int32_t ChordShape::*field;
    int32_t value;
    int32_t cost;
};

constexpr std::array<ModifierCost, 13> kModifierCosts{{
    {&ChordShape::SecondAdd, 3, 3},  // sus2
    {&ChordShape::SecondAdd, 2, 4},  // add2 (add9 is the usual spelling)
    {&ChordShape::SecondAdd, 9, 3},  // add9
    {&ChordShape::FourthAdd, 3, 2},  // sus4
    {&ChordShape::FourthAdd, 4, 4},  // add4
    {&ChordShape::FourthAdd, 11, 3}, // add11
    {&ChordShape::SixthAdd, 6, 5},   // add6
    {&ChordShape::SixthAdd, 13, 4},  // add13
    {&ChordShape::NinthAlteration, -1, 2},
    {&ChordShape::NinthAlteration, 1, 3},
    {&ChordShape::SharpEleventh, 1, 3},
    {&ChordShape::FlatThirteenth, 1, 5},
    {&ChordShape::NoThird, 1, 6},
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


int32_t CostInRootPosition(const ChordShape& d, int8_t& modifiers) {
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
        cost += kNoFifthCost + (hasSus || d.NoThird != 0 ? kWithoutThirdOrFifthCost : 0);
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

}  // namespace

ShapeCost CostOf(const ChordShape& d, std::span<const int32_t> marks) {
    ShapeCost costs;
    const bool diminishedSeventh = d.ChordClass == chord_class::Diminished && d.Extension > 6;
    const int32_t susTone = d.FourthAdd == 3 ? 5 : d.SecondAdd == 3 ? 2 : 0;
    for (int32_t k = 1; k < 12; ++k) {
        const bool low = marks[static_cast<size_t>(k)] != mark::None;
        const bool high = marks[static_cast<size_t>(k + 12)] != mark::None;
        const int32_t cost = low    ? BassCostOfIndex(k, diminishedSeventh, susTone)
                             : high ? BassCostOfIndex(k + 12, diminishedSeventh, susTone)
                                    : kForeignBassCost;
        costs.bassCost[static_cast<size_t>(k)] = static_cast<int8_t>(cost);
    }
    costs.cost = static_cast<int16_t>(CostInRootPosition(d, costs.modifiers));
    return costs;
}

}  // namespace hq::naming
