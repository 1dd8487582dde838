#pragma once
// The practice statistics as the JSON text of their file. Pure: bytes in,
// statistics or a reason out.

#include <optional>
#include <string>
#include <string_view>

#include "practice/stats.h"

namespace hq::practice {

struct StatsReading {
    std::optional<PracticeStats> stats;
    std::string reason;  // why the text was rejected; empty when read
};

/// Strict: unknown keys, counts out of range, bad dates and repeated keys
/// reject the whole text. Sessions read as zero.
StatsReading ReadPracticeStats(std::string_view bytes);

/// What ReadPracticeStats reads back equal.
std::string WritePracticeStats(const PracticeStats& stats);

}  // namespace hq::practice
