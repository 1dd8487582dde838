#include "app/chord_history.h"

namespace hq {
namespace {

void PushBack(ChordHistory& history, const ChordDefinition& definition) {
    history.back.push_back(definition);
    if (history.back.size() > kChordHistorySteps) history.back.pop_front();
}

}  // namespace

void RecordChordStep(ChordHistory& history, const ChordDefinition& before, const ChordDefinition& after) {
    if (before == after) return;
    PushBack(history, before);
    history.ahead.clear();
}

std::optional<ChordDefinition> StepBack(ChordHistory& history, const ChordDefinition& current) {
    if (history.back.empty()) return std::nullopt;
    ChordDefinition wanted = std::move(history.back.back());
    history.back.pop_back();
    history.ahead.push_back(current);
    return wanted;
}

std::optional<ChordDefinition> StepForward(ChordHistory& history, const ChordDefinition& current) {
    if (history.ahead.empty()) return std::nullopt;
    ChordDefinition wanted = std::move(history.ahead.back());
    history.ahead.pop_back();
    PushBack(history, current);
    return wanted;
}

}  // namespace hq
