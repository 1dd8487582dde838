#pragma once
// The practice items' own random numbers: the same seed gives the same
// items on every system and standard library.

#include <cstdint>

namespace hq::practice {

class PracticeRandom {
public:
    explicit PracticeRandom(uint64_t seed) : state_(seed) {}

    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    /// 0..count-1; count above 0.
    int32_t Below(int32_t count) {
        return static_cast<int32_t>((Next() >> 16) % static_cast<uint64_t>(count));
    }

private:
    uint64_t state_;
};

}  // namespace hq::practice
