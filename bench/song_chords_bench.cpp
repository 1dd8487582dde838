// Reading a song and charting its chords: generated four-minute songs at
// 120 beats a minute (480 beats, 3,120 notes) of diatonic progressions
// with bass, arpeggiated accompaniment and a melody.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include "analyzer/song_chords.h"
#include "conditions.h"
#include "platform/midi_bytes.h"
#include "sequencer/smf.h"
#include "sequencer/smf_song.h"

namespace hq {
namespace {

const bool kConditions = bench::Conditions(
    "pure code, no toolkit; the bytes of each song in memory; the namer's chord space built before timing");

constexpr int32_t kQuarter = 480;
constexpr int32_t kBars = 120;

void Note(std::vector<SmfEvent>& track, int64_t at, int64_t length, int32_t key, uint8_t channel) {
    track.push_back(SmfChannel(at, static_cast<uint8_t>(midi::kNoteOn | channel), static_cast<uint8_t>(key), 90));
    track.push_back(SmfChannel(at + length, static_cast<uint8_t>(midi::kNoteOn | channel), static_cast<uint8_t>(key), 0));
}

std::string GeneratedSong(uint32_t seed) {
    std::mt19937 random(seed);
    constexpr std::array<int32_t, 7> kScale{0, 2, 4, 5, 7, 9, 11};
    const int32_t tonic = static_cast<int32_t>(random() % 12);
    std::vector<SmfEvent> bass, accompaniment, melody;
    for (int32_t bar = 0; bar < kBars; ++bar) {
        for (int32_t half = 0; half < 2; ++half) {
            const auto degree = static_cast<size_t>(random() % 7);
            const int64_t at = (bar * 4 + half * 2) * int64_t{kQuarter};
            const int32_t root = tonic + kScale[degree];
            std::array<int32_t, 3> triad{};
            for (size_t k = 0; k < 3; ++k) {
                const size_t d = degree + 2 * k;
                triad[k] = 48 + tonic + kScale[d % 7] + 12 * static_cast<int32_t>(d / 7);
            }
            Note(bass, at, 2 * kQuarter, 36 + root % 12, 1);
            for (int32_t e = 0; e < 6; ++e) Note(accompaniment, at + e * kQuarter / 3, kQuarter / 3, triad[static_cast<size_t>(e % 3)], 0);
            for (int32_t e = 0; e < 6; ++e) {
                Note(melody, at + e * kQuarter / 3, kQuarter / 3, 72 + tonic % 12 + kScale[random() % 7], 2);
            }
        }
    }
    SmfFile file;
    file.ticksPerQuarter = kQuarter;
    for (std::vector<SmfEvent>* track : {&bass, &accompaniment, &melody}) {
        std::stable_sort(track->begin(), track->end(), [](const SmfEvent& a, const SmfEvent& b) { return a.tick < b.tick; });
        file.tracks.push_back(SmfTrack{*track});
    }
    return WriteSmf(file).value_or("");
}

void BM_ChartOfFourMinuteSong(benchmark::State& state) {
    PrepareNaming();
    std::vector<std::string> songs;
    for (uint32_t seed = 1; seed <= 8; ++seed) songs.push_back(GeneratedSong(seed));
    size_t notes = 0;
    for (const std::string& bytes : songs) notes += std::get<Song>(ReadSong(bytes)).notes.size();
    size_t next = 0;
    for (auto _ : state) {
        const SongReading reading = ReadSong(songs[next++ % songs.size()]);
        const SongChart chart = ChartOfSong(std::get<Song>(reading));
        benchmark::DoNotOptimize(chart.segments.data());
    }
    state.counters["notes_per_song"] = static_cast<double>(notes) / static_cast<double>(songs.size());
}
BENCHMARK(BM_ChartOfFourMinuteSong)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hq
