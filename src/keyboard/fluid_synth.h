#pragma once
// FluidSynth with a General MIDI soundfont. Live, it plays through an audio
// driver opened on its own thread, which also loads the soundfont and each
// instrument's samples as a program change asks for them; offline (no
// StartAudio), LoadSoundfont and Render make sound into memory.

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

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
    // What was asked for while the soundfont or an instrument's samples
    // load; FluidSynth holds its own lock for the whole load, so nothing may
    // call it meanwhile.
    struct Waiting {
        int32_t program = -1;  // or kNoProgram
        int32_t bendRange = -1;
        int32_t bend = -1;
        std::array<int16_t, 128> controllers;
        std::array<uint8_t, 128> velocity{};
        // Keys that sounded before the wait and were let go during it.
        std::array<bool, 128> release{};
        Waiting() { controllers.fill(-1); }
    };
    enum class FontState : uint8_t { Waiting, Loaded, Missing };
    static constexpr int32_t kNoProgram = -2;

    void Work();
    void OpenDriver(AudioChoice choice);
    void CloseDriver();
    void SelectProgram(int32_t channel, int32_t program);
    bool ChooseProgram(int32_t channel, int32_t program);
    void WakeWorker();
    void SelectNow(int32_t channel, int32_t program);
    bool Deferred() const { return font_ == FontState::Waiting || busy_; }
    void Drain();
    void Apply(const std::array<Waiting, 16>& taken, int32_t volume);
    std::string AudioStatus() const;

    std::vector<std::string> folders_;
    _fluid_hashtable_t* settings_ = nullptr;
    _fluid_synth_t* synth_ = nullptr;

    mutable std::mutex mutex_;
    FontState font_ = FontState::Waiting;
    std::string fontName_;
    std::array<Waiting, 16> waiting_{};
    int32_t waitingVolume_ = -1;
    bool queued_ = false;
    // Channels given an instrument (or playing with the first one).
    std::array<bool, 16> chosen_{};
    // Another thread is applying what waited: calls wait their turn too.
    bool busy_ = false;

    // The worker opens drivers and loads the soundfont.
    std::mutex workMutex_;
    std::condition_variable workWake_;
    std::optional<AudioChoice> wanted_;
    bool drainWanted_ = false;
    bool stopping_ = false;
    StatusReport report_;
    std::thread worker_;

    mutable std::mutex driverMutex_;
    _fluid_audio_driver_t* driver_ = nullptr;
    std::atomic<bool> audioWanted_ = false;
    std::string driverName_;
    std::string driverProblem_;
};

}  // namespace hq::kbd
