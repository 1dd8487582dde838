#include "playback/arrangement.h"

#include <algorithm>

#include "theory/pitch.h"

namespace hq {
namespace {

// Only marks 0..21 take part; the upper half of the work marks lets the list
// run on past a bass on a compound interval.
constexpr int32_t kUsedMarks = 22;

void Append(PitchList& list, int32_t pitchClass) {
    if (list.count < kPitchListCapacity) list.pitchClasses[static_cast<size_t>(list.count++)] = pitchClass;
}

int32_t At(const PitchList& list, int32_t i) { return list.pitchClasses[static_cast<size_t>(i)]; }

int32_t EffectiveArrangement(const PlaySettings& settings) {
    const int32_t a = settings.Arrangement;
    return a >= arrangement::Closest && a <= arrangement::Random ? a : arrangement::Closest;
}

// Each placement strictly above the previous one; a pitch class at or below
// the previous moves up an octave, and nothing goes above octave 7.
void ArrangeClosest(const PitchList& list, bool repeatAll, std::vector<Placement>& out) {
    int32_t octave = repeatAll ? 2 : 4;
    for (;;) {
        int32_t previous = At(list, 0);
        out.push_back({previous, octave});
        for (int32_t i = 1; i < list.count; ++i) {
            const int32_t p = At(list, i);
            if (p <= previous && ++octave > kHighestOctave) return;
            previous = p;
            out.push_back({p, octave});
        }
        if (At(list, 0) <= previous) ++octave;
        if (!repeatAll || octave > kHighestOctave) return;
    }
}

void ArrangeRandom(const PitchList& list, bool repeatAll, int32_t randomBase, std::vector<Placement>& out) {
    out.push_back({At(list, 0), 3});
    for (int32_t i = 1; i < list.count; ++i) {
        const int32_t p = At(list, i);
        const int32_t octave = 3 + (randomBase / (10 * i)) % 3;
        out.push_back({p, octave});
        if (repeatAll) {
            out.push_back({p, octave + 1});
            out.push_back({p, octave - 1});
        }
    }
}

void ArrangeHarmonic(const PitchList& list, int32_t root, std::vector<Placement>& out) {
    out.push_back({root, 3});
    out.push_back({root, 4});
    for (int32_t i = 1; i < list.count; ++i) {
        const int32_t p = At(list, i);
        const int32_t lower = p < root ? 1 : 0;
        out.push_back({p, kHarmonicOctaves[static_cast<size_t>(Mod12(p - root))] + lower});
    }
}

}  // namespace

PitchList BuildPitchList(const ComposedChord& chord, const PlaySettings& settings) {
    std::array<int32_t, kWorkMarkCount> work{};
    std::copy_n(chord.IntervalMarks.begin(), kUsedMarks, work.begin());
    const int32_t root = Mod12(chord.RootPitch);
    const int32_t bassIndex = std::clamp(chord.BassIndex, 0, kUsedMarks - 1);
    int32_t bassOffset = bassIndex;

    if (EffectiveArrangement(settings) == arrangement::Octave) {
        for (size_t i = 1; i <= 11; ++i) {
            if (work[12 + i] > 0) {
                work[i] = work[12 + i];
                work[12 + i] = 0;
            }
        }
        if (bassIndex > 12) bassOffset = bassIndex - 12;
    }

    PitchList list;
    list.BassOffset = bassOffset;
    for (int32_t i = bassOffset; i < kWorkMarkCount - 1; ++i) {
        if (work[static_cast<size_t>(i)] > 0) Append(list, Mod12(root + i));
    }
    for (int32_t i = 0; i < bassOffset; ++i) {
        if (work[static_cast<size_t>(i)] > 0) Append(list, Mod12(root + i));
    }
    if (settings.RepeatAll == 0) {
        if (settings.RepeatBass != 0) Append(list, Mod12(root + bassOffset));
        if (settings.RepeatRoot != 0) Append(list, root);
        if (settings.RepeatFifth != 0 && chord.IntervalMarks[7] != 0) Append(list, Mod12(root + 7));
    }
    return list;
}

std::vector<Placement> ArrangeChord(const PitchList& list, const ComposedChord& chord, const PlaySettings& settings,
                                    int32_t randomBase) {
    std::vector<Placement> out;
    if (list.count <= 0) return out;
    out.reserve(static_cast<size_t>(list.count) * 6);
    const bool repeatAll = settings.RepeatAll != 0;
    switch (EffectiveArrangement(settings)) {
        case arrangement::Random: ArrangeRandom(list, repeatAll, std::max(randomBase, 0), out); break;
        case arrangement::Harmonic: ArrangeHarmonic(list, Mod12(chord.RootPitch), out); break;
        default: ArrangeClosest(list, repeatAll, out); break;
    }
    return out;
}

int32_t RandomBaseOf(int32_t secondOfMinute, int32_t nanosecond) {
    return std::clamp(nanosecond, 0, 999'999'999) / (std::clamp(secondOfMinute, 0, 59) + 1);
}

}  // namespace hq
