// A voice-led sequence as play-sequence and export send it, against the
// voicings worked out on the same records.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "export/midi_export.h"
#include "export/sequence_export.h"
#include "platform/controls.h"
#include "playback/voicing.h"
#include "sequencer/sequence_file.h"
#include "sequencer/sequence_player.h"
#include "sequencer/sequencer_test_support.h"
#include "sequencer/smf.h"
#include "support/cli_run.h"

namespace hq {
namespace {

using testing::Cli;
using testing::CliRun;
using testing::TempFolder;

constexpr int64_t kPeriodMs = 2666;  // eight beats at 180

// The note-on keys of each chord play-sequence lists, in the order sent.
std::vector<std::vector<int32_t>> KeysByChord(const std::string& out) {
    std::vector<std::vector<int32_t>> chords;
    const std::regex event(R"re("call": "(Chord|KbdNoteOn)"(?:, "pc": (\d+), "octave": (\d+))?)re");
    for (std::sregex_iterator it(out.begin(), out.end(), event), end; it != end; ++it) {
        if ((*it)[1] == "Chord") {
            chords.emplace_back();
        } else if (!chords.empty()) {
            chords.back().push_back(12 * (std::stoi((*it)[3]) + 1) + std::stoi((*it)[2]));
        }
    }
    return chords;
}

std::set<int32_t> Distinct(const std::vector<int32_t>& keys) { return {keys.begin(), keys.end()}; }

struct Progression {
    const char* name;
    std::vector<std::string> chords;  // control names, as a user clicks them before APPEND
    bool downOnly;                    // the arpeggio starts from the top
};

TEST(VoiceLedSequence, PlayAndExportSendEachRecordsVoicingWithItsOwnArpeggio) {
    const Progression cases[] = {
        {"ii-V-I, up and down", {"RD Minor", "RG Major", "RC Major E7=off Emaj7"}, false},
        {"I-vi-IV-V, repeated chord, arrangement and repeats set",
         {"RC Major E7=off Up=off Down=off ArrangeOctave RepeatAll", "RA Minor", "RF Major", "RG Major"}, false},
        {"slash-chord bass line, down", {"RC Major E7=off Up=off Down", "RG Major BB", "RA Minor BA", "RF Major BA"},
         true},
        {"a chord repeated, up with fill", {"RD Minor Down=off Up Fill", "RD Minor", "RG Major"}, false},
        {"13th beside a triad, up", {"RC Major E13 Down=off Up", "RF Major E13=off E7=off"}, false},
    };
    TempFolder folder;
    for (const Progression& c : cases) {
        HeadlessSession s;
        testing::AppendChords(s, c.chords);
        const ChordSequence& sequence = s.state.sequencer.sequence;
        const std::string chd = folder / "voiced.chd";
        ASSERT_TRUE(s.toolkit.SaveStringArray(chd, SequenceFileLines(sequence)));
        const std::vector<Voicing> voicings = VoiceSequence(ComposeRecords(sequence.Records));
        const auto count = static_cast<int64_t>(voicings.size());
        ASSERT_EQ(count, static_cast<int64_t>(c.chords.size())) << c.name;
        const std::string stopMs = std::to_string(count * kPeriodMs - 1);

        const CliRun smooth = Cli({"play-sequence", chd, "--ms", stopMs, "--voicing", "smooth"});
        ASSERT_EQ(smooth.status, 0) << c.name << smooth.err;
        const std::vector<std::vector<int32_t>> played = KeysByChord(smooth.out);
        ASSERT_EQ(played.size(), voicings.size()) << c.name;
        const ExportSchedule schedule = TakeExportSchedule(sequence, 180, 1, true);
        ASSERT_EQ(schedule.markers.size(), voicings.size()) << c.name;
        for (size_t k = 0; k < voicings.size(); ++k) {
            std::vector<int32_t> order = PlayOrder(voicings[k]);
            EXPECT_EQ(schedule.markers[k].keys, order) << c.name << " record " << k;
            EXPECT_EQ(schedule.markers[k].record, static_cast<int32_t>(k)) << c.name;
            if (c.downOnly) std::reverse(order.begin(), order.end());
            ASSERT_GE(played[k].size(), order.size()) << c.name << " record " << k;
            EXPECT_EQ(std::vector<int32_t>(played[k].begin(), played[k].begin() + std::ssize(order)), order)
                << c.name << " record " << k;
            EXPECT_EQ(Distinct(played[k]), Distinct(order)) << c.name << " record " << k;
        }

        // The written file: each chord's eight beats sound its voicing's keys and no others.
        const std::string mid = folder / "voiced.mid";
        const CliRun exported = Cli({"export", chd, mid, "--voicing=smooth"});
        ASSERT_EQ(exported.status, 0) << c.name << exported.err;
        const std::optional<SmfFile> file = ReadSmf(testing::ReadFile(mid));
        ASSERT_TRUE(file && file->tracks.size() == 2) << c.name;
        std::vector<std::set<int32_t>> written(voicings.size());
        for (const SmfEvent& e : file->tracks[1].events) {
            if ((e.status & 0xF0) != 0x90 || static_cast<uint8_t>(e.data[1]) == 0) continue;
            const auto chord = static_cast<size_t>(e.tick / TickOfMs(kPeriodMs, 180));
            ASSERT_LT(chord, written.size()) << c.name;
            written[chord].insert(static_cast<uint8_t>(e.data[0]));
        }
        for (size_t k = 0; k < voicings.size(); ++k) {
            EXPECT_EQ(written[k], Distinct(PlayOrder(voicings[k]))) << c.name << " record " << k;
        }

        // Off, or stored, is the player as it always was, byte for byte.
        const CliRun plain = Cli({"play-sequence", chd, "--ms", stopMs});
        EXPECT_EQ(Cli({"play-sequence", chd, "--ms", stopMs, "--voicing=stored"}).out, plain.out) << c.name;
        EXPECT_EQ(TakeExportSchedule(sequence, 180, 1, false).notes, TakeExportSchedule(sequence, 180, 1).notes);
    }
}

TEST(VoiceLedSequence, SaveExportsAsTheSequencersChoiceSays) {
    TempFolder folder;
    std::filesystem::create_directories(folder / "saved");
    std::filesystem::create_directories(folder / "cli");
    std::set<std::string> files;
    for (const bool voiceLed : {false, true}) {
        HeadlessSession s;
        FileExporter exporter({});
        s.program.exporter = &exporter;
        testing::AppendChords(s, {"RD Minor", "RG Major", "RC Major E7=off Emaj7"});
        const std::string chd = folder / "cli/song.chd";
        ASSERT_TRUE(s.toolkit.SaveStringArray(chd, SequenceFileLines(s.state.sequencer.sequence)));
        s.state.sequencer.play.VoiceLed = voiceLed;
        s.toolkit.QueueSaveDialogAnswer(folder / "saved/song.mid", 1);
        s.Select(kid::SaveSequence, 0);
        const std::string voicing = voiceLed ? "--voicing=smooth" : "--voicing=stored";
        ASSERT_EQ(Cli({"export", chd, folder / "cli/song.mid", voicing}).status, 0) << voicing;
        const std::string saved = testing::ReadFile(folder / "saved/song.mid");
        EXPECT_EQ(saved, testing::ReadFile(folder / "cli/song.mid")) << voicing;
        files.insert(saved);
    }
    EXPECT_EQ(files.size(), 2u) << "voiced and stored play differ here";
}

}  // namespace
}  // namespace hq
