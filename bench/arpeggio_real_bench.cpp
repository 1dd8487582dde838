// Arpeggio timing of the real program under a real X server: the probe is
// the desktop program with its keyboard window and FluidSynth (no audio
// device needed), whose synth adapter stamps each note-on. REP.PLAY at
// tempo 300 and 12 notes per measure puts a note every 55 ms; each of the
// 400 steps after the first note is compared with that grid. An Xvfb of
// its own is started, so DISPLAY does not matter; the program's audio
// output is set to None, as on a machine without a sound card.

#include <benchmark/benchmark.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.h"
#include "conditions.h"

namespace {

const bool kConditions = hq::bench::Conditions(
    "the real program (keyboard window, FluidSynth, MIDI) under an Xvfb of its own, audio output None");

constexpr int kSteps = 400;
constexpr double kStepMs = 55.0;

// An Xvfb on the first free display, ended with the object.
class XServer {
public:
    XServer() {
        int fds[2];
        if (pipe(fds) != 0) return;
        const std::string fd = std::to_string(fds[1]);
        const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", nullptr};
        if (posix_spawnp(&pid_, "Xvfb", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) pid_ = 0;
        close(fds[1]);
        // Xvfb writes its display number once it accepts clients.
        std::string number;
        char c = 0;
        while (pid_ != 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        if (!number.empty()) display_ = ":" + number;
    }
    ~XServer() {
        if (pid_ == 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;
    const std::string& Display() const { return display_; }

private:
    pid_t pid_ = 0;
    std::string display_;
};

double Percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<size_t>(share * static_cast<double>(values.size())))];
}

double Median(std::vector<double> values) { return Percentile(std::move(values), 0.5); }

void BM_ArpeggioTimingRealProgram(benchmark::State& state) {
    const XServer x;
    if (x.Display().empty()) {
        state.SkipWithError("no Xvfb");
        return;
    }
    setenv("DISPLAY", x.Display().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    const std::string probe = HQ_ARPEGGIO_PROBE;
    const std::string steps = std::to_string(kSteps + 1);
    for (auto _ : state) {
        const std::optional<std::string> out = hq::bench::OutputOf({probe, steps});
        if (!out) {
            state.SkipWithError("the program did not play its arpeggio");
            return;
        }
        std::istringstream in(*out);
        std::string word;
        long long cpuUs = 0;
        in >> word >> cpuUs >> word;
        std::vector<double> deviationMs;
        for (long long us = 0; in >> us;) {
            deviationMs.push_back(static_cast<double>(us) / 1000.0 - kStepMs * static_cast<double>(deviationMs.size()));
        }
        if (deviationMs.size() != static_cast<size_t>(kSteps + 1)) {
            state.SkipWithError("the program did not play its arpeggio");
            return;
        }
        std::vector<double> absolute(deviationMs.size());
        std::transform(deviationMs.begin(), deviationMs.end(), absolute.begin(), [](double d) { return std::abs(d); });
        const std::vector<double> first(deviationMs.begin(), deviationMs.begin() + 20);
        const std::vector<double> last(deviationMs.end() - 20, deviationMs.end());
        state.counters["median_ms"] = Median(absolute);
        state.counters["p99_ms"] = Percentile(absolute, 0.99);
        state.counters["max_ms"] = *std::max_element(absolute.begin(), absolute.end());
        state.counters["drift_ms"] = Median(last) - Median(first);
        state.counters["cpu_ms_per_step"] = static_cast<double>(cpuUs) / 1000.0 / kSteps;
        state.SetIterationTime(static_cast<double>(deviationMs.size() - 1) * kStepMs / 1000.0);
    }
}
// 22 s a run: three runs, not the default ten.
BENCHMARK(BM_ArpeggioTimingRealProgram)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);

}  // namespace

