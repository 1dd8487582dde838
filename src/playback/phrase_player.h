#pragma once
// Notes at set moments, each for its own length: a chord and then its
// arpeggio, or chords in turn. One toolkit timer walks the moments and each
// note sounds and ends through PlayNote, as PLAY ONCE's notes do.

#include <cstdint>
#include <vector>

#include "playback/note_player.h"

namespace hq {

/// A note `atTick` 110 ms ticks after the start, sounding for `ticks` (at least 1).
struct TimedNote {
    Placement note;
    int32_t atTick = 0;
    int32_t ticks = 1;
};

/// The keyboard's pitch class and octave of a MIDI note (C4 = 60).
inline Placement PlacementOfMidi(int32_t midiNote) {
    return {((midiNote % 12) + 12) % 12, midiNote / 12 - 1};
}

/// Notes at tick 0 (or before) sound at once; the returned timer walks the
/// rest and may be killed to cut the phrase short. 0: nothing was left to walk.
int32_t PlayPhrase(PlayerParts parts, std::vector<TimedNote> phrase);

}  // namespace hq
