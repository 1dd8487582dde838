#pragma once
// Replacing a file whole, so that a failed write never destroys the old one.

#include <string>
#include <string_view>

namespace hq {

/// Writes `bytes` to a new file of a random name beside `path`, created
/// exclusively and never through a link, syncs it and renames it over
/// `path` with the old file's permission bits. A link at `path` is replaced,
/// not followed. On failure only that new file is removed; false.
bool ReplaceFile(const std::string& path, std::string_view bytes);

}  // namespace hq
