#pragma once
// Taking a chord sequence out of the program: as a Standard MIDI File or as
// audio, from the SAVE dialog and from the command line. The notes come from
// the real sequence player (export/ takes and writes them); this file holds
// the plain data of an export and the SAVE dialog's choice between the
// sequence file and an export.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/toolkit.h"
#include "sequencer/sequencer_state.h"

namespace hq {

inline constexpr std::string_view kExportFailedAlert =
    "The export could not be written.\nThe file on disk was not changed.";

enum class ExportFormat : uint8_t { Midi, Wav, Flac, Chart, MusicXml };

/// The format named by the path's extension (.mid, .wav, .flac, .txt,
/// .musicxml, any case).
std::optional<ExportFormat> ExportFormatOfPath(std::string_view path);
/// "midi", "wav", "flac", "chart" or "musicxml".
std::string_view ExportFormatName(ExportFormat format);
/// ".mid", ".wav", ".flac", ".txt" or ".musicxml".
std::string_view ExportExtension(ExportFormat format);

/// The types the SAVE dialog offers, the sequence file first (the default).
inline constexpr std::array<std::string_view, 7> kSaveTypes{
    "Chords Sequence (*.chd)", "Standard MIDI File (*.mid)", "Audio WAV (*.wav)", "Audio FLAC (*.flac)",
    "Chord chart (*.txt)",     "MusicXML (*.musicxml)",      "All files (*)"};
/// The export a SAVE type stands for; nothing for a sequence file.
std::optional<ExportFormat> ExportFormatOfSaveType(size_t type);

/// One note-on or note-off as the keyboard sends it to its synthesiser.
struct ExportNote {
    int64_t timeMs = 0;
    int32_t key = 0;  // MIDI key 0..127
    int32_t velocity = 0;
    bool on = false;
    bool operator==(const ExportNote&) const = default;
};

/// A chord the player composed, at the time it did.
struct ExportMarker {
    int64_t timeMs = 0;
    std::string notation;
    int32_t record = -1;  // its place in the list; -1 when it was not played
    /// The MIDI keys it was played with, as its step list holds them: for a
    /// voice-led sequence, the bass and then the upper voices from low to high.
    std::vector<int32_t> keys;
    bool operator==(const ExportMarker&) const = default;
};

/// What PLAY plays, from 0 ms up to STOP at `durationMs`.
struct ExportSchedule {
    int32_t tempo = 180;
    int64_t durationMs = 0;
    std::vector<ExportNote> notes;  // in the order the keyboard sent them
    std::vector<ExportMarker> markers;
    std::vector<std::string> alerts;
};

/// Everything an export needs, copied from the user's state.
struct ExportJob {
    ChordSequence sequence;
    int32_t tempo = 180;
    int32_t passes = 1;
    int32_t program = 0;  // General MIDI 0..127
    ExportFormat format = ExportFormat::Midi;
    std::string path;
    /// "Voice-led sequence": each record plays its voicing.
    bool voiceLed = false;
};

enum class ExportOutcome : uint8_t { Written, Failed, Cancelled };

/// Writes an export whole, or leaves the file at its path untouched.
class SequenceExporter {
public:
    virtual ~SequenceExporter() = default;
    virtual ExportOutcome Export(const ExportJob& job) = 0;
};

/// The SAVE button with its file types: the sequence file exactly as before,
/// or an export through `exporter` (none: the export fails) at the tempo in
/// force, the type's extension added to a path that has none; `voiceLed`
/// as the keyboard window's "Voice-led sequence" says.
void SaveOrExportSequence(const ChordSequence& sequence, int32_t tempo, Toolkit& toolkit, int32_t grid,
                          SequenceExporter* exporter, bool voiceLed = false);

}  // namespace hq
