#include "ui/keyboard/desktop_keyboard.h"

#include <QGuiApplication>
#include <QMetaObject>
#include <QScreen>

#include <algorithm>
#include <vector>

#include "keyboard/library_messages.h"
#include "midi/midi_systems.h"
#include "platform/controls.h"
#include "platform/midi_bytes.h"
#include "sound/fluid_synth.h"
#include "sound/jack_probe.h"
#include "sound/sound_messages.h"
#include "sound/soundfont.h"
#include "ui/keyboard/keyboard_memory.h"
#include "ui/keyboard/keyboard_window.h"

namespace hq::kbd {
namespace {

// Room left between the main window and this one for the window frames.
constexpr int32_t kGapPx = 40;
const QString kSeparator = QStringLiteral("  |  ");

}  // namespace

void DesktopKeyboard::BothOutputs::Send(std::span<const uint8_t> message) {
    if (midi_.virtualOutput) midi_.virtualOutput->Send(message);
    if (midi_.output && midi_.output->IsOpen()) midi_.output->Send(message);
}

DesktopKeyboard::DesktopKeyboard(std::unique_ptr<AudioSynth> synth, MidiSystem midi)
    : synth_(std::move(synth)),
      midi_(std::move(midi)),
      core_(*synth_, outputs_),
      in_(midi_.input.get(), "MIDI in", std::string(kMidiClientName) + ":"),
      out_(midi_.output.get(), "MIDI out", std::string(kMidiClientName) + ":") {
    KeyboardWindow::Hooks hooks;
    hooks.instrument = [this](int32_t program) {
        core_.SetInstrument(program);
        Remember();
    };
    hooks.volume = [this](int32_t percent) {
        core_.SetVolume(percent);
        Remember(true);
    };
    hooks.audio = [this](AudioChoice choice) {
        StartAudio(choice);
        Remember();
    };
    hooks.midiIn = [this](const std::string& port) { ChooseMidiIn(port); };
    hooks.midiOut = [this](const std::string& port) { ChooseMidiOut(port); };
    hooks.closed = [this] { core_.ReleaseUserKeys(); };
    hooks.options = [this] { Remember(false); };
    hooks.moved = [this] {
        position_ = WindowPoint{window_->x(), window_->y()};
        Remember(true);
    };
    window_ = std::make_unique<KeyboardWindow>(core_, std::move(hooks));
    core_.SetChangeHandler([this] { window_->ShowState(); });

    if (midi_.output) {
        out_.SetHooks([this] { core_.SilenceOn(*midi_.output); }, [this] { core_.SetUpOn(*midi_.output); });
    }
    if (midi_.input) {
        // Messages arrive on the MIDI system's thread and are played on this one.
        midi_.input->SetReceiver([this](std::span<const uint8_t> message) {
            QMetaObject::invokeMethod(
                window_.get(),
                [this, bytes = std::vector<uint8_t>(message.begin(), message.end())] { core_.MidiIn(bytes); },
                Qt::QueuedConnection);
        });
    }
    poll_.setInterval(kPortPollMs);
    QObject::connect(&poll_, &QTimer::timeout, window_.get(), [this] { PollPorts(); });
    ShowPorts();
    UpdateStatus();
}

DesktopKeyboard::~DesktopKeyboard() {
    RouteLibraryMessages({});
    KbdClose();
    if (midi_.input) midi_.input->SetReceiver({});
    synth_.reset();
    window_.reset();
}

void DesktopKeyboard::Start() {
    if (started_ || core_.Closed()) return;
    started_ = true;
    RouteLibraryMessages([this](const std::string& line) { OnLibraryMessage(line); });
    core_.Start();
    StartAudio(Recall());
    Place();
    window_->show();
    if (midi_.input || midi_.output) poll_.start();
}

void DesktopKeyboard::StartAudio(AudioChoice choice) {
    if (core_.Closed()) return;
    audioStatus_ = QStringLiteral("Sound: starting");
    audioShownOpen_ = false;
    // Sound turned off: no complaint about an output holds any more.
    if (choice == AudioChoice::None) lastMessage_.clear();
    UpdateStatus();
    core_.SetSynthListening(false);
    synth_->StopAudio();
    synth_->StartAudio(choice, [this](const std::string& line) {
        QMetaObject::invokeMethod(
            window_.get(),
            [this, text = QString::fromStdString(line)] {
                audioStatus_ = text;
                const bool open = synth_->AudioOpen();
                core_.SetSynthListening(open);
                // A library's complaint about an output that failed holds no
                // longer once one opens; what it says after that stays.
                if (open && !audioShownOpen_) lastMessage_.clear();
                audioShownOpen_ = open;
                UpdateStatus();
            },
            Qt::QueuedConnection);
    });
}

QPoint KeyboardPlace(QRect mainWindow, QSize size, QRect area) {
    const int32_t x = std::max(area.left(), std::min(mainWindow.left(), area.right() + 1 - size.width()));
    const int32_t below = mainWindow.bottom() + 1 + kGapPx;
    if (below + size.height() <= area.bottom() + 1) return {x, below};
    const int32_t above = mainWindow.top() - kGapPx - size.height();
    if (above >= area.top()) return {x, above};
    const int32_t right = mainWindow.right() + 1 + kGapPx / 2;
    const int32_t lowest = std::max(area.top(), area.bottom() + 1 - size.height());
    if (right + size.width() <= area.right() + 1) return {right, std::clamp(mainWindow.top(), area.top(), lowest)};
    return {x, lowest};
}

void DesktopKeyboard::Place() {
    const ControlRow& main = kControls[0];
    QRect area(0, 0, 1280, 1024);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) area = screen->availableGeometry();
    if (position_ && OnSomeScreen(QPoint(position_->x, position_->y), window_->sizeHint())) {
        window_->move(position_->x, position_->y);
        return;
    }
    position_.reset();
    window_->move(KeyboardPlace(QRect(main.x, main.y, main.width, main.height), window_->sizeHint(), area));
}

void DesktopKeyboard::KbdNoteOn(int32_t pitchClass, int32_t octave) { core_.KbdNoteOn(pitchClass, octave); }
void DesktopKeyboard::KbdNoteOff(int32_t pitchClass, int32_t octave) { core_.KbdNoteOff(pitchClass, octave); }
int32_t DesktopKeyboard::KbdGetNote(int32_t pitchClass, int32_t octave) { return core_.KbdGetNote(pitchClass, octave); }
void DesktopKeyboard::KbdAllNotesOff() { core_.KbdAllNotesOff(); }
int32_t DesktopKeyboard::KbdGetParam(int32_t param) { return core_.KbdGetParam(param); }
void DesktopKeyboard::KbdSetParam(int32_t param, int32_t value) { core_.KbdSetParam(param, value); }

void DesktopKeyboard::KbdClose() {
    if (core_.Closed()) return;
    // The note-offs go out before the ports and the audio close.
    core_.KbdClose();
    poll_.stop();
    in_.Choose({});
    out_.Choose({});
    if (synth_) synth_->StopAudio();
}

void DesktopKeyboard::ChooseMidiIn(const std::string& port) {
    if (core_.Closed()) return;
    in_.Choose(port);
    ShowPorts();
    UpdateStatus();
    Remember();
}

void DesktopKeyboard::ChooseMidiOut(const std::string& port) {
    if (core_.Closed()) return;
    out_.Choose(port);
    ShowPorts();
    UpdateStatus();
    Remember();
}

void DesktopKeyboard::PollPorts() {
    if (core_.Closed()) return;
    const bool inChanged = in_.Poll();
    const bool outChanged = out_.Poll();
    // A device gone with its keys down: they are up now.
    if (inChanged && !in_.Connected()) {
        for (int32_t key = 0; key < kKeyCount; ++key) {
            if (!core_.MidiHeld(key)) continue;
            const uint8_t off[] = {midi::kNoteOff, static_cast<uint8_t>(key), 0};
            core_.MidiIn(off);
        }
        const uint8_t pedalUp[] = {midi::kControlChange, midi::kSustainPedal, 0};
        core_.MidiIn(pedalUp);
    }
    ShowPorts();
    if (inChanged || outChanged) UpdateStatus();
}

void DesktopKeyboard::ShowPorts() {
    window_->SetMidiInPorts(in_.Offered(), in_.Chosen(), midi_.input != nullptr && !core_.Closed());
    window_->SetMidiOutPorts(out_.Offered(), out_.Chosen(), midi_.output != nullptr && !core_.Closed());
}

void DesktopKeyboard::OnLibraryMessage(const std::string& line) {
    QMetaObject::invokeMethod(
        window_.get(),
        [this, text = QString::fromStdString(line).trimmed()] {
            lastMessage_ = text;
            UpdateStatus();
        },
        Qt::QueuedConnection);
}

void DesktopKeyboard::UpdateStatus() {
    QStringList parts;
    if (!audioStatus_.isEmpty()) parts << audioStatus_;
    if (!midi_.problem.empty()) {
        parts << QString::fromStdString(midi_.problem);
    } else {
        QStringList midi;
        if (!out_.Status().empty()) midi << QString::fromStdString(out_.Status());
        if (!in_.Status().empty()) midi << QString::fromStdString(in_.Status());
        if (midi.isEmpty()) midi << QStringLiteral("MIDI out: virtual port %1").arg(QString::fromLatin1(kMidiClientName));
        parts << midi.join(QStringLiteral("; "));
    }
    if (!lastMessage_.isEmpty()) parts << lastMessage_;
    window_->SetStatus(parts.join(kSeparator));
}

std::unique_ptr<DesktopKeyboard> MakeDesktopKeyboard(const std::string& programFolder) {
    // Installed first, so that not even opening the MIDI system prints.
    CatchSoundLibraryMessages();
    RouteLibraryMessages({});
    const bool jack = JackServerAnswers(kMidiClientName);
    auto keyboard = std::make_unique<DesktopKeyboard>(std::make_unique<FluidSynth>(SoundfontFolders(programFolder)),
                                                      OpenMidiSystems(kMidiClientName, jack));
    if (jack) keyboard->Window().OfferJackAudio();
    return keyboard;
}

}  // namespace hq::kbd
