#pragma once
// Reading a whole file, or what a pipe gives, into memory with a bound.

#include <cstddef>
#include <optional>
#include <string>

namespace hq {

/// At most `limitBytes` + 1 bytes of a file or a pipe, so that a caller can
/// tell one that is too long; nothing when it cannot be opened or read (a
/// folder included). A FIFO nobody writes to reads as empty, never blocks.
std::optional<std::string> ReadFileBytes(const std::string& path, size_t limitBytes);

}  // namespace hq
