#include "playback/phrase_player.h"

#include <algorithm>
#include <memory>

#include "playback/step_timing.h"

namespace hq {

int32_t PlayPhrase(PlayerParts parts, std::vector<TimedNote> phrase) {
    auto notes = std::make_shared<const std::vector<TimedNote>>(std::move(phrase));
    int32_t last = 0;
    for (const TimedNote& n : *notes) {
        if (n.atTick <= 0) PlayNote(parts, n.note, std::max(n.ticks, 1));
        last = std::max(last, n.atTick);
    }
    if (last <= 0) return 0;
    // The count goes down from last - 1 to 0: the tick reached is last - count.
    return parts.toolkit.StartTimer(last, kNoteTickMs, [parts, notes, last](int32_t, int32_t& count, int32_t, int64_t) {
        const int32_t tick = last - count;
        for (const TimedNote& n : *notes) {
            if (n.atTick == tick) PlayNote(parts, n.note, std::max(n.ticks, 1));
        }
    });
}

}  // namespace hq
