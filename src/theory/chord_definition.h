#pragma once
// The chord the user is building in the six Step panels. The fields are the
// truth; the panel controls only show them.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace hq {

/// Flags hold 1 (on) or 0 (off), as sequence files store them; a damaged file
/// can put any 8-bit value in any field, and any nonzero flag counts as on.
struct ChordDefinition {
    int32_t BassSelected = 0;
    int32_t RootLetterPitch = 0;  // 0, 2, 4, 5, 7, 9, 11
    std::string RootLetter;       // "C" .. "B"
    int32_t RootFlat = 0;
    int32_t RootSharp = 0;
    int32_t ChordClass = 0;       // 0 Major, 1 Minor, 2 Augmented, 3 Diminished
    int32_t Extension = 0;        // 0, 6, 7, 8 maj7, 9, 10 maj9, 11, 12 maj11, 13, 14 maj13
    int32_t SecondAdd = 0;        // 0, 2 add2, 3 sus2, 9 add9
    int32_t FourthAdd = 0;        // 0, 3 sus4, 4 add4, 11 add11
    int32_t SixthAdd = 0;         // 0, 6 add6, 13 add13
    int32_t BassLetterPitch = 0;
    std::string BassLetter;       // "/C" .. "/B"
    int32_t BassFlat = 0;
    int32_t BassSharp = 0;
    int32_t FlatThirteenth = 0;
    int32_t FifthAlteration = 0;  // -1 b5, 0, +1 #5
    int32_t SharpEleventh = 0;
    int32_t NoThird = 0;
    int32_t NoFifth = 0;
    int32_t NinthAlteration = 0;  // -1 b9, 0, +1 #9

    bool operator==(const ChordDefinition&) const = default;
};

namespace chord_class {
inline constexpr int32_t Major = 0, Minor = 1, Augmented = 2, Diminished = 3;
}

/// The 18 numeric fields by name, in the order of the definition.
struct NumericField {
    std::string_view name;
    int32_t ChordDefinition::*member;
};

inline constexpr std::array<NumericField, 18> kNumericFields{{
    {"BassSelected", &ChordDefinition::BassSelected},
    {"RootLetterPitch", &ChordDefinition::RootLetterPitch},
    {"RootFlat", &ChordDefinition::RootFlat},
    {"RootSharp", &ChordDefinition::RootSharp},
    {"ChordClass", &ChordDefinition::ChordClass},
    {"Extension", &ChordDefinition::Extension},
    {"SecondAdd", &ChordDefinition::SecondAdd},
    {"FourthAdd", &ChordDefinition::FourthAdd},
    {"SixthAdd", &ChordDefinition::SixthAdd},
    {"BassLetterPitch", &ChordDefinition::BassLetterPitch},
    {"BassFlat", &ChordDefinition::BassFlat},
    {"BassSharp", &ChordDefinition::BassSharp},
    {"FlatThirteenth", &ChordDefinition::FlatThirteenth},
    {"FifthAlteration", &ChordDefinition::FifthAlteration},
    {"SharpEleventh", &ChordDefinition::SharpEleventh},
    {"NoThird", &ChordDefinition::NoThird},
    {"NoFifth", &ChordDefinition::NoFifth},
    {"NinthAlteration", &ChordDefinition::NinthAlteration},
}};

/// Applies a Selection report of a Step-panel control: `state` is -1 when a
/// check box became checked, 0 when it was cleared (radio buttons ignore it).
/// Returns false, changing nothing, for a KidNumber outside the Step panels.
bool ApplyStepSelection(ChordDefinition& definition, int32_t kidNumber, int32_t state);

/// True for the KidNumbers ApplyStepSelection handles.
bool IsStepSelectionKid(int32_t kidNumber);

}  // namespace hq
