#include "sound/audio_driver.h"

#include <fluidsynth.h>

#include <vector>

namespace hq::kbd {
namespace {

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

}  // namespace

void AudioDriver::Want(bool wanted) {
    // Taken so that a driver Open is just storing is seen by the caller.
    std::lock_guard lock(mutex_);
    wanted_ = wanted;
    if (wanted) problem_.clear();
}

void AudioDriver::Open(AudioChoice choice) {
    Close();
    // Opening may take a while (a sound server that is slow to answer), so
    // it runs unlocked and Close never waits for it.
    const std::vector<Driver> drivers = DriversFor(choice);
    std::string tried;
    for (const Driver& d : drivers) {
        if (!wanted_) return;
        fluid_settings_setstr(settings_, "audio.driver", d.fluid);
        fluid_settings_setint(settings_, "audio.period-size", d.periodFrames);
        fluid_audio_driver_t* opened = new_fluid_audio_driver(settings_, synth_);
        if (opened == nullptr) {
            tried += tried.empty() ? d.shown : std::string(", ") + d.shown;
            continue;
        }
        std::unique_lock lock(mutex_);
        if (!wanted_) {
            lock.unlock();
            delete_fluid_audio_driver(opened);
            return;
        }
        driver_ = opened;
        name_ = d.shown;
        return;
    }
    std::lock_guard lock(mutex_);
    problem_ = drivers.empty() ? "turned off" : "no sound device answered (" + tried + ")";
}

void AudioDriver::Close() {
    fluid_audio_driver_t* closing = nullptr;
    {
        std::lock_guard lock(mutex_);
        closing = driver_;
        driver_ = nullptr;
        name_.clear();
    }
    if (closing != nullptr) delete_fluid_audio_driver(closing);
}

bool AudioDriver::IsOpen() const {
    std::lock_guard lock(mutex_);
    return driver_ != nullptr;
}

std::string AudioDriver::Status() const {
    std::lock_guard lock(mutex_);
    return name_.empty() ? "No audio output: " + problem_ : "Sound: " + name_;
}

}  // namespace hq::kbd
