#include "playback/voicing.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <deque>
#include <limits>

namespace hq {
namespace {

constexpr int32_t kMaxVoices = 12;
constexpr int64_t kUnreached = std::numeric_limits<int64_t>::max();

int32_t Reduce12(int32_t value) { return ((value % 12) + 12) % 12; }

/// Every way of voicing one chord, each an ascending list of `voices` notes,
/// the lists in ascending order compared from their lowest note; grouped by
/// lowest and highest note, the only notes a cheap bound can see.
struct Candidates {
    struct Group {
        uint8_t lowest = 0;
        uint8_t highest = 0;
        std::vector<uint32_t> members;
    };
    uint32_t mask = 0;           // the pitch classes
    int32_t voices = 0;
    int32_t lowest = 0;          // of the range the notes are drawn from
    int32_t span = 0;            // of that range, in notes
    std::vector<uint8_t> notes;  // candidate c at [c * voices, (c + 1) * voices)
    std::vector<uint8_t> nearest;  // candidate c at [c * span, ...): from each note of the range to c's nearest
    std::vector<Group> groups;

    uint32_t size() const { return static_cast<uint32_t>(notes.size() / static_cast<size_t>(voices)); }
    const uint8_t* at(uint32_t c) const { return notes.data() + static_cast<size_t>(c) * static_cast<size_t>(voices); }
    const uint8_t* nearestTo(uint32_t c) const {
        return nearest.data() + static_cast<size_t>(c) * static_cast<size_t>(span);
    }
};

/// One note of each pitch class of `mask` in lowest..highest, every way. Both
/// ranges hold every pitch class, so no class is ever left out.
Candidates MakeCandidates(uint32_t mask, int32_t lowest, int32_t highest) {
    Candidates set;
    set.mask = mask;
    set.lowest = lowest;
    set.span = highest - lowest + 1;
    // Each class's notes: the lowest, then octaves up while they fit.
    std::array<uint8_t, kMaxVoices> first{};
    std::array<int32_t, kMaxVoices> octaves{};
    for (int32_t pc = 0; pc < 12; ++pc) {
        if ((mask & (1u << pc)) == 0) continue;
        const int32_t low = lowest + Reduce12(pc - lowest);
        if (low > highest) continue;
        first[static_cast<size_t>(set.voices)] = static_cast<uint8_t>(low);
        octaves[static_cast<size_t>(set.voices)] = (highest - low) / 12 + 1;
        ++set.voices;
    }
    if (set.voices == 0) return set;

    // Fixed-size lists, unused places 0, so whole arrays compare as the lists do.
    using List = std::array<uint8_t, kMaxVoices>;
    std::vector<List> lists;
    std::array<int32_t, kMaxVoices> octave{};  // a counter, one digit per class
    for (;;) {
        List list{};
        for (size_t v = 0; v < static_cast<size_t>(set.voices); ++v) {
            list[v] = static_cast<uint8_t>(first[v] + 12 * octave[v]);
        }
        std::sort(list.begin(), list.begin() + set.voices);
        lists.push_back(list);
        size_t v = 0;
        while (v < static_cast<size_t>(set.voices) && ++octave[v] == octaves[v]) octave[v++] = 0;
        if (v == static_cast<size_t>(set.voices)) break;
    }
    std::sort(lists.begin(), lists.end());
    for (const List& list : lists) {
        set.notes.insert(set.notes.end(), list.begin(), list.begin() + set.voices);
        for (int32_t n = lowest; n <= highest; ++n) {
            int32_t least = set.span;
            for (size_t v = 0; v < static_cast<size_t>(set.voices); ++v) least = std::min(least, std::abs(n - list[v]));
            set.nearest.push_back(static_cast<uint8_t>(least));
        }
    }

    for (uint32_t c = 0; c < set.size(); ++c) {
        const uint8_t lo = set.at(c)[0];
        const uint8_t hi = set.at(c)[set.voices - 1];
        auto g = std::find_if(set.groups.begin(), set.groups.end(),
                              [&](const Candidates::Group& x) { return x.lowest == lo && x.highest == hi; });
        if (g == set.groups.end()) g = set.groups.insert(set.groups.end(), {lo, hi, {}});
        g->members.push_back(c);
    }
    return set;
}

/// The join distance of two ascending lists; once every way of joining
/// exceeds `limit`, some value above `limit`.
int32_t WarpDistance(const uint8_t* a, int32_t m, const uint8_t* b, int32_t n, int32_t limit) {
    std::array<int32_t, kMaxVoices> row{};
    int32_t sum = 0;
    for (int32_t j = 0; j < n; ++j) row[static_cast<size_t>(j)] = sum += std::abs(a[0] - b[j]);
    for (int32_t i = 1; i < m; ++i) {
        int32_t diagonal = row[0];
        row[0] += std::abs(a[i] - b[0]);
        int32_t least = row[0];
        for (size_t j = 1; j < static_cast<size_t>(n); ++j) {
            const int32_t up = row[j];
            const int32_t before = std::min(std::min(up, diagonal), row[j - 1]);
            row[j] = std::abs(a[i] - b[j]) + before;
            least = std::min(least, row[j]);
            diagonal = up;
        }
        // Every way of joining passes through each row, and sums only grow.
        if (least > limit) return limit + 1;
    }
    return row[static_cast<size_t>(n - 1)];
}

/// A lower bound of WarpDistance from the lowest and highest notes alone:
/// both corner joins are always made (they are one join when both lists hold
/// a single note).
int32_t CornerBound(int32_t lowA, int32_t highA, int32_t m, int32_t lowB, int32_t highB, int32_t n) {
    const int32_t low = std::abs(lowA - lowB);
    return m == 1 && n == 1 ? low : low + std::abs(highA - highB);
}

/// From each pitch class to the nearest of `mask`, in any octave.
std::array<int32_t, 12> ClassDistances(uint32_t mask) {
    std::array<int32_t, 12> distance{};
    for (int32_t pc = 0; pc < 12; ++pc) {
        int32_t least = 12;
        for (int32_t q = 0; q < 12; ++q) {
            if ((mask & (1u << q)) != 0) least = std::min({least, Reduce12(pc - q), Reduce12(q - pc)});
        }
        distance[static_cast<size_t>(pc)] = least;
    }
    return distance;
}

/// What the inner notes of a candidate cost at least, joined to any voicing
/// of the pitch classes `distance` was made for.
int32_t InnerClassBound(const Candidates& set, uint32_t c, const std::array<int32_t, 12>& distance) {
    const uint8_t* notes = set.at(c);
    int32_t sum = 0;
    for (int32_t i = 1; i + 1 < set.voices; ++i) sum += distance[static_cast<size_t>(notes[i] % 12)];
    return sum;
}

/// With the corners, a lower bound of WarpDistance: every inner note of either
/// list is joined at least to its nearest note of the other. Both sets draw
/// from one range (a single bass note has no inner notes).
int32_t InnerBound(const Candidates& from, uint32_t c, const Candidates& to, uint32_t d) {
    const uint8_t* a = from.at(c);
    const uint8_t* b = to.at(d);
    const uint8_t* toB = to.nearestTo(d);
    const uint8_t* toA = from.nearestTo(c);
    int32_t fromSide = 0;
    for (int32_t i = 1; i + 1 < from.voices; ++i) fromSide += toB[a[i] - to.lowest];
    int32_t toSide = 0;
    for (int32_t j = 1; j + 1 < to.voices; ++j) toSide += toA[b[j] - from.lowest];
    return std::max(fromSide, toSide);
}

int32_t Limit(int64_t bound) {
    return static_cast<int32_t>(std::min<int64_t>(bound, std::numeric_limits<int32_t>::max() - 1));
}

/// The least cost from each candidate of `from` to the end, given the least
/// cost from each candidate of `to`. Exact: only joins that cannot beat the
/// best found so far are left uncomputed.
std::vector<int64_t> StepBack(const Candidates& from, const Candidates& to, const std::vector<int64_t>& toCost) {
    // Targets are tried by their cost to the end plus what their inner notes
    // cost at least: the first whose sum with the corners cannot beat the
    // best so far ends the group.
    const std::array<int32_t, 12> toFrom = ClassDistances(from.mask);
    const std::array<int32_t, 12> toTo = ClassDistances(to.mask);
    std::vector<int64_t> key(to.size());
    for (uint32_t d = 0; d < to.size(); ++d) key[d] = toCost[d] + InnerClassBound(to, d, toFrom);
    struct Ordered {
        int32_t lowest, highest;
        int64_t least;
        std::vector<uint32_t> members;  // by key
    };
    std::vector<Ordered> next;
    for (const Candidates::Group& g : to.groups) {
        Ordered o{g.lowest, g.highest, kUnreached, g.members};
        std::stable_sort(o.members.begin(), o.members.end(), [&](uint32_t x, uint32_t y) { return key[x] < key[y]; });
        o.least = key[o.members.front()];
        next.push_back(std::move(o));
    }
    std::vector<int64_t> cost(from.size(), kUnreached);
    std::vector<std::pair<int64_t, const Ordered*>> order;
    for (const Candidates::Group& g : from.groups) {
        order.clear();
        for (const Ordered& o : next) {
            order.emplace_back(CornerBound(g.lowest, g.highest, from.voices, o.lowest, o.highest, to.voices) + o.least,
                               &o);
        }
        std::sort(order.begin(), order.end());
        for (uint32_t c : g.members) {
            const int32_t inner = InnerClassBound(from, c, toTo);
            int64_t best = kUnreached;
            for (const auto& [bound, o] : order) {
                if (bound >= best) break;
                const int64_t corner = bound - o->least;
                for (uint32_t d : o->members) {
                    if (corner + key[d] >= best) break;
                    const int64_t rest = toCost[d];
                    if (corner + rest + inner >= best || corner + rest + InnerBound(from, c, to, d) >= best) continue;
                    const int32_t limit = Limit(best - rest - 1);
                    best = std::min(best, WarpDistance(from.at(c), from.voices, to.at(d), to.voices, limit) + rest);
                }
            }
            cost[c] = best;
        }
    }
    return cost;
}

/// The least-cost chain through one candidate of each set, the lowest one at
/// the first place where least-cost chains differ; and its cost.
std::vector<uint32_t> CheapestChain(std::span<const Candidates* const> sets, int64_t& total) {
    const size_t count = sets.size();
    std::vector<std::vector<int64_t>> toEnd(count);
    toEnd[count - 1].assign(sets[count - 1]->size(), 0);
    for (size_t k = count - 1; k-- > 0;) toEnd[k] = StepBack(*sets[k], *sets[k + 1], toEnd[k + 1]);

    std::vector<uint32_t> chain(count, 0);
    const std::vector<int64_t>& first = toEnd[0];
    chain[0] = static_cast<uint32_t>(std::min_element(first.begin(), first.end()) - first.begin());
    total = first[chain[0]];
    for (size_t k = 1; k < count; ++k) {
        const Candidates& from = *sets[k - 1];
        const Candidates& to = *sets[k];
        const uint8_t* a = from.at(chain[k - 1]);
        const int64_t target = toEnd[k - 1][chain[k - 1]];
        // The first candidate in order that keeps the least total.
        for (uint32_t d = 0; d < to.size(); ++d) {
            const int64_t rest = toEnd[k][d];
            if (rest > target) continue;
            const uint8_t* b = to.at(d);
            if (rest + CornerBound(a[0], a[from.voices - 1], from.voices, b[0], b[to.voices - 1], to.voices) > target) {
                continue;
            }
            if (WarpDistance(a, from.voices, b, to.voices, Limit(target - rest)) + rest == target) {
                chain[k] = d;
                break;
            }
        }
    }
    return chain;
}

/// Candidate sets shared by every record with the same pitch classes.
class CandidateCache {
public:
    const Candidates& Upper(uint32_t mask) { return Get(mask, mask, kLowestUpperNote, kHighestUpperNote); }
    const Candidates& Bass(int32_t pitchClass) {
        return Get(4096u + static_cast<uint32_t>(pitchClass), 1u << pitchClass, kLowestBassNote, kHighestBassNote);
    }

private:
    std::array<int32_t, 4096 + 12> index_ = Unset();
    std::deque<Candidates> sets_;  // grows without moving what was handed out

    static std::array<int32_t, 4096 + 12> Unset() {
        std::array<int32_t, 4096 + 12> a{};
        a.fill(-1);
        return a;
    }
    const Candidates& Get(uint32_t key, uint32_t mask, int32_t lowest, int32_t highest) {
        if (index_[key] < 0) {
            index_[key] = static_cast<int32_t>(sets_.size());
            sets_.push_back(MakeCandidates(mask, lowest, highest));
        }
        return sets_[static_cast<size_t>(index_[key])];
    }
};

uint32_t PitchClassMask(const ComposedChord& chord) {
    uint32_t mask = 1u << Reduce12(chord.RootPitch);
    for (size_t i = 0; i < chord.IntervalMarks.size(); ++i) {
        const int32_t m = chord.IntervalMarks[i];
        if (m == mark::Tone || m == mark::ToneAndBass) {
            mask |= 1u << Reduce12(chord.RootPitch + static_cast<int32_t>(i));
        }
    }
    return mask;
}

}  // namespace

std::vector<int32_t> VoicedPitchClasses(const ComposedChord& chord) {
    const uint32_t mask = PitchClassMask(chord);
    std::vector<int32_t> classes;
    for (int32_t pc = 0; pc < 12; ++pc) {
        if ((mask & (1u << pc)) != 0) classes.push_back(pc);
    }
    return classes;
}

int32_t BassPitchClass(const ComposedChord& chord) { return Reduce12(chord.RootPitch + Reduce12(chord.BassIndex)); }

int64_t VoicingCost(const Voicing& from, const Voicing& to) {
    int64_t cost = std::abs(static_cast<int64_t>(from.bass) - to.bass);
    if (from.upper.empty() || to.upper.empty()) return cost;
    // The whole table, unpruned: the search's pruned one is checked against it.
    const size_t m = from.upper.size();
    const size_t n = to.upper.size();
    std::vector<int64_t> table(m * n);
    for (size_t i = 0; i < m; ++i) {
        for (size_t j = 0; j < n; ++j) {
            int64_t before = i == 0 && j == 0 ? 0 : kUnreached;
            if (i > 0) before = std::min(before, table[(i - 1) * n + j]);
            if (j > 0) before = std::min(before, table[i * n + j - 1]);
            if (i > 0 && j > 0) before = std::min(before, table[(i - 1) * n + j - 1]);
            table[i * n + j] = before + std::abs(static_cast<int64_t>(from.upper[i]) - to.upper[j]);
        }
    }
    return cost + table[m * n - 1];
}

int64_t SequenceCost(std::span<const Voicing> voicings) {
    int64_t total = 0;
    for (size_t k = 1; k < voicings.size(); ++k) total += VoicingCost(voicings[k - 1], voicings[k]);
    return total;
}

std::vector<Voicing> VoiceSequence(std::span<const ComposedChord> chords) {
    if (chords.empty()) return {};
    CandidateCache cache;
    std::vector<const Candidates*> upper;
    std::vector<const Candidates*> bass;
    upper.reserve(chords.size());
    bass.reserve(chords.size());
    for (const ComposedChord& chord : chords) {
        upper.push_back(&cache.Upper(PitchClassMask(chord)));
        bass.push_back(&cache.Bass(BassPitchClass(chord)));
    }
    int64_t upperCost = 0;
    int64_t bassCost = 0;
    const std::vector<uint32_t> upperChain = CheapestChain(upper, upperCost);
    const std::vector<uint32_t> bassChain = CheapestChain(bass, bassCost);

    std::vector<Voicing> voicings(chords.size());
    for (size_t k = 0; k < chords.size(); ++k) {
        voicings[k].bass = bass[k]->at(bassChain[k])[0];
        const uint8_t* notes = upper[k]->at(upperChain[k]);
        voicings[k].upper.assign(notes, notes + upper[k]->voices);
    }
    return voicings;
}

std::vector<int32_t> PlayOrder(const Voicing& voicing) {
    std::vector<int32_t> notes{voicing.bass};
    notes.insert(notes.end(), voicing.upper.begin(), voicing.upper.end());
    return notes;
}

std::vector<Placement> PlayOrderPlacements(const Voicing& voicing) {
    std::vector<Placement> placements;
    for (int32_t note : PlayOrder(voicing)) placements.push_back({note % 12, note / 12 - 1});
    return placements;
}

}  // namespace hq
