#pragma once
// The string-array file format: one element per line.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hq {

/// Splits at LF, dropping a CR before it; a final terminator adds no line.
std::vector<std::string> SplitLines(std::string_view bytes);

/// Each element followed by a line feed.
std::string JoinLines(std::span<const std::string> lines);

}  // namespace hq
