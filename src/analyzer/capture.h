#pragma once
// Capturing the keys held on the keyboard component and listing the chords
// they form in SolutionsList.

#include <cstdint>
#include <string_view>
#include <vector>

#include "analyzer/analyzer_state.h"
#include "platform/keyboard.h"
#include "platform/toolkit.h"

namespace hq {

inline constexpr std::string_view kFewNotesAlert =
    "Less than three different notes detected.\n"
    "No solution possible for this capture.\n"
    "Click, hold and move away on the keys\n"
    "of the Keybord to lock them, and capture.";

inline constexpr std::string_view kNoSolutionText = "-No Solution-";

/// The octaves a capture reads; keys outside them are not seen.
inline constexpr int32_t kLowestCaptureOctave = 1;
inline constexpr int32_t kHighestCaptureOctave = 7;

/// Distinct pitch classes of the keys held or locked in octaves 1 to 7, in
/// order of first appearance from the lowest key upward.
std::vector<int32_t> ScanHeldPitches(Keyboard& keyboard);

/// Replaces the solutions with those of the keys held now and shows them in
/// SolutionsList of the window `grid`; the choice returns to the first line.
void CaptureAndSolve(AnalyzerState& analyzer, Toolkit& toolkit, Keyboard& keyboard, int32_t grid);

/// Empties the solutions and has SolutionsList show "-No Solution-".
void ShowNoSolution(AnalyzerState& analyzer, Toolkit& toolkit, int32_t grid);

}  // namespace hq
