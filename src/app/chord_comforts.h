#pragma once
// What the program keeps for the user's comfort beside the chord: the
// undo history and the keyboard window's wish to hear each new chord.

#include <functional>
#include <optional>

#include "app/chord_history.h"

namespace hq {

struct ChordComforts {
    ChordHistory history;
    /// The keyboard window's "Play each chord": a user's new chord sounds once.
    bool playEachChord = false;
    /// The panels' chord when the sequence started playing; STOP makes the
    /// whole play one step from it.
    std::optional<ChordDefinition> beforePlay;
    /// Told after any event that may have changed the chord shown.
    std::function<void()> chordShown;
};

}  // namespace hq
