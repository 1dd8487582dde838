// The keyboard window's remembered choices: taken up at start, written on
// each change.
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

#include "ui/keyboard/desktop_keyboard.h"
#include "ui/keyboard/keyboard_memory.h"
#include "ui/keyboard/keyboard_window.h"

namespace hq::kbd {
namespace {

// Enough of the window's top to take hold of it and drag it back.
constexpr int32_t kGraspWidthPx = 160;
constexpr int32_t kGraspHeightPx = 30;

}  // namespace

bool OnSomeScreen(QPoint topLeft, QSize size) {
    const QRect grasp(topLeft, QSize(std::min(size.width(), kGraspWidthPx), std::min(size.height(), kGraspHeightPx)));
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
                       [&grasp](const QScreen* screen) { return screen->availableGeometry().contains(grasp); });
}

void DesktopKeyboard::RememberIn(const QString& path) { memory_ = std::make_unique<KeyboardMemory>(path); }

AudioChoice DesktopKeyboard::Recall() {
    if (!memory_) return AudioChoice::Automatic;
    const KeyboardSettings& recalled = memory_->Recalled();
    core_.SetInstrument(recalled.instrument0to127);
    core_.SetVolume(recalled.volumePercent);
    position_ = recalled.position;
    const AudioChoice audio =
        window_->ShowChoices(recalled.instrument0to127, recalled.volumePercent, recalled.audioOutput);
    window_->ShowOptions(recalled.playEachChord != 0, recalled.noteNames, recalled.voiceLed != 0);
    // A port that is not there yet is waited for, as one chosen in this run.
    in_.Choose(recalled.midiIn);
    out_.Choose(recalled.midiOut);
    ShowPorts();
    UpdateStatus();
    return audio;
}

KeyboardSettings DesktopKeyboard::Current() const {
    KeyboardSettings settings;
    settings.instrument0to127 = core_.Instrument();
    settings.volumePercent = core_.Volume();
    settings.audioOutput = window_->AudioName();
    settings.midiIn = in_.Chosen();
    settings.midiOut = out_.Chosen();
    settings.playEachChord = window_->PlayEachChordOn() ? 1 : 0;
    settings.noteNames = window_->Naming0to2();
    settings.voiceLed = window_->VoiceLedOn() ? 1 : 0;
    settings.position = position_;
    return settings;
}

void DesktopKeyboard::Remember(bool soon) {
    if (!memory_ || core_.Closed()) return;
    if (soon) {
        memory_->SaveSoon(Current());
    } else {
        memory_->Save(Current());
    }
}

}  // namespace hq::kbd
