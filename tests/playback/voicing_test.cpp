#include "playback/voicing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "theory/symbol.h"

namespace hq {
namespace {

std::vector<ComposedChord> Chords(const std::string& symbols) {
    std::vector<ComposedChord> chords;
    std::istringstream words(symbols);
    for (std::string symbol; words >> symbol;) {
        const SymbolReading r = ReadChordSymbol(symbol);
        EXPECT_TRUE(r.definition.has_value()) << symbol << ": " << r.reason;
        if (r.definition) chords.push_back(Compose(*r.definition).chord);
    }
    return chords;
}

/// The pitch classes a chord must sound, read from its marks afresh.
std::set<int32_t> Classes(const ComposedChord& c) {
    std::set<int32_t> classes{((c.RootPitch % 12) + 12) % 12};
    for (int32_t i = 0; i < kIntervalMarkCount; ++i) {
        const int32_t m = c.IntervalMarks[static_cast<size_t>(i)];
        if (m == mark::Tone || m == mark::ToneAndBass) classes.insert((((c.RootPitch + i) % 12) + 12) % 12);
    }
    return classes;
}

void ExpectValid(const ComposedChord& chord, const Voicing& v, int32_t bassClass, const std::string& where) {
    EXPECT_GE(v.bass, 36) << where;
    EXPECT_LE(v.bass, 52) << where;
    EXPECT_EQ(v.bass % 12, bassClass) << where;
    std::set<int32_t> classes;
    for (size_t i = 0; i < v.upper.size(); ++i) {
        EXPECT_GE(v.upper[i], 55) << where;
        EXPECT_LE(v.upper[i], 79) << where;
        if (i > 0) {
            EXPECT_LT(v.upper[i - 1], v.upper[i]) << where;
        }
        classes.insert(v.upper[i] % 12);
    }
    EXPECT_EQ(classes, Classes(chord)) << where;
    EXPECT_EQ(v.upper.size(), classes.size()) << where;
}

/// Every upper voicing of a chord (over a bass of 0), or every bass (with no
/// upper voices).
std::vector<Voicing> Uppers(const ComposedChord& chord) {
    std::vector<Voicing> uppers{{}};
    for (int32_t pc : Classes(chord)) {
        std::vector<Voicing> longer;
        for (const Voicing& u : uppers) {
            for (int32_t n = 55 + (pc + 5) % 12; n <= 79; n += 12) {
                longer.push_back(u);
                longer.back().upper.push_back(n);
            }
        }
        uppers = longer;
    }
    for (Voicing& u : uppers) std::sort(u.upper.begin(), u.upper.end());
    return uppers;
}
std::vector<Voicing> Basses(const ComposedChord& chord) {
    std::vector<Voicing> basses;
    for (int32_t bass = 36; bass <= 52; ++bass) {
        if (bass % 12 == BassPitchClass(chord)) basses.push_back({bass, {}});
    }
    return basses;
}

/// The least total over every chain, by a plain table; or, greedy, chord by
/// chord from the lowest first voicing to the nearest next. The bass and the
/// upper voices apart, as the cost is the sum of the two.
int64_t PlainTotal(const std::vector<ComposedChord>& chords, bool greedy) {
    int64_t total = 0;
    for (auto choices : {Basses, Uppers}) {
        std::vector<Voicing> before = choices(chords[0]);
        if (greedy) before.resize(1);
        std::vector<int64_t> cost(before.size(), 0);
        for (size_t k = 1; k < chords.size(); ++k) {
            std::vector<Voicing> now = choices(chords[k]);
            std::vector<int64_t> next(now.size(), std::numeric_limits<int64_t>::max());
            for (size_t j = 0; j < now.size(); ++j) {
                for (size_t i = 0; i < before.size(); ++i) {
                    next[j] = std::min(next[j], cost[i] + VoicingCost(before[i], now[j]));
                }
            }
            if (greedy) {
                const auto nearest = std::min_element(next.begin(), next.end()) - next.begin();
                now = {now[static_cast<size_t>(nearest)]};
                next = {next[static_cast<size_t>(nearest)]};
            }
            before = now;
            cost = next;
        }
        total += *std::min_element(cost.begin(), cost.end());
    }
    return total;
}

struct Progression {
    const char* name;
    const char* symbols;
    int64_t cost;
    std::vector<int32_t> bassLine;  // empty: not checked
    std::vector<Voicing> voicings;  // empty: not checked
    bool greedyWorse;
};

TEST(VoiceSequence, ProgressionsTakeTheirLeastCostByHand) {
    const std::vector<Progression> cases{
        {"ii-V-I", "Dm7 G7 Cmaj7", 16, {38, 43, 48},
         {{38, {57, 60, 62, 65}}, {43, {55, 59, 62, 65}}, {48, {55, 59, 60, 64}}}, false},
        {"I-vi-IV-V", "C Am F G", 18, {48, 45, 41, 43},
         {{48, {55, 60, 64}}, {45, {57, 60, 64}}, {41, {57, 60, 65}}, {43, {55, 59, 62}}}, true},
        // The bass walks down; G under Am sounds only in the bass.
        {"slash bass line", "C G/B Am Am/G F", 16, {48, 47, 45, 43, 41}, {}, true},
        {"repeated", "Cmaj7 Cmaj7 Cmaj7", 0, {36, 36, 36}, {}, false},
        {"13th beside a triad", "G13 C", 11, {43, 48}, {}, false},
        {"one chord", "F#m7b5", 0, {42}, {{42, {57, 60, 64, 66}}}, false},
    };
    for (const Progression& p : cases) {
        const std::vector<ComposedChord> chords = Chords(p.symbols);
        const std::vector<Voicing> voicings = VoiceSequence(chords);
        ASSERT_EQ(voicings.size(), chords.size()) << p.name;
        for (size_t k = 0; k < chords.size(); ++k) {
            ExpectValid(chords[k], voicings[k], BassPitchClass(chords[k]), p.name + std::to_string(k));
        }
        EXPECT_EQ(SequenceCost(voicings), p.cost) << p.name;
        EXPECT_EQ(PlainTotal(chords, false), p.cost) << p.name;
        if (!p.voicings.empty()) {
            EXPECT_EQ(voicings, p.voicings) << p.name;
        }
        std::vector<int32_t> bassLine;
        for (const Voicing& v : voicings) bassLine.push_back(v.bass);
        EXPECT_EQ(bassLine, p.bassLine) << p.name;
        EXPECT_EQ(PlainTotal(chords, true) > p.cost, p.greedyWorse) << p.name;
    }
    EXPECT_TRUE(VoiceSequence({}).empty());
}

TEST(VoiceSequence, MatchesAnExhaustiveSearchOnRandomChordsDamagedMarksIncluded) {
    std::mt19937 random(26);
    for (int run = 0; run < 60; ++run) {
        // Every tenth run: three chords of up to nine pitch classes, the widest
        // search; a few long runs, where a bound that is too high shows.
        const bool wide = run % 10 == 0;
        const bool lengthy = run % 5 == 1;
        std::vector<ComposedChord> chords(wide ? 3 : lengthy ? 40 : 2 + random() % 8);
        for (ComposedChord& c : chords) {
            c.RootPitch = static_cast<int32_t>(random() % 40) - 14;  // out of 0..11 sometimes
            for (int marks = wide ? 8 : (lengthy ? 3 : 2) + static_cast<int>(random() % 4); marks > 0; --marks) {
                const bool tone = wide || lengthy || random() % 3 != 0;
                const auto value = static_cast<int32_t>(random() % 5) - 1;
                c.IntervalMarks[random() % kIntervalMarkCount] = tone ? mark::Tone : value;
            }
            c.BassIndex = random() % 3 == 0 ? static_cast<int32_t>(random() % 30) - 3 : 0;
        }
        const std::vector<Voicing> voicings = VoiceSequence(chords);
        ASSERT_EQ(voicings.size(), chords.size());
        for (size_t k = 0; k < chords.size(); ++k) {
            const int32_t bassClass = (((chords[k].RootPitch + chords[k].BassIndex) % 12) + 12) % 12;
            ExpectValid(chords[k], voicings[k], bassClass, "run " + std::to_string(run));
        }
        EXPECT_EQ(SequenceCost(voicings), PlainTotal(chords, false)) << "run " << run;
    }
}

TEST(VoicingPlayOrder, BassFirstThenUpperLowToHigh) {
    const Voicing v{38, {57, 60, 62, 65}};
    EXPECT_EQ(PlayOrder(v), (std::vector<int32_t>{38, 57, 60, 62, 65}));
    EXPECT_EQ(PlayOrderPlacements(v), (std::vector<Placement>{{2, 2}, {9, 3}, {0, 4}, {2, 4}, {5, 4}}));
}

}  // namespace
}  // namespace hq
