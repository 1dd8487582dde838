#pragma once
// Exports as the command line and the desktop write them: the notes taken
// from the sequence player of a private headless session, as the keyboard
// component would send them to its synthesiser, then written whole beside
// the target and renamed over it.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "sequencer/export.h"
#include "sound/audio_export.h"

namespace hq {

/// PLAY at 0 ms with `tempo`, STOP at passes × records × ChordPeriod ms
/// (before a sequence tick due then), on copies in a session of its own;
/// `voiceLed` plays each record's voicing.
ExportSchedule TakeExportSchedule(const ChordSequence& sequence, int32_t tempo, int32_t passes,
                                  bool voiceLed = false);

/// The MIDI keys each record sounds in the first pass of `schedule`, by the
/// time its note-ons fall in (a record lasts one ChordPeriod).
std::vector<std::vector<int32_t>> KeysPerRecord(const ExportSchedule& schedule, size_t records);

/// The MusicXML file of `records` sounding `keysPerRecord`, titled after
/// `path`'s base name.
std::string MusicXmlExport(const ChordSequence& sequence, std::span<const std::vector<int32_t>> keysPerRecord,
                           const std::string& path, int32_t tempo);

struct ExportReport {
    ExportOutcome outcome = ExportOutcome::Failed;
    std::string problem;  // a line for the command line when it failed
    ExportSchedule schedule;
};

/// Looks for the soundfont as the keyboard window does.
class FileExporter final : public SequenceExporter {
public:
    explicit FileExporter(std::vector<std::string> soundfontFolders);

    ExportOutcome Export(const ExportJob& job) override { return Run(job).outcome; }
    /// Audio tells `progress` how far it has come and stops when it says no.
    ExportReport Run(const ExportJob& job, const kbd::RenderProgress& progress = {});

private:
    std::vector<std::string> soundfontFolders_;
};

/// The folder of the running program, where a soundfont may sit too.
std::string ProgramFolder();

}  // namespace hq
