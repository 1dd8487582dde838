#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "analyzer/song_key.h"

namespace hq {
namespace {

uint32_t Mask(std::initializer_list<int32_t> pitches) {
    uint32_t mask = 0;
    for (int32_t p : pitches) mask |= 1u << (p % 12);
    return mask;
}

TEST(SongKey, NamesRomanNumeralsAsTextbooksDo) {
    const SongKey c{0, false}, aMinor{9, true}, g{7, false};
    struct Case {
        SongKey key;
        int32_t root;
        uint32_t mask;
        int32_t bass;
        std::string roman;
    };
    const std::vector<Case> cases{
        {c, 0, Mask({0, 4, 7}), 0, "I"},          {c, 0, Mask({0, 4, 7}), 4, "I6"},
        {c, 0, Mask({0, 4, 7}), 7, "I64"},        {c, 7, Mask({7, 11, 2, 5}), 7, "V7"},
        {c, 7, Mask({7, 11, 2, 5}), 11, "V65"},   {c, 7, Mask({7, 11, 2, 5}), 2, "V43"},
        {c, 7, Mask({7, 11, 2, 5}), 5, "V42"},    {c, 2, Mask({2, 5, 9, 0}), 2, "ii7"},
        {c, 0, Mask({0, 4, 7, 11}), 0, "Imaj7"},  {c, 7, Mask({7, 11, 2, 5, 9}), 7, "V9"},
        {c, 11, Mask({11, 2, 5, 9}), 11, "viiø7"}, {c, 2, Mask({2, 6, 9, 0}), 2, "V7/V"},
        {c, 1, Mask({1, 4, 7, 10}), 1, "vii°7/ii"}, {c, 9, Mask({9, 1, 4}), 9, "V/ii"},
        {c, 10, Mask({10, 2, 5}), 10, "bVII"},    {c, 8, Mask({8, 0, 3}), 8, "bVI"},
        {c, 5, Mask({5, 8, 0}), 5, "iv"},         {c, 5, Mask({5, 9, 0}), 4, "IV (bass E)"},
        {c, 0, Mask({0, 4, 8}), 0, "I+"},         {c, 11, Mask({11, 2, 5}), 11, "vii°"},
        {g, 0, Mask({0, 4, 7}), 6, "IV (bass F#)"},
        {aMinor, 4, Mask({4, 8, 11}), 4, "V"},    {aMinor, 4, Mask({4, 8, 11, 2}), 8, "V65"},
        {aMinor, 8, Mask({8, 11, 2, 5}), 8, "vii°7"}, {aMinor, 0, Mask({0, 4, 7}), 0, "III"},
        {aMinor, 9, Mask({9, 0, 4}), 9, "i"},     {aMinor, 11, Mask({11, 2, 5}), 11, "ii°"},
        {aMinor, 2, Mask({2, 5, 9}), 5, "iv6"},       {aMinor, 8, Mask({8, 0, 3, 7}), 8, "#VIImaj7"},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(RomanNumeral(k.key, k.root, k.mask, k.bass), k.roman) << KeyName(k.key) << " root " << k.root;
    }
}

TEST(SongKey, NamesKeysWithTheirUsualSpelling) {
    const std::vector<std::pair<SongKey, std::string>> cases{
        {{6, false}, "Gb major"}, {{6, true}, "F# minor"}, {{1, true}, "C# minor"}, {{1, false}, "Db major"},
        {{8, true}, "G# minor"},  {{3, true}, "Eb minor"}, {{10, false}, "Bb major"}, {{11, true}, "B minor"},
    };
    for (const auto& [key, name] : cases) EXPECT_EQ(KeyName(key), name);
}

TEST(SongKey, FitsScalesToTheirKeys) {
    // The scale's notes with the tonic triad heard twice as long.
    for (int32_t tonic = 0; tonic < 12; ++tonic) {
        for (bool minor : {false, true}) {
            std::array<double, 12> weights{};
            const std::array<int32_t, 7> steps = minor ? std::array<int32_t, 7>{0, 2, 3, 5, 7, 8, 10}
                                                       : std::array<int32_t, 7>{0, 2, 4, 5, 7, 9, 11};
            for (int32_t s : steps) weights[static_cast<size_t>((tonic + s) % 12)] += 1;
            for (int32_t s : {0, minor ? 3 : 4, 7}) weights[static_cast<size_t>((tonic + s) % 12)] += 1;
            const std::array<double, 24> fit = KeyFit(weights);
            const auto best = static_cast<int32_t>(std::max_element(fit.begin(), fit.end()) - fit.begin());
            EXPECT_EQ(best, tonic + (minor ? 12 : 0)) << KeyName({tonic, minor});
        }
    }
}

}  // namespace
}  // namespace hq
