#include "sound/audio_export.h"

#include <fluidsynth.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace hq::kbd {
namespace {

// Notes start on 64-frame boundaries (1.45 ms), the synthesiser's own block.
constexpr int64_t kBlockFrames = 64;
// The measuring pass is stricter than the file needs: the file's 16-bit
// samples carry dither.
constexpr double kMeasuredSilence = kSilenceLevel / 2;
constexpr int32_t kChannel = 0;
constexpr int32_t kPanController = 10;
constexpr int32_t kCentre = 64;
constexpr int32_t kFullVolume = 100;
// How often, in blocks, progress is told and a cancel is looked for.
constexpr int64_t kProgressBlocks = 256;

int64_t FrameOfMs(int64_t ms) { return ms * kSampleRateHz / 1000; }

double Share(int64_t part, int64_t whole) { return static_cast<double>(part) / static_cast<double>(whole); }

// Plays every note due by `frame`, from `next` on; returns the new `next`.
size_t PlayDue(FluidSynth& synth, const std::vector<ExportNote>& notes, size_t next, int64_t frame) {
    for (; next < notes.size() && FrameOfMs(notes[next].timeMs) <= frame; ++next) {
        const ExportNote& n = notes[next];
        if (n.on) {
            synth.NoteOn(kChannel, n.key, n.velocity);
        } else {
            synth.NoteOff(kChannel, n.key);
        }
    }
    return next;
}

int64_t LastNoteOffFrame(const ExportSchedule& schedule) {
    int64_t last = 0;
    for (const ExportNote& n : schedule.notes) last = std::max(last, FrameOfMs(n.timeMs));
    return std::max(last, FrameOfMs(schedule.durationMs));
}

}  // namespace

AudioExporter::AudioExporter() = default;

bool AudioExporter::LoadSoundfont(const std::string& path) { return synth_.LoadSoundfont(path); }

void AudioExporter::Prepare(int32_t program) {
    fluid_synth_system_reset(synth_.Handle());
    synth_.ProgramChange(kChannel, std::clamp(program, 0, 127));
    synth_.ControlChange(kChannel, kPanController, kCentre);
    synth_.SetVolume(kFullVolume);
}

// Renders to memory block by block for the loudest sample and for where the
// tail has died away; the gain that keeps the loudest sample below
// kHighestPeak follows.
std::optional<AudioExporter::Measure> AudioExporter::MeasurePass(const ExportSchedule& schedule, int32_t program,
                                                                const RenderProgress& progress) {
    Prepare(program);
    const int64_t lastOff = LastNoteOffFrame(schedule);
    const int64_t longest = lastOff + FrameOfMs(kLongestTailMs);
    const int64_t quietFrames = FrameOfMs(kSilentTailMs);
    std::array<float, kBlockFrames> left{}, right{};
    std::vector<float> tailPeaks;  // per block from the last note-off on
    double peak = 0;
    int64_t lastLoud = lastOff;
    size_t next = 0;
    int64_t frame = 0;
    for (int64_t block = 0; frame < longest; ++block, frame += kBlockFrames) {
        next = PlayDue(synth_, schedule.notes, next, frame);
        synth_.Render(left, right);
        float blockPeak = 0;
        for (size_t i = 0; i < left.size(); ++i) blockPeak = std::max({blockPeak, std::abs(left[i]), std::abs(right[i])});
        peak = std::max(peak, static_cast<double>(blockPeak));
        if (frame >= lastOff) {
            tailPeaks.push_back(blockPeak);
            if (blockPeak >= kMeasuredSilence) lastLoud = frame + kBlockFrames;
            if (frame + kBlockFrames - lastLoud >= quietFrames) {
                frame += kBlockFrames;
                break;
            }
        }
        if (progress && block % kProgressBlocks == 0 && !progress(0.5 * std::min(1.0, Share(frame, lastOff + 1)))) {
            return std::nullopt;
        }
    }
    const double scale = peak > kHighestPeak ? kHighestPeak / peak : 1.0;
    // The tail ends where the scaled level stays below the silence level.
    int64_t loudEnd = lastOff;
    for (size_t i = 0; i < tailPeaks.size(); ++i) {
        if (tailPeaks[i] * scale >= kMeasuredSilence) loudEnd = lastOff + static_cast<int64_t>(i + 1) * kBlockFrames;
    }
    return Measure{std::min(frame, loudEnd + quietFrames), fluid_synth_get_gain(synth_.Handle()) * scale};
}

RenderOutcome AudioExporter::Render(const ExportSchedule& schedule, int32_t program, AudioFileType type,
                                    const std::string& path, const RenderProgress& progress) {
    frames_ = 0;
    if (!synth_.Loaded()) return RenderOutcome::Failed;
    const std::optional<Measure> measure = MeasurePass(schedule, program, progress);
    if (!measure) return RenderOutcome::Cancelled;

    fluid_synth_t* synth = synth_.Handle();
    fluid_settings_t* settings = fluid_synth_get_settings(synth);
    fluid_settings_setstr(settings, "audio.file.name", path.c_str());
    fluid_settings_setstr(settings, "audio.file.type", type == AudioFileType::Wav ? "wav" : "flac");
    fluid_settings_setstr(settings, "audio.file.format", "s16");
    fluid_settings_setint(settings, "audio.period-size", static_cast<int>(kBlockFrames));
    Prepare(program);
    fluid_synth_set_gain(synth, static_cast<float>(measure->gain));
    fluid_file_renderer_t* renderer = new_fluid_file_renderer(synth);
    if (renderer == nullptr) return RenderOutcome::Failed;

    RenderOutcome outcome = RenderOutcome::Written;
    size_t next = 0;
    int64_t frame = 0;
    for (int64_t block = 0; frame < measure->endFrame; ++block, frame += kBlockFrames) {
        next = PlayDue(synth_, schedule.notes, next, frame);
        if (fluid_file_renderer_process_block(renderer) != FLUID_OK) {
            outcome = RenderOutcome::Failed;
            break;
        }
        if (progress && block % kProgressBlocks == 0 &&
            !progress(0.5 + 0.5 * Share(frame, measure->endFrame))) {
            outcome = RenderOutcome::Cancelled;
            break;
        }
    }
    delete_fluid_file_renderer(renderer);
    if (outcome == RenderOutcome::Written) frames_ = frame;
    return outcome;
}

}  // namespace hq::kbd
