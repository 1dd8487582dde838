// Arbitrary bytes as the practice statistics file: every one is read or
// rejected with a reason, and what is read writes a text that reads back
// equal and writes the same text again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "practice/stats_json.h"
#include "require.h"

using hq::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace hq::practice;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const StatsReading reading = ReadPracticeStats(text);
    if (!reading.stats) {
        Require(!reading.reason.empty());
        return 0;
    }
    const std::string written = WritePracticeStats(*reading.stats);
    const StatsReading again = ReadPracticeStats(written);
    Require(again.stats.has_value());
    Require(*again.stats == *reading.stats);
    Require(WritePracticeStats(*again.stats) == written);
    return 0;
}
