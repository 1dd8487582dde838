#pragma once
// What every fuzz target checks besides crashes.

#include <cstdlib>

namespace hq::fuzz {

/// A broken promise is a finding, like a crash.
inline void Require(bool holds) {
    if (!holds) std::abort();
}

}  // namespace hq::fuzz
