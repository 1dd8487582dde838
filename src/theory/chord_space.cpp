#include "theory/chord_space.h"

#include <algorithm>

#include "theory/composition.h"

namespace hq {
namespace {

/// Calls `visit` with `d` under every combination of the fields' values.
template <typename Visit>
void ForEachCombination(ChordDefinition d, std::span<const ShapeField> fields, const Visit& visit) {
    if (fields.empty()) return visit(d);
    for (int32_t value : fields.front().values) {
        d.*fields.front().definition = value;
        ForEachCombination(d, fields.subspan(1), visit);
    }
}

bool Composes(const ChordDefinition& d) { return Compose(d).definition == d; }

uint32_t TonesOfMarks(std::span<const int32_t> marks) {
    uint32_t tones = 0;
    for (size_t i = 0; i < marks.size(); ++i) {
        if (marks[i] >= mark::Tone) tones |= 1u << i;
    }
    return tones;
}

}  // namespace

ChordShape ShapeOf(const ChordDefinition& definition) {
    ChordShape shape;
    for (const ShapeField& f : kShapeFields) shape.*f.shape = definition.*f.definition;
    return shape;
}

void ApplyShape(const ChordShape& shape, ChordDefinition& definition, std::span<const ShapeField> fields) {
    for (const ShapeField& f : fields) definition.*f.definition = shape.*f.shape;
}

Reach ReachOf(const ChordShape& s) {
    // Checking one box of these pairs unchecks the other.
    if ((s.FifthAlteration == -1 && s.SharpEleventh != 0) || (s.FifthAlteration == 1 && s.FlatThirteenth != 0) ||
        (s.NoFifth != 0 && s.FifthAlteration != 0)) {
        return Reach::StoredRecord;
    }
    return s.NoThird != 0 && s.NoFifth != 0 ? Reach::UseThisSolution : Reach::Clicks;
}

uint16_t NotesOfMarks(std::span<const int32_t> marks) {
    uint32_t notes = 0;
    for (size_t i = 0; i < marks.size(); ++i) {
        if (marks[i] >= mark::Tone) notes |= 1u << (i % 12);
    }
    return static_cast<uint16_t>(notes);
}

ChordSpace::ChordSpace() {
    ChordDefinition d;
    d.RootLetter = "C";
    const auto frameFields = std::span<const ShapeField>(kShapeFields).first(kFrameFieldCount);
    const auto alterationFields = std::span<const ShapeField>(kShapeFields).subspan(kFrameFieldCount);
    constexpr size_t kAlterations = kShapeFields.size() - kFrameFieldCount;
    // The rules clear alteration fields by class, extension and additions
    // only, never by another alteration: a frame that keeps each alteration
    // value on its own keeps every combination of them, so only those are tried.
    ForEachCombination(d, frameFields, [&](const ChordDefinition& frame) {
        if (!Composes(frame)) return;
        std::array<std::array<int32_t, 3>, kAlterations> kept{};
        std::array<ShapeField, kAlterations> alterations{};
        for (size_t f = 0; f < kAlterations; ++f) {
            size_t count = 1;  // 0 always stays
            for (int32_t value : alterationFields[f].values) {
                ChordDefinition probe = frame;
                probe.*alterationFields[f].definition = value;
                if (value != 0 && Composes(probe)) kept[f][count++] = value;
            }
            alterations[f] = alterationFields[f];
            alterations[f].values = std::span<const int32_t>(kept[f]).first(count);
        }
        ForEachCombination(frame, alterations, [this](const ChordDefinition& full) {
            const Composition c = Compose(full);
            if (!(c.definition == full)) return;
            const ChordShape shape = ShapeOf(full);
            shapes_.push_back({shape, ReachOf(shape), NotesOfMarks(c.chord.IntervalMarks),
                               TonesOfMarks(c.chord.IntervalMarks)});
        });
    });
    std::stable_sort(shapes_.begin(), shapes_.end(),
                     [](const SpaceShape& a, const SpaceShape& b) { return a.notes < b.notes; });
    size_t at = 0;
    for (uint32_t notes = 0; notes <= 4096; ++notes) {
        while (at < shapes_.size() && shapes_[at].notes < notes) ++at;
        firstWithNotes_[notes] = static_cast<uint32_t>(at);
    }
    for (const SpaceShape& s : shapes_) ++counts_[static_cast<size_t>(s.reach)];
}

std::span<const SpaceShape> ChordSpace::WithNotes(uint16_t notes) const {
    const size_t n = notes & 0xfffu;
    return std::span<const SpaceShape>(shapes_).subspan(firstWithNotes_[n], firstWithNotes_[n + 1] - firstWithNotes_[n]);
}

const ChordSpace& ChordSpace::Get() {
    static const ChordSpace space;
    return space;
}

}  // namespace hq
