// One soundfont load in a process that never loaded it before, with the
// synthesiser set up as the program sets it up, then the samples of one
// instrument. Prints "load_us <n> program_us <n> rss_kib <n>" (VmRSS after
// both). Run by bench_keyboard.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "keyboard/library_messages.h"
#include "sound/fluid_synth.h"

namespace {

long long ResidentKib() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) return std::atoll(line.c_str() + 6);
    }
    return -1;
}

long long MicrosecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SOUNDFONT PROGRAM0TO127\n", argv[0]);
        return 2;
    }
    hq::kbd::RouteLibraryMessages({});
    hq::kbd::FluidSynth synth;
    auto start = std::chrono::steady_clock::now();
    if (!synth.LoadSoundfont(argv[1])) return 1;
    const long long loadUs = MicrosecondsSince(start);
    // Offline, the program change reads the instrument's samples before it returns.
    start = std::chrono::steady_clock::now();
    synth.ProgramChange(0, std::atoi(argv[2]));
    const long long programUs = MicrosecondsSince(start);
    std::printf("load_us %lld program_us %lld rss_kib %lld\n", loadUs, programUs, ResidentKib());
    return 0;
}
