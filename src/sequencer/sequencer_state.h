#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "playback/placement.h"
#include "playback/voicing.h"
#include "sequencer/chord_record.h"
#include "theory/composition.h"

namespace hq {

/// The ordered chord list. Records and ListTexts always hold SequenceCount
/// entries, except that ListTexts is ["Empty List"] after Clear All.
struct ChordSequence {
    std::vector<ChordRecord> Records;
    std::vector<std::string> ListTexts;
    int32_t SequenceCount = 0;
    int32_t SelectedPosition = 0;  // 0-based line of ChordsList
};

/// Sequence playing between timer expiries.
struct SequencePlay {
    int32_t SequencePlaying = 0;   // 1 while playing
    int32_t SequencePosition = 0;  // the record to play next
    int32_t SequenceTimer = 0;     // 0 while not running
    int32_t SavedTempo = 0;
    uint32_t ChordPeriodMs = 0;
    bool InTick = false;  // a tick is running (it may sit in a modal alert)
    /// Told of every chord that is decoded and composed for playing.
    std::function<void(const ComposedChord&)> ChordComposed;
    /// Told of the notes each record is played with, as the step list holds
    /// them, once its repeated play has started.
    std::function<void(int32_t record, const std::vector<Placement>& notes)> RecordPlayed;

    /// "Voice-led sequence": each record plays its voicing, worked out over
    /// the whole list at PLAY, in place of its arrangement.
    bool VoiceLed = false;
    std::vector<Voicing> Voicings;
    /// The records the voicings were worked out for; an edit of the list
    /// during play has them worked out again.
    std::vector<ChordRecord> VoicedRecords;
};

/// The chord list and sequence playing.
struct SequencerState {
    ChordSequence sequence;
    SequencePlay play;
};

}  // namespace hq
