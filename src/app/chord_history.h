#pragma once
// The chords the user built and the lists they edited, for undo and redo.
// Pure: it only keeps steps; taking one back into the panels and the list
// is the caller's job.

#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

#include "sequencer/sequencer_state.h"
#include "theory/chord_definition.h"

namespace hq {

/// Steps kept behind the current chord; older ones are forgotten.
inline constexpr size_t kChordHistorySteps = 200;

/// The panels' chord and, for a step that edited it, the sequence list.
struct ChordStep {
    ChordDefinition definition;
    std::optional<ChordSequence> list;
};

struct ChordHistory {
    std::deque<ChordStep> back;    // oldest first
    std::vector<ChordStep> ahead;  // the next redo last
};

/// Whether two lists hold the same lines, records and selection.
bool SameList(const ChordSequence& a, const ChordSequence& b);

/// A user action turned `before` into `after`: `before` becomes the step
/// back and the redo branch is cut. Nothing happens when they are equal.
void RecordChordStep(ChordHistory& history, const ChordDefinition& before, const ChordDefinition& after);

/// The same for an action that may also have edited the list.
void RecordListStep(ChordHistory& history, const ChordStep& before, const ChordStep& after);

/// The step to go back to from the current chord and list; the current ones
/// become the next redo (the list only when the step holds one).
std::optional<ChordStep> StepBack(ChordHistory& history, const ChordDefinition& current,
                                  const ChordSequence& currentList);

/// The step to go forward to; the current ones become the next undo.
std::optional<ChordStep> StepForward(ChordHistory& history, const ChordDefinition& current,
                                     const ChordSequence& currentList);

}  // namespace hq
