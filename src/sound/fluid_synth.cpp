#include "sound/fluid_synth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <filesystem>

#include "sound/sound_messages.h"
#include "sound/soundfont.h"

namespace hq::kbd {
namespace {

// Full volume: loud enough for one note, with room for a chord.
constexpr double kFullGain = 0.8;

}  // namespace

void FluidSynth::Direct::NoteOn(int32_t channel, int32_t key, int32_t velocity) {
    fluid_synth_noteon(synth_, channel, key, velocity);
}
void FluidSynth::Direct::NoteOff(int32_t channel, int32_t key) { fluid_synth_noteoff(synth_, channel, key); }
void FluidSynth::Direct::ControlChange(int32_t channel, int32_t controller, int32_t value) {
    fluid_synth_cc(synth_, channel, controller, value);
}
void FluidSynth::Direct::ProgramChange(int32_t channel, int32_t program) {
    fluid_synth_program_change(synth_, channel, program);
}
void FluidSynth::Direct::ReleaseChannel(int32_t channel) {
    // Its notes end first, so no voice keeps the samples in use.
    fluid_synth_all_notes_off(synth_, channel);
    fluid_synth_unset_program(synth_, channel);
}
void FluidSynth::Direct::PitchBend(int32_t channel, int32_t value) { fluid_synth_pitch_bend(synth_, channel, value); }
void FluidSynth::Direct::PitchBendRange(int32_t channel, int32_t semitones) {
    fluid_synth_pitch_wheel_sens(synth_, channel, semitones);
}
void FluidSynth::Direct::SetVolume(int32_t percent) {
    fluid_synth_set_gain(synth_, static_cast<float>(kFullGain * percent / 100.0));
}

FluidSynth::FluidSynth(std::vector<std::string> soundfontFolders) : folders_(std::move(soundfontFolders)) {
    CatchSoundLibraryMessages();
    settings_ = new_fluid_settings();
    fluid_settings_setnum(settings_, "synth.sample-rate", kSampleRateHz);
    fluid_settings_setint(settings_, "audio.period-size", kPeriodFrames);
    fluid_settings_setint(settings_, "audio.periods", kPeriods);
    // Pinning a large soundfont needs privileges a desktop user lacks.
    fluid_settings_setint(settings_, "synth.lock-memory", 0);
    // Only the instruments in use are read into memory, not the whole font.
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
    // On JACK, heard at once on the system's playback ports.
    fluid_settings_setint(settings_, "audio.jack.autoconnect", 1);
    fluid_settings_setstr(settings_, "audio.jack.id", kJackAudioClient);
    synth_ = new_fluid_synth(settings_);
    fluid_synth_set_gain(synth_, static_cast<float>(kFullGain * 0.4));
    driver_ = std::make_unique<AudioDriver>(settings_, synth_);
}

FluidSynth::~FluidSynth() {
    {
        std::lock_guard lock(workMutex_);
        stopping_ = true;
    }
    workWake_.notify_all();
    if (worker_.joinable()) worker_.join();
    driver_.reset();
    if (synth_ != nullptr) delete_fluid_synth(synth_);
    if (settings_ != nullptr) delete_fluid_settings(settings_);
}

void FluidSynth::NoteOn(int32_t channel, int32_t key, int32_t velocity) {
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        wake = gate_.NoteOn(channel, key, velocity);
    }
    if (wake) WakeWorker();
}

void FluidSynth::NoteOff(int32_t channel, int32_t key) {
    std::lock_guard lock(mutex_);
    gate_.NoteOff(channel, key);
}

void FluidSynth::ControlChange(int32_t channel, int32_t controller, int32_t value) {
    std::lock_guard lock(mutex_);
    gate_.ControlChange(channel, controller, value);
}

void FluidSynth::ProgramChange(int32_t channel, int32_t program) {
    if (program >= 0) SelectProgram(channel, program);
}

void FluidSynth::ReleaseChannel(int32_t channel) { SelectProgram(channel, EventGate::kNoProgram); }

void FluidSynth::SelectProgram(int32_t channel, int32_t program) {
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        wake = gate_.SelectProgram(channel, program);
    }
    if (wake) WakeWorker();
}

void FluidSynth::WakeWorker() {
    {
        std::lock_guard lock(workMutex_);
        drainWanted_ = true;
    }
    workWake_.notify_all();
}

void FluidSynth::PitchBend(int32_t channel, int32_t value) {
    std::lock_guard lock(mutex_);
    gate_.PitchBend(channel, value);
}

void FluidSynth::PitchBendRange(int32_t channel, int32_t semitones) {
    std::lock_guard lock(mutex_);
    gate_.PitchBendRange(channel, semitones);
}

void FluidSynth::SetVolume(int32_t percent) {
    std::lock_guard lock(mutex_);
    gate_.SetVolume(percent);
}

void FluidSynth::StartAudio(AudioChoice choice, StatusReport report) {
    {
        std::lock_guard lock(workMutex_);
        wanted_ = choice;
        report_ = std::move(report);
    }
    driver_->Want(true);
    if (!worker_.joinable()) {
        {
            std::lock_guard lock(mutex_);
            gate_.SetWorker(true);
        }
        worker_ = std::thread([this] { Work(); });
    }
    workWake_.notify_all();
}

void FluidSynth::StopAudio() {
    {
        std::lock_guard lock(workMutex_);
        wanted_.reset();
    }
    driver_->Want(false);
    driver_->Close();
}

bool FluidSynth::AudioOpen() const { return driver_->IsOpen(); }

void FluidSynth::Work() {
    for (;;) {
        std::optional<AudioChoice> choice;
        bool drain = false;
        StatusReport report;
        {
            std::unique_lock lock(workMutex_);
            workWake_.wait(lock, [this] { return stopping_ || wanted_.has_value() || drainWanted_; });
            if (stopping_) return;
            choice = wanted_;
            wanted_.reset();
            drain = drainWanted_;
            drainWanted_ = false;
            report = report_;
        }
        if (drain) Drain();
        if (!choice) continue;
        driver_->Open(*choice);
        if (report) report(AudioStatus());
        bool waiting = false;
        {
            std::lock_guard lock(mutex_);
            waiting = gate_.FontState() == EventGate::Font::Waiting;
        }
        if (!waiting) continue;
        if (const auto path = FindSoundfont(folders_)) {
            LoadSoundfont(*path);
        } else {
            std::lock_guard lock(mutex_);
            gate_.FontMissing();
        }
        if (report) report(AudioStatus());
    }
}

bool FluidSynth::LoadSoundfont(const std::string& path) {
    {
        std::lock_guard lock(mutex_);
        if (gate_.FontState() == EventGate::Font::Loaded) return true;
    }
    // FluidSynth's own lock is held for the whole load: nothing else calls
    // it. No channel is given an instrument here: only those the keyboard
    // asks for get their samples read.
    const int id = fluid_synth_sfload(synth_, path.c_str(), 0);
    {
        std::lock_guard lock(mutex_);
        fontName_ = std::filesystem::path(path).filename().string();
        if (id == FLUID_FAILED) {
            gate_.FontMissing();
            return false;
        }
        gate_.FontLoaded();
    }
    Drain();
    return true;
}

void FluidSynth::Drain() {
    for (;;) {
        std::optional<EventGate::Batch> taken;
        {
            std::lock_guard lock(mutex_);
            taken = gate_.Take();
        }
        if (!taken) return;
        // Unlocked: what is asked for meanwhile waits for the next round.
        EventGate::Apply(*taken, direct_);
    }
}

void FluidSynth::Render(std::span<float> left, std::span<float> right) {
    const size_t frames = std::min(left.size(), right.size());
    if (frames == 0) return;
    fluid_synth_write_float(synth_, static_cast<int>(frames), left.data(), 0, 1, right.data(), 0, 1);
}

bool FluidSynth::Loaded() const {
    std::lock_guard lock(mutex_);
    return gate_.FontState() == EventGate::Font::Loaded;
}

bool FluidSynth::Settled() const {
    std::lock_guard lock(mutex_);
    return gate_.Settled();
}

std::string FluidSynth::AudioStatus() const {
    const std::string line = driver_->Status();
    std::lock_guard lock(mutex_);
    switch (gate_.FontState()) {
    case EventGate::Font::Waiting: return line + "; loading the soundfont";
    case EventGate::Font::Loaded: return line + "; " + fontName_;
    case EventGate::Font::Missing:
        return line + (fontName_.empty() ? "; no General MIDI soundfont found (install fluid-soundfont-gm)"
                                         : "; the soundfont " + fontName_ + " did not load");
    }
    return line;
}

}  // namespace hq::kbd
