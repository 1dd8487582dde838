#pragma once
// Every capture there can be: every non-empty set of pitch classes with each
// of its members as the lowest note.

#include <algorithm>
#include <cstdint>
#include <vector>

namespace hq {

inline std::vector<std::vector<int32_t>> EveryCapture() {
    std::vector<std::vector<int32_t>> captures;
    for (uint32_t mask = 1; mask < 4096; ++mask) {
        std::vector<int32_t> pitches;
        for (int32_t p = 0; p < 12; ++p) {
            if ((mask >> p & 1u) != 0) pitches.push_back(p);
        }
        for (size_t lowest = 0; lowest < pitches.size(); ++lowest) {
            captures.push_back(pitches);
            std::rotate(captures.back().begin(), captures.back().begin() + static_cast<std::ptrdiff_t>(lowest),
                        captures.back().end());
        }
    }
    return captures;  // 24,576
}

}  // namespace hq
