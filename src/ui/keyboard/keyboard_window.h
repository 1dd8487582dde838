#pragma once
// The keyboard's own top-level window: the piano, the choices (instrument,
// volume, audio output, MIDI ports) and one status line.

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "keyboard/key_labels.h"
#include "keyboard/keyboard_core.h"
#include "keyboard/synth.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSlider;

namespace hq::ui {
class FittingLabel;
}

namespace hq::kbd {

class NamingLine;
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
        /// The window was moved while shown.
        std::function<void()> moved;
        /// "Play each chord", the note names or "Voice-led sequence" changed.
        std::function<void()> options;
    };

    KeyboardWindow(KeyboardCore& core, Hooks hooks);
    ~KeyboardWindow() override;

    PianoWidget& Piano() const { return *piano_; }
    /// The names of the held keys, above the piano.
    NamingLine& Naming() const { return *naming_; }
    /// The whole line; the label shrinks or elides it to fit.
    void SetStatus(const QString& text);
    const QString& Status() const { return status_; }
    /// The ports offered and the one chosen (empty: none); `available`
    /// false greys the list out.
    void SetMidiInPorts(const std::vector<std::string>& names, const std::string& chosen, bool available);
    void SetMidiOutPorts(const std::vector<std::string>& names, const std::string& chosen, bool available);
    /// Shows remembered choices without reporting them; an audio output
    /// the list lacks shows its first item. Returns the output shown.
    AudioChoice ShowChoices(int32_t program0to127, int32_t percent, const std::string& audio);
    /// The audio output as the list names it.
    std::string AudioName() const;
    /// Adds "JACK" to the audio outputs, before "None".
    void OfferJackAudio();
    /// Redraws the piano after a change of the keyboard's state.
    void ShowState();
    /// Told when "Play each chord" is checked or cleared.
    /// Told at once of the box's state, then of every change.
    void OnPlayEachChord(std::function<void(bool on)> hook);
    /// What "Practice" opens.
    void OnPractice(std::function<void()> hook) { practice_ = std::move(hook); }
    /// Told when "Voice-led sequence" is checked or cleared.
    /// Told at once of the box's state, then of every change.
    void OnVoiceLed(std::function<void(bool on)> hook);
    /// Shows remembered options; the piano and the hooks follow them.
    void ShowOptions(bool playEachChord, int32_t naming0to2, bool voiceLed);
    bool PlayEachChordOn() const;
    bool VoiceLedOn() const;
    int32_t Naming0to2() const;
    /// How the chord shown spells the notes, for the names on the keys.
    void SetKeyNames(const KeyNames& names);

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    static void FillPorts(QComboBox* list, const std::vector<std::string>& names, const std::string& chosen,
                          bool available);
    QLayout* MakeComforts(KeyboardCore& core);

    KeyboardCore& core_;
    Hooks hooks_;
    PianoWidget* piano_;
    NamingLine* naming_;
    QComboBox* instrument_;
    QSlider* volume_;
    QComboBox* audio_;
    QCheckBox* playEachBox_ = nullptr;
    QCheckBox* voiceLedBox_ = nullptr;
    QComboBox* namingList_ = nullptr;
    QComboBox* midiIn_;
    QComboBox* midiOut_;
    ui::FittingLabel* statusLabel_;
    QString status_;
    std::function<void(bool)> playEachChord_;
    std::function<void()> practice_;
    std::function<void(bool)> voiceLed_;
};

}  // namespace hq::kbd
