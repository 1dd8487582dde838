#include "keyboard/fluid_synth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <filesystem>

#include "keyboard/soundfont.h"

namespace hq::kbd {
namespace {

// Full volume: loud enough for one note, with room for a chord.
constexpr double kFullGain = 0.8;

struct Driver {
    const char* fluid;
    const char* shown;
    int32_t periodFrames = kPeriodFrames;
};
// The sound server mixes in periods of its own; shorter ones from us only
// starve it, and a starved stream loses sound on a busy machine.
constexpr Driver kPulse{"pulseaudio", "PulseAudio", 8 * kPeriodFrames};
constexpr Driver kAlsa{"alsa", "ALSA"};
constexpr Driver kJack{"jack", "JACK"};

std::vector<Driver> DriversFor(AudioChoice choice) {
    switch (choice) {
    case AudioChoice::Automatic: return {kPulse, kAlsa};
    case AudioChoice::PulseAudio: return {kPulse};
    case AudioChoice::Alsa: return {kAlsa};
    case AudioChoice::Jack: return {kJack};
    case AudioChoice::None: break;
    }
    return {};
}

bool ValidChannel(int32_t channel) { return channel >= 0 && channel < 16; }
bool ValidData(int32_t value) { return value >= 0 && value < 128; }

}  // namespace

FluidSynth::FluidSynth(std::vector<std::string> soundfontFolders)
    : folders_(std::move(soundfontFolders)) {
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
}

FluidSynth::~FluidSynth() {
    {
        std::lock_guard lock(workMutex_);
        stopping_ = true;
    }
    workWake_.notify_all();
    if (worker_.joinable()) worker_.join();
    CloseDriver();
    if (synth_ != nullptr) delete_fluid_synth(synth_);
    if (settings_ != nullptr) delete_fluid_settings(settings_);
}

void FluidSynth::NoteOn(int32_t channel, int32_t key, int32_t velocity) {
    if (!ValidChannel(channel) || !ValidData(key) || velocity < 1 || velocity > 127) return;
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        if (font_ == FontState::Missing) return;
        // A channel that plays before it was given an instrument gets the
        // first one, as on any General MIDI device.
        if (!chosen_[static_cast<size_t>(channel)]) wake = ChooseProgram(channel, 0);
        if (Deferred()) {
            waiting_[static_cast<size_t>(channel)].velocity[static_cast<size_t>(key)] = static_cast<uint8_t>(velocity);
            queued_ = true;
        } else {
            fluid_synth_noteon(synth_, channel, key, velocity);
        }
    }
    if (wake) WakeWorker();
}

void FluidSynth::NoteOff(int32_t channel, int32_t key) {
    if (!ValidChannel(channel) || !ValidData(key)) return;
    std::lock_guard lock(mutex_);
    if (Deferred()) {
        Waiting& w = waiting_[static_cast<size_t>(channel)];
        w.velocity[static_cast<size_t>(key)] = 0;
        // Before the soundfont nothing sounds that would need letting go.
        if (font_ == FontState::Loaded) w.release[static_cast<size_t>(key)] = true;
        queued_ = true;
    } else if (font_ == FontState::Loaded) {
        fluid_synth_noteoff(synth_, channel, key);
    }
}

void FluidSynth::ControlChange(int32_t channel, int32_t controller, int32_t value) {
    if (!ValidChannel(channel) || !ValidData(controller) || !ValidData(value)) return;
    std::lock_guard lock(mutex_);
    if (Deferred()) {
        Waiting& w = waiting_[static_cast<size_t>(channel)];
        if (controller == 120 || controller == 123) w.velocity.fill(0);
        // Notes struck after the wait began are dropped above; the message
        // itself still ends those that sounded before it.
        if (font_ == FontState::Loaded || (controller != 120 && controller != 123)) {
            w.controllers[static_cast<size_t>(controller)] = static_cast<int16_t>(value);
        }
        queued_ = true;
    } else if (font_ == FontState::Loaded) {
        fluid_synth_cc(synth_, channel, controller, value);
    }
}

void FluidSynth::ProgramChange(int32_t channel, int32_t program) {
    if (ValidChannel(channel) && ValidData(program)) SelectProgram(channel, program);
}

void FluidSynth::ReleaseChannel(int32_t channel) {
    if (ValidChannel(channel)) SelectProgram(channel, kNoProgram);
}

void FluidSynth::SelectProgram(int32_t channel, int32_t program) {
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        if (font_ == FontState::Missing) return;
        wake = ChooseProgram(channel, program);
    }
    if (wake) WakeWorker();
}

bool FluidSynth::ChooseProgram(int32_t channel, int32_t program) {
    chosen_[static_cast<size_t>(channel)] = program != kNoProgram;
    // Offline, the caller is the only thread and may as well wait.
    if (!Deferred() && !worker_.joinable()) {
        SelectNow(channel, program);
        return false;
    }
    waiting_[static_cast<size_t>(channel)].program = program;
    queued_ = true;
    if (Deferred()) return false;
    // Selecting an instrument reads its samples from disk: the worker does it.
    busy_ = true;
    return true;
}

void FluidSynth::WakeWorker() {
    {
        std::lock_guard lock(workMutex_);
        drainWanted_ = true;
    }
    workWake_.notify_all();
}

void FluidSynth::SelectNow(int32_t channel, int32_t program) {
    if (program == kNoProgram) {
        // Its notes end first, so no voice keeps the samples in use.
        fluid_synth_all_notes_off(synth_, channel);
        fluid_synth_unset_program(synth_, channel);
    } else {
        fluid_synth_program_change(synth_, channel, program);
    }
}

void FluidSynth::PitchBend(int32_t channel, int32_t value) {
    if (!ValidChannel(channel) || value < 0 || value > 16383) return;
    std::lock_guard lock(mutex_);
    if (Deferred()) {
        waiting_[static_cast<size_t>(channel)].bend = value;
        queued_ = true;
    } else if (font_ == FontState::Loaded) {
        fluid_synth_pitch_bend(synth_, channel, value);
    }
}

void FluidSynth::PitchBendRange(int32_t channel, int32_t semitones) {
    if (!ValidChannel(channel) || semitones < 0 || semitones > 72) return;
    std::lock_guard lock(mutex_);
    if (Deferred()) {
        waiting_[static_cast<size_t>(channel)].bendRange = semitones;
        queued_ = true;
    } else if (font_ == FontState::Loaded) {
        fluid_synth_pitch_wheel_sens(synth_, channel, semitones);
    }
}

void FluidSynth::SetVolume(int32_t percent) {
    percent = std::clamp(percent, 0, 100);
    std::lock_guard lock(mutex_);
    if (Deferred()) {
        waitingVolume_ = percent;
        queued_ = true;
    } else {
        fluid_synth_set_gain(synth_, static_cast<float>(kFullGain * percent / 100.0));
    }
}

void FluidSynth::StartAudio(AudioChoice choice, StatusReport report) {
    {
        std::lock_guard lock(workMutex_);
        wanted_ = choice;
        report_ = std::move(report);
    }
    {
        std::lock_guard lock(driverMutex_);
        driverProblem_.clear();
    }
    audioWanted_ = true;
    if (!worker_.joinable()) worker_ = std::thread([this] { Work(); });
    workWake_.notify_all();
}

void FluidSynth::StopAudio() {
    {
        std::lock_guard lock(workMutex_);
        wanted_.reset();
    }
    {
        // Taken so that a driver the worker is just storing is seen here.
        std::lock_guard lock(driverMutex_);
        audioWanted_ = false;
    }
    CloseDriver();
}

bool FluidSynth::AudioOpen() const {
    std::lock_guard lock(driverMutex_);
    return driver_ != nullptr;
}

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
        OpenDriver(*choice);
        if (report) report(AudioStatus());
        bool waiting = false;
        {
            std::lock_guard lock(mutex_);
            waiting = font_ == FontState::Waiting;
        }
        if (!waiting) continue;
        if (const auto path = FindSoundfont(folders_)) {
            LoadSoundfont(*path);
        } else {
            std::lock_guard lock(mutex_);
            font_ = FontState::Missing;
        }
        if (report) report(AudioStatus());
    }
}

bool FluidSynth::LoadSoundfont(const std::string& path) {
    {
        std::lock_guard lock(mutex_);
        if (font_ == FontState::Loaded) return true;
    }
    // FluidSynth's own lock is held for the whole load: nothing else calls
    // it. No channel is given an instrument here: only those the keyboard
    // asks for get their samples read.
    const int id = fluid_synth_sfload(synth_, path.c_str(), 0);
    {
        std::lock_guard lock(mutex_);
        fontName_ = std::filesystem::path(path).filename().string();
        if (id == FLUID_FAILED) {
            font_ = FontState::Missing;
            waiting_ = {};
            waitingVolume_ = -1;
            queued_ = false;
            return false;
        }
        font_ = FontState::Loaded;
        busy_ = true;
    }
    Drain();
    return true;
}

void FluidSynth::Drain() {
    for (;;) {
        std::array<Waiting, 16> taken;
        int32_t volume = -1;
        {
            std::lock_guard lock(mutex_);
            if (!queued_) {
                busy_ = false;
                return;
            }
            taken = waiting_;
            waiting_ = {};
            volume = waitingVolume_;
            waitingVolume_ = -1;
            queued_ = false;
        }
        // Unlocked: what is asked for meanwhile waits for the next round.
        Apply(taken, volume);
    }
}

void FluidSynth::Apply(const std::array<Waiting, 16>& taken, int32_t volume) {
    for (int32_t channel = 0; channel < 16; ++channel) {
        const Waiting& w = taken[static_cast<size_t>(channel)];
        if (w.program != -1) SelectNow(channel, w.program);
        if (w.bendRange >= 0) fluid_synth_pitch_wheel_sens(synth_, channel, w.bendRange);
        if (w.bend >= 0) fluid_synth_pitch_bend(synth_, channel, w.bend);
        for (int32_t c = 0; c < 128; ++c) {
            if (w.controllers[static_cast<size_t>(c)] >= 0) fluid_synth_cc(synth_, channel, c, w.controllers[static_cast<size_t>(c)]);
        }
        for (int32_t key = 0; key < 128; ++key) {
            if (w.release[static_cast<size_t>(key)]) fluid_synth_noteoff(synth_, channel, key);
            const uint8_t velocity = w.velocity[static_cast<size_t>(key)];
            if (velocity > 0) fluid_synth_noteon(synth_, channel, key, velocity);
        }
    }
    if (volume >= 0) fluid_synth_set_gain(synth_, static_cast<float>(kFullGain * volume / 100.0));
}

void FluidSynth::Render(std::span<float> left, std::span<float> right) {
    const size_t frames = std::min(left.size(), right.size());
    if (frames == 0) return;
    fluid_synth_write_float(synth_, static_cast<int>(frames), left.data(), 0, 1, right.data(), 0, 1);
}

bool FluidSynth::Loaded() const {
    std::lock_guard lock(mutex_);
    return font_ == FontState::Loaded;
}

bool FluidSynth::Settled() const {
    std::lock_guard lock(mutex_);
    return font_ != FontState::Waiting && !busy_;
}

void FluidSynth::OpenDriver(AudioChoice choice) {
    CloseDriver();
    // Opening may take a while (a sound server that is slow to answer), so
    // it runs unlocked and StopAudio never waits for it.
    const std::vector<Driver> drivers = DriversFor(choice);
    std::string tried;
    for (const Driver& d : drivers) {
        if (!audioWanted_) return;
        fluid_settings_setstr(settings_, "audio.driver", d.fluid);
        fluid_settings_setint(settings_, "audio.period-size", d.periodFrames);
        fluid_audio_driver_t* opened = new_fluid_audio_driver(settings_, synth_);
        if (opened == nullptr) {
            tried += tried.empty() ? d.shown : std::string(", ") + d.shown;
            continue;
        }
        std::unique_lock lock(driverMutex_);
        if (!audioWanted_) {
            lock.unlock();
            delete_fluid_audio_driver(opened);
            return;
        }
        driver_ = opened;
        driverName_ = d.shown;
        return;
    }
    std::lock_guard lock(driverMutex_);
    driverProblem_ = drivers.empty() ? "turned off" : "no sound device answered (" + tried + ")";
}

void FluidSynth::CloseDriver() {
    fluid_audio_driver_t* closing = nullptr;
    {
        std::lock_guard lock(driverMutex_);
        closing = driver_;
        driver_ = nullptr;
        driverName_.clear();
    }
    if (closing != nullptr) delete_fluid_audio_driver(closing);
}

std::string FluidSynth::AudioStatus() const {
    std::string line;
    {
        std::lock_guard lock(driverMutex_);
        line = driverName_.empty() ? "No audio output: " + driverProblem_ : "Sound: " + driverName_;
    }
    std::lock_guard lock(mutex_);
    switch (font_) {
    case FontState::Waiting: return line + "; loading the soundfont";
    case FontState::Loaded: return line + "; " + fontName_;
    case FontState::Missing:
        return line + (fontName_.empty() ? "; no General MIDI soundfont found (install fluid-soundfont-gm)"
                                         : "; the soundfont " + fontName_ + " did not load");
    }
    return line;
}

}  // namespace hq::kbd
