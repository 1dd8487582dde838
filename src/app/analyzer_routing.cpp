#include "analyzer/capture.h"
#include "analyzer/use_solution.h"
#include "app/chord_steps.h"
#include "app/routing.h"
#include "platform/controls.h"

namespace hq {

void SelectAnalyzerControl(Program& program, const ToolkitMessage& message) {
    SharedState& state = program.state;
    const int32_t grid = state.windows.chords;
    switch (message.kid) {
        case kid::SolutionsList: SelectSolution(state.analyzer, message.value1); break;
        case kid::CaptureSolve: CaptureAndSolve(state.analyzer, program.toolkit, program.keyboard, grid); break;
        case kid::UseSolution:
            // Three compositions, one step.
            AsUserStep(program,
                       [&] { UseSolution(state.analyzer, state.definition, state.chord, program.toolkit, grid); });
            break;
        default: break;
    }
}

void TakeChordIntoPanels(Program& program, const ChordDefinition& wanted) {
    SharedState& state = program.state;
    AsUserStep(program, [&] {
        TakeDefinition(wanted, state.definition, state.chord, program.toolkit, state.windows.chords);
    });
    AnnounceChord(program);
}

void ResetAnalyzer(Program& program) { program.state.analyzer = AnalyzerState{}; }

}  // namespace hq
