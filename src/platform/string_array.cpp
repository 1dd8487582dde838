#include "platform/string_array.h"

namespace hq {

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        const bool terminated = end != std::string_view::npos;
        if (!terminated) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (terminated && !line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
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
