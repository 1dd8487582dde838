#pragma once
// The keyboard component of the desktop program: the logic, its window, the
// synthesiser and the MIDI ports, wired together on the Qt event loop.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>

#include "keyboard/keyboard_core.h"
#include "keyboard/keyboard_settings.h"
#include "keyboard/midi_port.h"
#include "keyboard/synth.h"
#include "midi/port_keeper.h"
#include "platform/keyboard.h"

namespace hq::kbd {

class KeyboardMemory;
class KeyboardWindow;

/// This program's name in the MIDI system: its virtual port and client.
inline constexpr const char* kMidiClientName = "Harmoniqua";
/// How often the chosen MIDI ports are looked for again.
inline constexpr int32_t kPortPollMs = 1000;

class DesktopKeyboard final : public Keyboard {
public:
    DesktopKeyboard(std::unique_ptr<AudioSynth> synth, MidiSystem midi);
    ~DesktopKeyboard() override;
    DesktopKeyboard(const DesktopKeyboard&) = delete;
    DesktopKeyboard& operator=(const DesktopKeyboard&) = delete;

    /// Keeps the user's choices in the file at `path` (empty: nowhere); what
    /// it holds is taken up by Start.
    void RememberIn(const QString& path);
    /// Shows the window beside the main window and starts sound and MIDI.
    void Start() override;
    void KbdNoteOn(int32_t pitchClass, int32_t octave) override;
    void KbdNoteOff(int32_t pitchClass, int32_t octave) override;
    int32_t KbdGetNote(int32_t pitchClass, int32_t octave) override;
    void KbdAllNotesOff() override;
    int32_t KbdGetParam(int32_t param) override;
    void KbdSetParam(int32_t param, int32_t value) override;
    /// Silences everything, stops audio and MIDI; the window stays until the
    /// program ends.
    void KbdClose() override;

    KeyboardWindow& Window() const { return *window_; }
    KeyboardCore& Core() { return core_; }
    /// Looks for the chosen MIDI ports again (the timer does this each second).
    void PollPorts();
    /// The user's choices, as the window's lists make them.
    void ChooseMidiIn(const std::string& port);
    void ChooseMidiOut(const std::string& port);

private:
    // The virtual port and the chosen one hear the same.
    class BothOutputs final : public MidiOutput {
    public:
        explicit BothOutputs(MidiSystem& midi) : midi_(midi) {}
        void Send(std::span<const uint8_t> message) override;

    private:
        MidiSystem& midi_;
    };

    void StartAudio(AudioChoice choice);
    void UpdateStatus();
    void ShowPorts();
    void Place();
    void OnLibraryMessage(const std::string& line);
    // The remembered choices: taken up at start, written on each change.
    AudioChoice Recall();
    KeyboardSettings Current() const;
    void Remember(bool soon = false);

    std::unique_ptr<AudioSynth> synth_;
    MidiSystem midi_;
    BothOutputs outputs_{midi_};
    KeyboardCore core_;
    PortKeeper in_;
    PortKeeper out_;
    std::unique_ptr<KeyboardWindow> window_;
    QTimer poll_;
    QString audioStatus_;
    QString lastMessage_;
    bool audioShownOpen_ = false;  // the status has shown the current output open
    bool started_ = false;
    std::unique_ptr<KeyboardMemory> memory_;
    std::optional<WindowPoint> position_;
};

/// Where a window of `size` goes on `area`: below the main window, else
/// above it, else right of it, else as low on the screen as it fits.
QPoint KeyboardPlace(QRect mainWindow, QSize size, QRect area);

/// A remembered place is used only where the window's title bar lands on one
/// of today's screens.
bool OnSomeScreen(QPoint topLeft, QSize size);

/// The real thing: FluidSynth (soundfonts also looked for in
/// `programFolder`) and the ALSA sequencer through RtMidi, with JACK beside
/// them where a JACK server answers.
std::unique_ptr<DesktopKeyboard> MakeDesktopKeyboard(const std::string& programFolder);

}  // namespace hq::kbd
