// Time from process start to the main window first painted, offscreen: the
// probe is the desktop program that stops at that moment.

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "conditions.h"

extern char** environ;

namespace {

const bool kConditions = hq::bench::Conditions(
    "the real program with FluidSynth and MIDI, Qt offscreen (no X server), a new process each start");

void BM_StartToMainWindowShown(benchmark::State& state) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::string probe = HQ_STARTUP_PROBE;
    for (auto _ : state) {
        int pipeFds[2];
        if (pipe(pipeFds) != 0) {
            state.SkipWithError("no pipe");
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
        char* argv[] = {const_cast<char*>(probe.c_str()), nullptr};

        const auto start = std::chrono::steady_clock::now();
        pid_t child = 0;
        const int spawned = posix_spawn(&child, probe.c_str(), &actions, nullptr, argv, environ);
        close(pipeFds[1]);
        char shown = 0;
        const ssize_t got = spawned == 0 ? read(pipeFds[0], &shown, 1) : -1;
        const auto end = std::chrono::steady_clock::now();
        close(pipeFds[0]);
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        if (spawned == 0) waitpid(child, &status, 0);
        if (got != 1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program did not show its main window");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}
BENCHMARK(BM_StartToMainWindowShown)->UseManualTime()->Iterations(1)->Repetitions(10)->Unit(benchmark::kMillisecond);

}  // namespace
