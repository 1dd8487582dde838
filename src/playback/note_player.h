#pragma once
// The note player: sounds notes through the keyboard component and times
// them with toolkit timers, once or as an endless arpeggio. Written only
// against the Toolkit and Keyboard interfaces.

#include <cstdint>
#include <vector>

#include "platform/keyboard.h"
#include "platform/toolkit.h"
#include "playback/placement.h"
#include "playback/play_settings.h"
#include "playback/player_state.h"
#include "theory/composition.h"

namespace hq {

/// What the player works on. Timers keep a copy, so everything referred to
/// must outlive every timer the player starts (the run, in the program).
struct PlayerParts {
    PlaySettings& settings;
    PlayerState& player;
    const ComposedChord& chord;
    Toolkit& toolkit;
    Keyboard& keyboard;
    int32_t grid;  // the main window, which shows tempo and notes per measure
};

/// The placements of the current chord under the current settings; Random
/// reads its RandomBase from the toolkit's clock now.
std::vector<Placement> CurrentPlacements(PlayerParts parts);

/// Sounds the note now and switches it off after ticks110ms × 110 ms.
void PlayNote(PlayerParts parts, Placement note, int32_t ticks110ms);

/// Every placement of the current chord at once, for 10 ticks; repeated play
/// going on at the same time is left alone.
void PlayChordOnce(PlayerParts parts);

/// Fills the step list from the current chord and settings (or from
/// PlayerState::Voiced while set) and starts the
/// arpeggio (Up or Down on) or the repeated chord (neither).
void StartRepeatedPlay(PlayerParts parts);

/// Stops the step timers; sounding notes end on their own timers.
void StopRepeatedPlay(PlayerParts parts);

// The timer routines, as the toolkit calls them.
void NoteOffTimeout(PlayerParts parts, int32_t timerNumber, int32_t& count);
void ArpeggioStep(PlayerParts parts, int32_t& count);
void ChordRepeatStep(PlayerParts parts, int32_t& count);

/// Shows Tempo (TempoBar) or NotesPerMeasure (NotesMeasureBar); other kids:
/// nothing.
void UpdatePlayDisplays(PlayerParts parts, int32_t barKid);

/// A drag of TempoBar or NotesMeasureBar to position 0..49 (clamped).
void DragPlayBar(PlayerParts parts, int32_t barKid, int32_t position0to49);
/// OneMore (+1) or OneLess (-1) on TempoBar or NotesMeasureBar.
void StepPlayBar(PlayerParts parts, int32_t barKid, int32_t step);

/// A Selection of an arrangement, repeat, play or Up/Down/Fill control;
/// `value1` is a check box's reported state (-1 checked, 0 cleared).
void SelectPlayControl(PlayerParts parts, int32_t kidNumber, int32_t value1);

}  // namespace hq
