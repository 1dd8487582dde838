#include "keyboard/keyboard_core.h"

#include <algorithm>

#include "platform/midi_bytes.h"

namespace hq::kbd {

using namespace midi;

namespace {

uint8_t Byte(int32_t value) { return static_cast<uint8_t>(value & 0x7F); }

struct ParamRange {
    int32_t number;
    int32_t lowest;
    int32_t highest;
};

constexpr std::array<ParamRange, 7> kParamRanges{{
    {param::BendRangeSemitones, 0, 24},
    {param::OctavesEachSide, 0, 10},
    {param::CentreKey, 0, 127},
    {param::Channel0to15, 0, 15},
    {param::Velocity, 1, 127},
    {param::Pan, 0, 127},
    {param::SoundOn, 0, 1},
}};

}  // namespace

int32_t MidiKey(int32_t pitchClass0to11, int32_t octave) {
    if (pitchClass0to11 < 0 || pitchClass0to11 > 11 || octave < -1 || octave > 9) return -1;
    const int32_t key = 12 * (octave + 1) + pitchClass0to11;
    return key < kKeyCount ? key : -1;
}

KeyboardCore::KeyboardCore(Synth& synth, MidiOutput& midiOut) : synth_(synth), midiOut_(midiOut) {}

void KeyboardCore::Start() {
    if (closed_) return;
    SetUpChannel();
    synth_.SetVolume(volumePercent_);
}

void KeyboardCore::KbdNoteOn(int32_t pitchClass, int32_t octave) {
    const int32_t key = MidiKey(pitchClass, octave);
    if (closed_ || key < 0) return;
    ++keys_[static_cast<size_t>(key)].programCount;
    Strike(key, velocity_);
    Changed();
}

void KeyboardCore::KbdNoteOff(int32_t pitchClass, int32_t octave) {
    const int32_t key = MidiKey(pitchClass, octave);
    if (closed_ || key < 0) return;
    Key& k = keys_[static_cast<size_t>(key)];
    // A note-off the program never paired with a note-on must not cut a key
    // the user is playing.
    if (k.programCount == 0) return;
    --k.programCount;
    ReleaseIfUnwanted(key);
    Changed();
}

int32_t KeyboardCore::KbdGetNote(int32_t pitchClass, int32_t octave) {
    const int32_t key = MidiKey(pitchClass, octave);
    if (closed_ || key < 0) return 0;
    const Key& k = keys_[static_cast<size_t>(key)];
    return k.user != UserHold::None || k.midiFinger || k.midiPedal ? 1 : 0;
}

void KeyboardCore::KbdAllNotesOff() {
    if (closed_) return;
    for (Key& k : keys_) k.programCount = 0;
    SilenceAll();
    Changed();
}

int32_t KeyboardCore::KbdGetParam(int32_t number) {
    if (closed_) return 0;
    switch (number) {
    case param::BendRangeSemitones: return bendRange_;
    case param::OctavesEachSide: return octavesEachSide_;
    case param::CentreKey: return centreKey_;
    case param::Channel0to15: return channel_;
    case param::Velocity: return velocity_;
    case param::Pan: return pan_;
    case param::SoundOn: return soundOn_ ? 1 : 0;
    default: return 0;
    }
}

void KeyboardCore::KbdSetParam(int32_t number, int32_t value) {
    if (closed_) return;
    const auto range = std::find_if(kParamRanges.begin(), kParamRanges.end(),
                                    [number](const ParamRange& r) { return r.number == number; });
    if (range == kParamRanges.end() || value < range->lowest || value > range->highest) return;
    switch (number) {
    case param::BendRangeSemitones:
        bendRange_ = value;
        synth_.PitchBendRange(channel_, value);
        // Registered parameter 0, then its data entry.
        Send({Status(kControlChange, channel_), kRegisteredParameter, 0});
        Send({Status(kControlChange, channel_), kRegisteredParameterFine, 0});
        Send({Status(kControlChange, channel_), kDataEntry, Byte(value)});
        Send({Status(kControlChange, channel_), kDataEntryFine, 0});
        break;
    case param::OctavesEachSide: octavesEachSide_ = value; break;
    case param::CentreKey: centreKey_ = value; break;
    case param::Channel0to15:
        if (value == channel_) break;
        SilenceAll();
        synth_.ReleaseChannel(channel_);
        channel_ = value;
        SetUpChannel();
        break;
    case param::Velocity: velocity_ = value; break;
    case param::Pan:
        pan_ = value;
        synth_.ControlChange(channel_, kPan, value);
        Send({Status(kControlChange, channel_), kPan, Byte(value)});
        break;
    case param::SoundOn:
        if (value == 0 && soundOn_) SilenceAll();
        soundOn_ = value != 0;
        break;
    default: break;
    }
    Changed();
}

void KeyboardCore::KbdClose() {
    if (closed_) return;
    for (Key& k : keys_) k.programCount = 0;
    SilenceAll();
    keys_ = {};
    gesture_ = false;
    closed_ = true;
    Changed();
}

void KeyboardCore::PointerPress(int32_t key) {
    if (closed_) return;
    gesture_ = true;
    gestureFirst_ = key;
    gestureKey_ = key;
    if (!Valid(key)) return;
    Key& k = keys_[static_cast<size_t>(key)];
    if (k.user == UserHold::Locked) {
        // A click frees a locked key, and nothing else until the next press.
        k.user = UserHold::None;
        ReleaseIfUnwanted(key);
        gesture_ = false;
    } else {
        k.user = UserHold::Held;
        Strike(key, velocity_);
    }
    Changed();
}

void KeyboardCore::LeavePointerKey() {
    if (!Valid(gestureKey_)) return;
    Key& k = keys_[static_cast<size_t>(gestureKey_)];
    if (k.user != UserHold::Held) return;
    if (gestureKey_ == gestureFirst_) {
        k.user = UserHold::Locked;
    } else {
        k.user = UserHold::None;
        ReleaseIfUnwanted(gestureKey_);
    }
}

void KeyboardCore::PointerMove(int32_t key) {
    if (closed_ || !gesture_) return;
    if (!Valid(key)) key = -1;
    if (key == gestureKey_) return;
    LeavePointerKey();
    gestureKey_ = key;
    if (key >= 0) {
        Key& k = keys_[static_cast<size_t>(key)];
        // A locked key passed over stays locked.
        if (k.user == UserHold::None) {
            k.user = UserHold::Held;
            Strike(key, velocity_);
        }
    }
    Changed();
}

void KeyboardCore::PointerRelease(int32_t key) {
    if (closed_ || !gesture_) return;
    PointerMove(key);
    if (Valid(gestureKey_)) {
        Key& k = keys_[static_cast<size_t>(gestureKey_)];
        if (k.user == UserHold::Held) {
            k.user = UserHold::None;
            ReleaseIfUnwanted(gestureKey_);
        }
    }
    gesture_ = false;
    gestureKey_ = -1;
    Changed();
}

void KeyboardCore::ReleaseUserKeys() {
    if (closed_) return;
    gesture_ = false;
    gestureKey_ = -1;
    for (int32_t key = 0; key < kKeyCount; ++key) {
        Key& k = keys_[static_cast<size_t>(key)];
        if (k.user == UserHold::None) continue;
        k.user = UserHold::None;
        ReleaseIfUnwanted(key);
    }
    Changed();
}

void KeyboardCore::MidiIn(std::span<const uint8_t> message) {
    if (closed_ || message.empty()) return;
    const uint8_t kind = KindOf(message[0]);
    if (kind < kNoteOff || message.size() < 1 + DataBytesOf(kind)) return;
    const int32_t data1 = message.size() > 1 ? message[1] & 0x7F : 0;
    const int32_t data2 = message.size() > 2 ? message[2] & 0x7F : 0;
    if (kind == kNoteOn && data2 > 0) {
        Key& k = keys_[static_cast<size_t>(data1)];
        k.midiFinger = true;
        k.midiPedal = false;
        Strike(data1, data2);
    } else if (kind == kNoteOn || kind == kNoteOff) {
        Key& k = keys_[static_cast<size_t>(data1)];
        if (!k.midiFinger) return;
        k.midiFinger = false;
        k.midiPedal = pedalDown_;
        ReleaseIfUnwanted(data1);
    } else if (kind == kControlChange && data1 == kSustainPedal) {
        const bool down = data2 >= 64;
        if (down == pedalDown_) return;
        pedalDown_ = down;
        if (down) return;
        for (int32_t key = 0; key < kKeyCount; ++key) {
            Key& k = keys_[static_cast<size_t>(key)];
            if (!k.midiPedal) continue;
            k.midiPedal = false;
            ReleaseIfUnwanted(key);
        }
    } else if (kind == kControlChange && (data1 == kAllNotesOff || data1 == kAllSoundOff)) {
        // The instrument's own panic lets go of everything it held.
        for (int32_t key = 0; key < kKeyCount; ++key) {
            Key& k = keys_[static_cast<size_t>(key)];
            k.midiFinger = false;
            k.midiPedal = false;
            ReleaseIfUnwanted(key);
        }
    } else if (kind == kPitchBend) {
        const int32_t value = data1 | (data2 << 7);
        synth_.PitchBend(channel_, value);
        Send({Status(kPitchBend, channel_), Byte(data1), Byte(data2)});
        return;
    } else {
        return;
    }
    Changed();
}

void KeyboardCore::SetInstrument(int32_t program0to127) {
    if (closed_ || program0to127 < 0 || program0to127 > 127) return;
    instrument_ = program0to127;
    synth_.ProgramChange(channel_, instrument_);
    Send({Status(kProgramChange, channel_), Byte(instrument_)});
}

void KeyboardCore::SetVolume(int32_t percent0to100) {
    if (closed_) return;
    volumePercent_ = std::clamp(percent0to100, 0, 100);
    synth_.SetVolume(volumePercent_);
}

void KeyboardCore::SilenceOn(MidiOutput& out) const {
    for (int32_t key = 0; key < kKeyCount; ++key) {
        if (!keys_[static_cast<size_t>(key)].sent) continue;
        const uint8_t off[] = {Status(kNoteOff, channel_), Byte(key), 0};
        out.Send(off);
    }
    const uint8_t allOff[] = {Status(kControlChange, channel_), kAllNotesOff, 0};
    out.Send(allOff);
}

void KeyboardCore::SetUpOn(MidiOutput& out) const {
    const uint8_t program[] = {Status(kProgramChange, channel_), Byte(instrument_)};
    out.Send(program);
    const uint8_t pan[] = {Status(kControlChange, channel_), kPan, Byte(pan_)};
    out.Send(pan);
}

int32_t KeyboardCore::ProgramCount(int32_t key) const {
    return Valid(key) ? keys_[static_cast<size_t>(key)].programCount : 0;
}

UserHold KeyboardCore::UserHoldOf(int32_t key) const {
    return Valid(key) ? keys_[static_cast<size_t>(key)].user : UserHold::None;
}

bool KeyboardCore::MidiHeld(int32_t key) const {
    return Valid(key) && (keys_[static_cast<size_t>(key)].midiFinger || keys_[static_cast<size_t>(key)].midiPedal);
}

bool KeyboardCore::Sounding(int32_t key) const { return Valid(key) && keys_[static_cast<size_t>(key)].sent; }

int32_t KeyboardCore::LowestKey() const {
    const int32_t octave = centreKey_ / 12 - octavesEachSide_;
    return std::min(kLowestShownKey, std::max(0, octave * 12));
}

int32_t KeyboardCore::HighestKey() const {
    const int32_t octave = centreKey_ / 12 + octavesEachSide_;
    return std::max(kHighestShownKey, std::min(kKeyCount - 1, octave * 12 + 11));
}

bool KeyboardCore::Wanted(const Key& k) const {
    return k.programCount > 0 || k.user != UserHold::None || k.midiFinger || k.midiPedal;
}

void KeyboardCore::Strike(int32_t key, int32_t velocity) {
    if (!soundOn_) return;
    // Every note-on is paired with exactly one note-off, so a restruck key is
    // let go first.
    if (keys_[static_cast<size_t>(key)].sent) SendOff(key);
    SendOn(key, velocity);
}

void KeyboardCore::ReleaseIfUnwanted(int32_t key) {
    const Key& k = keys_[static_cast<size_t>(key)];
    if (k.sent && !Wanted(k)) SendOff(key);
}

void KeyboardCore::SendOn(int32_t key, int32_t velocity) {
    Key& k = keys_[static_cast<size_t>(key)];
    if (synthListening_) {
        synth_.NoteOn(channel_, key, velocity);
        k.synthOn = true;
    }
    Send({Status(kNoteOn, channel_), Byte(key), Byte(velocity)});
    k.sent = true;
}

void KeyboardCore::SendOff(int32_t key) {
    Key& k = keys_[static_cast<size_t>(key)];
    if (k.synthOn) synth_.NoteOff(channel_, key);
    k.synthOn = false;
    Send({Status(kNoteOff, channel_), Byte(key), 0});
    k.sent = false;
}

void KeyboardCore::SilenceAll() {
    for (int32_t key = 0; key < kKeyCount; ++key) {
        if (keys_[static_cast<size_t>(key)].sent) SendOff(key);
    }
    synth_.ControlChange(channel_, kAllNotesOff, 0);
    Send({Status(kControlChange, channel_), kAllNotesOff, 0});
}

void KeyboardCore::SetUpChannel() {
    synth_.ProgramChange(channel_, instrument_);
    synth_.ControlChange(channel_, kPan, pan_);
    synth_.PitchBendRange(channel_, bendRange_);
    SetUpOn(midiOut_);
}

void KeyboardCore::Send(std::initializer_list<uint8_t> bytes) const {
    midiOut_.Send(std::span<const uint8_t>(bytes.begin(), bytes.size()));
}

void KeyboardCore::SetHeldListener(std::function<void(const HeldKeys&)> listener) {
    heldListener_ = std::move(listener);
    lastHeld_ = Held();
    if (heldListener_) heldListener_(lastHeld_);
}

HeldKeys KeyboardCore::Held() const {
    HeldKeys held;
    for (size_t key = 0; key < keys_.size(); ++key) {
        const Key& k = keys_[key];
        held[key] = k.user != UserHold::None || k.midiFinger || k.midiPedal;
    }
    return held;
}

void KeyboardCore::Changed() {
    if (changed_) changed_();
    if (!heldListener_) return;
    const HeldKeys held = Held();
    if (held == lastHeld_) return;
    lastHeld_ = held;
    heldListener_(held);
}

}  // namespace hq::kbd
