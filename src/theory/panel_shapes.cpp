#include "theory/panel_shapes.h"

#include <algorithm>

#include "theory/composition.h"

namespace hq {
namespace {

constexpr std::array<int32_t, 4> kClasses{0, 1, 2, 3};
constexpr std::array<int32_t, 10> kExtensions{0, 6, 7, 8, 9, 10, 11, 12, 13, 14};
constexpr std::array<int32_t, 4> kSecondAdds{0, 2, 3, 9};
constexpr std::array<int32_t, 4> kFourthAdds{0, 3, 4, 11};
constexpr std::array<int32_t, 3> kSixthAdds{0, 6, 13};
constexpr std::array<int32_t, 3> kSignedAlterations{0, -1, 1};
constexpr std::array<int32_t, 2> kFlags{0, 1};

using Field = int32_t ChordDefinition::*;

/// The alteration fields with the values a panel box gives them.
struct AlterationField {
    Field field;
    int32_t value;
};
constexpr std::array<AlterationField, 8> kAlterationProbes{{
    {&ChordDefinition::FifthAlteration, -1},
    {&ChordDefinition::FifthAlteration, 1},
    {&ChordDefinition::NinthAlteration, -1},
    {&ChordDefinition::NinthAlteration, 1},
    {&ChordDefinition::SharpEleventh, 1},
    {&ChordDefinition::FlatThirteenth, 1},
    {&ChordDefinition::NoThird, 1},
    {&ChordDefinition::NoFifth, 1},
}};

bool Composes(const ChordDefinition& d) { return Compose(d).definition == d; }

// What checking one box of a pair clears in the other (b5/#11, #5/b13,
// no5/any fifth alteration): a definition with both is no panel's. no3 with
// no5 stays: "Use this solution" takes it from the analyzer.
bool PanelsAllow(const ChordDefinition& d) {
    if (d.FifthAlteration == -1 && d.SharpEleventh != 0) return false;
    if (d.FifthAlteration == 1 && d.FlatThirteenth != 0) return false;
    return d.NoFifth == 0 || d.FifthAlteration == 0;
}

PanelShape ShapeOf(const ChordDefinition& d, const ComposedChord& c) {
    auto narrow = [](int32_t v) { return static_cast<int8_t>(v); };
    uint32_t tones = 0;
    for (size_t i = 0; i < c.IntervalMarks.size(); ++i) {
        if (c.IntervalMarks[i] >= mark::Tone) tones |= 1u << i;
    }
    return {narrow(d.ChordClass),      narrow(d.Extension),       narrow(d.SecondAdd),     narrow(d.FourthAdd),
            narrow(d.SixthAdd),        narrow(d.FifthAlteration), narrow(d.NinthAlteration), narrow(d.SharpEleventh),
            narrow(d.FlatThirteenth), narrow(d.NoThird),         narrow(d.NoFifth),       NotesOfMarks(c.IntervalMarks),
            tones};
}

}  // namespace

void ApplyShape(const PanelShape& s, ChordDefinition& d) {
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
}

uint16_t NotesOfMarks(std::span<const int32_t> marks) {
    uint32_t notes = 0;
    for (size_t i = 0; i < marks.size(); ++i) {
        if (marks[i] >= mark::Tone) notes |= 1u << (i % 12);
    }
    return static_cast<uint16_t>(notes);
}

PanelShapes::PanelShapes() {
    ChordDefinition d;
    d.RootLetter = "C";
    // The rules clear alteration fields by class, extension and additions
    // only, never by another alteration: a frame that keeps each alteration
    // on its own keeps every combination of them, so only those are tried.
    for (int32_t chordClass : kClasses)
        for (int32_t extension : kExtensions)
            for (int32_t second : kSecondAdds)
                for (int32_t fourth : kFourthAdds)
                    for (int32_t sixth : kSixthAdds) {
                        ChordDefinition frame = d;
                        frame.ChordClass = chordClass;
                        frame.Extension = extension;
                        frame.SecondAdd = second;
                        frame.FourthAdd = fourth;
                        frame.SixthAdd = sixth;
                        if (!Composes(frame)) continue;
                        std::array<bool, kAlterationProbes.size()> kept{};
                        for (size_t p = 0; p < kAlterationProbes.size(); ++p) {
                            ChordDefinition probe = frame;
                            probe.*kAlterationProbes[p].field = kAlterationProbes[p].value;
                            kept[p] = Composes(probe);
                        }
                        for (int32_t fifth : kSignedAlterations)
                            for (int32_t ninth : kSignedAlterations)
                                for (int32_t sharp11 : kFlags)
                                    for (int32_t flat13 : kFlags)
                                        for (int32_t no3 : kFlags)
                                            for (int32_t no5 : kFlags) {
                                                const bool allowed = (fifth != -1 || kept[0]) && (fifth != 1 || kept[1]) &&
                                                                     (ninth != -1 || kept[2]) && (ninth != 1 || kept[3]) &&
                                                                     (sharp11 == 0 || kept[4]) && (flat13 == 0 || kept[5]) &&
                                                                     (no3 == 0 || kept[6]) && (no5 == 0 || kept[7]);
                                                if (!allowed) continue;
                                                ChordDefinition full = frame;
                                                full.FifthAlteration = fifth;
                                                full.NinthAlteration = ninth;
                                                full.SharpEleventh = sharp11;
                                                full.FlatThirteenth = flat13;
                                                full.NoThird = no3;
                                                full.NoFifth = no5;
                                                if (!PanelsAllow(full)) continue;
                                                const Composition c = Compose(full);
                                                if (!(c.definition == full)) continue;
                                                shapes_.push_back(ShapeOf(full, c.chord));
                                            }
                    }
    std::stable_sort(shapes_.begin(), shapes_.end(),
                     [](const PanelShape& a, const PanelShape& b) { return a.notes < b.notes; });
    size_t at = 0;
    for (uint32_t notes = 0; notes <= 4096; ++notes) {
        while (at < shapes_.size() && shapes_[at].notes < notes) ++at;
        firstWithNotes_[notes] = static_cast<uint32_t>(at);
    }
}

std::span<const PanelShape> PanelShapes::WithNotes(uint16_t notes) const {
    const size_t n = notes & 0xfffu;
    return std::span<const PanelShape>(shapes_).subspan(firstWithNotes_[n], firstWithNotes_[n + 1] - firstWithNotes_[n]);
}

const PanelShapes& PanelShapes::All() {
    static const PanelShapes shapes;
    return shapes;
}

}  // namespace hq
