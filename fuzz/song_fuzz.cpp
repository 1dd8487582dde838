// Arbitrary bytes as a MIDI song: read whole or refused with a reason, and
// every song read charted, its segments back to back and each chord's notes
// in range.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "analyzer/song_chords.h"
#include "sequencer/smf_song.h"
#include "require.h"

using hq::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace hq;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const SongReading reading = ReadSong(bytes);
    if (const std::string* reason = std::get_if<std::string>(&reading)) {
        Require(!reason->empty());
        return 0;
    }
    const Song& song = std::get<Song>(reading);
    Require(song.ticksPerQuarter > 0 && !song.tempos.empty());
    for (const SongNote& n : song.notes) Require(n.end > n.start && n.pitch >= 0 && n.pitch < 128);
    const SongChart chart = ChartOfSong(song);
    int64_t at = 0;
    for (const SongSegment& s : chart.segments) {
        Require(s.startTick == at && s.endTick > s.startTick);
        const double from = SecondsAtTick(song, static_cast<double>(s.startTick));
        Require(from >= 0 && SecondsAtTick(song, static_cast<double>(s.endTick)) > from);
        at = s.endTick;
        Require(s.chord.has_value() == !s.roman.empty());
        for (int32_t p : s.pitchClasses) Require(p >= 0 && p < 12);
        if (s.chord) Require(s.chord->RootPitch >= 0 && s.chord->RootPitch < 12 && !s.chord->name.empty());
    }
    Require(chart.key.tonic >= 0 && chart.key.tonic < 12);
    return 0;
}
