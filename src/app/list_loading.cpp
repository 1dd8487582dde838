#include "app/list_loading.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <optional>
#include <utility>

#include "analyzer/song_chords.h"
#include "analyzer/use_solution.h"
#include "app/chord_steps.h"
#include "platform/controls.h"
#include "platform/file_bytes.h"
#include "playback/step_timing.h"
#include "sequencer/chart_reader.h"
#include "sequencer/chord_list.h"
#include "sequencer/load_types.h"
#include "sequencer/sequence_file.h"

namespace hq {
namespace {

void ShowList(Program& program, std::vector<std::string> hints = {}) {
    SharedState& state = program.state;
    const ChordSequence& list = state.sequencer.sequence;
    RefreshChordsList(list, list.ListTexts.empty() ? std::string(kEmptyListText) : list.ListTexts.back(),
                      program.toolkit, state.windows.chords);
    program.toolkit.SetLineHints(state.windows.chords, kid::ChordsList, hints);
}

void LoadChart(Program& program, const std::string& path) {
    Toolkit& toolkit = program.toolkit;
    const std::optional<std::vector<std::string>> lines = toolkit.LoadStringArray(path);
    std::string text;
    if (lines) {
        for (const std::string& line : *lines) text.append(line).push_back('\n');
    }
    const ChartReading reading = ReadChart(text);
    std::string reason = !lines ? std::string("the file cannot be read") : reading.reason;
    if (lines && reading.chords && reading.chords->empty()) reason = kNoChordsReason;
    if (!reason.empty()) {
        toolkit.Alert(std::string(kChartUnreadAlert) + reason);
        return;
    }
    program.state.sequencer.sequence = SequenceOfChords(*reading.chords, program.state.play);
    ShowList(program);
}

void LoadSong(Program& program, const std::string& path) {
    Toolkit& toolkit = program.toolkit;
    const std::optional<std::string> bytes = ReadFileBytes(path, kMaxSongBytes);
    const SongReading reading = bytes ? ReadSong(*bytes) : SongReading(std::string("the file cannot be read"));
    if (const std::string* reason = std::get_if<std::string>(&reading)) {
        toolkit.Alert(std::string(kSongUnreadAlert) + *reason);
        return;
    }
    const Song& song = std::get<Song>(reading);
    const SongChart chart = ChartOfSong(song);
    std::vector<ChordDefinition> chords;
    std::vector<std::string> hints;
    for (const SongSegment& s : chart.segments) {
        if (!s.chord) continue;
        chords.push_back(s.chord->definition);
        hints.push_back(KeyName(s.key) + ": " + s.roman);
    }
    if (chords.empty()) {
        toolkit.Alert(std::string(kSongUnreadAlert) + std::string(kNoChordsReason));
        return;
    }
    PlaySettings play = program.state.play;
    play.Tempo = std::clamp(FirstTempoBpm(song), kLowestTempo, kHighestTempo);
    program.state.sequencer.sequence = SequenceOfChords(chords, play);
    ShowList(program, std::move(hints));
}

}  // namespace

void LoadAnyList(Program& program) {
    SharedState& state = program.state;
    const SaveChoice choice = program.toolkit.OpenFileDialog(kLoadDialogTitle, kLoadTypes, kAllFilesLoadType);
    if (choice.path.empty()) return;
    switch (LoadKindOf(choice.type, choice.path)) {
        case LoadKind::Sequence:
            if (LoadSequenceFile(state.sequencer.sequence, choice.path, program.toolkit, state.windows.chords) == 0) {
                program.toolkit.SetLineHints(state.windows.chords, kid::ChordsList, {});
            }
            break;
        case LoadKind::Chart: LoadChart(program, choice.path); break;
        case LoadKind::Song: LoadSong(program, choice.path); break;
    }
}

void AppendChart(Program& program, const std::vector<ChordDefinition>& chords) {
    if (chords.empty()) return;
    SharedState& state = program.state;
    AsListStep(program, [&] {
        ChordSequence& list = state.sequencer.sequence;
        const ChordSequence added = SequenceOfChords(chords, state.play);
        for (const ChordRecord& record : added.Records) AppendChord(list, record);
        ShowList(program);
        TakeDefinition(chords.back(), state.definition, state.chord, program.toolkit, state.windows.chords);
    });
    AnnounceChord(program);
}

}  // namespace hq
