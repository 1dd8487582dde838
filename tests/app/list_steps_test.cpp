// Undo and redo of the sequence list, the transposing keys, charts typed
// in, and LOAD's file types, on the headless toolkit.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/chord_steps.h"
#include "app/list_loading.h"
#include "platform/controls.h"
#include "sequencer/chart_reader.h"
#include "sequencer/load_types.h"
#include "sequencer/sequence_file.h"
#include "sequencer/sequencer_test_support.h"
#include "support/session_helpers.h"
#include "support/song_builder.h"

namespace hq {
namespace {

using testing::AppendChords;
using testing::TempFolder;
using Steps = std::function<void(HeadlessSession&)>;
using Lines = std::vector<std::string>;

void Undo(HeadlessSession& s) { UndoChord(s.program); }
void Redo(HeadlessSession& s) { RedoChord(s.program); }
void Chart(HeadlessSession& s, const char* text) { AppendChart(s.program, *ReadChart(text).chords); }
Lines Shown(const HeadlessSession& s) { return s.toolkit.ControlOf(s.Grid(), kid::ChordsList)->lines; }

struct ListCase {
    const char* name;
    Steps steps;
    Lines list;  // as ChordsList shows it
    const char* notation;
};

TEST(ListSteps, UndoAndRedoBringBackTheListAndThePanels) {
    const auto twoChords = [](HeadlessSession& s) { AppendChords(s, {"RD", "RE Minor"}); };
    const std::vector<ListCase> cases{
        {"a chart appends every chord, the panels show the last",
         [&](HeadlessSession& s) { twoChords(s); Chart(s, "| Dm7 G7 | Cmaj7 | % |"); },
         {"D7", "Em7", "Dm7", "G7", "C.maj7", "C.maj7"}, "C.maj7"},
        {"a chart is one step", [&](HeadlessSession& s) { twoChords(s); Chart(s, "| Dm7 G7 | Cmaj7 |"); Undo(s); },
         {"D7", "Em7"}, "Em7"},
        {"and comes back whole", [&](HeadlessSession& s) { twoChords(s); Chart(s, "| Bb A |"); Undo(s); Redo(s); },
         {"D7", "Em7", "Bb", "A"}, "A"},
        {"the list up a semitone", [&](HeadlessSession& s) { twoChords(s); TransposeList(s.program, 1); },
         {"Eb7", "Fm7"}, "Em7"},
        {"the list down, undone", [&](HeadlessSession& s) { twoChords(s); TransposeList(s.program, -1); Undo(s); },
         {"D7", "Em7"}, "Em7"},
        {"Clear All undone", [&](HeadlessSession& s) { twoChords(s); s.Select(kid::ClearAllChords, 0); Undo(s); },
         {"D7", "Em7"}, "Em7"},
        {"Clear All redone", [&](HeadlessSession& s) {
             twoChords(s); s.Select(kid::ClearAllChords, 0); Undo(s); Redo(s); },
         {"Empty List"}, "Em7"},
        {"Remove undone", [&](HeadlessSession& s) {
             twoChords(s); s.Select(kid::ChordsList, 0); s.Select(kid::RemoveChord, 0); Undo(s); },
         {"D7", "Em7"}, "Em7"},
        {"Append undone with the chord after it",
         [&](HeadlessSession& s) { twoChords(s); testing::Click(s, "RG"); Undo(s); Undo(s); },
         {"D7"}, "Em7"},
        {"Insert undone", [&](HeadlessSession& s) {
             twoChords(s); testing::Click(s, "RA"); s.Select(kid::InsertChord, 0); Undo(s); },
         {"D7", "Em7"}, "Am7"},
        {"nothing to transpose is no step",
         [](HeadlessSession& s) { testing::Click(s, "RD"); TransposeList(s.program, 1); Undo(s); },
         {}, "C7"},
    };
    for (const ListCase& c : cases) {
        HeadlessSession s;
        c.steps(s);
        EXPECT_EQ(Shown(s), c.list) << c.name;
        EXPECT_EQ(testing::Display(s, kid::NotationDisplay), c.notation) << c.name;
    }
}

// Ctrl+Up walks the twelve roots with the plain spellings and back to C;
// Ctrl+Down and undo walk them back.
TEST(ListSteps, SemitoneKeysWalkTheRootsOneStepEach) {
    const Lines up{"Db7", "D7", "Eb7", "E7", "F7", "Gb7", "G7", "Ab7", "A7", "Bb7", "B7", "C7"};
    HeadlessSession s;
    for (const std::string& want : up) {
        TransposeChord(s.program, 1);
        EXPECT_EQ(testing::Display(s, kid::NotationDisplay), want);
    }
    TransposeChord(s.program, -1);
    EXPECT_EQ(testing::Display(s, kid::NotationDisplay), "B7");
    for (size_t back = up.size(); back-- > 0;) {
        Undo(s);
        EXPECT_EQ(testing::Display(s, kid::NotationDisplay), up[back]);
    }
    Undo(s);
    EXPECT_EQ(testing::Display(s, kid::NotationDisplay), "C7");
}

struct LoadCase {
    const char* name;
    std::string file;
    std::string bytes;
    std::optional<size_t> type;  // none: the dialog's preselected "All files"
    Lines list;                  // empty: the list as it was
    std::string alertStart;
};

std::string SequenceBytes(const std::vector<std::string>& chords) {
    HeadlessSession s;
    AppendChords(s, chords);
    std::string bytes;
    for (const std::string& line : SequenceFileLines(s.state.sequencer.sequence)) bytes += line + "\n";
    return bytes;
}

std::string SongBytes() {
    test::SongBuilder song;
    song.Tempo(0, 100);
    song.Chord(0, 4, {48, 64, 67, 72}).Chord(4, 4, {53, 65, 69, 72}).Chord(8, 4, {43, 59, 65, 67});
    song.Chord(12, 4, {48, 64, 67, 72});
    return song.Bytes();
}

TEST(LoadTypes, TheFilterDecidesElseTheExtension) {
    const std::string chart = "| Dm7 G7 | Cmaj7 |\n";
    const Lines charted{"Dm7", "G7", "C.maj7"};
    const Lines song{"C", "F", "G7", "C"};
    const std::vector<LoadCase> cases{
        {"a chart by its extension", "a.TXT", chart, std::nullopt, charted, ""},
        {"a chart by its filter", "a.chords", chart, 2, charted, ""},
        {"a song by its extension", "s.midi", SongBytes(), std::nullopt, song, ""},
        {"a song by its filter", "s.bin", SongBytes(), 3, song, ""},
        {"a sequence by its filter", "q.txt", SequenceBytes({"RA Minor"}), 1, {"Am7"}, ""},
        {"anything else is a sequence", "q.seq", SequenceBytes({"RB"}), std::nullopt, {"B7"}, ""},
        {"a refused chart says where", "bad.txt", "| C | Dm7 H7 |\n", std::nullopt, {},
         std::string(kChartUnreadAlert) + "bar 2, chord 2: "},
        {"a chart of no chords", "nc.txt", "| N.C. | |\n", std::nullopt, {}, std::string(kChartUnreadAlert)},
        {"a damaged song", "bad.mid", "MThd\0\0", std::nullopt, {}, std::string(kSongUnreadAlert)},
        {"a chart is no sequence", "c.chd", chart, std::nullopt, {}, std::string(kInvalidFileAlert)},
    };
    for (const LoadCase& c : cases) {
        TempFolder folder;
        testing::WriteFile(folder / c.file, c.bytes);
        HeadlessSession s;
        AppendChords(s, {"RE", "RF"});
        const Lines before = Shown(s);
        if (c.type) {
            s.toolkit.QueueSaveDialogAnswer(folder / c.file, *c.type);
        } else {
            s.toolkit.QueueFileDialogAnswer(folder / c.file);
        }
        s.Select(kid::LoadSequence, 0);
        if (c.list.empty()) {
            EXPECT_EQ(Shown(s), before) << c.name;
            ASSERT_EQ(s.toolkit.Alerts().size(), 1U) << c.name;
            EXPECT_TRUE(s.toolkit.Alerts()[0].starts_with(c.alertStart)) << c.name << ": " << s.toolkit.Alerts()[0];
            continue;
        }
        EXPECT_TRUE(s.toolkit.Alerts().empty()) << c.name;
        EXPECT_EQ(Shown(s), c.list) << c.name;
        Undo(s);  // one step back to the list before
        EXPECT_EQ(Shown(s), before) << c.name;
    }
}

TEST(LoadTypes, SongLinesTellTheirKeyAndNumeral) {
    TempFolder folder;
    testing::WriteFile(folder / "s.mid", SongBytes());
    HeadlessSession s;
    s.toolkit.QueueFileDialogAnswer(folder / "s.mid");
    s.Select(kid::LoadSequence, 0);
    EXPECT_EQ(s.toolkit.ControlOf(s.Grid(), kid::ChordsList)->lineHints,
              (Lines{"C major: I", "C major: IV", "C major: V7", "C major: I"}));
    EXPECT_EQ(std::stoi(s.state.sequencer.sequence.Records[0][34]), 100);  // the song's tempo field
    s.Select(kid::RemoveChord, 0);  // the lines are new: their hints go
    EXPECT_TRUE(s.toolkit.ControlOf(s.Grid(), kid::ChordsList)->lineHints.empty());
}

TEST(LoadTypes, ExtensionsAndFilterIndices) {
    const std::vector<std::tuple<size_t, const char*, LoadKind>> cases{
        {0, "a.txt", LoadKind::Chart},   {0, "a.Mid", LoadKind::Song},     {0, "a.MIDI", LoadKind::Song},
        {0, "a.chd", LoadKind::Sequence}, {0, "txt", LoadKind::Sequence},  {0, "a.txt.bak", LoadKind::Sequence},
        {1, "a.mid", LoadKind::Sequence}, {2, "a.chd", LoadKind::Chart},   {3, "a", LoadKind::Song},
        {9, "a.mid", LoadKind::Song},
    };
    for (const auto& [type, path, kind] : cases) EXPECT_EQ(LoadKindOf(type, path), kind) << type << " " << path;
}

}  // namespace
}  // namespace hq
