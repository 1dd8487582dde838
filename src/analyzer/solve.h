#pragma once
// Solving a set of held pitch classes into the chords they form, at most one
// per candidate root. Pure: no toolkit, no I/O.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "theory/chord_space.h"
#include "theory/pitch.h"

namespace hq {

/// One chord the captured notes form, in the value codes of the chord
/// definition, so that it can be taken over into the Step panels.
struct Solution {
    std::string name;
    int32_t RootPitch = 0;        // 0..11
    int32_t ChordClass = 0;       // 0 major, 1 minor, 2 augmented, 3 diminished
    int32_t Extension = 0;        // 0, 6, 7, 8 maj7, 9, 10 maj9, 11, 12 maj11, 13, 14 maj13
    int32_t SecondAdd = 0;        // 0, 3 sus2, 9 add9
    int32_t FourthAdd = 0;        // 0, 3 sus4, 11 add11
    int32_t SixthAdd = 0;         // 0, 13 add13
    int32_t FifthAlteration = 0;  // -1 b5, 0, +1 #5
    int32_t NinthAlteration = 0;  // -1 b9, 0, +1 #9
    int32_t SharpEleventh = 0;
    int32_t FlatThirteenth = 0;
    int32_t NoThird = 0;
    int32_t NoFifth = 0;
    int32_t BassPitch = 0;  // the lowest captured pitch class, also when it is the root

    bool operator==(const Solution&) const = default;
};

/// The 13 numbers of a solution by name, in their fixed order.
struct SolutionField {
    std::string_view name;
    int32_t Solution::*member;
};

inline constexpr std::array<SolutionField, 13> kSolutionFields{{
    {"RootPitch", &Solution::RootPitch},
    {"ChordClass", &Solution::ChordClass},
    {"Extension", &Solution::Extension},
    {"SecondAdd", &Solution::SecondAdd},
    {"FourthAdd", &Solution::FourthAdd},
    {"SixthAdd", &Solution::SixthAdd},
    {"FifthAlteration", &Solution::FifthAlteration},
    {"NinthAlteration", &Solution::NinthAlteration},
    {"SharpEleventh", &Solution::SharpEleventh},
    {"FlatThirteenth", &Solution::FlatThirteenth},
    {"NoThird", &Solution::NoThird},
    {"NoFifth", &Solution::NoFifth},
    {"BassPitch", &Solution::BassPitch},
}};

/// The chord fields of a solution, as "Use this solution" sets them.
ChordShape ShapeOfSolution(const Solution& solution);

/// Black keys are always spelled as flats, as in kFlatNames.
inline constexpr std::array<std::string_view, 12> kBassNames{"/C", "/Db", "/D", "/Eb", "/E", "/F",
                                                             "/Gb", "/G", "/Ab", "/A", "/Bb", "/B"};

/// Fewer distinct pitch classes than this cannot be solved.
inline constexpr size_t kMinSolvablePitches = 3;

/// The solutions of a capture, in the order of their roots in
/// `capturedPitches` (pitch classes in order of first appearance from the
/// lowest key up; the first is the bass of every solution). Values are taken
/// modulo 12 and repeats ignored; fewer than three distinct ones: none.
std::vector<Solution> Solve(std::span<const int32_t> capturedPitches);

/// The solution rooted on `root0to11`, or nothing when a captured note stays
/// unexplained. `pitchMask`: bit p set for each captured pitch class p.
std::optional<Solution> SolveCandidate(uint32_t pitchMask, int32_t root0to11, int32_t lowest0to11);

}  // namespace hq
