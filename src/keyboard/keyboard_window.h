#pragma once
// The keyboard's own top-level window: the piano, the choices (instrument,
// volume, audio output, MIDI ports) and one status line.

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "keyboard/keyboard_core.h"
#include "keyboard/synth.h"

class QComboBox;
class QLabel;
class QSlider;

namespace hq::kbd {

class PianoWidget;

class KeyboardWindow final : public QWidget {
public:
    /// What the user chooses; every hook is optional.
    struct Hooks {
        std::function<void(int32_t program0to127)> instrument;
        std::function<void(int32_t percent)> volume;
        std::function<void(AudioChoice)> audio;
        std::function<void(const std::string& port)> midiIn;
        std::function<void(const std::string& port)> midiOut;
        std::function<void()> closed;
    };

    KeyboardWindow(KeyboardCore& core, Hooks hooks);

    PianoWidget& Piano() const { return *piano_; }
    /// The whole line; the label shows as much as fits.
    void SetStatus(const QString& text);
    const QString& Status() const { return status_; }
    /// The ports offered and the one chosen (empty: none); `available`
    /// false greys the list out.
    void SetMidiInPorts(const std::vector<std::string>& names, const std::string& chosen, bool available);
    void SetMidiOutPorts(const std::vector<std::string>& names, const std::string& chosen, bool available);
    /// Adds "JACK" to the audio outputs, before "None".
    void OfferJackAudio();
    /// Redraws the piano after a change of the keyboard's state.
    void ShowState();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static void FillPorts(QComboBox* list, const std::vector<std::string>& names, const std::string& chosen,
                          bool available);
    void ShowStatus();

    Hooks hooks_;
    PianoWidget* piano_;
    QComboBox* instrument_;
    QSlider* volume_;
    QComboBox* audio_;
    QComboBox* midiIn_;
    QComboBox* midiOut_;
    QLabel* statusLabel_;
    QString status_;
};

}  // namespace hq::kbd
