#include "app/chord_history.h"

#include <utility>

namespace hq {
namespace {

void PushBack(ChordHistory& history, ChordStep step) {
    history.back.push_back(std::move(step));
    if (history.back.size() > kChordHistorySteps) history.back.pop_front();
}

// What stands where `wanted` was: the current chord, with the current list
// when going there changes the list.
ChordStep CurrentFor(const ChordStep& wanted, const ChordDefinition& current, const ChordSequence& currentList) {
    ChordStep step{current, std::nullopt};
    if (wanted.list) step.list = currentList;
    return step;
}

}  // namespace

bool SameList(const ChordSequence& a, const ChordSequence& b) {
    return a.Records == b.Records && a.ListTexts == b.ListTexts && a.SequenceCount == b.SequenceCount &&
           a.SelectedPosition == b.SelectedPosition;
}

void RecordChordStep(ChordHistory& history, const ChordDefinition& before, const ChordDefinition& after) {
    if (before == after) return;
    PushBack(history, {before, std::nullopt});
    history.ahead.clear();
}

void RecordListStep(ChordHistory& history, const ChordStep& before, const ChordStep& after) {
    const bool listChanged = before.list && after.list && !SameList(*before.list, *after.list);
    if (!listChanged) {
        RecordChordStep(history, before.definition, after.definition);
        return;
    }
    PushBack(history, before);
    history.ahead.clear();
}

std::optional<ChordStep> StepBack(ChordHistory& history, const ChordDefinition& current,
                                  const ChordSequence& currentList) {
    if (history.back.empty()) return std::nullopt;
    ChordStep wanted = std::move(history.back.back());
    history.back.pop_back();
    history.ahead.push_back(CurrentFor(wanted, current, currentList));
    return wanted;
}

std::optional<ChordStep> StepForward(ChordHistory& history, const ChordDefinition& current,
                                     const ChordSequence& currentList) {
    if (history.ahead.empty()) return std::nullopt;
    ChordStep wanted = std::move(history.ahead.back());
    history.ahead.pop_back();
    PushBack(history, CurrentFor(wanted, current, currentList));
    return wanted;
}

}  // namespace hq
