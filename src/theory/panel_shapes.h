#pragma once
// Every chord the Step panels can hold, rooted on C without a bass, indexed
// by the pitch classes it sounds. Pure; built once on first use.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "theory/chord_definition.h"

namespace hq {

/// A definition's chord fields (no root, no bass) and the pitch classes its
/// composition marks, bit p for pitch class p above the root.
struct PanelShape {
    int8_t ChordClass = 0;
    int8_t Extension = 0;
    int8_t SecondAdd = 0;
    int8_t FourthAdd = 0;
    int8_t SixthAdd = 0;
    int8_t FifthAlteration = 0;
    int8_t NinthAlteration = 0;
    int8_t SharpEleventh = 0;
    int8_t FlatThirteenth = 0;
    int8_t NoThird = 0;
    int8_t NoFifth = 0;
    uint16_t notes = 0;
    uint32_t tones = 0;  // bit i for each IntervalMarks index i marked 1 or more
};

/// Copies a shape's chord fields into `definition`, leaving root and bass.
void ApplyShape(const PanelShape& shape, ChordDefinition& definition);

/// The pitch classes (bit p) of every IntervalMarks index marked 1 or more.
uint16_t NotesOfMarks(std::span<const int32_t> intervalMarks);

class PanelShapes {
public:
    /// The shapes whose composition sounds exactly `notes` (bit 0 always set).
    std::span<const PanelShape> WithNotes(uint16_t notes) const;
    size_t size() const { return shapes_.size(); }

    /// Built on first use: every definition that composes without a rule
    /// clearing a field and that clicks or "Use this solution" can make (no
    /// b5 with #11, no #5 with b13, no5 without a fifth alteration).
    static const PanelShapes& All();

private:
    PanelShapes();
    std::vector<PanelShape> shapes_;            // ordered by notes
    std::array<uint32_t, 4097> firstWithNotes_{};  // index into shapes_ by notes
};

}  // namespace hq
