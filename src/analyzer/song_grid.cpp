#include "analyzer/song_grid.h"

#include <algorithm>
#include <map>

namespace hq {
namespace {

constexpr int32_t kPhaseBins = 48;
constexpr double kPhaseMargin = 1.2;  // how much busier than tick 0's place the grid's place must be
// A melody (or a second line) is mostly one note at a time, above the rest:
// its notes are often not chord tones, so they count for less.
constexpr float kMelodyWeight = 0.4f;
constexpr double kMelodyMostOverlap = 0.15;
constexpr float kLateHalfWeight = 0.5f;
constexpr float kHighRegisterWeight = 0.7f;
constexpr float kLowRegisterWeight = 1.2f;

int32_t BeatsPerBar(const SongMeter& m) {
    const bool compound = m.denominator >= 8 && m.numerator % 3 == 0 && m.numerator > 3;
    if (compound) return m.numerator / 3;
    if (m.denominator >= 8) return std::max(1, m.numerator / 2);
    return m.numerator;
}

// The offset of the grid from tick 0: the place in the beat where most
// sounding time starts, unless tick 0's own place is nearly as busy.
int64_t GridPhase(const Song& song, int64_t beat) {
    std::array<double, kPhaseBins> weight{};
    for (const SongNote& n : song.notes) {
        const int64_t offset = n.start % beat;
        const auto bin = static_cast<size_t>(offset * kPhaseBins / beat);
        weight[bin] += static_cast<double>(std::min(n.end - n.start, beat));
    }
    // Played notes scatter around the beat: each place counts its neighbours too.
    std::array<double, kPhaseBins> near{};
    for (size_t b = 0; b < near.size(); ++b) {
        for (size_t d = 0; d < 5; ++d) near[b] += weight[(b + kPhaseBins + d - 2) % kPhaseBins];
    }
    const auto best = static_cast<size_t>(std::max_element(near.begin(), near.end()) - near.begin());
    if (near[best] <= kPhaseMargin * near[0]) return 0;
    return static_cast<int64_t>(best) * beat / kPhaseBins;
}

std::map<int32_t, float> VoiceWeights(const Song& song) {
    struct Stats {
        double time = 0, overlap = 0, pitchTime = 0;
        int64_t lastEnd = 0;
    };
    std::map<int32_t, Stats> voices;
    double allTime = 0, allPitchTime = 0;
    for (const SongNote& n : song.notes) {
        Stats& s = voices[n.voice];
        const auto length = static_cast<double>(n.end - n.start);
        s.time += length;
        s.pitchTime += length * n.pitch;
        s.overlap += static_cast<double>(std::max<int64_t>(0, std::min(s.lastEnd, n.end) - n.start));
        s.lastEnd = std::max(s.lastEnd, n.end);
        allTime += length;
        allPitchTime += length * n.pitch;
    }
    std::map<int32_t, float> weights;
    if (voices.size() < 2 || allTime <= 0) return weights;
    const double mean = allPitchTime / allTime;
    for (const auto& [voice, s] : voices) {
        if (s.overlap < kMelodyMostOverlap * s.time && s.pitchTime / s.time > mean) weights[voice] = kMelodyWeight;
    }
    if (weights.size() == voices.size()) weights.clear();  // nothing left to carry the harmony
    return weights;
}

float RegisterWeight(int32_t pitch) {
    if (pitch < 48) return kLowRegisterWeight;
    return pitch > 72 ? kHighRegisterWeight : 1.0f;
}

void Listen(const Song& song, const std::map<int32_t, float>& voiceWeights, std::vector<SongBeat>& beats) {
    std::vector<const SongNote*> active;
    struct Cut {
        int64_t tick;
        int32_t pitch;
        int32_t change;  // +1 where a note starts sounding, -1 where it stops
    };
    std::vector<Cut> cuts;
    size_t next = 0;
    for (SongBeat& beat : beats) {
        std::erase_if(active, [&beat](const SongNote* n) { return n->end <= beat.start; });
        for (; next < song.notes.size() && song.notes[next].start < beat.end; ++next) {
            if (song.notes[next].end > beat.start) active.push_back(&song.notes[next]);
        }
        const auto length = static_cast<float>(beat.end - beat.start);
        cuts.clear();
        for (const SongNote* n : active) {
            const int64_t from = std::max(n->start, beat.start);
            const int64_t to = std::min(n->end, beat.end);
            if (to <= from) continue;
            const auto found = voiceWeights.find(n->voice);
            const float voice = found == voiceWeights.end() ? 1.0f : found->second;
            // The beat's second half counts less: a chord pushed ahead of the
            // next beat sounds there.
            const int64_t middle = beat.start + (beat.end - beat.start) / 2;
            const auto early = static_cast<float>(std::max<int64_t>(0, std::min(to, middle) - from));
            const auto late = static_cast<float>(to - from) - early;
            beat.chroma[static_cast<size_t>(n->pitch % 12)] +=
                (early + kLateHalfWeight * late) / length * voice * RegisterWeight(n->pitch);
            cuts.push_back({from, n->pitch, 1});
            cuts.push_back({to, n->pitch, -1});
        }
        // Sweep the beat's starts and ends in time order, counting the notes
        // held on each key: the lowest key held is the bass.
        std::sort(cuts.begin(), cuts.end(), [](const Cut& x, const Cut& y) { return x.tick < y.tick; });
        std::array<int32_t, 128> held{};
        for (size_t i = 0; i < cuts.size(); ++i) {
            held[static_cast<size_t>(cuts[i].pitch)] += cuts[i].change;
            if (i + 1 == cuts.size() || cuts[i + 1].tick == cuts[i].tick) continue;
            const auto lowest = static_cast<size_t>(std::find_if(held.begin(), held.end(), [](int32_t h) { return h > 0; }) - held.begin());
            if (lowest == held.size()) continue;
            const float part = static_cast<float>(cuts[i + 1].tick - cuts[i].tick) / length;
            beat.bass[lowest % 12] += part;
            beat.heard += part;
        }
    }
}

}  // namespace

int64_t BeatTicks(const SongMeter& meter, int32_t ticksPerQuarter) {
    const int64_t quarter = std::max(ticksPerQuarter, 1);
    const bool compound = meter.denominator >= 8 && meter.numerator % 3 == 0 && meter.numerator > 3;
    if (compound) return std::max<int64_t>(1, 3 * 4 * quarter / meter.denominator);
    if (meter.denominator == 2) return 2 * quarter;
    return quarter;
}

std::vector<SongBeat> SongBeats(const Song& song) {
    int64_t end = song.endTick;
    for (const SongNote& n : song.notes) end = std::max(end, n.end);
    std::vector<SongBeat> beats;
    if (end <= 0) return beats;
    const SongMeter plain;
    const SongMeter& first = !song.meters.empty() && song.meters.front().tick == 0 ? song.meters.front() : plain;
    const int64_t phase = GridPhase(song, BeatTicks(first, song.ticksPerQuarter));
    if (phase > 0) beats.push_back(SongBeat{0, phase, 2, 0, {}, {}, 0});
    int64_t tick = phase;
    int64_t beatInMeter = 0;
    int32_t bar = 0;
    size_t nextMeter = 0;  // the first time signature after `tick`
    SongMeter meter = plain;
    while (tick < end) {
        for (; nextMeter < song.meters.size() && song.meters[nextMeter].tick <= tick; ++nextMeter) {
            meter = song.meters[nextMeter];
            beatInMeter = 0;
        }
        int64_t next = tick + BeatTicks(meter, song.ticksPerQuarter);
        if (nextMeter < song.meters.size()) next = std::min(next, song.meters[nextMeter].tick);
        const int32_t perBar = BeatsPerBar(meter);
        const auto place = static_cast<int32_t>(beatInMeter % perBar);
        if (place == 0 && tick > phase) ++bar;
        const int32_t strength = place == 0 ? 0 : (perBar % 2 == 0 && place == perBar / 2) ? 1 : 2;
        beats.push_back(SongBeat{tick, next, strength, bar, {}, {}, 0});
        tick = next;
        ++beatInMeter;
    }
    Listen(song, VoiceWeights(song), beats);
    return beats;
}

}  // namespace hq
