#include "app/chord_steps.h"

#include <optional>

#include "analyzer/use_solution.h"
#include "app/player_parts.h"
#include "sequencer/chord_list.h"
#include "sequencer/transpose.h"

namespace hq {
namespace {

bool SameNotes(const ComposedChord& a, const ComposedChord& b) {
    return a.IntervalMarks == b.IntervalMarks && a.RootPitch == b.RootPitch && a.BassPitch == b.BassPitch &&
           a.BassIndex == b.BassIndex;
}

bool SequencePlays(const SharedState& state) { return state.sequencer.play.SequencePlaying != 0; }

void SoundIfNewNotes(Program& program, const ComposedChord& before) {
    const SharedState& state = program.state;
    // A playing sequence sounds its own chords.
    if (!state.comforts.playEachChord || SequencePlays(state)) return;
    if (SameNotes(before, state.chord)) return;
    PlayChordOnce(PlayerPartsOf(program));
}

// The line the list's text shows: the selected one where there is one.
std::string ShownLine(const ChordSequence& list) {
    if (list.SequenceCount <= 0 || list.ListTexts.empty()) return std::string(kEmptyListText);
    const auto at = static_cast<size_t>(list.SelectedPosition);
    return at < list.ListTexts.size() ? list.ListTexts[at] : list.ListTexts.back();
}

void TakeBack(Program& program, std::optional<ChordStep> wanted) {
    if (!wanted) return;
    SharedState& state = program.state;
    if (wanted->list) {
        state.sequencer.sequence = std::move(*wanted->list);
        RefreshChordsList(state.sequencer.sequence, ShownLine(state.sequencer.sequence), program.toolkit,
                          state.windows.chords);
    }
    const ComposedChord before = state.chord;
    TakeDefinition(wanted->definition, state.definition, state.chord, program.toolkit, state.windows.chords);
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

void AsListStep(Program& program, const std::function<void()>& action) {
    SharedState& state = program.state;
    ChordStep before{state.definition, state.sequencer.sequence};
    const ComposedChord composedBefore = state.chord;
    action();
    RecordListStep(state.comforts.history, before, {state.definition, state.sequencer.sequence});
    SoundIfNewNotes(program, composedBefore);
}

void UndoChord(Program& program) {
    SharedState& state = program.state;
    if (SequencePlays(state)) return;
    TakeBack(program, StepBack(state.comforts.history, state.definition, state.sequencer.sequence));
}

void RedoChord(Program& program) {
    SharedState& state = program.state;
    if (SequencePlays(state)) return;
    TakeBack(program, StepForward(state.comforts.history, state.definition, state.sequencer.sequence));
}

void TransposeChord(Program& program, int32_t semitones) {
    SharedState& state = program.state;
    const ChordDefinition wanted = TransposeDefinition(state.definition, semitones, TransposeSpelling::Auto);
    AsUserStep(program, [&] {
        TakeDefinition(wanted, state.definition, state.chord, program.toolkit, state.windows.chords);
    });
    AnnounceChord(program);
}

void TransposeList(Program& program, int32_t semitones) {
    SharedState& state = program.state;
    ChordSequence& list = state.sequencer.sequence;
    if (list.SequenceCount <= 0) return;
    std::optional<ChordSequence> moved = TransposeSequence(list, semitones, TransposeSpelling::Auto);
    if (!moved) return;
    AsListStep(program, [&] {
        list = std::move(*moved);
        RefreshChordsList(list, ShownLine(list), program.toolkit, state.windows.chords);
    });
}

void AnnounceChord(Program& program) {
    if (program.state.comforts.chordShown) program.state.comforts.chordShown();
}

}  // namespace hq
