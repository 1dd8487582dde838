// Exports of 1,000 start-up C7 records at tempo 180, one pass: the whole
// MIDI export to a file (target: under 50 ms), and audio rendering speed as
// a multiple of real time (target: at least 40) on a stretch of the same
// material, with the soundfont's load measured apart.

#include <benchmark/benchmark.h>

#include <time.h>

#include <filesystem>
#include <string>

#include "export/sequence_export.h"
#include "headless/session.h"
#include "platform/controls.h"
#include "sound/audio_export.h"
#include "sound/soundfont.h"

namespace hq {
namespace {

constexpr int32_t kRecords = 1000;
// 20 chords of 2666 ms: 53 s of sound.
constexpr int32_t kRenderedRecords = 20;

ChordSequence StartupRecords(int32_t count) {
    HeadlessSession session;
    session.toolkit.SetRecording(false);
    for (int32_t i = 0; i < count; ++i) session.Select(kid::AppendChord, 0);
    return session.state.sequencer.sequence;
}

std::string Scratch(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

void BM_MidiExport1000Records(benchmark::State& state) {
    ExportJob job{StartupRecords(kRecords), 180, 1, 0, ExportFormat::Midi, Scratch("hq-bench-export.mid")};
    FileExporter exporter({});
    int64_t notes = 0;
    for (auto _ : state) {
        const ExportReport report = exporter.Run(job);
        if (report.outcome != ExportOutcome::Written) state.SkipWithError("not written");
        notes = static_cast<int64_t>(report.schedule.notes.size());
    }
    state.counters["notes"] = static_cast<double>(notes);
    std::filesystem::remove(job.path);
}
BENCHMARK(BM_MidiExport1000Records)->Unit(benchmark::kMillisecond);

double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

std::optional<std::string> Soundfont() { return kbd::FindSoundfont(kbd::SoundfontFolders("")); }

void BM_SoundfontLoad(benchmark::State& state) {
    const std::optional<std::string> font = Soundfont();
    if (!font) {
        state.SkipWithError("no soundfont");
        return;
    }
    for (auto _ : state) {
        kbd::AudioExporter exporter;
        if (!exporter.LoadSoundfont(*font)) state.SkipWithError("soundfont did not load");
    }
    state.SetLabel(std::filesystem::path(*font).filename().string());
}
BENCHMARK(BM_SoundfontLoad)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_AudioRenderWav(benchmark::State& state) {
    const std::optional<std::string> font = Soundfont();
    kbd::AudioExporter exporter;
    if (!font || !exporter.LoadSoundfont(*font)) {
        state.SkipWithError("no soundfont");
        return;
    }
    const ExportSchedule schedule = TakeExportSchedule(StartupRecords(kRenderedRecords), 180, 1);
    const std::string path = Scratch("hq-bench-export.wav");
    double seconds = 0;
    const double cpuBefore = ProcessCpuSeconds();
    for (auto _ : state) {
        if (exporter.Render(schedule, 0, kbd::AudioFileType::Wav, path) != kbd::RenderOutcome::Written) {
            state.SkipWithError("not written");
        }
        seconds += static_cast<double>(exporter.Frames()) / kbd::kSampleRateHz;
    }
    // Seconds of sound per second of work: the multiple of real time, by
    // the clock and by the processor time this process was given (on a
    // machine shared with other work the two part).
    state.counters["x_realtime"] = benchmark::Counter(seconds, benchmark::Counter::kIsRate);
    state.counters["x_realtime_cpu"] = seconds / (ProcessCpuSeconds() - cpuBefore);
    state.SetLabel(std::filesystem::path(*font).filename().string());
    std::filesystem::remove(path);
}
BENCHMARK(BM_AudioRenderWav)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
}  // namespace hq
