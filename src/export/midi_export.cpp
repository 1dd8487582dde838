#include "export/midi_export.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "platform/midi_bytes.h"

namespace hq {
namespace {

constexpr int32_t kTicksPerQuarter = 960;
constexpr uint8_t kChannel1 = 0;
constexpr std::string_view kNotesTrackName = "Chords";
// 4/4, a click every quarter, eight 32nds to the quarter.
constexpr std::array<char, 4> kFourFour{4, 2, 24, 8};

std::string BigEndian24(uint32_t value) {
    return {static_cast<char>((value >> 16) & 0xFF), static_cast<char>((value >> 8) & 0xFF),
            static_cast<char>(value & 0xFF)};
}

struct TimedNote {
    int64_t tick;
    ExportNote note;
    bool dropped = false;
};

// The notes at their ticks, each note-on paired with one note-off; a note
// whose two ends fall on one tick would be nothing to a reader.
std::vector<TimedNote> NotesAtTicks(const ExportSchedule& schedule) {
    std::vector<TimedNote> timed;
    timed.reserve(schedule.notes.size());
    std::array<std::optional<size_t>, 128> open{};
    for (const ExportNote& note : schedule.notes) {
        if (note.key < 0 || note.key > 127) continue;
        const int64_t tick = TickOfMs(note.timeMs, schedule.tempo);
        std::optional<size_t>& pending = open[static_cast<size_t>(note.key)];
        if (note.on) {
            if (pending) timed.push_back({tick, ExportNote{note.timeMs, note.key, 0, false}});
            pending = timed.size();
            timed.push_back({tick, note});
        } else if (pending) {
            if (timed[*pending].tick == tick) {
                timed[*pending].dropped = true;
            } else {
                timed.push_back({tick, note});
            }
            pending.reset();
        }
    }
    std::erase_if(timed, [](const TimedNote& t) { return t.dropped; });
    std::stable_sort(timed.begin(), timed.end(), [](const TimedNote& a, const TimedNote& b) {
        return a.tick != b.tick ? a.tick < b.tick : (!a.note.on && b.note.on);
    });
    return timed;
}

}  // namespace

int64_t TickOfMs(int64_t ms, int32_t tempo) {
    // ms × 960 × tempo / 60000 = ms × tempo × 16 / 1000, rounded half up.
    const int64_t scaled = ms * tempo * 16;
    return scaled >= 0 ? (scaled + 500) / 1000 : -((-scaled + 500) / 1000);
}

uint32_t MicrosecondsPerQuarter(int32_t tempo) {
    const auto bpm = static_cast<uint32_t>(std::max(tempo, 1));
    return (60'000'000u + bpm / 2) / bpm;
}

SmfFile MidiFileOf(const ExportSchedule& schedule, std::string_view title, int32_t program0to127) {
    SmfFile file;
    file.format = 1;
    file.ticksPerQuarter = kTicksPerQuarter;

    SmfTrack tempoTrack;
    tempoTrack.events.push_back(SmfMeta(0, midi::kTrackName, std::string(title)));
    tempoTrack.events.push_back(SmfMeta(0, midi::kTimeSignature, std::string(kFourFour.data(), kFourFour.size())));
    tempoTrack.events.push_back(SmfMeta(0, midi::kTempo, BigEndian24(MicrosecondsPerQuarter(schedule.tempo))));
    for (const ExportMarker& marker : schedule.markers) {
        tempoTrack.events.push_back(SmfMeta(TickOfMs(marker.timeMs, schedule.tempo), midi::kMarker, marker.notation));
    }

    SmfTrack notes;
    notes.events.push_back(SmfMeta(0, midi::kTrackName, std::string(kNotesTrackName)));
    notes.events.push_back(
        SmfChannel(0, midi::kProgramChange | kChannel1, static_cast<uint8_t>(std::clamp(program0to127, 0, 127))));
    for (const TimedNote& t : NotesAtTicks(schedule)) {
        const auto key = static_cast<uint8_t>(t.note.key);
        if (t.note.on) {
            notes.events.push_back(SmfChannel(t.tick, midi::kNoteOn | kChannel1, key,
                                              static_cast<uint8_t>(std::clamp(t.note.velocity, 1, 127))));
        } else {
            notes.events.push_back(SmfChannel(t.tick, midi::kNoteOff | kChannel1, key, 0));
        }
    }
    file.tracks = {std::move(tempoTrack), std::move(notes)};
    return file;
}

std::string TitleOfPath(std::string_view path) { return std::filesystem::path(path).stem().string(); }

}  // namespace hq
