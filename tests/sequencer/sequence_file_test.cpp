#include "sequencer/sequence_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/session.h"
#include "platform/controls.h"
#include "sequencer/sequencer_test_support.h"

namespace hq {
namespace {

using CallKind = HeadlessToolkit::CallKind;
using testing::AppendChords;
using testing::FileLines;
using testing::Joined;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

std::vector<ChordRecord> Records(const std::vector<std::string>& chords) {
    HeadlessSession s;
    AppendChords(s, chords);
    return s.state.sequencer.sequence.Records;
}

std::vector<std::string> Lines(size_t count, std::string_view first = "567765") {
    std::vector<std::string> lines(count, "x");
    if (count > 0) lines[0] = first;
    if (count > 39) lines[39] = "567765";
    return lines;
}

struct CountCase {
    const char* what;
    std::vector<std::string> lines;
    std::optional<int32_t> count;
    friend void PrintTo(const CountCase& c, std::ostream* os) { *os << c.what; }
};

class SequenceValidation : public ::testing::TestWithParam<CountCase> {};

TEST_P(SequenceValidation, CountsTheRecordsOrRejects) {
    EXPECT_EQ(CountSequenceRecords(GetParam().lines), GetParam().count);
}

std::vector<std::string> Damaged(std::vector<std::string> lines, size_t line, std::string text) {
    lines.at(line) = std::move(text);
    return lines;
}

std::vector<std::string> Plus(std::vector<std::string> lines, const std::vector<std::string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

const std::vector<ChordRecord> kThree = Records({"RC", "RD Minor", "RE E9"});
const std::vector<std::string> kTwoLines = FileLines({kThree[0], kThree[1]});

INSTANTIATE_TEST_SUITE_P(
    Files, SequenceValidation,
    ::testing::Values(
        CountCase{"one record", FileLines({kThree[0]}), 1},
        CountCase{"three records", FileLines(kThree), 3},
        CountCase{"40N lines without the final empty line", FileLines(kThree, false), 3},
        CountCase{"no lines", {}, std::nullopt},
        CountCase{"37 lines", Lines(37), std::nullopt},
        CountCase{"38 lines", Lines(38), std::nullopt},
        CountCase{"39 lines", Lines(39), std::nullopt},
        CountCase{"40 lines of nothing but the markers", Lines(40), 1},
        CountCase{"first opening marker damaged", Damaged(kTwoLines, 0, "567766"), std::nullopt},
        CountCase{"first opening marker with a blank", Damaged(kTwoLines, 0, "567765 "), std::nullopt},
        CountCase{"second opening marker damaged", Damaged(kTwoLines, 40, "x"), 2},
        CountCase{"second closing marker damaged", Damaged(kTwoLines, 79, "567765 "), std::nullopt},
        CountCase{"first closing marker damaged", Damaged(kTwoLines, 39, ""), std::nullopt},
        CountCase{"empty line at the second record's start ends the file", Damaged(kTwoLines, 40, ""), 1},
        CountCase{"anything after the ending empty line is ignored", Plus(kTwoLines, {"junk", "567765"}), 2},
        CountCase{"stray text right after the last record", Plus(FileLines(kThree, false), {"junk"}), std::nullopt},
        CountCase{"damaged fields inside a record are not checked",
                  Damaged(Damaged(kTwoLines, 22, std::string(100000, 'N')), 1, ""), 2}));

TEST(SequenceFileLines, EveryFieldOfEveryRecordThenOneEmptyLine) {
    HeadlessSession s;
    AppendChords(s, {"RC", "RD Minor"});
    const std::vector<std::string> lines = SequenceFileLines(s.state.sequencer.sequence);
    ASSERT_EQ(lines.size(), 81u);
    EXPECT_EQ(lines, FileLines(s.state.sequencer.sequence.Records));
}

class SequenceFiles : public ::testing::Test {
protected:
    TempFolder folder_;
};

TEST_F(SequenceFiles, SaveThenLoadGivesTheSameRecordsAndListInANewRun) {
    for (const std::vector<std::string>& chords :
         {std::vector<std::string>{"RC"}, {"RC", "RD Minor", "RE E9 Up=off"},
          {"RA Diminished", "RG Augmented sus4", "RB Rb Emaj13 BD", "RF", "RF"}}) {
        const std::string path = folder_ / "seq.chd";
        HeadlessSession first;
        AppendChords(first, chords);
        first.toolkit.QueueFileDialogAnswer(path);
        first.Select(kid::SaveSequence, 0);

        const size_t n = chords.size();
        const std::string bytes = ReadFile(path);
        EXPECT_EQ(bytes, Joined(FileLines(first.state.sequencer.sequence.Records)));
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), static_cast<std::ptrdiff_t>(40 * n + 1));
        EXPECT_TRUE(bytes.ends_with("567765\n\n"));

        HeadlessSession second;
        testing::ClickAll(second, {"RD", "Minor"});
        const ChordDefinition definition = second.state.definition;
        second.toolkit.QueueFileDialogAnswer(path);
        second.Select(kid::LoadSequence, 0);
        const ChordSequence& loaded = second.state.sequencer.sequence;
        EXPECT_EQ(loaded.Records, first.state.sequencer.sequence.Records);
        EXPECT_EQ(loaded.ListTexts, first.state.sequencer.sequence.ListTexts);
        EXPECT_EQ(loaded.SequenceCount, static_cast<int32_t>(n));
        EXPECT_EQ(loaded.SelectedPosition, static_cast<int32_t>(n) - 1);
        const HeadlessToolkit::Control* list = second.toolkit.ControlOf(second.Grid(), kid::ChordsList);
        EXPECT_EQ(list->lines, loaded.ListTexts);
        EXPECT_EQ(list->text, loaded.ListTexts.back());
        // Loading decodes nothing: the chord being built stays as it was.
        EXPECT_EQ(second.state.definition, definition);
        EXPECT_TRUE(second.toolkit.Alerts().empty());
    }
}

TEST_F(SequenceFiles, CrlfLoadsAsLfAndReplacesWhatTheListHeld) {
    const std::vector<ChordRecord> records = Records({"RD Minor", "RE E9"});
    WriteFile(folder_ / "crlf.chd", Joined(FileLines(records), "\r\n"));
    WriteFile(folder_ / "bare.chd", Joined(FileLines(records, false)));
    for (const char* name : {"crlf.chd", "bare.chd"}) {
        HeadlessSession s;
        AppendChords(s, {"RC", "RF", "RG"});
        s.toolkit.QueueFileDialogAnswer(folder_ / name);
        s.Select(kid::LoadSequence, 0);
        EXPECT_EQ(s.state.sequencer.sequence.Records, records) << name;
        EXPECT_EQ(s.state.sequencer.sequence.SequenceCount, 2) << name;
    }
}

TEST_F(SequenceFiles, ARejectedFileLeavesListSelectionAndChordAsTheyWere) {
    std::vector<std::string> twoRecords = FileLines(Records({"RD", "RE"}));
    WriteFile(folder_ / "closing.chd", Joined(Damaged(twoRecords, 79, "567765 ")));
    WriteFile(folder_ / "opening.chd", Joined(Damaged(twoRecords, 0, "")));
    WriteFile(folder_ / "short.chd", Joined(Lines(39)));
    WriteFile(folder_ / "empty.chd", "");
    std::filesystem::create_directories(folder_ / "folder.chd");
    const std::string big = folder_ / "big.chd";
    WriteFile(big, Joined(twoRecords));
    std::filesystem::resize_file(big, static_cast<uintmax_t>(kMaxStringArrayBytes) + 1);
    for (const char* name : {"closing.chd", "opening.chd", "short.chd", "empty.chd", "folder.chd", "big.chd",
                             "absent.chd"}) {
        HeadlessSession s;
        AppendChords(s, {"RC", "RF", "RG"});
        s.Select(kid::ChordsList, 1);
        const ChordSequence before = s.state.sequencer.sequence;
        const ChordDefinition definition = s.state.definition;
        const std::vector<std::string> shown = s.toolkit.ControlOf(s.Grid(), kid::ChordsList)->lines;
        s.toolkit.QueueFileDialogAnswer(folder_ / name);
        EXPECT_EQ(LoadSequence(s.state.sequencer.sequence, s.toolkit, s.Grid()), -1) << name;
        EXPECT_EQ(s.toolkit.Alerts(), std::vector<std::string>{std::string(kInvalidFileAlert)}) << name;
        EXPECT_EQ(s.state.sequencer.sequence.Records, before.Records) << name;
        EXPECT_EQ(s.state.sequencer.sequence.ListTexts, before.ListTexts) << name;
        EXPECT_EQ(s.state.sequencer.sequence.SelectedPosition, 1) << name;
        EXPECT_EQ(s.toolkit.ControlOf(s.Grid(), kid::ChordsList)->lines, shown) << name;
        EXPECT_EQ(s.state.definition, definition) << name;
    }
}

TEST_F(SequenceFiles, DialogsAskWithTheirTitlesAndACancelDoesNothing) {
    HeadlessSession s;
    AppendChords(s, {"RC"});
    const ChordSequence before = s.state.sequencer.sequence;
    s.toolkit.ClearCalls();
    s.Select(kid::SaveSequence, 0);
    EXPECT_EQ(LoadSequence(s.state.sequencer.sequence, s.toolkit, s.Grid()), 0);
    const std::vector<HeadlessToolkit::Call> expected{
        {CallKind::FileDialog, 0, 0, static_cast<int32_t>(FileDialogMode::Save), 0, 0, 0, std::string(kSaveDialogTitle)},
        {CallKind::FileDialog, 0, 0, static_cast<int32_t>(FileDialogMode::Open), 0, 0, 0, std::string(kLoadDialogTitle)},
    };
    EXPECT_EQ(s.toolkit.Calls(), expected);
    EXPECT_EQ(s.state.sequencer.sequence.Records, before.Records);
    EXPECT_TRUE(s.toolkit.Alerts().empty());
}

TEST_F(SequenceFiles, LoadRedrawsTheWindowBeforeItValidates) {
    HeadlessSession s;
    s.toolkit.QueueFileDialogAnswer(folder_ / "absent.chd");
    s.toolkit.ClearCalls();
    s.Select(kid::LoadSequence, 0);
    const std::vector<HeadlessToolkit::Call>& calls = s.toolkit.Calls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[1].kind, CallKind::LoadStringArray);
    EXPECT_EQ(calls[2], (HeadlessToolkit::Call{CallKind::Redraw, s.Grid(), 0}));
    EXPECT_EQ(calls[3].kind, CallKind::Alert);
}

TEST_F(SequenceFiles, SavingAnEmptyListOnlyAlerts) {
    for (const std::vector<std::string>& chords : {std::vector<std::string>{}, {"RC", "RD"}}) {
        HeadlessSession s;
        AppendChords(s, chords);
        s.Select(kid::ClearAllChords, 0);
        s.toolkit.QueueFileDialogAnswer(folder_ / "never.chd");
        s.toolkit.ClearCalls();
        s.Select(kid::SaveSequence, 0);
        EXPECT_EQ(s.toolkit.Alerts(), std::vector<std::string>{std::string(kEmptyListSaveAlert)});
        ASSERT_EQ(s.toolkit.Calls().size(), 1u);
        EXPECT_FALSE(std::filesystem::exists(folder_ / "never.chd"));
    }
}

// Tests may run as root, for whom a read-only folder is writable: the saves
// fail here because the temporary file or the target cannot be made at all.
TEST_F(SequenceFiles, AFailedSaveLeavesTheFileOnDiskAsItWasAndSaysSo) {
    WriteFile(folder_ / "kept.chd", "the old file\r\nbyte for byte\n");
    std::filesystem::create_directories(folder_ / "kept.chd.saving");  // where the new text would go
    WriteFile(folder_ / "plain", "a plain file\n");
    std::filesystem::create_directories(folder_ / "folder.chd/inside");
    struct Case {
        std::string target;
        std::string untouched;
        std::string bytes;
    };
    for (const Case& c : {Case{folder_ / "kept.chd", folder_ / "kept.chd", "the old file\r\nbyte for byte\n"},
                          Case{folder_ / "plain/seq.chd", folder_ / "plain", "a plain file\n"},
                          Case{folder_ / "folder.chd", folder_ / "folder.chd/inside", ""}}) {
        HeadlessSession s;
        AppendChords(s, {"RC", "RD"});
        s.toolkit.QueueFileDialogAnswer(c.target);
        s.Select(kid::SaveSequence, 0);
        EXPECT_EQ(s.toolkit.Alerts(), std::vector<std::string>{std::string(kSaveFailedAlert)}) << c.target;
        if (std::filesystem::is_directory(c.untouched)) {
            EXPECT_TRUE(std::filesystem::is_empty(c.untouched)) << c.target;
        } else {
            EXPECT_EQ(ReadFile(c.untouched), c.bytes) << c.target;
        }
    }
}

TEST(ParseSequenceFile, NoLinesAtAllIsInvalid) {
    EXPECT_FALSE(ParseSequenceFile(std::nullopt).has_value());
    EXPECT_FALSE(ParseSequenceFile(std::vector<std::string>{}).has_value());
    const std::optional<ChordSequence> one = ParseSequenceFile(FileLines({kThree[2]}));
    ASSERT_TRUE(one.has_value());
    EXPECT_EQ(one->ListTexts, std::vector<std::string>{kThree[2][kNotationField]});
    EXPECT_EQ(one->SelectedPosition, 0);
}

}  // namespace
}  // namespace hq
