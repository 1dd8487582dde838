// The keyboard's sound: note-on to audible onset on the offline renderer with
// the live period settings, plus the driver's buffering; soundfont load
// times, each in a fresh process, with the piano's samples read after it;
// and how long KbdClose takes with notes sounding.

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.h"
#include "conditions.h"
#include "keyboard/keyboard_core.h"
#include "keyboard/library_messages.h"
#include "sound/fluid_synth.h"
#include "ui/keyboard/desktop_keyboard.h"

namespace {

const bool kConditions = hq::bench::Conditions(
    "real FluidSynth set up as the program does, rendering offline (no audio device); the close benchmark builds the real keyboard window, Qt offscreen");

using hq::kbd::kPeriodFrames;
using hq::kbd::kPeriods;
using hq::kbd::kSampleRateHz;

class NullOutput final : public hq::kbd::MidiOutput {
public:
    void Send(std::span<const uint8_t>) override {}
};

// One synthesiser per soundfont for all repetitions: loading is timed apart.
struct Renderer {
    hq::kbd::FluidSynth synth;
    NullOutput out;
    hq::kbd::KeyboardCore core{synth, out};
    bool loaded = false;
    int32_t next = 0;
    explicit Renderer(const char* soundfont) {
        hq::kbd::RouteLibraryMessages({});
        loaded = synth.LoadSoundfont(soundfont);
        core.Start();
    }
};

Renderer& RendererFor(const char* soundfont) {
    static std::map<std::string, std::unique_ptr<Renderer>> renderers;
    auto& r = renderers[soundfont];
    if (!r) r = std::make_unique<Renderer>(soundfont);
    return *r;
}

// Frames from the first period rendered after the note-on to the first
// sample within 40 dB of the note's own peak (its first 100 ms).
int64_t OnsetFrames(Renderer& r, int32_t key) {
    std::vector<float> left(kPeriodFrames), right(kPeriodFrames), heard;
    r.core.KbdNoteOn(key % 12, key / 12 - 1);
    while (heard.size() < static_cast<size_t>(kSampleRateHz / 10)) {
        r.synth.Render(left, right);
        for (size_t i = 0; i < left.size(); ++i) heard.push_back(std::max(std::fabs(left[i]), std::fabs(right[i])));
    }
    r.core.KbdAllNotesOff();
    // Let the note die away before the next one.
    for (int i = 0; i < kSampleRateHz / kPeriodFrames; ++i) r.synth.Render(left, right);
    const float peak = *std::max_element(heard.begin(), heard.end());
    if (peak <= 0) return -1;
    const auto first = std::find_if(heard.begin(), heard.end(), [peak](float v) { return v >= peak / 100; });
    return first - heard.begin();
}

// Each repetition is one key of C3..B4, so the median is over keys.
void BM_NoteOnToAudibleOnset(benchmark::State& state, const char* soundfont) {
    Renderer& r = RendererFor(soundfont);
    if (!r.loaded) {
        state.SkipWithError("no soundfont");
        return;
    }
    const int32_t key = 48 + r.next++ % 24;
    double onsetFrames = 0;
    for (auto _ : state) {
        const int64_t frames = OnsetFrames(r, key);
        if (frames < 0) {
            state.SkipWithError("no sound");
            return;
        }
        onsetFrames = static_cast<double>(frames);
        state.SetIterationTime(onsetFrames / kSampleRateHz);
    }
    // Up to a whole buffer of the driver's periods before the sound leaves.
    const double bufferMs = 1000.0 * kPeriods * kPeriodFrames / kSampleRateHz;
    state.counters["onset_samples"] = onsetFrames;
    state.counters["onset_ms"] = 1000.0 * onsetFrames / kSampleRateHz;
    state.counters["buffer_ms"] = bufferMs;
    state.counters["total_ms"] = 1000.0 * onsetFrames / kSampleRateHz + bufferMs;
}
BENCHMARK_CAPTURE(BM_NoteOnToAudibleOnset, TimGM6mb, "/usr/share/sounds/sf2/TimGM6mb.sf2")
    ->UseManualTime()->Iterations(1)->Repetitions(24)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_NoteOnToAudibleOnset, FluidR3_GM, "/usr/share/sounds/sf2/FluidR3_GM.sf2")
    ->UseManualTime()->Iterations(1)->Repetitions(24)->Unit(benchmark::kMillisecond);

// Each repetition loads in a new process: FluidSynth shares what one load
// read with every later load of the same file in the process, so a second
// load in one process measures that cache, not the file. The file itself
// is in the system's page cache after the first repetition.
void BM_SoundfontLoad(benchmark::State& state, const char* soundfont) {
    if (!std::filesystem::exists(soundfont)) {
        state.SkipWithError("no soundfont");
        return;
    }
    for (auto _ : state) {
        const std::optional<std::string> out = hq::bench::OutputOf({HQ_SOUNDFONT_PROBE, soundfont, "0"});
        std::istringstream in(out.value_or(""));
        std::string word;
        double loadUs = -1, programUs = -1, residentKib = -1;
        in >> word >> loadUs >> word >> programUs >> word >> residentKib;
        if (!in || loadUs < 0) {
            state.SkipWithError("did not load");
            return;
        }
        state.SetIterationTime(loadUs / 1e6);
        state.counters["piano_samples_ms"] = programUs / 1000.0;
        state.counters["rss_mib"] = residentKib / 1024.0;
    }
}
BENCHMARK_CAPTURE(BM_SoundfontLoad, TimGM6mb, "/usr/share/sounds/sf2/TimGM6mb.sf2")
    ->UseManualTime()->Iterations(1)->Repetitions(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SoundfontLoad, FluidR3_GM, "/usr/share/sounds/sf2/FluidR3_GM.sf2")
    ->UseManualTime()->Iterations(1)->Repetitions(10)->Unit(benchmark::kMillisecond);

// The component as the program builds it, with a chord sounding and three
// keys locked, closed as the main window's close path closes it.
void BM_KbdCloseWithNotesSounding(benchmark::State& state) {
    for (auto _ : state) {
        const auto keyboard = hq::kbd::MakeDesktopKeyboard(QCoreApplication::applicationDirPath().toStdString());
        keyboard->Start();
        for (int32_t pc : {0, 4, 7}) keyboard->KbdNoteOn(pc, 4);
        for (int32_t key : {48, 52, 55}) {
            keyboard->Core().PointerPress(key);
            keyboard->Core().PointerMove(-1);
            keyboard->Core().PointerRelease(-1);
        }
        QCoreApplication::processEvents();
        const auto start = std::chrono::steady_clock::now();
        keyboard->KbdClose();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(BM_KbdCloseWithNotesSounding)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
