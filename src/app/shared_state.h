#pragma once
// The one program-wide record. Value-initialised, it is the zero-filled start.

#include <cstdint>

#include "playback/play_settings.h"
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
    WindowGrids windows;
};

}  // namespace hq
