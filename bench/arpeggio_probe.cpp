// The desktop program, built as its main builds it (keyboard window,
// FluidSynth, MIDI ports), under the X server DISPLAY names. Once the
// soundfont is in, with the audio output set to None, it plays REP.PLAY at tempo 300 and 12 notes per measure;
// the synth adapter stamps every note-on as it arrives. After the notes it
// prints one line, "cpu_us <process CPU over the run> stamps_us <each
// note-on from the first>", and ends. Run by bench_arpeggio_real.

#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/startup.h"
#include "keyboard/library_messages.h"
#include "midi/rtmidi_ports.h"
#include "platform/controls.h"
#include "sound/fluid_synth.h"
#include "sound/soundfont.h"
#include "ui/chords_window.h"
#include "ui/desktop.h"
#include "ui/keyboard/desktop_keyboard.h"
#include "ui/keyboard/keyboard_window.h"
#include "ui/qt_toolkit.h"

namespace hq {
namespace {

using Clock = std::chrono::steady_clock;

// Hands everything to FluidSynth, stamping note-ons on the way in.
class StampingSynth final : public kbd::AudioSynth {
public:
    StampingSynth(std::unique_ptr<kbd::FluidSynth> inner, size_t wanted) : inner_(std::move(inner)), wanted_(wanted) {
        stamps_.reserve(wanted);
    }
    void NoteOn(int32_t channel, int32_t key, int32_t velocity) override {
        if (counting_ && stamps_.size() < wanted_) {
            stamps_.push_back(Clock::now());
            if (stamps_.size() == wanted_) QTimer::singleShot(0, qApp, done_);
        }
        inner_->NoteOn(channel, key, velocity);
    }
    void NoteOff(int32_t channel, int32_t key) override { inner_->NoteOff(channel, key); }
    void ControlChange(int32_t channel, int32_t controller, int32_t value) override {
        inner_->ControlChange(channel, controller, value);
    }
    void ProgramChange(int32_t channel, int32_t program) override { inner_->ProgramChange(channel, program); }
    void ReleaseChannel(int32_t channel) override { inner_->ReleaseChannel(channel); }
    void PitchBend(int32_t channel, int32_t value) override { inner_->PitchBend(channel, value); }
    void PitchBendRange(int32_t channel, int32_t semitones) override { inner_->PitchBendRange(channel, semitones); }
    void SetVolume(int32_t percent) override { inner_->SetVolume(percent); }
    void StartAudio(kbd::AudioChoice choice, kbd::StatusReport report) override {
        inner_->StartAudio(choice, std::move(report));
    }
    void StopAudio() override { inner_->StopAudio(); }
    // Said open so that the keyboard sends its notes here as it would to a sound card.
    bool AudioOpen() const override { return true; }

    bool Settled() const { return inner_->Settled(); }
    /// Stamps from now on; `done` runs on the event loop after the last.
    void Count(std::function<void()> done) {
        done_ = std::move(done);
        counting_ = true;
    }
    const std::vector<Clock::time_point>& Stamps() const { return stamps_; }

private:
    std::unique_ptr<kbd::FluidSynth> inner_;
    size_t wanted_;
    bool counting_ = false;
    std::function<void()> done_;
    std::vector<Clock::time_point> stamps_;
};

int64_t ProcessCpuUs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1'000'000 + usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
}

int Run(int argc, char** argv) {
    const size_t steps = argc > 1 ? static_cast<size_t>(std::strtoul(argv[1], nullptr, 10)) : 401;
    ui::QuietQtMessages();
    QApplication application(argc, argv);
    ui::PrepareApplication();

    SharedState state;
    const QString folder = QCoreApplication::applicationDirPath();
    ui::QtToolkit toolkit(folder);
    kbd::RouteLibraryMessages({});
    auto stamping = std::make_unique<StampingSynth>(
        std::make_unique<kbd::FluidSynth>(kbd::SoundfontFolders(folder.toStdString())), steps);
    StampingSynth& synth = *stamping;
    kbd::DesktopKeyboard keyboard(std::move(stamping), kbd::OpenRtMidi(kbd::kMidiClientName));
    Program program{state, toolkit, keyboard};
    StartProgram(program);
    ui::ChordsWindow& window = *toolkit.Chords(state.windows.chords);
    // As on a machine without a sound card, wherever it runs.
    if (auto* audio = keyboard.Window().findChild<QComboBox*>(QStringLiteral("AudioOutput"))) {
        audio->setCurrentIndex(audio->findText(QStringLiteral("None")));
    }

    int64_t cpuAtStart = 0;
    const auto report = [&] {
        const int64_t cpuUs = ProcessCpuUs() - cpuAtStart;
        QTest::mouseClick(window.Control(kid::StopRep), Qt::LeftButton);
        std::printf("cpu_us %lld stamps_us", static_cast<long long>(cpuUs));
        for (const Clock::time_point& t : synth.Stamps()) {
            std::printf(" %lld", static_cast<long long>(
                                     std::chrono::duration_cast<std::chrono::microseconds>(t - synth.Stamps()[0]).count()));
        }
        std::printf("\n");
        std::fflush(stdout);
        QCoreApplication::exit(state.play.Tempo == 300 && state.play.NotesPerMeasure == 12 ? 0 : 3);
    };
    // Nothing of the probe's own runs on the event loop while the notes play.
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!synth.Settled()) return;
        poll.stop();
        for (int32_t bar : {kid::TempoBar, kid::NotesMeasureBar}) {
            auto* scroll = qobject_cast<QScrollBar*>(window.Control(bar));
            scroll->setSliderDown(true);
            scroll->setSliderPosition(49);  // a drag to the far right: 300 and 12
            scroll->setSliderDown(false);
        }
        cpuAtStart = ProcessCpuUs();
        synth.Count(report);
        QTest::mouseClick(window.Control(kid::PlayRep), Qt::LeftButton);
    });
    poll.start();
    // Far longer than the soundfont and the notes take.
    QTimer::singleShot(120'000, [] { QCoreApplication::exit(2); });
    return QApplication::exec();
}

}  // namespace
}  // namespace hq

int main(int argc, char** argv) { return hq::Run(argc, argv); }
