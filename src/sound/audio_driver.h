#pragma once
// The audio output a live FluidSynth plays through: the drivers tried for a
// choice, opened off the caller's thread and closed from any thread.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "keyboard/synth.h"

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_audio_driver_t;

namespace hq::kbd {

/// The live settings: short periods so a note sounds within a few ms.
inline constexpr int32_t kSampleRateHz = 44100;
inline constexpr int32_t kPeriodFrames = 128;
inline constexpr int32_t kPeriods = 2;
/// The JACK client whose ports carry the sound.
inline constexpr const char* kJackAudioClient = "Harmoniqua-sound";

class AudioDriver {
public:
    /// `settings` and `synth` outlive the driver.
    AudioDriver(_fluid_hashtable_t* settings, _fluid_synth_t* synth) : settings_(settings), synth_(synth) {}
    ~AudioDriver() { Close(); }
    AudioDriver(const AudioDriver&) = delete;
    AudioDriver& operator=(const AudioDriver&) = delete;

    /// Whether an output is wanted at all; Open gives up once it is not.
    void Want(bool wanted);
    /// Tries the drivers of `choice` in turn; may take a while.
    void Open(AudioChoice choice);
    void Close();
    bool IsOpen() const;
    /// "Sound: <driver>" or "No audio output: <why>".
    std::string Status() const;

private:
    _fluid_hashtable_t* settings_;
    _fluid_synth_t* synth_;
    mutable std::mutex mutex_;
    _fluid_audio_driver_t* driver_ = nullptr;
    std::atomic<bool> wanted_ = false;
    std::string name_;
    std::string problem_;
};

}  // namespace hq::kbd
