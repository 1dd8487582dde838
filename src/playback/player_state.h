#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "playback/placement.h"

namespace hq {

/// Rows of the step list; no arrangement fills more than 132.
inline constexpr int32_t kStepListRows = 257;

/// The note player's state between timer expiries.
struct PlayerState {
    int32_t ArpeggioPlaying = 0;  // 1 while repeated play runs
    std::array<Placement, kStepListRows> StepList{};
    int32_t StepPosition = 0;   // the row to play next; may sit one past either end
    int32_t StepDirection = 1;  // +1 or -1
    int32_t LastStep = -1;      // last filled row; -1 while none is
    int32_t ArpeggioTimer = 0;  // 0 while not running
    int32_t ChordTimer = 0;     // 0 while not running

    /// The note each running note timer will switch off, by its whole timer
    /// number: any number of notes can sound at once.
    std::map<int32_t, Placement> NoteOffs;

    /// While set, repeated play takes these notes, in this order, instead of
    /// arranging the chord: a voice-led sequence's current voicing.
    std::optional<std::vector<Placement>> Voiced;

    std::string TempoText;  // what TempoDisplay shows, once the player has set it
    std::string NotesPerMeasureText;
};

}  // namespace hq
