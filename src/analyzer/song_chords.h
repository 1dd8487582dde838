#pragma once
// The chord chart of a song: its chords on the beat grid, chosen over the
// whole song, each named as the panels name it, with its key and Roman
// numeral. Pure: no toolkit, no I/O.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analyzer/naming.h"
#include "analyzer/song_key.h"
#include "sequencer/smf_song.h"

namespace hq {

struct SongSegment {
    int64_t startTick = 0;
    int64_t endTick = 0;
    std::optional<NamedChord> chord;   // nothing where nothing sounds: "N.C."
    std::vector<int32_t> pitchClasses;  // the notes of the chord named, ascending
    std::string roman;                  // "" for N.C.
    SongKey key;                        // the key the segment lies in

    std::string Name() const { return chord ? chord->name : "N.C."; }
    /// The chord's bass: its root when it has no other.
    std::optional<int32_t> Bass() const {
        if (!chord) return std::nullopt;
        return chord->BassPitch == kNoBass ? chord->RootPitch : chord->BassPitch;
    }
};

struct SongChart {
    SongKey key;  // the key the song starts in
    std::vector<SongSegment> segments;  // back to back from tick 0
};

/// The song's chart; a song without notes is one "N.C." segment (or none
/// when it has no length at all).
SongChart ChartOfSong(const Song& song);

}  // namespace hq
