#include "platform/string_array.h"

namespace hq {

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (const std::optional<std::string_view> line = NextLine(bytes, at)) lines.emplace_back(*line);
    return lines;
}

std::optional<std::string_view> NextLine(std::string_view bytes, size_t& at) {
    if (at >= bytes.size()) return std::nullopt;
    size_t end = bytes.find('\n', at);
    const bool terminated = end != std::string_view::npos;
    if (!terminated) end = bytes.size();
    std::string_view line = bytes.substr(at, end - at);
    if (terminated && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    at = end + 1;
    return line;
}

std::string JoinLines(std::span<const std::string> lines) {
    size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 1;
    std::string out;
    out.reserve(size);
    for (const std::string& line : lines) {
        out += line;
        out += '\n';
    }
    return out;
}

}  // namespace hq
