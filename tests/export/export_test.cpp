// Exports read back with our own reader and compared with what the player
// lists through play-sequence.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "export/midi_export.h"
#include "export/sequence_export.h"
#include "sequencer/export.h"
#include "sequencer/sequence_file.h"
#include "sequencer/sequencer_test_support.h"
#include "sequencer/smf.h"
#include "support/cli_run.h"

namespace hq {
namespace {

using testing::Cli;
using testing::CliRun;
using testing::TempFolder;

struct PlayerEvent {
    int64_t t;
    std::string call;
    int32_t key = 0;  // MIDI key of a note
    std::string notation;
};

// play-sequence's listing, STOP at `stopMs`.
std::vector<PlayerEvent> PlayerTimeline(const std::string& file, int32_t tempo, int64_t stopMs) {
    const CliRun r = Cli({"play-sequence", file, "--tempo", std::to_string(tempo), "--ms", std::to_string(stopMs)});
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<PlayerEvent> events;
    const std::regex event(
        R"re(\{"t": (\d+), "call": "(\w+)"(?:, "pc": (\d+), "octave": (\d+)|, "Notation": "([^"]*)")?)re");
    for (std::sregex_iterator it(r.out.begin(), r.out.end(), event), end; it != end; ++it) {
        const std::smatch& m = *it;
        PlayerEvent e{std::stoll(m[1]), m[2], 0, m[5]};
        if (m[3].matched) e.key = 12 * (std::stoi(m[4]) + 1) + std::stoi(m[3]);
        events.push_back(e);
    }
    return events;
}

struct MidiNote {
    int64_t tick;
    int32_t key;
    bool on;
    int32_t velocity;
    bool operator==(const MidiNote&) const = default;
};

std::vector<MidiNote> NotesOf(const SmfTrack& track) {
    std::vector<MidiNote> notes;
    for (const SmfEvent& e : track.events) {
        const int kind = e.status & 0xF0;
        if (kind != 0x80 && kind != 0x90) continue;
        const auto velocity = static_cast<uint8_t>(e.data[1]);
        notes.push_back({e.tick, static_cast<uint8_t>(e.data[0]), kind == 0x90 && velocity > 0, velocity});
    }
    return notes;
}

// A sequence file of `chords` (control names) and the notes the export of
// it holds, read back.
struct Exported {
    std::string chd;
    std::string mid;
    SmfFile file;
};

Exported ExportChords(const TempFolder& folder, const std::vector<std::string>& chords,
                      const std::vector<std::string>& options, int32_t tempo = 180, int32_t notesPerMeasure = 6) {
    Exported x{folder / "song.chd", folder / "song.mid", {}};
    HeadlessSession s;
    s.state.play.Tempo = tempo;
    s.state.play.NotesPerMeasure = notesPerMeasure;
    testing::AppendChords(s, chords);
    EXPECT_TRUE(s.toolkit.SaveStringArray(x.chd, SequenceFileLines(s.state.sequencer.sequence)));
    std::vector<std::string> args{"export", x.chd, x.mid};
    args.insert(args.end(), options.begin(), options.end());
    const CliRun r = Cli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    const std::optional<SmfFile> file = ReadSmf(testing::ReadFile(x.mid));
    EXPECT_TRUE(file.has_value());
    if (file) x.file = *file;
    return x;
}

TEST(ExportMidi, HoldsNoteForNoteAndMarkerForMarkerWhatThePlayerPlays) {
    TempFolder folder;
    const Exported x = ExportChords(folder, {"RD Minor", "RG Major E9 Up=off", "RA Rb"},
                                    {"--passes", "2"});
    ASSERT_EQ(x.file.tracks.size(), 2u);
    const int64_t stopMs = 2 * 3 * 2666;
    // The player stopped one millisecond early: its notes that sound at
    // STOP end then, the export's at STOP.
    const std::vector<PlayerEvent> player = PlayerTimeline(x.chd, 180, stopMs - 1);

    std::vector<MidiNote> expected;
    std::vector<std::pair<int64_t, std::string>> markers;
    std::map<int32_t, std::deque<size_t>> open;  // key -> its note-ons still sounding
    for (const PlayerEvent& e : player) {
        if (e.call == "Chord") markers.emplace_back(TickOfMs(e.t, 180), e.notation);
        if (e.call == "KbdNoteOn") {
            open[e.key].push_back(expected.size());
            expected.push_back({TickOfMs(e.t, 180), e.key, true, 100});
        }
        if (e.call == "KbdNoteOff" && !open[e.key].empty()) {
            open[e.key].pop_front();
            expected.push_back({TickOfMs(e.t, 180), e.key, false, 0});
        }
        if (e.call == "KbdAllNotesOff") break;
    }
    for (auto& [key, ons] : open) {
        for (size_t n = 0; n < ons.size(); ++n) expected.push_back({TickOfMs(stopMs, 180), key, false, 0});
    }
    std::stable_sort(expected.begin(), expected.end(), [](const MidiNote& a, const MidiNote& b) {
        return a.tick != b.tick ? a.tick < b.tick : (!a.on && b.on);
    });
    const std::vector<MidiNote> written = NotesOf(x.file.tracks[1]);
    ASSERT_EQ(written.size(), expected.size());
    for (size_t i = 0; i < written.size(); ++i) {
        EXPECT_EQ(written[i].key, expected[i].key) << i;
        EXPECT_EQ(written[i].on, expected[i].on) << i;
        EXPECT_EQ(written[i].tick, expected[i].tick) << i;
    }

    std::vector<std::pair<int64_t, std::string>> writtenMarkers;
    for (const SmfEvent& e : x.file.tracks[0].events) {
        if (e.status == midi::kMeta && e.metaType == midi::kMarker) writtenMarkers.emplace_back(e.tick, e.data);
    }
    EXPECT_EQ(writtenMarkers, markers);
    ASSERT_EQ(markers.size(), 6u);
    EXPECT_EQ(markers[1], (std::pair<int64_t, std::string>{7678, "G9"}));
}

TEST(ExportMidi, OpensWithTempoTimeSignatureNamesAndProgram) {
    TempFolder folder;
    struct Case {
        int32_t tempo;
        int32_t program;
        std::string microseconds;
    };
    for (const Case& c : std::vector<Case>{{180, 0, "\x05\x16\x15"}, {120, 41, "\x07\xA1\x20"},
                                            {60, 127, std::string("\x0F\x42\x40")}, {300, 19, "\x03\x0D\x40"}}) {
        const Exported x = ExportChords(folder, {"RC"}, {"--tempo", std::to_string(c.tempo), "--program",
                                                         std::to_string(c.program)});
        EXPECT_EQ(x.file.format, 1);
        EXPECT_EQ(x.file.ticksPerQuarter, 960);
        ASSERT_EQ(x.file.tracks.size(), 2u);
        const std::vector<SmfEvent>& tempo = x.file.tracks[0].events;
        ASSERT_GE(tempo.size(), 4u);
        EXPECT_EQ(tempo[0], SmfMeta(0, midi::kTrackName, "song"));
        EXPECT_EQ(tempo[1], SmfMeta(0, midi::kTimeSignature, std::string("\x04\x02\x18\x08")));
        EXPECT_EQ(tempo[2], SmfMeta(0, midi::kTempo, c.microseconds)) << c.tempo;
        EXPECT_EQ(tempo[3], SmfMeta(0, midi::kMarker, "C7"));
        const std::vector<SmfEvent>& notes = x.file.tracks[1].events;
        ASSERT_GE(notes.size(), 3u);
        EXPECT_EQ(notes[0], SmfMeta(0, midi::kTrackName, "Chords"));
        EXPECT_EQ(notes[1], SmfChannel(0, 0xC0, static_cast<uint8_t>(c.program)));
        // The first arpeggio note, C4, one 55 ms step after PLAY.
        EXPECT_EQ(notes[2], SmfChannel(TickOfMs(55, c.tempo), 0x90, 60, 100));
    }
}

TEST(ExportMidi, ARestruckKeyIsLetGoFirstAtTheSameTick) {
    TempFolder folder;
    // Chords of 2000 ms: the C4 struck at 1815 ms lasts 330 ms, and the
    // chord's next turn strikes C4 again at 2055 ms.
    const Exported x = ExportChords(folder, {"Down=off Fill"}, {"--tempo", "240", "--passes", "3"});
    const std::vector<MidiNote> notes = NotesOf(x.file.tracks[1]);
    std::map<int32_t, bool> sounding;
    size_t restrikes = 0;
    for (size_t i = 0; i < notes.size(); ++i) {
        EXPECT_NE(sounding[notes[i].key], notes[i].on) << "note " << i << " at tick " << notes[i].tick;
        sounding[notes[i].key] = notes[i].on;
        if (i > 0 && notes[i].on && !notes[i - 1].on && notes[i - 1].key == notes[i].key &&
            notes[i - 1].tick == notes[i].tick) {
            ++restrikes;
        }
    }
    EXPECT_EQ(restrikes, 2u);
    const std::vector<PlayerEvent> player = PlayerTimeline(x.chd, 240, 6000 - 1);
    EXPECT_EQ(std::count_if(notes.begin(), notes.end(), [](const MidiNote& n) { return n.on; }),
              std::count_if(player.begin(), player.end(), [](const PlayerEvent& e) { return e.call == "KbdNoteOn"; }));
}

TEST(ExportMidi, TicksFollowTheTempo) {
    struct Case {
        int64_t ms;
        int32_t tempo;
        int64_t tick;
    };
    for (const Case& c : std::vector<Case>{{0, 180, 0}, {55, 180, 158}, {2666, 180, 7678}, {500, 120, 960},
                                            {1, 60, 1}, {31, 60, 30}, {1600, 300, 7680}}) {
        EXPECT_EQ(TickOfMs(c.ms, c.tempo), c.tick) << c.ms << " ms at " << c.tempo;
    }
}

TEST(ExportCli, PrintsWhatItWroteAndRefusesBadArgumentsAndFiles) {
    TempFolder folder;
    HeadlessSession s;
    testing::AppendChords(s, {"RD Minor", "RE Minor"});
    const std::string chd = folder / "two.chd";
    ASSERT_TRUE(s.toolkit.SaveStringArray(chd, SequenceFileLines(s.state.sequencer.sequence)));

    const CliRun ok = Cli({"export", chd, folder / "two.mid", "--passes=3", "--tempo", "120"});
    EXPECT_EQ(ok.status, 0) << ok.err;
    EXPECT_NE(ok.out.find(R"("written": ")" + folder / "two.mid" + R"(", "format": "midi", "chords": 6, "notes": )"),
              std::string::npos)
        << ok.out;
    EXPECT_NE(ok.out.find(R"("durationMs": 24000, "alerts": []})"), std::string::npos) << ok.out;

    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {chd, folder / "x.ogg"}, {chd}, {chd, folder / "x.mid", "--passes", "0"},
             {chd, folder / "x.mid", "--passes", "101"}, {chd, folder / "x.mid", "--program", "128"},
             {chd, folder / "x.mid", "--tempo", "fast"}, {chd, folder / "x.mid", "--speed", "2"},
             {chd, folder / "x.mid", "--passes"}, {chd, folder / "x.mid", "--voicing=Smooth"},
             {chd, folder / "x.mid", "--voicing", ""}, {chd, folder / "x.mid", "--voicing"}}) {
        std::vector<std::string> args{"export"};
        args.insert(args.end(), bad.begin(), bad.end());
        EXPECT_EQ(Cli(args).status, 2) << args.back();
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "x.mid"));

    // An unreadable sequence file writes nothing; one that cannot be opened says why.
    testing::WriteFile(folder / "bad.chd", "567765\nnot a sequence\n");
    for (const auto& [unreadable, said] :
         {std::pair{folder / "bad.chd", std::string(kInvalidFileAlert)},
          std::pair{folder / "absent.chd", "harmoniqua-cli export: " + folder / "absent.chd" + ": No such file or directory"}}) {
        const CliRun r = Cli({"export", unreadable, folder / "out.mid"});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, said + "\n");
        EXPECT_FALSE(std::filesystem::exists(folder / "out.mid"));
    }
}

TEST(ExportFiles, AFailedExportLeavesWhatWasThereAndNoTemporaryFile) {
    TempFolder folder;
    HeadlessSession s;
    testing::AppendChords(s, {"RC"});
    const std::string chd = folder / "one.chd";
    ASSERT_TRUE(s.toolkit.SaveStringArray(chd, SequenceFileLines(s.state.sequencer.sequence)));
    std::filesystem::create_directories(folder / "taken.mid");
    testing::WriteFile(folder / "taken.mid/inside", "kept");
    for (const std::string& target : {folder / "taken.mid", folder / "missing/out.mid"}) {
        const CliRun r = Cli({"export", chd, target});
        EXPECT_EQ(r.status, 1) << target;
        EXPECT_NE(r.err.find(kExportFailedAlert), std::string::npos) << r.err;
    }
    EXPECT_EQ(testing::ReadFile(folder / "taken.mid/inside"), "kept");
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / ""), {}), 2);  // one.chd, taken.mid
}

TEST(SaveDialog, WritesTheChosenTypeAndKeepsTheSequenceFileAsItWas) {
    struct Case {
        std::string answer;
        size_t type;
        std::string written;
        std::string starts;
    };
    const std::vector<Case> cases{
        {"plain", 0, "plain", "567765\n"},           // nothing appended
        {"any.txt", 6, "any.txt", "567765\n"},       // all files: a sequence file
        {"chart", 4, "chart.txt", "| Dm7 |\n"},
        {"score", 5, "score.musicxml", "<?xml"},
        {"song", 1, "song.mid", "MThd"},             // the type's extension added
        {"Song.MID", 1, "Song.MID", "MThd"},
        {"named.wav", 1, "named.wav", "MThd"},       // an extension is kept
    };
    for (const Case& c : cases) {
        TempFolder folder;
        HeadlessSession s;
        FileExporter exporter({});
        s.program.exporter = &exporter;
        testing::AppendChords(s, {"RD Minor"});
        s.toolkit.QueueSaveDialogAnswer(folder / c.answer, c.type);
        s.Select(kid::SaveSequence, 0);
        EXPECT_TRUE(s.toolkit.Alerts().empty()) << c.answer;
        EXPECT_TRUE(testing::ReadFile(folder / c.written).starts_with(c.starts)) << c.answer;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / ""), {}), 1) << c.answer;
    }
}

TEST(SaveDialog, TellsOfAnExportThatCouldNotBeWrittenOrAnEmptyList) {
    TempFolder folder;
    HeadlessSession s;
    s.Select(kid::SaveSequence, 0);
    EXPECT_EQ(s.toolkit.Alerts(), std::vector<std::string>{std::string(kEmptyListSaveAlert)});

    testing::AppendChords(s, {"RC"});
    testing::WriteFile(folder / "old.mid", "old");
    s.toolkit.QueueSaveDialogAnswer(folder / "old.mid", 1);  // no exporter at all
    s.Select(kid::SaveSequence, 0);
    FileExporter exporter({});
    s.program.exporter = &exporter;
    s.toolkit.QueueSaveDialogAnswer(folder / "nowhere/new.mid", 1);
    s.Select(kid::SaveSequence, 0);
    EXPECT_EQ(s.toolkit.Alerts(), (std::vector<std::string>{std::string(kEmptyListSaveAlert),
                                                             std::string(kExportFailedAlert),
                                                             std::string(kExportFailedAlert)}));
    EXPECT_EQ(testing::ReadFile(folder / "old.mid"), "old");
}

}  // namespace
}  // namespace hq

namespace hq {
namespace {

std::set<int32_t> PitchClasses(const std::vector<int32_t>& keys) {
    std::set<int32_t> classes;
    for (int32_t key : keys) classes.insert(key % 12);
    return classes;
}

// Each record's notes are the ones the player sounds in its eight beats;
// the file carries them and the tempo asked for.
TEST(ExportMusicXml, HoldsEachRecordsSoundingNotesAtTheTempoAsked) {
    TempFolder folder;
    HeadlessSession s;
    testing::AppendChords(s, {"RD Minor", "RG", "RC Major E9 Up=off"});  // Dm7, Gm7, C9
    const ChordSequence& sequence = s.state.sequencer.sequence;
    const std::string chd = folder / "three.chd";
    ASSERT_TRUE(s.toolkit.SaveStringArray(chd, SequenceFileLines(sequence)));

    const std::vector<std::set<int32_t>> sounding{{0, 2, 5, 9}, {2, 5, 7, 10}, {0, 4, 7, 10, 2}};
    for (int32_t tempo : {180, 97}) {
        const std::vector<std::vector<int32_t>> keys = KeysPerRecord(TakeExportSchedule(sequence, tempo, 2), 3);
        for (size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(PitchClasses(keys[i]), sounding[i]) << tempo << " " << i;
    }
    struct Case {
        std::vector<std::string> options;
        std::string tempo;
    };
    for (const Case& c : {Case{{}, "180"}, Case{{"--tempo", "97", "--passes", "2"}, "97"}}) {
        std::vector<std::string> args{"export", chd, folder / "three.musicxml"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliRun r = Cli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find(R"(", "format": "musicxml", "chords": )"), std::string::npos) << r.out;
        const std::string xml = testing::ReadFile(folder / "three.musicxml");
        EXPECT_NE(xml.find("<sound tempo=\"" + c.tempo + "\""), std::string::npos) << c.tempo;
        EXPECT_EQ(testing::Count(xml, "<harmony"), 3U);
        EXPECT_EQ(testing::Count(xml, "<measure "), 6U);
        EXPECT_NE(xml.find("<work-title>three</work-title>"), std::string::npos);
    }
    EXPECT_EQ(Cli({"export", chd, folder / "three.txt"}).status, 2);  // charts have their own command
}

}  // namespace
}  // namespace hq
