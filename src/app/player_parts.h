#pragma once

#include "app/program.h"
#include "playback/note_player.h"

namespace hq {

/// The pieces of the program the note player works on.
inline PlayerParts PlayerPartsOf(Program& program) {
    SharedState& s = program.state;
    return {s.play, s.player, s.chord, program.toolkit, program.keyboard, s.windows.chords};
}

}  // namespace hq
