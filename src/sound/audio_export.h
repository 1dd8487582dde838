#pragma once
// A sequence's notes rendered offline into an audio file: its own
// FluidSynth, samples read on demand, 16-bit stereo at 44,100 Hz written by
// FluidSynth's file renderer. The level is measured in a first pass, so the
// file never clips and ends once the sound has died away.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "sequencer/export.h"
#include "sound/fluid_synth.h"

namespace hq::kbd {

enum class AudioFileType : uint8_t { Wav, Flac };

/// Below this peak level for kSilentTailMs after the last note-off, the file ends.
inline constexpr double kSilenceLevel = 0.001;  // -60 dBFS
inline constexpr int64_t kSilentTailMs = 100;
inline constexpr int64_t kLongestTailMs = 10'000;
/// The loudest sample a file holds, as a share of full scale.
inline constexpr double kHighestPeak = 0.9;

/// 0..1 of the work done; returning false cancels the render.
using RenderProgress = std::function<bool(double fraction)>;

enum class RenderOutcome : uint8_t { Written, Failed, Cancelled };

class AudioExporter {
public:
    AudioExporter();

    /// Blocks while the soundfont is read; false when it cannot be.
    bool LoadSoundfont(const std::string& path);

    /// `schedule`'s notes on channel 1 with the General MIDI `program`, to
    /// `path` (replaced). A cancelled or failed render may leave a partial file.
    RenderOutcome Render(const ExportSchedule& schedule, int32_t program, AudioFileType type, const std::string& path,
                         const RenderProgress& progress = {});

    /// Frames in the file the last Render wrote.
    int64_t Frames() const { return frames_; }

private:
    struct Measure {
        int64_t endFrame = 0;
        double gain = 0;
    };

    void Prepare(int32_t program);
    std::optional<Measure> MeasurePass(const ExportSchedule& schedule, int32_t program, const RenderProgress& progress);

    FluidSynth synth_;
    int64_t frames_ = 0;
};

}  // namespace hq::kbd
