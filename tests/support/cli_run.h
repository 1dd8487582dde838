#pragma once
// Running harmoniqua-cli in process, as the built tool would run.

#include <string>
#include <vector>

#include "cli/cli.h"

namespace hq::testing {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

inline CliRun Cli(const std::vector<std::string>& args) {
    CliRun r;
    r.status = RunCli(args, r.out, r.err);
    return r;
}

/// How often `part` occurs in `text`, overlapping occurrences included.
inline size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

}  // namespace hq::testing
