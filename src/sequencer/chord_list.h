#pragma once
// Editing the chord list. The list operations are pure; RefreshChordsList
// shows the result in ChordsList.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/toolkit.h"
#include "sequencer/sequencer_state.h"

namespace hq {

inline constexpr std::string_view kEmptyListText = "Empty List";

/// Each returns the text that the list's text line shows afterwards.
std::string AppendChord(ChordSequence& sequence, ChordRecord record);
/// At SelectedPosition, above the entry there; an empty list appends.
std::string InsertChord(ChordSequence& sequence, ChordRecord record);
/// The entry at SelectedPosition; fewer than two entries clear the list.
std::string RemoveChord(ChordSequence& sequence);
/// Keeps SelectedPosition.
std::string ClearAllChords(ChordSequence& sequence);

/// A ChordsList line 0..SequenceCount-1 becomes SelectedPosition; any other
/// is ignored. Returns whether it was taken.
bool SelectChordsListLine(ChordSequence& sequence, int32_t line);

/// Sends ListTexts and the text line to ChordsList of the window `grid`.
void RefreshChordsList(const ChordSequence& sequence, std::string_view shown, Toolkit& toolkit, int32_t grid);

}  // namespace hq
