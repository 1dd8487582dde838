#pragma once
// What the synthesiser is asked while it cannot be called: FluidSynth holds
// its own lock for the whole load of a soundfont or of an instrument's
// samples, so events wait here and are replayed once it is free. The gate
// does no locking itself; its owner calls it under one lock.

#include <array>
#include <cstdint>
#include <optional>

#include "keyboard/synth.h"

namespace hq::kbd {

class EventGate {
public:
    enum class Font : uint8_t { Waiting, Loaded, Missing };

    /// A channel that plays nothing until its next program change.
    static constexpr int32_t kNoProgram = -2;

    /// What waited, per channel, taken at once and replayed in one order.
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
    struct Batch {
        std::array<Waiting, 16> channels{};
        int32_t volume = -1;
    };

    /// `now` is called with what need not wait; it outlives the gate.
    explicit EventGate(Synth& now) : now_(now) {}

    // Each returns true when a worker must apply what waits (an instrument
    // to select reads its samples); values out of range are dropped.
    bool NoteOn(int32_t channel, int32_t key, int32_t velocity);
    void NoteOff(int32_t channel, int32_t key);
    void ControlChange(int32_t channel, int32_t controller, int32_t value);
    /// `program` 0..127 or kNoProgram.
    bool SelectProgram(int32_t channel, int32_t program);
    void PitchBend(int32_t channel, int32_t value);
    void PitchBendRange(int32_t channel, int32_t semitones);
    void SetVolume(int32_t percent);

    /// With a worker, instruments are selected on it; without one, at once.
    void SetWorker(bool running) { worker_ = running; }
    /// The soundfont is in: what waited is to be applied (Take until nothing).
    void FontLoaded();
    /// No soundfont: what waited is dropped and nothing sounds from now on.
    void FontMissing();
    Font FontState() const { return font_; }
    /// Nothing waits for the soundfont or for an instrument's samples.
    bool Settled() const { return font_ != Font::Waiting && !busy_; }

    /// What waits, emptied; nothing when nothing waits (the gate opens).
    std::optional<Batch> Take();
    /// Plays a batch on `to` in the order the gate promises.
    static void Apply(const Batch& batch, Synth& to);

private:
    bool Deferred() const { return font_ == Font::Waiting || busy_; }
    bool Choose(int32_t channel, int32_t program);
    Waiting& At(int32_t channel) { return batch_.channels[static_cast<size_t>(channel)]; }

    Synth& now_;
    Font font_ = Font::Waiting;
    Batch batch_;
    bool queued_ = false;
    // Channels given an instrument (or playing with the first one).
    std::array<bool, 16> chosen_{};
    // Another thread is applying what waited: calls wait their turn too.
    bool busy_ = false;
    bool worker_ = false;
};

}  // namespace hq::kbd
