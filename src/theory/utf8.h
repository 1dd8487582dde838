#pragma once
// Telling well-formed UTF-8 from stray bytes.

#include <cstddef>
#include <string_view>

namespace hq {

/// Length of the well-formed UTF-8 sequence at the start of `text` (1 to 4),
/// or 0 when it is empty, cut short, overlong, a surrogate or past U+10FFFF.
size_t Utf8SequenceLength(std::string_view text);

}  // namespace hq
