#pragma once
// Naming a capture the way a musician would: every chord the Step panels can
// build from exactly the captured notes, ranked by a cost table, each with
// the role of every note. Pure: no toolkit, no I/O.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analyzer/solve.h"
#include "theory/chord_definition.h"
#include "theory/spelling.h"

namespace hq {

inline constexpr int32_t kNoBass = -1;

/// One name for a capture. An exact one composes to the captured pitch
/// classes, no more and no fewer; the others are the fixed solutions, with
/// the captured notes that taking them into the panels would drop.
struct NamedChord {
    std::string name;  // the Notation the panels show once the chord is taken
    int32_t RootPitch = 0;       // 0..11
    int32_t BassPitch = kNoBass;  // 0..11, or kNoBass when the lowest note is the root
    bool exact = false;
    int32_t cost = 0;  // lower names first; see the cost table in naming_costs.cpp
    ChordDefinition definition;     // what the panels are set to, spelled as "Use this solution" spells it
    std::vector<int32_t> leftOut;  // captured pitch classes the definition does not sound, ascending
};

/// The role of one note of a named chord, in the order of its marks.
struct NoteRole {
    int32_t pitch = 0;  // 0..11
    std::string role;     // an interval name ("1", "b3", "#11", "bb7") or "bass"
    std::string spelled;  // the note spelled by its interval from the root ("F#", "Abb")
};

/// Builds the panels' chord space now instead of at the first naming (it
/// takes a moment; naming is fast afterwards). Safe to call from any thread.
void PrepareNaming();

/// All names of a capture, best first. `capturedPitches` as for Solve: the
/// first is the lowest note. With no exact name, the fixed solutions follow,
/// fewest left-out notes first. One or two pitch classes get only the
/// exact names ("C(no3)(no5)" for one), never fixed solutions.
std::vector<NamedChord> NameCapture(std::span<const int32_t> capturedPitches);

/// At most `limit` of the exact names, best first (the live line's need).
std::vector<NamedChord> BestNames(std::span<const int32_t> capturedPitches, size_t limit);

/// Exactly two pitch classes: the interval from the lowest up, in words
/// ("perfect fifth"); otherwise "".
std::string IntervalOfTwo(std::span<const int32_t> capturedPitches);

/// The same with the two notes: "C–G, perfect fifth"; "" unless two.
std::string IntervalLineOfTwo(std::span<const int32_t> capturedPitches);

/// Every note the named chord sounds, plus its left-out notes with the role
/// they would have had, in the order of their interval above the root.
std::vector<NoteRole> RolesOf(const NamedChord& chord);

/// One line in words: "C major, first inversion".
std::string ExplanationOf(const NamedChord& chord);

/// The definition "Use this solution" builds from a fixed solution.
ChordDefinition DefinitionOfSolution(const Solution& solution);

/// The tooltip of a SolutionsList line: its roles and, when "Use this
/// solution" cannot rebuild it exactly, the notes it leaves out and why.
std::string SolutionHint(const Solution& solution, std::span<const int32_t> capturedPitches);

}  // namespace hq
