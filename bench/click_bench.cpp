// From a click on a Step-panel box to the display painted with its result,
// through the real widgets: E9 and E7 in turn, so every click changes the
// chord (C9, C7).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#include "conditions.h"
#include "app/startup.h"
#include "keyboard/silent_keyboard.h"
#include "platform/controls.h"
#include "ui/chords_window.h"
#include "ui/qt_toolkit.h"

namespace hq {
namespace {

const bool kConditions = hq::bench::Conditions(
    "Qt offscreen (no X server), real main window, silent stub keyboard");

void BM_ClickToDisplay(benchmark::State& state) {
    SharedState shared;
    ui::QtToolkit toolkit{QString()};
    SilentKeyboard keyboard;
    Program program{shared, toolkit, keyboard};
    StartProgram(program);
    ui::ChordsWindow& window = *toolkit.Chords(shared.windows.chords);
    QApplication::processEvents();
    auto* notation = qobject_cast<QLabel*>(window.Control(kid::NotationDisplay));
    QWidget* e9 = window.Control(kid::E9);
    QWidget* e7 = window.Control(kid::E7);

    bool nine = true;
    std::vector<double> clickUs;
    clickUs.reserve(static_cast<size_t>(state.max_iterations));
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        QTest::mouseClick(nine ? e9 : e7, Qt::LeftButton);
        QApplication::processEvents();  // the repaint of the display
        clickUs.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
        if (notation->text() != (nine ? QStringLiteral("C9") : QStringLiteral("C7"))) {
            state.SkipWithError("the display did not follow the click");
            return;
        }
        nine = !nine;
    }
    std::sort(clickUs.begin(), clickUs.end());
    state.counters["median_us"] = clickUs[clickUs.size() / 2];
    state.counters["p99_us"] = clickUs[clickUs.size() * 99 / 100];
}
BENCHMARK(BM_ClickToDisplay)->Iterations(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace hq
