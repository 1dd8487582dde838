#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analyzer/solve.h"

namespace hq {

/// The captured notes and their solutions; they stay until the next capture.
struct AnalyzerState {
    std::vector<int32_t> CapturedPitches;    // distinct 0..11, in order of first appearance
    std::vector<std::string> SolutionTexts;  // the lines of SolutionsList
    std::vector<Solution> Solutions;         // same index as SolutionTexts while SolutionCount > 0
    int32_t SolutionCount = 0;
    int32_t SelectedSolution = 0;  // 0..SolutionCount-1 once a solution exists
    int32_t CandidateRoot = 0;     // the root last solved or used, 0..11
    int32_t LowestPitch = 0;       // the bass of the last capture or solution used, 0..11
};

}  // namespace hq
