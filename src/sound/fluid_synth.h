#pragma once
// FluidSynth with a General MIDI soundfont. Live, it plays through an audio
// driver opened on its own thread, which also loads the soundfont and each
// instrument's samples as a program change asks for them; offline (no
// StartAudio), LoadSoundfont and Render make sound into memory.

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "keyboard/synth.h"
#include "sound/audio_driver.h"
#include "sound/event_gate.h"

struct _fluid_hashtable_t;
struct _fluid_synth_t;

namespace hq::kbd {

class FluidSynth final : public AudioSynth {
public:
    /// `soundfontFolders` are searched when StartAudio loads a soundfont.
    /// A preset's samples are read when a channel selects it, not all with
    /// the soundfont.
    explicit FluidSynth(std::vector<std::string> soundfontFolders = {});
    /// Closes the audio output and waits for a soundfont still loading.
    ~FluidSynth() override;
    FluidSynth(const FluidSynth&) = delete;
    FluidSynth& operator=(const FluidSynth&) = delete;

    void NoteOn(int32_t channel0to15, int32_t key0to127, int32_t velocity1to127) override;
    void NoteOff(int32_t channel0to15, int32_t key0to127) override;
    void ControlChange(int32_t channel0to15, int32_t controller, int32_t value) override;
    void ProgramChange(int32_t channel0to15, int32_t program0to127) override;
    void ReleaseChannel(int32_t channel0to15) override;
    void PitchBend(int32_t channel0to15, int32_t value0to16383) override;
    void PitchBendRange(int32_t channel0to15, int32_t semitones) override;
    void SetVolume(int32_t percent0to100) override;

    void StartAudio(AudioChoice choice, StatusReport report) override;
    void StopAudio() override;
    bool AudioOpen() const override;

    /// Loads on the calling thread; what was played before sounds now.
    bool LoadSoundfont(const std::string& path);
    /// Synthesises the next frames into both channels (equal lengths).
    void Render(std::span<float> left, std::span<float> right);
    bool Loaded() const;
    /// FluidSynth itself, for rendering offline into a file.
    _fluid_synth_t* Handle() const { return synth_; }
    /// Nothing waits for the soundfont or for an instrument's samples.
    bool Settled() const;

private:
    // Calls FluidSynth at once: what the gate lets through and what it replays.
    class Direct final : public Synth {
    public:
        explicit Direct(_fluid_synth_t*& synth) : synth_(synth) {}
        void NoteOn(int32_t channel, int32_t key, int32_t velocity) override;
        void NoteOff(int32_t channel, int32_t key) override;
        void ControlChange(int32_t channel, int32_t controller, int32_t value) override;
        void ProgramChange(int32_t channel, int32_t program) override;
        void ReleaseChannel(int32_t channel) override;
        void PitchBend(int32_t channel, int32_t value) override;
        void PitchBendRange(int32_t channel, int32_t semitones) override;
        void SetVolume(int32_t percent) override;

    private:
        _fluid_synth_t*& synth_;
    };

    void Work();
    void SelectProgram(int32_t channel, int32_t program);
    void WakeWorker();
    void Drain();
    std::string AudioStatus() const;

    std::vector<std::string> folders_;
    _fluid_hashtable_t* settings_ = nullptr;
    _fluid_synth_t* synth_ = nullptr;
    Direct direct_{synth_};

    // Guards the gate and the soundfont's name.
    mutable std::mutex mutex_;
    EventGate gate_{direct_};
    std::string fontName_;

    // The worker opens drivers, loads the soundfont and applies what waited.
    std::mutex workMutex_;
    std::condition_variable workWake_;
    std::optional<AudioChoice> wanted_;
    bool drainWanted_ = false;
    bool stopping_ = false;
    StatusReport report_;
    std::thread worker_;

    std::unique_ptr<AudioDriver> driver_;
};

}  // namespace hq::kbd
