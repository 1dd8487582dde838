#pragma once
// The panels' chord space: every shape the Step panels can hold, rooted on C
// without a bass, how each is reached, indexed by the pitch classes it
// sounds. Pure; built once per process on first use, then only read.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "theory/chord_definition.h"

namespace hq {

/// The eleven fields of a definition that make its chord, root and bass aside.
struct ChordShape {
    int32_t ChordClass = 0;
    int32_t Extension = 0;
    int32_t SecondAdd = 0;
    int32_t FourthAdd = 0;
    int32_t SixthAdd = 0;
    int32_t FifthAlteration = 0;
    int32_t NinthAlteration = 0;
    int32_t SharpEleventh = 0;
    int32_t FlatThirteenth = 0;
    int32_t NoThird = 0;
    int32_t NoFifth = 0;

    bool operator==(const ChordShape&) const = default;
};

/// A shape field, where it lives in a definition, and every value a panel
/// control gives it, 0 first.
struct ShapeField {
    std::string_view name;  // as in the definition
    int32_t ChordShape::*shape;
    int32_t ChordDefinition::*definition;
    std::span<const int32_t> values;
};

namespace shape_values {
inline constexpr std::array<int32_t, 4> kClasses{0, 1, 2, 3};
inline constexpr std::array<int32_t, 10> kExtensions{0, 6, 7, 8, 9, 10, 11, 12, 13, 14};
inline constexpr std::array<int32_t, 4> kSecondAdds{0, 2, 3, 9};
inline constexpr std::array<int32_t, 4> kFourthAdds{0, 3, 4, 11};
inline constexpr std::array<int32_t, 3> kSixthAdds{0, 6, 13};
inline constexpr std::array<int32_t, 3> kSigned{0, -1, 1};
inline constexpr std::array<int32_t, 2> kFlags{0, 1};
}  // namespace shape_values

/// In the order of ChordShape: the five that frame the chord, then the six
/// alterations and omissions.
inline constexpr std::array<ShapeField, 11> kShapeFields{{
    {"ChordClass", &ChordShape::ChordClass, &ChordDefinition::ChordClass, shape_values::kClasses},
    {"Extension", &ChordShape::Extension, &ChordDefinition::Extension, shape_values::kExtensions},
    {"SecondAdd", &ChordShape::SecondAdd, &ChordDefinition::SecondAdd, shape_values::kSecondAdds},
    {"FourthAdd", &ChordShape::FourthAdd, &ChordDefinition::FourthAdd, shape_values::kFourthAdds},
    {"SixthAdd", &ChordShape::SixthAdd, &ChordDefinition::SixthAdd, shape_values::kSixthAdds},
    {"FifthAlteration", &ChordShape::FifthAlteration, &ChordDefinition::FifthAlteration, shape_values::kSigned},
    {"NinthAlteration", &ChordShape::NinthAlteration, &ChordDefinition::NinthAlteration, shape_values::kSigned},
    {"SharpEleventh", &ChordShape::SharpEleventh, &ChordDefinition::SharpEleventh, shape_values::kFlags},
    {"FlatThirteenth", &ChordShape::FlatThirteenth, &ChordDefinition::FlatThirteenth, shape_values::kFlags},
    {"NoThird", &ChordShape::NoThird, &ChordDefinition::NoThird, shape_values::kFlags},
    {"NoFifth", &ChordShape::NoFifth, &ChordDefinition::NoFifth, shape_values::kFlags},
}};
inline constexpr size_t kFrameFieldCount = 5;

/// The shape fields of `definition`.
ChordShape ShapeOf(const ChordDefinition& definition);

/// Writes a shape's fields into `definition`, leaving root and bass; only
/// `fields` of them when given.
void ApplyShape(const ChordShape& shape, ChordDefinition& definition, std::span<const ShapeField> fields = kShapeFields);

/// How the panels come to hold a shape.
enum class Reach : uint8_t {
    Clicks,           // clicking the panels builds it
    UseThisSolution,  // only "Use this solution" sets it: no3 with no5
    StoredRecord,     // only a stored record: a pair that clicks uncheck (b13 with #5, b5 with #11, no5 with b5 or #5)
};
inline constexpr size_t kReachCount = 3;

/// How the panels reach `shape`, supposing it composes unchanged.
Reach ReachOf(const ChordShape& shape);

/// One shape the panels hold: composing it at root C changes no field.
struct SpaceShape {
    ChordShape shape;
    Reach reach = Reach::Clicks;
    uint16_t notes = 0;  // bit p: sounds pitch class p above the root
    uint32_t tones = 0;  // bit i: IntervalMarks index i marked
};

/// The pitch classes (bit p) of every IntervalMarks index marked 1 or more.
uint16_t NotesOfMarks(std::span<const int32_t> intervalMarks);

class ChordSpace {
public:
    /// Built on the first call, from any thread; read-only afterwards.
    static const ChordSpace& Get();

    /// Every shape, grouped by notes; among the same notes, in the order of
    /// kShapeFields and their values.
    std::span<const SpaceShape> Shapes() const { return shapes_; }
    /// The shapes that sound exactly `notes` (bit 0, the root, always set).
    std::span<const SpaceShape> WithNotes(uint16_t notes) const;
    size_t CountOf(Reach reach) const { return counts_[static_cast<size_t>(reach)]; }

private:
    ChordSpace();
    std::vector<SpaceShape> shapes_;
    std::array<uint32_t, 4097> firstWithNotes_{};  // shapes of notes n: [first[n], first[n + 1])
    std::array<size_t, kReachCount> counts_{};
};

}  // namespace hq
