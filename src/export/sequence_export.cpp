#include "export/sequence_export.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

#include "export/midi_export.h"
#include "headless/session.h"
#include "keyboard/keyboard_core.h"
#include "keyboard/midi_port.h"
#include "platform/controls.h"
#include "playback/step_timing.h"
#include "sequencer/chart_writer.h"
#include "export/musicxml.h"
#include "sequencer/sequence_player.h"
#include "sound/soundfont.h"

namespace hq {
namespace {

// What the keyboard component sends its synthesiser, note by note, at the
// time of the keyboard call being replayed.
class NoteRecorder final : public kbd::Synth {
public:
    explicit NoteRecorder(std::vector<ExportNote>& notes) : notes_(notes) {}
    void At(int64_t timeMs) { timeMs_ = timeMs; }

    void NoteOn(int32_t, int32_t key, int32_t velocity) override { notes_.push_back({timeMs_, key, velocity, true}); }
    void NoteOff(int32_t, int32_t key) override { notes_.push_back({timeMs_, key, 0, false}); }
    void ControlChange(int32_t, int32_t, int32_t) override {}
    void ProgramChange(int32_t, int32_t) override {}
    void PitchBend(int32_t, int32_t) override {}
    void PitchBendRange(int32_t, int32_t) override {}
    void SetVolume(int32_t) override {}

private:
    std::vector<ExportNote>& notes_;
    int64_t timeMs_ = 0;
};

class NoMidiOutput final : public kbd::MidiOutput {
public:
    void Send(std::span<const uint8_t>) override {}
};

// The keyboard calls replayed through the keyboard component's own logic:
// its velocity, a restruck key let go first, STOP's all-notes-off.
std::vector<ExportNote> NotesOf(const std::vector<RecordingKeyboard::Call>& calls, int64_t originMs) {
    using K = RecordingKeyboard::CallKind;
    std::vector<ExportNote> notes;
    NoteRecorder recorder(notes);
    NoMidiOutput noMidi;
    kbd::KeyboardCore core(recorder, noMidi);
    for (const RecordingKeyboard::Call& call : calls) {
        recorder.At(call.timeMs - originMs);
        switch (call.kind) {
            case K::Start: core.Start(); break;
            case K::NoteOn: core.KbdNoteOn(call.a, call.b); break;
            case K::NoteOff: core.KbdNoteOff(call.a, call.b); break;
            case K::AllNotesOff: core.KbdAllNotesOff(); break;
            case K::SetParam: core.KbdSetParam(call.a, call.b); break;
            case K::Close: core.KbdClose(); break;
            case K::GetNote:
            case K::GetParam: break;
        }
    }
    return notes;
}

// A new file beside `target`, so that renaming it over the target is atomic.
std::optional<std::string> TemporaryBeside(const std::string& target) {
    const std::filesystem::path path(target);
    std::string pattern = (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return std::nullopt;
    // As an ordinary new file would be, not private to its owner.
    ::fchmod(fd, 0644);
    ::close(fd);
    return pattern;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

ExportOutcome ReplaceTarget(ExportOutcome outcome, const std::string& temporary, const std::string& target) {
    std::error_code error;
    if (outcome == ExportOutcome::Written) {
        std::filesystem::rename(temporary, target, error);
        if (!error) return outcome;
        outcome = ExportOutcome::Failed;
    }
    std::filesystem::remove(temporary, error);
    return outcome;
}

}  // namespace

ExportSchedule TakeExportSchedule(const ChordSequence& sequence, int32_t tempo, int32_t passes, bool voiceLed) {
    HeadlessSession session;
    HeadlessToolkit& toolkit = session.toolkit;
    toolkit.SetRecording(false);  // only the keyboard's calls and the alerts are wanted
    SharedState& state = session.state;
    ExportSchedule schedule;
    schedule.tempo = std::clamp(tempo, kLowestTempo, kHighestTempo);
    const int64_t originMs = toolkit.NowMs();
    const size_t alertsBefore = toolkit.Alerts().size();

    state.sequencer.sequence = sequence;
    state.sequencer.play.VoiceLed = voiceLed;
    state.play.Tempo = schedule.tempo;
    schedule.durationMs = static_cast<int64_t>(std::max(passes, 0)) * std::max(sequence.SequenceCount, 0) *
                          ChordPeriodMs(schedule.tempo);
    state.sequencer.play.ChordComposed = [&](const ComposedChord& chord) {
        schedule.markers.push_back({toolkit.NowMs() - originMs, chord.Notation, -1, {}});
    };
    state.sequencer.play.RecordPlayed = [&](int32_t record, const std::vector<Placement>& notes) {
        if (schedule.markers.empty()) return;
        ExportMarker& marker = schedule.markers.back();
        marker.record = record;
        for (const Placement& note : notes) marker.keys.push_back(kbd::MidiKey(note.pitchClass, note.octave));
    };
    session.Select(kid::PlaySequence, 0);
    toolkit.AdvanceToBefore(originMs + schedule.durationMs);
    session.Select(kid::StopSequence, 0);
    state.sequencer.play.ChordComposed = nullptr;
    state.sequencer.play.RecordPlayed = nullptr;
    // Only note timers are left; STOP has already ended their notes.
    while (const std::optional<int64_t> due = toolkit.NextDueMs()) toolkit.AdvanceTo(*due);

    schedule.notes = NotesOf(session.keyboard.Calls(), originMs);
    const std::vector<std::string>& alerts = toolkit.Alerts();
    schedule.alerts.assign(alerts.begin() + static_cast<std::ptrdiff_t>(alertsBefore), alerts.end());
    return schedule;
}

std::vector<std::vector<int32_t>> KeysPerRecord(const ExportSchedule& schedule, size_t records) {
    std::vector<std::vector<int32_t>> keys(records);
    const int64_t period = ChordPeriodMs(schedule.tempo);
    for (const ExportNote& note : schedule.notes) {
        if (!note.on || note.timeMs < 0) continue;
        const auto record = static_cast<size_t>(note.timeMs / period);
        if (record < records) keys[record].push_back(note.key);
    }
    return keys;
}

std::string MusicXmlExport(const ChordSequence& sequence, std::span<const std::vector<int32_t>> keysPerRecord,
                           const std::string& path, int32_t tempo) {
    const auto count = static_cast<size_t>(std::max(sequence.SequenceCount, 0));
    const std::span<const ChordRecord> records(sequence.Records.data(), std::min(count, sequence.Records.size()));
    return MusicXmlOf(records, keysPerRecord, TitleOfPath(path), tempo);
}

FileExporter::FileExporter(std::vector<std::string> soundfontFolders)
    : soundfontFolders_(std::move(soundfontFolders)) {}

ExportReport FileExporter::Run(const ExportJob& job, const kbd::RenderProgress& progress) {
    ExportReport report;
    report.schedule = TakeExportSchedule(job.sequence, job.tempo, job.passes, job.voiceLed);
    std::optional<std::string> soundfont;
    const bool audio = job.format == ExportFormat::Wav || job.format == ExportFormat::Flac;
    if (audio) {
        soundfont = kbd::FindSoundfont(soundfontFolders_);
        if (!soundfont) {
            report.problem = std::string(kbd::kNoSoundfontMessage);
            return report;
        }
    }
    const std::optional<std::string> temporary = TemporaryBeside(job.path);
    if (!temporary) {
        report.problem = std::string(kExportFailedAlert);
        return report;
    }
    if (job.format == ExportFormat::Midi) {
        const std::optional<std::string> bytes =
            WriteSmf(MidiFileOf(report.schedule, TitleOfPath(job.path), job.program));
        report.outcome = bytes && WriteBytes(*temporary, *bytes) ? ExportOutcome::Written : ExportOutcome::Failed;
    } else if (job.format == ExportFormat::Chart) {
        const auto count = static_cast<size_t>(std::max(job.sequence.SequenceCount, 0));
        const std::span<const ChordRecord> records(job.sequence.Records.data(),
                                                   std::min(count, job.sequence.Records.size()));
        report.outcome = WriteBytes(*temporary, ChartText(records)) ? ExportOutcome::Written : ExportOutcome::Failed;
    } else if (job.format == ExportFormat::MusicXml) {
        const std::vector<std::vector<int32_t>> keys =
            KeysPerRecord(report.schedule, job.sequence.Records.size());
        const std::string bytes = MusicXmlExport(job.sequence, keys, job.path, report.schedule.tempo);
        report.outcome = WriteBytes(*temporary, bytes) ? ExportOutcome::Written : ExportOutcome::Failed;
    } else {
        // Its own synthesiser, so the keyboard's playing is not disturbed.
        const auto exporter = std::make_unique<kbd::AudioExporter>();
        const kbd::AudioFileType type = job.format == ExportFormat::Wav ? kbd::AudioFileType::Wav : kbd::AudioFileType::Flac;
        kbd::RenderOutcome rendered = kbd::RenderOutcome::Failed;
        if (exporter->LoadSoundfont(*soundfont)) {
            rendered = exporter->Render(report.schedule, job.program, type, *temporary, progress);
        }
        report.outcome = rendered == kbd::RenderOutcome::Written   ? ExportOutcome::Written
                         : rendered == kbd::RenderOutcome::Cancelled ? ExportOutcome::Cancelled
                                                                     : ExportOutcome::Failed;
    }
    report.outcome = ReplaceTarget(report.outcome, *temporary, job.path);
    if (report.outcome == ExportOutcome::Failed) report.problem = std::string(kExportFailedAlert);
    return report;
}

std::string ProgramFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.parent_path().string();
}

}  // namespace hq
