#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string out;
    std::string err;
    int status = 0;
    try {
        status = hq::RunCli(args, out, err);
    } catch (const std::exception& e) {
        // Only running out of memory gets here; say so rather than abort.
        err += std::string("harmoniqua-cli: ") + e.what() + "\n";
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    return status;
}
