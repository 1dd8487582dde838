#include "sequencer/load_types.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace hq {
namespace {

bool EndsWithNoCase(std::string_view path, std::string_view ending) {
    if (path.size() < ending.size()) return false;
    return std::equal(ending.begin(), ending.end(), path.end() - static_cast<std::ptrdiff_t>(ending.size()),
                      [](char lower, char c) {
                          return std::tolower(static_cast<unsigned char>(c)) == static_cast<unsigned char>(lower);
                      });
}

}  // namespace

LoadKind LoadKindOf(size_t type, std::string_view path) {
    switch (type) {
        case 1: return LoadKind::Sequence;
        case 2: return LoadKind::Chart;
        case 3: return LoadKind::Song;
        default: break;
    }
    if (EndsWithNoCase(path, ".txt")) return LoadKind::Chart;
    if (EndsWithNoCase(path, ".mid") || EndsWithNoCase(path, ".midi")) return LoadKind::Song;
    return LoadKind::Sequence;
}

}  // namespace hq
