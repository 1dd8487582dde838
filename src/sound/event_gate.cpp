#include "sound/event_gate.h"

#include <algorithm>

namespace hq::kbd {
namespace {

bool ValidChannel(int32_t channel) { return channel >= 0 && channel < 16; }
bool ValidData(int32_t value) { return value >= 0 && value < 128; }
bool EndsAllNotes(int32_t controller) { return controller == 120 || controller == 123; }

}  // namespace

bool EventGate::NoteOn(int32_t channel, int32_t key, int32_t velocity) {
    if (!ValidChannel(channel) || !ValidData(key) || velocity < 1 || velocity > 127) return false;
    if (font_ == Font::Missing) return false;
    // A channel that plays before it was given an instrument gets the first
    // one, as on any General MIDI device.
    const bool wake = !chosen_[static_cast<size_t>(channel)] && Choose(channel, 0);
    if (Deferred()) {
        At(channel).velocity[static_cast<size_t>(key)] = static_cast<uint8_t>(velocity);
        queued_ = true;
    } else {
        now_.NoteOn(channel, key, velocity);
    }
    return wake;
}

void EventGate::NoteOff(int32_t channel, int32_t key) {
    if (!ValidChannel(channel) || !ValidData(key)) return;
    if (Deferred()) {
        Waiting& w = At(channel);
        w.velocity[static_cast<size_t>(key)] = 0;
        // Before the soundfont nothing sounds that would need letting go.
        if (font_ == Font::Loaded) w.release[static_cast<size_t>(key)] = true;
        queued_ = true;
    } else if (font_ == Font::Loaded) {
        now_.NoteOff(channel, key);
    }
}

void EventGate::ControlChange(int32_t channel, int32_t controller, int32_t value) {
    if (!ValidChannel(channel) || !ValidData(controller) || !ValidData(value)) return;
    if (Deferred()) {
        Waiting& w = At(channel);
        if (EndsAllNotes(controller)) w.velocity.fill(0);
        // Notes struck after the wait began are dropped above; the message
        // itself still ends those that sounded before it.
        if (font_ == Font::Loaded || !EndsAllNotes(controller)) {
            w.controllers[static_cast<size_t>(controller)] = static_cast<int16_t>(value);
        }
        queued_ = true;
    } else if (font_ == Font::Loaded) {
        now_.ControlChange(channel, controller, value);
    }
}

bool EventGate::SelectProgram(int32_t channel, int32_t program) {
    if (!ValidChannel(channel) || (program != kNoProgram && !ValidData(program))) return false;
    if (font_ == Font::Missing) return false;
    return Choose(channel, program);
}

bool EventGate::Choose(int32_t channel, int32_t program) {
    chosen_[static_cast<size_t>(channel)] = program != kNoProgram;
    // Offline, the caller is the only thread and may as well wait.
    if (!Deferred() && !worker_) {
        if (program == kNoProgram) {
            now_.ReleaseChannel(channel);
        } else {
            now_.ProgramChange(channel, program);
        }
        return false;
    }
    At(channel).program = program;
    queued_ = true;
    if (Deferred()) return false;
    // Selecting an instrument reads its samples from disk: the worker does it.
    busy_ = true;
    return true;
}

void EventGate::PitchBend(int32_t channel, int32_t value) {
    if (!ValidChannel(channel) || value < 0 || value > 16383) return;
    if (Deferred()) {
        At(channel).bend = value;
        queued_ = true;
    } else if (font_ == Font::Loaded) {
        now_.PitchBend(channel, value);
    }
}

void EventGate::PitchBendRange(int32_t channel, int32_t semitones) {
    if (!ValidChannel(channel) || semitones < 0 || semitones > 72) return;
    if (Deferred()) {
        At(channel).bendRange = semitones;
        queued_ = true;
    } else if (font_ == Font::Loaded) {
        now_.PitchBendRange(channel, semitones);
    }
}

void EventGate::SetVolume(int32_t percent) {
    percent = std::clamp(percent, 0, 100);
    if (Deferred()) {
        batch_.volume = percent;
        queued_ = true;
    } else {
        now_.SetVolume(percent);
    }
}

void EventGate::FontLoaded() {
    font_ = Font::Loaded;
    busy_ = true;
}

void EventGate::FontMissing() {
    font_ = Font::Missing;
    batch_ = {};
    queued_ = false;
}

std::optional<EventGate::Batch> EventGate::Take() {
    if (!queued_) {
        busy_ = false;
        return std::nullopt;
    }
    Batch taken = batch_;
    batch_ = {};
    queued_ = false;
    return taken;
}

void EventGate::Apply(const Batch& batch, Synth& to) {
    for (int32_t channel = 0; channel < 16; ++channel) {
        const Waiting& w = batch.channels[static_cast<size_t>(channel)];
        if (w.program == kNoProgram) to.ReleaseChannel(channel);
        if (w.program >= 0) to.ProgramChange(channel, w.program);
        if (w.bendRange >= 0) to.PitchBendRange(channel, w.bendRange);
        if (w.bend >= 0) to.PitchBend(channel, w.bend);
        for (int32_t c = 0; c < 128; ++c) {
            const int16_t value = w.controllers[static_cast<size_t>(c)];
            if (value >= 0) to.ControlChange(channel, c, value);
        }
        for (int32_t key = 0; key < 128; ++key) {
            if (w.release[static_cast<size_t>(key)]) to.NoteOff(channel, key);
            const uint8_t velocity = w.velocity[static_cast<size_t>(key)];
            if (velocity > 0) to.NoteOn(channel, key, velocity);
        }
    }
    if (batch.volume >= 0) to.SetVolume(batch.volume);
}

}  // namespace hq::kbd
