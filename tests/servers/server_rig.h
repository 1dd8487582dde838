#pragma once
// Real sound servers for one test each: started in a private runtime folder,
// stopped by their process id, with every wait bounded. Each child runs
// under `timeout`, so none outlives a test that dies.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/program.h"
#include "app/startup.h"
#include "tests/support/spectrum.h"
#include "ui/chords_window.h"
#include "ui/keyboard/desktop_keyboard.h"
#include "ui/keyboard/keyboard_window.h"
#include "ui/qt_toolkit.h"

extern char** environ;

namespace hq::testing {

/// The longest any helper program may run.
inline constexpr int kChildSeconds = 90;

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::string PrivateFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + ".XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) return {};
    chmod(pattern.c_str(), 0700);
    return pattern;
}

/// Runs a shell command for at most `seconds`; its output, both streams.
inline std::string RunCommand(const std::string& command, int seconds = 10) {
    const std::string line = "timeout -k 2 " + std::to_string(seconds) + " " + command + " 2>&1";
    std::string output;
    if (FILE* pipe = popen(line.c_str(), "r")) {
        char buffer[512];
        while (fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
        pclose(pipe);
    }
    return output;
}

inline bool CommandFound(const std::string& name) {
    return RunCommand("sh -c 'command -v " + name + "'").find(name) != std::string::npos;
}

/// Polls `done` while the Qt event loop runs, for at most `ms`.
template <typename Done>
bool WaitFor(Done done, int ms) {
    return QTest::qWaitFor(done, ms);
}

class Child {
public:
    /// Starts `argv` with both streams to `log` and `env` ("NAME=value")
    /// added to this process's environment.
    Child(std::vector<std::string> argv, const std::string& log, const std::vector<std::string>& env = {}) {
        std::vector<std::string> args{"timeout", "-k", "5", std::to_string(kChildSeconds)};
        args.insert(args.end(), argv.begin(), argv.end());
        std::vector<char*> argp;
        for (std::string& a : args) argp.push_back(a.data());
        argp.push_back(nullptr);
        std::vector<std::string> envs = env;
        for (char** e = environ; *e != nullptr; ++e) envs.emplace_back(*e);
        std::vector<char*> envp;
        for (std::string& e : envs) envp.push_back(e.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        if (posix_spawnp(&pid_, "timeout", &actions, nullptr, argp.data(), envp.data()) != 0) pid_ = 0;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Child() { Stop(); }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool Running() {
        if (pid_ == 0) return false;
        if (waitpid(pid_, nullptr, WNOHANG) == 0) return true;
        pid_ = 0;
        return false;
    }
    /// Waits up to `ms` for it to end by itself.
    bool WaitExit(int ms) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (Running()) {
            if (std::chrono::steady_clock::now() > until) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }
    /// `signal` first; after five seconds, SIGKILL.
    void Stop(int signal = SIGTERM) {
        if (!Running()) return;
        kill(pid_, signal);
        if (WaitExit(5000)) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = 0;
    }

private:
    pid_t pid_ = 0;
};

/// A WAV file's samples, channels mixed, as 16-bit PCM or 32-bit float.
struct Recording {
    std::vector<float> samples;
    double rate = 0;
};

inline Recording ReadWav(const std::string& path) {
    Recording r;
    const std::string bytes = ReadText(path);
    const auto u16 = [&bytes](size_t at) { return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8; };
    const auto u32 = [&u16](size_t at) { return u16(at) | u16(at + 2) << 16; };
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0) return r;
    uint32_t channels = 1, bits = 16, format = 1;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const size_t size = u32(at + 4);
        if (id == "fmt " && at + 24 <= bytes.size()) {
            format = u16(at + 8);
            channels = std::max<uint32_t>(1, u16(at + 10));
            r.rate = u32(at + 12);
            bits = u16(at + 22);
        } else if (id == "data") {
            // A recording stopped by a signal may not have its length written.
            const size_t end = size == 0 || at + 8 + size > bytes.size() ? bytes.size() : at + 8 + size;
            const size_t frameBytes = channels * bits / 8;
            for (size_t f = at + 8; f + frameBytes <= end; f += frameBytes) {
                float sum = 0;
                for (uint32_t c = 0; c < channels; ++c) {
                    const size_t s = f + c * bits / 8;
                    if (format == 3 && bits == 32) {
                        const uint32_t raw = u32(s);
                        float v;
                        std::memcpy(&v, &raw, sizeof v);
                        sum += v;
                    } else if (bits == 16) {
                        sum += float(int16_t(u16(s))) / 32768.0F;
                    }
                }
                r.samples.push_back(sum / float(channels));
            }
            break;
        }
        at += 8 + size + (size & 1);
    }
    return r;
}

/// The whole program on the real keyboard component, as a user starts it.
struct RealProgram {
    RealProgram()
        : toolkit(QString()),
          keyboard(kbd::MakeDesktopKeyboard(QCoreApplication::applicationDirPath().toStdString())),
          program{state, toolkit, *keyboard} {
        StartProgram(program);
        (void)QTest::qWaitForWindowExposed(&keyboard->Window());
    }
    ~RealProgram() { keyboard->KbdClose(); }
    RealProgram(const RealProgram&) = delete;
    RealProgram& operator=(const RealProgram&) = delete;

    QComboBox* List(const char* name) const {
        return keyboard->Window().findChild<QComboBox*>(QString::fromLatin1(name));
    }
    QStringList Items(const char* list) const {
        QStringList items;
        for (int i = 0; i < List(list)->count(); ++i) items << List(list)->itemText(i);
        return items;
    }
    /// Chooses `text` in one of the keyboard window's lists; false if absent.
    bool Choose(const char* list, const QString& text) const {
        const int index = List(list)->findText(text);
        if (index < 0) return false;
        List(list)->setCurrentIndex(index);
        return true;
    }
    std::string Status() const { return keyboard->Window().Status().toStdString(); }
    /// Sound on `driver` with the soundfont in.
    bool WaitForSound(const std::string& driver) const {
        return WaitFor([this, &driver] {
            return Status().starts_with("Sound: " + driver + "; ") && Status().find("loading") == std::string::npos;
        }, 60000);
    }
    void Click(const char* button) const {
        ui::ChordsWindow& window = *toolkit.Chords(state.windows.chords);
        if (auto* b = window.findChild<QAbstractButton*>(QString::fromLatin1(button))) b->click();
    }
    QStringList Solutions() const {
        auto* list = toolkit.Chords(state.windows.chords)->findChild<QComboBox*>(QStringLiteral("SolutionsList"));
        QStringList items;
        for (int i = 0; list != nullptr && i < list->count(); ++i) items << list->itemText(i);
        return items;
    }

    SharedState state;
    ui::QtToolkit toolkit;
    std::unique_ptr<kbd::DesktopKeyboard> keyboard;
    Program program;
};

/// The first sample louder than `level`, or the end.
inline size_t Onset(const std::vector<float>& x, float level = 0.01F) {
    for (size_t i = 0; i < x.size(); ++i) {
        if (std::abs(x[i]) > level) return i;
    }
    return x.size();
}

inline float Loudest(const std::vector<float>& x, size_t from, size_t to) {
    float most = 0;
    for (size_t i = from; i < std::min(to, x.size()); ++i) most = std::max(most, std::abs(x[i]));
    return most;
}

struct Pitch {
    const char* name;
    double hz;
};
inline constexpr Pitch kC7[] = {{"C4", 261.63}, {"E4", 329.63}, {"G4", 392.00}, {"Bb4", 466.16}};

/// The pitches with no clear spectral peak within a quarter tone of them in
/// x[from, to): looked for within a tone and a half either side, where no
/// other note of these chords has its fundamental.
inline std::string MissingPitches(const Recording& r, size_t from, size_t to, std::span<const Pitch> pitches) {
    const std::vector<float> stretch(r.samples.begin() + static_cast<std::ptrdiff_t>(std::min(from, r.samples.size())),
                                     r.samples.begin() + static_cast<std::ptrdiff_t>(std::min(to, r.samples.size())));
    std::string missing;
    for (const Pitch& p : pitches) {
        const double wide = std::pow(2.0, 1.5 / 12);
        const Peak peak = StrongestIn(stretch, r.rate, p.hz / wide, p.hz * wide, 0.25);
        const double cents = 1200 * std::log2(peak.hz / p.hz);
        if (std::abs(cents) > 50 || peak.power < 30 * peak.medianPower) {
            missing += std::string(p.name) + " (peak " + std::to_string(peak.hz) + " Hz, " +
                       std::to_string(peak.power / std::max(peak.medianPower, 1e-30)) + "x the band) ";
        }
    }
    return missing;
}

}  // namespace hq::testing
