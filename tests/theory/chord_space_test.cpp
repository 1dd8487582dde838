#include "theory/chord_space.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "analyzer/naming.h"
#include "theory/composition.h"

namespace hq {
namespace {

// Every combination of the fields' values composed without pruning: those
// that come out unchanged are the space, counted by how they are reached.
TEST(ChordSpace, HoldsEveryCombinationThatComposesUnchangedCountedByReach) {
    std::array<size_t, kReachCount> counts{};
    std::vector<size_t> at(kShapeFields.size(), 0);
    for (size_t f = 0; f < at.size();) {
        ChordDefinition d;
        for (size_t i = 0; i < at.size(); ++i) d.*kShapeFields[i].definition = kShapeFields[i].values[at[i]];
        if (Compose(d).definition == d) {
            const bool pair = (d.FifthAlteration == -1 && d.SharpEleventh == 1) ||
                              (d.FifthAlteration == 1 && d.FlatThirteenth == 1) || (d.NoFifth == 1 && d.FifthAlteration != 0);
            ++counts[pair ? 2 : d.NoThird == 1 && d.NoFifth == 1 ? 1 : 0];
        }
        for (f = 0; f < at.size() && ++at[f] == kShapeFields[f].values.size(); ++f) at[f] = 0;
    }
    for (const Reach reach : {Reach::Clicks, Reach::UseThisSolution, Reach::StoredRecord}) {
        EXPECT_EQ(ChordSpace::Get().CountOf(reach), counts[static_cast<size_t>(reach)]);
        EXPECT_GT(counts[static_cast<size_t>(reach)], 0u);
    }
    EXPECT_EQ(ChordSpace::Get().Shapes().size(), counts[0] + counts[1] + counts[2]);
}

// Composing a shape leaves every field as it is and sounds exactly its
// notes; its notes find it, and every indexed shape is found once.
TEST(ChordSpace, EveryShapeComposesUnchangedAndItsNotesFindIt) {
    const ChordSpace& space = ChordSpace::Get();
    size_t indexed = 0;
    for (uint32_t notes = 0; notes < 4096; ++notes) indexed += space.WithNotes(static_cast<uint16_t>(notes)).size();
    EXPECT_EQ(indexed, space.Shapes().size());
    for (const SpaceShape& s : space.Shapes()) {
        ChordDefinition d;
        ApplyShape(s.shape, d);
        const Composition c = Compose(d);
        ASSERT_EQ(c.definition, d) << c.chord.Notation;
        EXPECT_EQ(ShapeOf(c.definition), s.shape) << c.chord.Notation;
        EXPECT_EQ(NotesOfMarks(c.chord.IntervalMarks), s.notes) << c.chord.Notation;
        EXPECT_EQ(ReachOf(s.shape), s.reach) << c.chord.Notation;
        const std::span<const SpaceShape> found = space.WithNotes(s.notes);
        EXPECT_TRUE(&s >= found.data() && &s < found.data() + found.size()) << c.chord.Notation;
    }
}

// What clicks or "Use this solution" make, on any root and over any bass,
// has an exact ranked name.
TEST(ChordSpace, EveryShapeThePanelsMakeHasAnExactRankedName) {
    std::set<uint16_t> tried;
    for (const SpaceShape& s : ChordSpace::Get().Shapes()) {
        if (s.reach == Reach::StoredRecord || !tried.insert(s.notes).second) continue;
        const auto root = static_cast<int32_t>(tried.size() % 12);
        std::vector<int32_t> capture{static_cast<int32_t>(tried.size() * 5 % 12)};  // the bass
        for (int32_t p = 0; p < 12; ++p) {
            if (((s.notes >> p) & 1u) != 0) capture.push_back((root + p) % 12);
        }
        if (std::set<int32_t>(capture.begin(), capture.end()).size() < kMinSolvablePitches) continue;
        const std::vector<NamedChord> names = NameCapture(capture);
        ASSERT_FALSE(names.empty());
        EXPECT_TRUE(names.front().exact) << names.front().name;
    }
    EXPECT_GT(tried.size(), 500u);
}

}  // namespace
}  // namespace hq
