#include "analyzer/song_chords.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

#include "analyzer/song_grid.h"
#include "theory/pitch.h"

namespace hq {
namespace {

// The chords a song is read as: intervals above the root and how much more
// evidence each needs than a plain triad. Extensions and colours are left
// to the ear: a melody's passing note must not turn C into Cadd9.
struct Template {
    uint32_t tones;
    float cost;
};
constexpr std::array<Template, 10> kTemplates{{
    {0b0000'1001'0001, 0.00f},  // major
    {0b0000'1000'1001, 0.02f},  // minor
    {0b0100'1001'0001, 0.10f},  // dominant seventh
    {0b1000'1001'0001, 0.12f},  // major seventh
    {0b0100'1000'1001, 0.10f},  // minor seventh
    {0b0000'0100'1001, 0.14f},  // diminished
    {0b0100'0100'1001, 0.14f},  // half-diminished
    {0b0010'0100'1001, 0.16f},  // diminished seventh
    {0b0001'0001'0001, 0.22f},  // augmented
    {0b0000'1010'0001, 0.16f},  // sus4
}};
constexpr size_t kChordStates = 12 * kTemplates.size();
constexpr size_t kNoChord = kChordStates;  // the last state

constexpr float kStrayCost = 1.0f;         // per unit of sounding weight outside the chord
constexpr float kBassRootWeight = 0.35f;   // the lowest note is most often the root
constexpr float kBassToneWeight = 0.12f;   // or another chord tone
constexpr float kMissingRootCost = 0.25f;
constexpr float kMissingThirdCost = 0.12f;
constexpr float kFaintTone = 0.04f;
constexpr float kDiatonicBonus = 0.06f;
constexpr uint32_t kTriadTones = 0b0001'1111'1001;  // any third and fifth: what a seventh is added to
constexpr float kFaintAddedTone = 0.5f;  // of the triad's tones' mean weight
constexpr float kFaintAddedCost = 0.15f;
constexpr float kSilence = 0.08f;       // less sounding time than this in a beat is silence
constexpr float kSilentNoChord = 0.6f;  // what a silent beat gives "N.C." over any chord
// Changing chord costs least on the bar's first beat, most off the beat.
constexpr std::array<float, 3> kChangeCost{0.2f, 0.45f, 0.9f};
constexpr double kCadenceWeight = 0.04;
constexpr double kMostCadenceWeight = 0.3;
constexpr double kMajorBias = 0.05;  // songs in major outnumber those in minor
constexpr float kInversionMargin = 1.3f;  // a bass other than the root must clearly lead

uint32_t Rotate(uint32_t mask, int32_t by) {
    const auto s = static_cast<uint32_t>(Mod12(by));
    return ((mask << s) | (mask >> (12 - s))) & 0xFFFu;
}

int32_t ThirdOf(uint32_t tones) { return (tones & 0x10u) != 0 ? 4 : (tones & 0x8u) != 0 ? 3 : 0; }

void Emissions(const SongBeat& beat, SongKey key, std::array<float, kChordStates + 1>& out) {
    float total = 0;
    for (float w : beat.chroma) total += w;
    if (beat.heard < kSilence || total <= 0) {
        // A chord rides over a short rest; a longer one is "N.C.".
        out.fill(0.0f);
        out[kNoChord] = kSilentNoChord;
        return;
    }
    std::array<float, 12> c{};
    std::array<float, 12> b{};
    for (size_t p = 0; p < 12; ++p) c[p] = beat.chroma[p] / total, b[p] = beat.bass[p] / beat.heard;
    for (int32_t root = 0; root < 12; ++root) {
        for (size_t t = 0; t < kTemplates.size(); ++t) {
            const uint32_t tones = Rotate(kTemplates[t].tones, root);
            float inside = 0, bassTones = 0;
            for (size_t p = 0; p < 12; ++p) {
                if ((tones & (1u << p)) == 0) continue;
                inside += c[p];
                bassTones += b[p];
            }
            const auto r = static_cast<size_t>(root);
            float score = inside - kStrayCost * (1.0f - inside) - kTemplates[t].cost;
            score += kBassRootWeight * b[r] + kBassToneWeight * (bassTones - b[r]);
            if (c[r] < kFaintTone) score -= kMissingRootCost;
            const int32_t third = ThirdOf(kTemplates[t].tones);
            if (third != 0 && c[static_cast<size_t>(Mod12(root + third))] < kFaintTone) score -= kMissingThirdCost;
            if (Diatonic(key, root, tones)) score += kDiatonicBonus;
            const uint32_t added = tones & ~Rotate(kTriadTones, root);
            if (added != 0) {
                // An added tone must sound about as much as the triad's own.
                float triad = 0, extra = 0;
                for (size_t p = 0; p < 12; ++p) {
                    if ((tones & (1u << p)) != 0) ((added & (1u << p)) != 0 ? extra : triad) += c[p];
                }
                if (extra < kFaintAddedTone * triad / 3) score -= kFaintAddedCost;
            }
            out[r * kTemplates.size() + t] = score;
        }
    }
    out[kNoChord] = -1.0f;
}

// The chord of every beat, chosen over the whole song.
std::vector<size_t> ChordPath(const std::vector<SongBeat>& beats, const std::vector<KeyStretch>& keys) {
    const size_t n = beats.size();
    std::vector<std::array<uint8_t, kChordStates + 1>> from(n);
    std::array<float, kChordStates + 1> score{};
    std::array<float, kChordStates + 1> emission{};
    size_t k = 0;
    for (size_t i = 0; i < n; ++i) {
        while (k + 1 < keys.size() && keys[k + 1].firstBeat <= i) ++k;
        Emissions(beats[i], keys.empty() ? SongKey{} : keys[k].key, emission);
        const auto best = static_cast<size_t>(std::max_element(score.begin(), score.end()) - score.begin());
        const float change = score[best] - kChangeCost[static_cast<size_t>(std::clamp(beats[i].strength, 0, 2))];
        for (size_t s = 0; s <= kChordStates; ++s) {
            const bool moved = i > 0 && change > score[s];
            from[i][s] = static_cast<uint8_t>(moved ? best : s);
            score[s] = (moved ? change : score[s]) + emission[s];
        }
    }
    std::vector<size_t> path(n);
    auto s = static_cast<size_t>(std::max_element(score.begin(), score.end()) - score.begin());
    for (size_t i = n; i-- > 0;) {
        path[i] = s;
        s = from[i][s];
    }
    return path;
}

// The pitch class that sounds lowest for longest in the beat, if any.
std::optional<int32_t> BeatBass(const SongBeat& beat) {
    const auto top = static_cast<size_t>(std::max_element(beat.bass.begin(), beat.bass.end()) - beat.bass.begin());
    if (beat.bass[top] <= 0) return std::nullopt;
    return static_cast<int32_t>(top);
}

// Whether the same chord takes a new bass at beat `j`: on a strong beat,
// held for two beats, so that a walking bass does not cut the chord up.
bool BassMoves(const std::vector<SongBeat>& beats, const std::vector<size_t>& path, size_t j) {
    if (j == 0 || j + 1 >= beats.size() || beats[j].strength > 1 || path[j + 1] != path[j]) return false;
    const std::optional<int32_t> before = BeatBass(beats[j - 1]);
    const std::optional<int32_t> now = BeatBass(beats[j]);
    return before && now && *before != *now && BeatBass(beats[j + 1]) == now;
}

// The panels' name for the chord of `tones` over `bass`, rooted on `root`
// when the namer has such a reading.
NamedChord NameOf(int32_t root, uint32_t tones, int32_t bass) {
    std::vector<int32_t> pitches{bass};
    for (int32_t p = 0; p < 12; ++p) {
        if ((tones & (1u << p)) != 0 && p != bass) pitches.push_back(p + 12);
    }
    const std::vector<NamedChord> names = BestNames(pitches, 12);
    const int32_t wantedBass = bass == root ? kNoBass : bass;
    for (const NamedChord& name : names) {
        if (name.RootPitch == root && name.BassPitch == wantedBass) return name;
    }
    for (const NamedChord& name : names) {
        if (name.RootPitch == root) return name;
    }
    return names.empty() ? NamedChord{} : names.front();
}

// Between a key and its relative, the one whose tonic chord the song
// dwells on, opens with or closes on.
SongKey TonicEvidence(SongKey key, const std::vector<SongSegment>& segments, size_t first, size_t last) {
    const SongKey relative = key.minor ? SongKey{Mod12(key.tonic + 3), false} : SongKey{Mod12(key.tonic - 3), true};
    const auto isTonic = [](const SongSegment& s, SongKey k) {
        if (!s.chord || s.chord->RootPitch != k.tonic) return false;
        const uint32_t above = Rotate([&s] {
            uint32_t m = 0;
            for (int32_t p : s.pitchClasses) m |= 1u << p;
            return m;
        }(), -k.tonic);
        return ThirdOf(above) == (k.minor ? 3 : 4);
    };
    const auto evidence = [&](SongKey k) {
        double dwell = 0, total = 0;
        for (size_t i = first; i < last; ++i) {
            const auto length = static_cast<double>(segments[i].endTick - segments[i].startTick);
            total += length;
            if (isTonic(segments[i], k)) dwell += length;
        }
        size_t opening = first, closing = last;
        while (opening < last && !segments[opening].chord) ++opening;
        while (closing > first && !segments[closing - 1].chord) --closing;
        double e = total > 0 ? dwell / total : 0.0;
        // Cadences: a major chord on the fifth degree going to the tonic chord.
        double cadences = 0;
        for (size_t i = first; i + 1 < last; ++i) {
            const SongSegment& s = segments[i];
            if (!s.chord || s.chord->RootPitch != Mod12(k.tonic + 7) || !isTonic(segments[i + 1], k)) continue;
            if (std::find(s.pitchClasses.begin(), s.pitchClasses.end(), Mod12(k.tonic + 11)) != s.pitchClasses.end()) {
                cadences += kCadenceWeight;
            }
        }
        e += std::min(cadences, kMostCadenceWeight);
        if (opening < last && isTonic(segments[opening], k)) e += 0.15;
        if (closing > first && isTonic(segments[closing - 1], k)) e += 0.15;
        return k.minor ? e : e + kMajorBias;
    };
    return evidence(relative) > evidence(key) ? relative : key;
}

}  // namespace

SongChart ChartOfSong(const Song& song) {
    SongChart chart;
    const std::vector<SongBeat> beats = SongBeats(song);
    if (beats.empty()) return chart;
    const std::vector<KeyStretch> keys = SongKeys(beats);
    const std::vector<size_t> path = ChordPath(beats, keys);

    std::map<int64_t, NamedChord> names;  // by root, template and bass
    size_t keyIndex = 0;
    for (size_t i = 0; i < beats.size();) {
        size_t j = i + 1;
        const auto keyStartsAt = [&keys, keyIndex](size_t beat) {
            return keyIndex + 1 < keys.size() && keys[keyIndex + 1].firstBeat == beat;
        };
        while (j < beats.size() && path[j] == path[i] && !keyStartsAt(j) && !BassMoves(beats, path, j)) ++j;
        SongSegment segment;
        segment.startTick = beats[i].start;
        segment.endTick = beats[j - 1].end;
        segment.key = keys.empty() ? SongKey{} : keys[keyIndex].key;
        if (path[i] != kNoChord) {
            const auto root = static_cast<int32_t>(path[i] / kTemplates.size());
            const size_t t = path[i] % kTemplates.size();
            const uint32_t tones = Rotate(kTemplates[t].tones, root);
            std::array<float, 12> bass{};
            for (size_t k = i; k < j; ++k) {
                for (size_t p = 0; p < 12; ++p) bass[p] += beats[k].bass[p];
            }
            int32_t lowest = root;
            const auto top = static_cast<int32_t>(std::max_element(bass.begin(), bass.end()) - bass.begin());
            if ((tones & (1u << top)) != 0 && bass[static_cast<size_t>(top)] > kInversionMargin * bass[static_cast<size_t>(root)]) {
                lowest = top;
            }
            const int64_t id = (root * 16 + static_cast<int64_t>(t)) * 16 + lowest;
            auto found = names.find(id);
            if (found == names.end()) found = names.emplace(id, NameOf(root, tones, lowest)).first;
            segment.chord = found->second;
            for (int32_t p = 0; p < 12; ++p) {
                if ((tones & (1u << p)) != 0) segment.pitchClasses.push_back(p);
            }
        }
        if (keyStartsAt(j)) ++keyIndex;
        chart.segments.push_back(std::move(segment));
        i = j;
    }
    // The opening key decides between relatives by the tonic chord.
    if (!keys.empty()) {
        const int64_t firstEnd = keys.size() > 1 ? beats[keys[1].firstBeat].start : beats.back().end;
        size_t last = 0;
        while (last < chart.segments.size() && chart.segments[last].startTick < firstEnd) ++last;
        const SongKey opening = TonicEvidence(keys.front().key, chart.segments, 0, last);
        for (size_t i = 0; i < last; ++i) chart.segments[i].key = opening;
    }
    chart.key = chart.segments.empty() ? SongKey{} : chart.segments.front().key;
    for (SongSegment& s : chart.segments) {
        if (!s.chord) continue;
        uint32_t mask = 0;
        for (int32_t p : s.pitchClasses) mask |= 1u << p;
        s.roman = RomanNumeral(s.key, s.chord->RootPitch, mask, *s.Bass());
    }
    return chart;
}

}  // namespace hq
