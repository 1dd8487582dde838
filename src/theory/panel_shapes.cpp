#include "theory/panel_shapes.h"

#include <algorithm>

#include "theory/composition.h"

namespace hq {
namespace {

using Field = int32_t ChordDefinition::*;

/// A field with every value a panel control gives it, 0 first.
struct FieldValues {
    Field field;
    std::span<const int32_t> values;
};

constexpr std::array<int32_t, 4> kClasses{0, 1, 2, 3};
constexpr std::array<int32_t, 10> kExtensions{0, 6, 7, 8, 9, 10, 11, 12, 13, 14};
constexpr std::array<int32_t, 4> kSecondAdds{0, 2, 3, 9};
constexpr std::array<int32_t, 4> kFourthAdds{0, 3, 4, 11};
constexpr std::array<int32_t, 3> kSixthAdds{0, 6, 13};
constexpr std::array<int32_t, 3> kSigned{0, -1, 1};
constexpr std::array<int32_t, 2> kFlags{0, 1};

constexpr std::array<FieldValues, 5> kFrameFields{{
    {&ChordDefinition::ChordClass, kClasses},
    {&ChordDefinition::Extension, kExtensions},
    {&ChordDefinition::SecondAdd, kSecondAdds},
    {&ChordDefinition::FourthAdd, kFourthAdds},
    {&ChordDefinition::SixthAdd, kSixthAdds},
}};

constexpr std::array<FieldValues, 6> kAlterationFields{{
    {&ChordDefinition::FifthAlteration, kSigned},
    {&ChordDefinition::NinthAlteration, kSigned},
    {&ChordDefinition::SharpEleventh, kFlags},
    {&ChordDefinition::FlatThirteenth, kFlags},
    {&ChordDefinition::NoThird, kFlags},
    {&ChordDefinition::NoFifth, kFlags},
}};

/// Calls `visit` with `d` under every combination of the fields' values.
template <typename Visit>
void ForEachCombination(ChordDefinition d, std::span<const FieldValues> fields, const Visit& visit) {
    if (fields.empty()) return visit(d);
    for (int32_t value : fields.front().values) {
        d.*fields.front().field = value;
        ForEachCombination(d, fields.subspan(1), visit);
    }
}

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
    // value on its own keeps every combination of them, so only those are tried.
    ForEachCombination(d, kFrameFields, [this](const ChordDefinition& frame) {
        if (!Composes(frame)) return;
        std::array<std::array<int32_t, 3>, kAlterationFields.size()> kept{};
        std::array<FieldValues, kAlterationFields.size()> alterations{};
        for (size_t f = 0; f < kAlterationFields.size(); ++f) {
            size_t count = 1;  // 0 always stays
            for (int32_t value : kAlterationFields[f].values) {
                ChordDefinition probe = frame;
                probe.*kAlterationFields[f].field = value;
                if (value != 0 && Composes(probe)) kept[f][count++] = value;
            }
            alterations[f] = {kAlterationFields[f].field, std::span<const int32_t>(kept[f]).first(count)};
        }
        ForEachCombination(frame, alterations, [this](const ChordDefinition& full) {
            if (!PanelsAllow(full)) return;
            const Composition c = Compose(full);
            if (c.definition == full) shapes_.push_back(ShapeOf(full, c.chord));
        });
    });
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
