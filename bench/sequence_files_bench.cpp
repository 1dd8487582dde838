// Saving and loading a 10,000-record sequence through real files: the
// headless toolkit under the SAVE and LOAD operations themselves (dialogs
// answered from a script), and the Qt toolkit's QSaveFile writer and reader
// under the same line building and validation. Target: under 50 ms each.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "conditions.h"
#include "headless/headless_toolkit.h"
#include "sequencer/chord_list.h"
#include "sequencer/sequence_file.h"
#include "theory/composition.h"
#include "ui/qt_toolkit.h"

namespace hq {
namespace {

const bool kConditions = hq::bench::Conditions(
    "headless toolkit and the Qt toolkit offscreen, real files in the temporary folder");

constexpr int32_t kRecords = 10'000;

// Every root, class and extension in turn, with settings that vary too.
ChordSequence LongSequence() {
    ChordSequence sequence;
    constexpr int32_t kExtensions[] = {0, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    for (int32_t i = 0; i < kRecords; ++i) {
        ChordDefinition d;
        d.RootLetterPitch = (i * 7) % 12;
        d.RootLetter = std::string(1, static_cast<char>('A' + i % 7));
        d.ChordClass = i % 4;
        d.Extension = kExtensions[i % 10];
        d.FifthAlteration = i % 3 - 1;
        const Composition composed = Compose(d);
        PlaySettings play{.Arrangement = i % 4, .Up = i % 2, .Down = 1, .Tempo = 60 + i % 241,
                          .NotesPerMeasure = 1 + i % 12};
        AppendChord(sequence, EncodeChordRecord(composed.definition, composed.chord, play));
    }
    return sequence;
}

std::string BenchPath(const char* name) {
    return (std::filesystem::temp_directory_path() / ("hq-bench-" + std::string(name) + ".chd")).string();
}

void BM_SaveSequenceHeadless(benchmark::State& state) {
    const ChordSequence sequence = LongSequence();
    const std::string path = BenchPath("save-headless");
    HeadlessToolkit toolkit;
    toolkit.SetRecording(false);
    for (auto _ : state) {
        toolkit.QueueFileDialogAnswer(path);
        SaveSequence(sequence, toolkit, 1);
    }
    if (!toolkit.Alerts().empty()) state.SkipWithError("the save failed");
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveSequenceHeadless)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadSequenceHeadless(benchmark::State& state) {
    const std::string path = BenchPath("load-headless");
    HeadlessToolkit toolkit;
    toolkit.SetRecording(false);
    toolkit.QueueFileDialogAnswer(path);
    SaveSequence(LongSequence(), toolkit, 1);
    ChordSequence loaded;
    for (auto _ : state) {
        toolkit.QueueFileDialogAnswer(path);
        benchmark::DoNotOptimize(LoadSequence(loaded, toolkit, 1));
    }
    if (loaded.SequenceCount != kRecords || !toolkit.Alerts().empty()) state.SkipWithError("the load failed");
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadSequenceHeadless)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveSequenceQt(benchmark::State& state) {
    const ChordSequence sequence = LongSequence();
    const std::string path = BenchPath("save-qt");
    ui::QtToolkit toolkit{QString()};
    bool saved = true;
    for (auto _ : state) saved = toolkit.SaveStringArray(path, SequenceFileLines(sequence)) && saved;
    if (!saved) state.SkipWithError("the save failed");
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveSequenceQt)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadSequenceQt(benchmark::State& state) {
    const std::string path = BenchPath("load-qt");
    ui::QtToolkit toolkit{QString()};
    if (!toolkit.SaveStringArray(path, SequenceFileLines(LongSequence()))) state.SkipWithError("no file to load");
    int32_t count = 0;
    for (auto _ : state) {
        const std::optional<ChordSequence> loaded = ParseSequenceFile(toolkit.LoadStringArray(path));
        count = loaded ? loaded->SequenceCount : 0;
        benchmark::DoNotOptimize(count);
    }
    if (count != kRecords) state.SkipWithError("the load failed");
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadSequenceQt)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace hq
