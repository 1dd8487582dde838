#pragma once
// The keyboard component's logic without a window: which keys sound and why,
// which the user holds, the parameters, and what goes to the synthesiser and
// the MIDI output. Every call after KbdClose does nothing.

#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <span>

#include "keyboard/midi_port.h"
#include "keyboard/synth.h"
#include "platform/keyboard.h"

namespace hq::kbd {

/// The parameter numbers and what they mean; a value outside its range is
/// ignored, an unknown number is ignored and reads as 0.
namespace param {
/// Pitch-bend range of the synthesiser and the MIDI output, semitones 0..24.
inline constexpr int32_t BendRangeSemitones = 6;
/// Octaves drawn on each side of the centre octave, 0..10.
inline constexpr int32_t OctavesEachSide = 10;
/// MIDI key 0..127 whose octave is drawn in the middle of the piano.
inline constexpr int32_t CentreKey = 11;
/// MIDI channel 0..15 of everything the keyboard sends.
inline constexpr int32_t Channel0to15 = 23;
/// Velocity 1..127 of the program's notes and of mouse-played keys.
inline constexpr int32_t Velocity = 25;
/// Stereo position 0 (left) .. 64 (centre) .. 127 (right).
inline constexpr int32_t Pan = 26;
/// 1: notes sound (synthesiser and MIDI output); 0: they only show.
inline constexpr int32_t SoundOn = 33;
}  // namespace param

inline constexpr int32_t kKeyCount = 128;
/// The piano always shows at least C1..B7.
inline constexpr int32_t kLowestShownKey = 24;
inline constexpr int32_t kHighestShownKey = 107;

/// 12 × (octave + 1) + pitch class (C4 = 60), or -1 outside 0..127.
int32_t MidiKey(int32_t pitchClass0to11, int32_t octave);

enum class UserHold : uint8_t { None, Held, Locked };

/// By MIDI key: held by the mouse, locked, or held on a MIDI input (the
/// sustain pedal included), as KbdGetNote answers.
using HeldKeys = std::bitset<kKeyCount>;

class KeyboardCore final : public Keyboard {
public:
    /// `synth` and `midiOut` outlive the core.
    KeyboardCore(Synth& synth, MidiOutput& midiOut);

    void Start() override;
    void KbdNoteOn(int32_t pitchClass, int32_t octave) override;
    void KbdNoteOff(int32_t pitchClass, int32_t octave) override;
    int32_t KbdGetNote(int32_t pitchClass, int32_t octave) override;
    void KbdAllNotesOff() override;
    int32_t KbdGetParam(int32_t param) override;
    void KbdSetParam(int32_t param, int32_t value) override;
    void KbdClose() override;

    // The mouse: a key 0..127, or -1 off the keys. A press holds the key (or
    // frees a locked one); leaving the first key of a press locks it, leaving
    // any later one releases it; releasing the button releases the key under it.
    void PointerPress(int32_t key);
    void PointerMove(int32_t key);
    void PointerRelease(int32_t key);
    /// Lets go of every key the mouse holds or locks (the window closed).
    void ReleaseUserKeys();

    /// One message from a MIDI input: notes, the sustain pedal, pitch bend.
    void MidiIn(std::span<const uint8_t> message);

    /// Whether the synthesiser's audio output is open. Without one its notes
    /// are never rendered and never freed, so they stay with the keys and
    /// the MIDI output; instrument, controllers and volume still reach it.
    void SetSynthListening(bool audioOpen) { synthListening_ = audioOpen; }

    void SetInstrument(int32_t program0to127);
    int32_t Instrument() const { return instrument_; }
    void SetVolume(int32_t percent0to100);
    int32_t Volume() const { return volumePercent_; }

    /// Note-offs for every note sent and All Notes Off, to one output only
    /// (a port about to close).
    void SilenceOn(MidiOutput& out) const;
    /// The channel's instrument, pan and bend range, to a newly opened output.
    void SetUpOn(MidiOutput& out) const;

    /// Nonzero program notes on the key (0 for a bad key).
    int32_t ProgramCount(int32_t key) const;
    UserHold UserHoldOf(int32_t key) const;
    /// Held on a MIDI input, by a finger or by the sustain pedal.
    bool MidiHeld(int32_t key) const;
    /// The synthesiser and the MIDI output have the key on.
    bool Sounding(int32_t key) const;
    /// The drawn range: whole octaves, never less than C1..B7.
    int32_t LowestKey() const;
    int32_t HighestKey() const;
    bool Closed() const { return closed_; }

    /// Called after every change a drawing would show.
    void SetChangeHandler(std::function<void()> handler) { changed_ = std::move(handler); }
    /// Told the held keys at once, then after every change of them.
    void SetHeldListener(std::function<void(const HeldKeys&)> listener);
    HeldKeys Held() const;

private:
    struct Key {
        int32_t programCount = 0;
        UserHold user = UserHold::None;
        bool midiFinger = false;
        bool midiPedal = false;
        bool sent = false;
        bool synthOn = false;
    };

    static bool Valid(int32_t key) { return key >= 0 && key < kKeyCount; }
    bool Wanted(const Key& k) const;
    void Strike(int32_t key, int32_t velocity);
    void ReleaseIfUnwanted(int32_t key);
    void SendOn(int32_t key, int32_t velocity);
    void SendOff(int32_t key);
    void SilenceAll();
    void SetUpChannel();
    void Send(std::initializer_list<uint8_t> bytes) const;
    void Changed();
    void LeavePointerKey();

    Synth& synth_;
    MidiOutput& midiOut_;
    std::array<Key, kKeyCount> keys_{};
    std::function<void()> changed_;
    std::function<void(const HeldKeys&)> heldListener_;
    HeldKeys lastHeld_;
    bool closed_ = false;
    bool pedalDown_ = false;

    int32_t bendRange_ = 2;
    int32_t octavesEachSide_ = 3;
    int32_t centreKey_ = 60;
    int32_t channel_ = 0;
    int32_t velocity_ = 100;
    int32_t pan_ = 64;
    bool soundOn_ = true;
    bool synthListening_ = true;
    int32_t instrument_ = 0;
    int32_t volumePercent_ = 40;

    bool gesture_ = false;
    int32_t gestureFirst_ = -1;
    int32_t gestureKey_ = -1;
};

}  // namespace hq::kbd
