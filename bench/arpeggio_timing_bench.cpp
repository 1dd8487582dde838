// Arpeggio timing on the real event loop: REP.PLAY pressed through the
// widget at tempo 300 and 12 notes per measure (a note every 55 ms), and
// each note-on compared with its ideal time over 400 steps.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "conditions.h"
#include "app/startup.h"
#include "platform/controls.h"
#include "platform/keyboard.h"
#include "ui/chords_window.h"
#include "ui/qt_toolkit.h"

namespace hq {
namespace {

const bool kConditions = hq::bench::Conditions(
    "Qt offscreen (no X server), real main window and timers, stub keyboard that only stamps note-ons (no keyboard window, no synthesiser)");

using Clock = std::chrono::steady_clock;

constexpr int kSteps = 400;
constexpr double kStepMs = 55.0;

// Timestamps every note-on; ends the wait once enough have sounded.
class StopwatchKeyboard final : public Keyboard {
public:
    void Start() override {}
    void KbdNoteOn(int32_t, int32_t) override {
        if (!counting_) return;
        noteOns.push_back(Clock::now());
        if (noteOns.size() == static_cast<size_t>(kSteps)) loop.quit();
    }
    void KbdNoteOff(int32_t, int32_t) override {}
    int32_t KbdGetNote(int32_t, int32_t) override { return 0; }
    void KbdAllNotesOff() override {}
    int32_t KbdGetParam(int32_t) override { return 0; }
    void KbdSetParam(int32_t, int32_t) override {}
    void KbdClose() override {}
    void Count() { counting_ = true; }

    std::vector<Clock::time_point> noteOns;
    QEventLoop loop;

private:
    bool counting_ = false;
};

double Percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<size_t>(share * static_cast<double>(values.size())))];
}

void BM_ArpeggioTiming(benchmark::State& state) {
    SharedState shared;
    ui::QtToolkit toolkit{QString()};
    StopwatchKeyboard keyboard;
    Program program{shared, toolkit, keyboard};
    StartProgram(program);
    ui::ChordsWindow& window = *toolkit.Chords(shared.windows.chords);
    for (int32_t bar : {kid::TempoBar, kid::NotesMeasureBar}) {
        auto* scroll = qobject_cast<QScrollBar*>(window.Control(bar));
        scroll->setSliderDown(true);
        scroll->setSliderPosition(49);  // a drag to the far right: 300 and 12
        scroll->setSliderDown(false);
    }
    if (shared.play.Tempo != 300 || shared.play.NotesPerMeasure != 12) {
        state.SkipWithError("the sliders did not reach 300 and 12");
        return;
    }
    QWidget* playRep = window.Control(kid::PlayRep);
    QWidget* stopRep = window.Control(kid::StopRep);

    for (auto _ : state) {
        keyboard.noteOns.clear();
        keyboard.Count();
        const Clock::time_point pressed = Clock::now();
        QTest::mouseClick(playRep, Qt::LeftButton);
        QTimer::singleShot(static_cast<int>(kSteps * kStepMs * 2), &keyboard.loop, &QEventLoop::quit);
        keyboard.loop.exec();
        QTest::mouseClick(stopRep, Qt::LeftButton);
        if (keyboard.noteOns.size() < static_cast<size_t>(kSteps)) {
            state.SkipWithError("the arpeggio stopped early");
            return;
        }
        std::vector<double> deviationMs;
        for (int step = 0; step < kSteps; ++step) {
            const double actual =
                std::chrono::duration<double, std::milli>(keyboard.noteOns[static_cast<size_t>(step)] - pressed).count();
            deviationMs.push_back(actual - kStepMs * (step + 1));
        }
        std::vector<double> absolute(deviationMs.size());
        std::transform(deviationMs.begin(), deviationMs.end(), absolute.begin(), [](double d) { return std::abs(d); });
        state.counters["median_ms"] = Percentile(absolute, 0.5);
        state.counters["p99_ms"] = Percentile(absolute, 0.99);
        state.counters["drift_ms"] = deviationMs.back() - deviationMs.front();
        state.counters["last_ms"] = deviationMs.back();
    }
}
// 22 s a run: three runs, not the default ten.
BENCHMARK(BM_ArpeggioTiming)->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hq
