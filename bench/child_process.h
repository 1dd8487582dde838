#pragma once
// Runs a program to its end and collects what it prints, for benchmarks
// that must measure in a fresh process.

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace hq::bench {

/// The program's standard output, or nothing when it could not run or did
/// not exit with status 0.
inline std::optional<std::string> OutputOf(const std::vector<std::string>& args) {
    int fds[2];
    if (args.empty() || pipe(fds) != 0) return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    close(fds[1]);
    posix_spawn_file_actions_destroy(&actions);
    std::string out;
    char buffer[4096];
    for (ssize_t got; spawned == 0 && (got = read(fds[0], buffer, sizeof buffer)) > 0;) {
        out.append(buffer, static_cast<size_t>(got));
    }
    close(fds[0]);
    int status = 0;
    if (spawned != 0 || waitpid(child, &status, 0) != child) return std::nullopt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return out;
}

}  // namespace hq::bench
