#pragma once
// The string-array file format: one element per line.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hq {

/// Splits at LF, dropping a CR before it; a final terminator adds no line.
std::vector<std::string> SplitLines(std::string_view bytes);

/// The line starting at `at`, cut as SplitLines cuts it, moving `at` past
/// it; nothing once `at` has reached the end.
std::optional<std::string_view> NextLine(std::string_view bytes, size_t& at);

/// Each element followed by a line feed.
std::string JoinLines(std::span<const std::string> lines);

}  // namespace hq
