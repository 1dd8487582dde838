#pragma once
// A song read from a Standard MIDI File written by any program: its pitched
// notes on absolute ticks, its tempo map and its time signatures. Pure: bytes
// in, a whole song or a reason out.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace hq {

/// Bounds that keep a hostile file from costing much memory or time.
inline constexpr size_t kMaxSongBytes = 16u << 20;
inline constexpr size_t kMaxSongEvents = 4'000'000;
inline constexpr size_t kMaxSongNotes = 400'000;
inline constexpr int64_t kMaxSongQuarters = 50'000;
/// The notes' lengths added up, in quarter notes: what charting costs.
inline constexpr int64_t kMaxSoundingQuarters = 4'000'000;
inline constexpr size_t kMaxSongTempos = 100'000;
inline constexpr size_t kMaxSongMeters = 10'000;

struct SongNote {
    int64_t start = 0;  // ticks
    int64_t end = 0;    // ticks, after start
    int32_t pitch = 0;  // MIDI key number
    int32_t velocity = 0;
    int32_t voice = 0;  // track * 16 + channel: the part the note belongs to
};

struct SongTempo {
    int64_t tick = 0;
    int32_t microsPerQuarter = 500'000;
    double seconds = 0;  // from tick 0 to this change
};

struct SongMeter {
    int64_t tick = 0;
    int32_t numerator = 4;
    int32_t denominator = 4;
};

struct Song {
    int32_t format = 1;
    int32_t ticksPerQuarter = 480;
    std::vector<SongNote> notes;    // by start, then pitch; the percussion channel left out
    std::vector<SongTempo> tempos;  // by tick; the first at tick 0, each with its time
    std::vector<SongMeter> meters;  // by tick; empty when the file has none
    int64_t endTick = 0;            // the last event of any track
};

/// The song, or why the bytes are refused.
using SongReading = std::variant<Song, std::string>;

SongReading ReadSong(std::string_view bytes);

/// Seconds from tick 0 to `tick` (fractional ticks allowed) under the tempo map.
double SecondsAtTick(const Song& song, double tick);

/// The song's first tempo in quarter notes a minute, rounded; 120 when it
/// sets none, as a file without a tempo plays.
int32_t FirstTempoBpm(const Song& song);

}  // namespace hq
