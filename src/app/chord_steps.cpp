#include "app/chord_steps.h"

#include <optional>

#include "analyzer/use_solution.h"
#include "app/player_parts.h"

namespace hq {
namespace {

bool SameNotes(const ComposedChord& a, const ComposedChord& b) {
    return a.IntervalMarks == b.IntervalMarks && a.RootPitch == b.RootPitch && a.BassPitch == b.BassPitch &&
           a.BassIndex == b.BassIndex;
}

void SoundIfNewNotes(Program& program, const ComposedChord& before) {
    const SharedState& state = program.state;
    // A playing sequence sounds its own chords.
    if (!state.comforts.playEachChord || state.sequencer.play.SequencePlaying != 0) return;
    if (SameNotes(before, state.chord)) return;
    PlayChordOnce(PlayerPartsOf(program));
}

void TakeBack(Program& program, const std::optional<ChordDefinition>& wanted) {
    if (!wanted) return;
    SharedState& state = program.state;
    const ComposedChord before = state.chord;
    TakeDefinition(*wanted, state.definition, state.chord, program.toolkit, state.windows.chords);
    SoundIfNewNotes(program, before);
    AnnounceChord(program);
}

}  // namespace

void AsUserStep(Program& program, const std::function<void()>& action) {
    SharedState& state = program.state;
    const ChordDefinition before = state.definition;
    const ComposedChord composedBefore = state.chord;
    action();
    RecordChordStep(state.comforts.history, before, state.definition);
    SoundIfNewNotes(program, composedBefore);
}

void UndoChord(Program& program) {
    TakeBack(program, StepBack(program.state.comforts.history, program.state.definition));
}

void RedoChord(Program& program) {
    TakeBack(program, StepForward(program.state.comforts.history, program.state.definition));
}

void AnnounceChord(Program& program) {
    if (program.state.comforts.chordShown) program.state.comforts.chordShown();
}

}  // namespace hq
