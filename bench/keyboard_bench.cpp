// The keyboard's sound: note-on to audible onset on the offline renderer with
// the live period settings, plus the driver's buffering; soundfont load
// times; and how long KbdClose takes with notes sounding.

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "keyboard/desktop_keyboard.h"
#include "keyboard/fluid_synth.h"
#include "keyboard/keyboard_core.h"
#include "keyboard/library_messages.h"

namespace {

using hq::kbd::kPeriodFrames;
using hq::kbd::kPeriods;
using hq::kbd::kSampleRateHz;

// -50 dBFS: well below a note at the start-up velocity, well above the
// silence between notes.
constexpr float kAudible = 0.00316f;

class NullOutput final : public hq::kbd::MidiOutput {
public:
    void Send(std::span<const uint8_t>) override {}
};

void Period(hq::kbd::FluidSynth& synth, std::vector<float>& left, std::vector<float>& right) {
    synth.Render(left, right);
}

// Frames from the first period rendered after the note-on to the first
// audible sample; -1 if none within a second.
int64_t OnsetFrames(hq::kbd::FluidSynth& synth, hq::kbd::KeyboardCore& core, int32_t pitchClass) {
    std::vector<float> left(kPeriodFrames), right(kPeriodFrames);
    core.KbdNoteOn(pitchClass, 4);
    for (int64_t period = 0; period * kPeriodFrames < kSampleRateHz; ++period) {
        Period(synth, left, right);
        for (size_t i = 0; i < left.size(); ++i) {
            if (std::fabs(left[i]) > kAudible || std::fabs(right[i]) > kAudible) {
                core.KbdNoteOff(pitchClass, 4);
                return period * kPeriodFrames + static_cast<int64_t>(i);
            }
        }
    }
    core.KbdNoteOff(pitchClass, 4);
    return -1;
}

void BM_NoteOnToAudibleOnset(benchmark::State& state, const char* soundfont) {
    hq::kbd::RouteLibraryMessages({});
    hq::kbd::FluidSynth synth;
    if (!synth.LoadSoundfont(soundfont)) {
        state.SkipWithError("no soundfont");
        return;
    }
    NullOutput out;
    hq::kbd::KeyboardCore core(synth, out);
    core.Start();
    core.KbdSetParam(25, 100);
    std::vector<float> left(kPeriodFrames), right(kPeriodFrames);
    int32_t pitchClass = 0;
    double onsetFrames = 0;
    for (auto _ : state) {
        const int64_t frames = OnsetFrames(synth, core, pitchClass);
        if (frames < 0) {
            state.SkipWithError("no sound");
            return;
        }
        onsetFrames = static_cast<double>(frames);
        state.SetIterationTime(onsetFrames / kSampleRateHz);
        // Let the note die away before the next one.
        core.KbdAllNotesOff();
        for (int i = 0; i < kSampleRateHz / kPeriodFrames; ++i) Period(synth, left, right);
        pitchClass = (pitchClass + 5) % 12;
    }
    const double bufferMs = 1000.0 * kPeriods * kPeriodFrames / kSampleRateHz;
    state.counters["onset_samples"] = onsetFrames;
    state.counters["onset_ms"] = 1000.0 * onsetFrames / kSampleRateHz;
    state.counters["buffer_ms"] = bufferMs;
    state.counters["total_ms"] = 1000.0 * onsetFrames / kSampleRateHz + bufferMs;
}
BENCHMARK_CAPTURE(BM_NoteOnToAudibleOnset, TimGM6mb, "/usr/share/sounds/sf2/TimGM6mb.sf2")
    ->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_NoteOnToAudibleOnset, FluidR3_GM, "/usr/share/sounds/sf2/FluidR3_GM.sf2")
    ->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

void BM_SoundfontLoad(benchmark::State& state, const char* soundfont) {
    hq::kbd::RouteLibraryMessages({});
    if (!std::filesystem::exists(soundfont)) {
        state.SkipWithError("no soundfont");
        return;
    }
    for (auto _ : state) {
        hq::kbd::FluidSynth synth;
        const auto start = std::chrono::steady_clock::now();
        const bool loaded = synth.LoadSoundfont(soundfont);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (!loaded) state.SkipWithError("did not load");
    }
}
BENCHMARK_CAPTURE(BM_SoundfontLoad, TimGM6mb, "/usr/share/sounds/sf2/TimGM6mb.sf2")
    ->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SoundfontLoad, FluidR3_GM, "/usr/share/sounds/sf2/FluidR3_GM.sf2")
    ->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

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
