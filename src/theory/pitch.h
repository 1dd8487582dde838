#pragma once

#include <cstdint>

namespace hq {

/// Pitch class 0..11 of any integer, negative ones included.
constexpr int32_t Mod12(int32_t value) {
    const int32_t r = value % 12;
    return r < 0 ? r + 12 : r;
}

}  // namespace hq
