#pragma once
// How a practice question sounds: the chord held, then broken upwards; a
// progression's chords in turn; two chords one after the other to compare.

#include <cstdint>
#include <vector>

#include "playback/phrase_player.h"
#include "practice/items.h"

namespace hq::ui {

/// 110 ms ticks a held chord lasts, and the rest after it.
inline constexpr int32_t kBlockTicks = 8;
inline constexpr int32_t kRestTicks = 2;
/// 110 ms ticks between the notes of an arpeggio.
inline constexpr int32_t kArpeggioStepTicks = 3;

/// A chord item held, then as an arpeggio; a progression's chords in turn.
std::vector<TimedNote> ItemPhrase(const practice::PracticeItem& item);

/// Each chord (MIDI notes) held in turn; an empty chord is a rest.
std::vector<TimedNote> ChordsInTurn(const std::vector<std::vector<int32_t>>& chords);

/// The item's chords as MIDI notes: one for a chord item, each of a progression's.
std::vector<std::vector<int32_t>> ItemChords(const practice::PracticeItem& item);

}  // namespace hq::ui
