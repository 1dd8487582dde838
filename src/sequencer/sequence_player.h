#pragma once
// Playing the chord list: one record per ChordPeriod, each recomposed and
// played as a repeated arpeggio with its own settings, round and round until
// STOP. Written only against the Toolkit and Keyboard interfaces.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "playback/note_player.h"
#include "sequencer/sequencer_state.h"
#include "theory/chord_definition.h"

namespace hq {

inline constexpr std::string_view kNoSequenceAlert = "No Chord Sequence to Play\nLoad or Append some chords";

/// Eight beats of the tempo, in ms; a tempo outside 60..300 counts as the
/// nearer end.
uint32_t ChordPeriodMs(int32_t tempo);

/// What sequence playing works on. Timers keep a copy, so everything
/// referred to must outlive every timer it starts.
struct SequencerParts {
    SequencerState& sequencer;
    ChordDefinition& definition;
    ComposedChord& chord;
    PlayerParts player;
    /// The main window's callback, handed Update and PlayChordMessage.
    WindowCallback callback;
};

/// Each record composed as playing composes it: its definition decoded, its
/// stored texts set aside. A record that does not decode gives the chord of
/// whatever part of it did.
std::vector<ComposedChord> ComposeRecords(std::span<const ChordRecord> records);

/// The PLAY button.
void PlaySequence(SequencerParts parts);
/// One expiry of the sequence timer.
void SequenceTick(SequencerParts parts);
/// The STOP button and the close path: stops everything that sounds and,
/// after playing, puts tempo, panels and play options back.
void StopSequence(SequencerParts parts);

}  // namespace hq
