#pragma once
// The one program-wide record. Value-initialised, it is the zero-filled start.

#include <cstdint>

#include "analyzer/analyzer_state.h"
#include "app/chord_comforts.h"
#include "playback/play_settings.h"
#include "playback/player_state.h"
#include "sequencer/sequencer_state.h"
#include "theory/chord_definition.h"
#include "theory/composition.h"

namespace hq {

struct WindowGrids {
    int32_t chords = 0;
    int32_t fifths = 0;
    int32_t tmap = 0;
};

struct SharedState {
    ChordDefinition definition;
    ComposedChord chord;
    PlaySettings play;
    PlayerState player;
    AnalyzerState analyzer;
    SequencerState sequencer;
    WindowGrids windows;
    ChordComforts comforts;
    bool started = false;  // start-up has begun; a second start does nothing
};

}  // namespace hq
