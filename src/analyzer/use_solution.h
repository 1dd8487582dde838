#pragma once
// Choosing a line of SolutionsList and taking that solution over into the
// Step panels.

#include <array>
#include <cstdint>
#include <string_view>

#include "analyzer/analyzer_state.h"
#include "platform/controls.h"
#include "platform/toolkit.h"
#include "theory/chord_definition.h"
#include "theory/composition.h"

namespace hq {

inline constexpr std::string_view kNoSolutionToUseAlert = "There is no solution to use";

/// How a pitch class is entered in the Step panels: a black key is always
/// the flat of the letter above.
struct PitchEntry {
    int32_t rootKid;
    int32_t bassKid;
    int32_t flat;
    int32_t letterPitch;
    std::string_view rootLetter;
    std::string_view bassLetter;
};

inline constexpr std::array<PitchEntry, 12> kPitchEntries{{
    {kid::RC, kid::BC, 0, 0, "C", "/C"},
    {kid::RD, kid::BD, 1, 2, "D", "/D"},
    {kid::RD, kid::BD, 0, 2, "D", "/D"},
    {kid::RE, kid::BE, 1, 4, "E", "/E"},
    {kid::RE, kid::BE, 0, 4, "E", "/E"},
    {kid::RF, kid::BF, 0, 5, "F", "/F"},
    {kid::RG, kid::BG, 1, 7, "G", "/G"},
    {kid::RG, kid::BG, 0, 7, "G", "/G"},
    {kid::RA, kid::BA, 1, 9, "A", "/A"},
    {kid::RA, kid::BA, 0, 9, "A", "/A"},
    {kid::RB, kid::BB, 1, 11, "B", "/B"},
    {kid::RB, kid::BB, 0, 11, "B", "/B"},
}};

/// By ChordClass 0..3.
inline constexpr std::array<int32_t, 4> kClassKids{kid::Major, kid::Minor, kid::Augmented, kid::Diminished};

/// Stores the SolutionsList line chosen (counted from 0). A line that holds
/// no solution is ignored; returns whether the choice was stored.
bool SelectSolution(AnalyzerState& analyzer, int32_t line);

/// Takes the chosen solution over into `definition` and composes it on the
/// window `grid`, three times: after root and class, after the extension and
/// after the rest. Without a solution to use it only alerts.
void UseSolution(AnalyzerState& analyzer, ChordDefinition& definition, ComposedChord& chord, Toolkit& toolkit,
                 int32_t grid);

/// Takes a whole definition into the Step panels: the root, class and bass
/// radio buttons are set for its letters and class, then it is composed once.
void TakeDefinition(const ChordDefinition& wanted, ChordDefinition& definition, ComposedChord& chord,
                    Toolkit& toolkit, int32_t grid);

}  // namespace hq
