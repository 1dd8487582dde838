#pragma once
// The chords the user built, for undo and redo. Pure: it only keeps
// definitions; taking one back into the panels is the caller's job.

#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

#include "theory/chord_definition.h"

namespace hq {

/// Steps kept behind the current chord; older ones are forgotten.
inline constexpr size_t kChordHistorySteps = 200;

struct ChordHistory {
    std::deque<ChordDefinition> back;    // oldest first
    std::vector<ChordDefinition> ahead;  // the next redo last
};

/// A user action turned `before` into `after`: `before` becomes the step
/// back and the redo branch is cut. Nothing happens when they are equal.
void RecordChordStep(ChordHistory& history, const ChordDefinition& before, const ChordDefinition& after);

/// The definition to go back to from `current`, which becomes the next redo.
std::optional<ChordDefinition> StepBack(ChordHistory& history, const ChordDefinition& current);

/// The definition to go forward to from `current`, which becomes the next undo.
std::optional<ChordDefinition> StepForward(ChordHistory& history, const ChordDefinition& current);

}  // namespace hq
