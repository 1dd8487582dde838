#pragma once
// The main-window commands owned by playback, the analyzer and the sequencer.
// Each subsystem fills in its own entry points; ChordsWindowCallback reaches
// them and never composes the chord after them.

#include <cstdint>

#include "app/program.h"
#include "platform/messages.h"
#include "theory/chord_definition.h"

namespace hq {

// Playback: arrangement and repeat choices (85..88, 92..95), the play buttons
// (89..91) and Up, Down, Fill (98, 99, 103).
void SelectPlaybackControl(Program& program, const ToolkitMessage& message);
// Change, OneMore or OneLess from any kid; only TempoBar and NotesMeasureBar act.
void MovePlaybackBar(Program& program, const ToolkitMessage& message);
// The private PlayChordMessage: repeated play restarts with the current chord.
void RestartChordPlay(Program& program);

// Analyzer: SolutionsList (79), CaptureSolve (80), UseSolution (81).
void SelectAnalyzerControl(Program& program, const ToolkitMessage& message);

// Sequencer: kids 69..77.
void SelectSequencerControl(Program& program, const ToolkitMessage& message);
// What closing the main window stops first: the sequence, repeated play and
// every sounding note.
void StopSequence(Program& program);

// A chord taken whole into the Step panels by the user (a typed symbol, a
// ranked name): set and composed as "Use this solution" sets it.
void TakeChordIntoPanels(Program& program, const ChordDefinition& wanted);

// Empties what start-up empties: the chord sequence and the solutions.
void ResetAnalyzer(Program& program);
void ResetSequencer(Program& program);

}  // namespace hq
