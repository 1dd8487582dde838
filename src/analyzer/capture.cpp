#include "analyzer/capture.h"

#include <algorithm>

#include "analyzer/naming.h"
#include "platform/controls.h"

namespace hq {
namespace {

void ShowSolutionHints(const AnalyzerState& analyzer, Toolkit& toolkit, int32_t grid) {
    std::vector<std::string> hints;
    for (const Solution& s : analyzer.Solutions) hints.push_back(SolutionHint(s, analyzer.CapturedPitches));
    toolkit.SetLineHints(grid, kid::SolutionsList, hints);
}

void ShowSolutionTexts(const AnalyzerState& analyzer, Toolkit& toolkit, int32_t grid) {
    toolkit.SetTextArray(grid, kid::SolutionsList, analyzer.SolutionTexts);
    ShowSolutionHints(analyzer, toolkit, grid);
    toolkit.SetTextString(grid, kid::SolutionsList, analyzer.SolutionTexts.front());
    toolkit.Redraw(grid, kid::SolutionsList);
}

}  // namespace

std::vector<int32_t> ScanHeldPitches(Keyboard& keyboard) {
    std::vector<int32_t> pitches;
    for (int32_t octave = kLowestCaptureOctave; octave <= kHighestCaptureOctave; ++octave) {
        for (int32_t pitchClass = 0; pitchClass < 12; ++pitchClass) {
            if (keyboard.KbdGetNote(pitchClass, octave) == 0) continue;
            if (std::find(pitches.begin(), pitches.end(), pitchClass) == pitches.end()) pitches.push_back(pitchClass);
        }
    }
    return pitches;
}

void ShowNoSolution(AnalyzerState& analyzer, Toolkit& toolkit, int32_t grid) {
    analyzer.SolutionTexts.assign(1, std::string(kNoSolutionText));
    analyzer.Solutions.clear();
    analyzer.SolutionCount = 0;
    ShowSolutionTexts(analyzer, toolkit, grid);
}

void CaptureAndSolve(AnalyzerState& analyzer, Toolkit& toolkit, Keyboard& keyboard, int32_t grid) {
    analyzer.SolutionTexts.assign(1, std::string());
    analyzer.Solutions.clear();
    analyzer.SolutionCount = 0;
    analyzer.SelectedSolution = 0;
    analyzer.CapturedPitches = ScanHeldPitches(keyboard);

    if (analyzer.CapturedPitches.size() < kMinSolvablePitches) {
        // The old solutions are already gone while the modal alert shows.
        toolkit.Alert(kFewNotesAlert);
        ShowNoSolution(analyzer, toolkit, grid);
        return;
    }
    analyzer.LowestPitch = analyzer.CapturedPitches.front();
    analyzer.CandidateRoot = analyzer.CapturedPitches.back();
    analyzer.Solutions = Solve(analyzer.CapturedPitches);
    if (analyzer.Solutions.empty()) {
        ShowNoSolution(analyzer, toolkit, grid);
        return;
    }
    analyzer.SolutionCount = static_cast<int32_t>(analyzer.Solutions.size());
    analyzer.SolutionTexts.clear();
    for (const Solution& s : analyzer.Solutions) analyzer.SolutionTexts.push_back(s.name);
    ShowSolutionTexts(analyzer, toolkit, grid);
}

}  // namespace hq
