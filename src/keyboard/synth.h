#pragma once
// What the keyboard needs of a synthesiser, so its logic runs against a fake
// and its sound against FluidSynth.

#include <cstdint>
#include <functional>
#include <string>

namespace hq::kbd {

class Synth {
public:
    virtual ~Synth() = default;

    virtual void NoteOn(int32_t channel0to15, int32_t key0to127, int32_t velocity1to127) = 0;
    virtual void NoteOff(int32_t channel0to15, int32_t key0to127) = 0;
    /// controller and value 0..127; 123 is All Notes Off.
    virtual void ControlChange(int32_t channel0to15, int32_t controller, int32_t value) = 0;
    virtual void ProgramChange(int32_t channel0to15, int32_t program0to127) = 0;
    /// The channel plays nothing until its next program change, so its
    /// instrument need not stay in memory.
    virtual void ReleaseChannel(int32_t /*channel0to15*/) {}
    /// 8192 is the wheel at rest.
    virtual void PitchBend(int32_t channel0to15, int32_t value0to16383) = 0;
    virtual void PitchBendRange(int32_t channel0to15, int32_t semitones) = 0;
    /// 0 is silent, 100 the full level the keyboard plays at.
    virtual void SetVolume(int32_t percent0to100) = 0;
};

enum class AudioChoice : uint8_t { Automatic, PulseAudio, Alsa, None, Jack };

/// A status line, called from any thread.
using StatusReport = std::function<void(const std::string& line)>;

/// A synthesiser that plays through an audio device.
class AudioSynth : public Synth {
public:
    /// Opens the audio output and loads the soundfont without blocking the
    /// caller; notes played meanwhile sound once the soundfont is in.
    virtual void StartAudio(AudioChoice choice, StatusReport report) = 0;
    /// Closes the audio output; the synthesiser keeps its state.
    virtual void StopAudio() = 0;
    /// An audio output is open and renders what the synthesiser plays.
    virtual bool AudioOpen() const = 0;
};

}  // namespace hq::kbd
