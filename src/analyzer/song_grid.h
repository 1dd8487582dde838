#pragma once
// A song cut at its beats: for each beat, how much of each pitch class
// sounds and which is the lowest note. Pure: no toolkit, no I/O.

#include <array>
#include <cstdint>
#include <vector>

#include "sequencer/smf_song.h"

namespace hq {

struct SongBeat {
    int64_t start = 0;  // ticks
    int64_t end = 0;
    int32_t strength = 2;  // 0 on the bar's first beat, 1 on its middle, 2 elsewhere
    int32_t bar = 0;
    std::array<float, 12> chroma{};  // sounding time in beats, weighted by part and register
    std::array<float, 12> bass{};    // time in beats each pitch class is the lowest note
    float heard = 0;                 // time in beats anything sounds
};

/// The beat's length in ticks under a time signature: the dotted beat of a
/// compound meter, the half note under x/2, else the quarter note.
int64_t BeatTicks(const SongMeter& meter, int32_t ticksPerQuarter);

/// The beats from tick 0 to the song's end, the grid's phase taken from the
/// note onsets; a beat before the first grid line covers the pickup.
std::vector<SongBeat> SongBeats(const Song& song);

}  // namespace hq
