#include "sequencer/sequence_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "headless/session.h"
#include "platform/string_array.h"
#include "sequencer/sequencer_test_support.h"

namespace hq {
namespace {

using testing::AppendChords;
using testing::FileLines;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

std::vector<ChordRecord> Records(const std::vector<std::string>& chords) {
    HeadlessSession s;
    AppendChords(s, chords);
    return s.state.sequencer.sequence.Records;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\n";
    return bytes;
}

std::vector<std::string> With(std::vector<std::string> lines, size_t line, std::string text) {
    if (line < lines.size()) {
        lines[line] = std::move(text);
    } else {
        lines.push_back(std::move(text));
    }
    return lines;
}

struct CountCase {
    const char* what;
    std::vector<std::string> lines;
    std::optional<int32_t> count;
};

std::vector<CountCase> CountCases() {
    const std::vector<ChordRecord> three = Records({"RC", "RD Minor", "RE E9"});
    const std::vector<std::string> two = FileLines({three[0], three[1]});
    std::vector<std::string> markers(40, "x");
    markers[0] = markers[39] = "567765";
    return {
        {"three records", FileLines(three), 3},
        {"40N lines: the missing last line counts as empty", FileLines(three, false), 3},
        {"no lines", {}, std::nullopt},
        {"37 lines", std::vector<std::string>(markers.begin(), markers.begin() + 37), std::nullopt},
        {"38 lines", std::vector<std::string>(markers.begin(), markers.begin() + 38), std::nullopt},
        {"39 lines", std::vector<std::string>(markers.begin(), markers.begin() + 39), std::nullopt},
        {"40 lines of nothing but the markers", markers, 1},
        {"first opening marker damaged", With(two, 0, "567765 "), std::nullopt},
        {"second opening marker damaged", With(two, 40, "x"), 2},
        {"second closing marker damaged", With(two, 79, "567766"), std::nullopt},
        {"an empty line at a record boundary ends the file", With(two, 40, ""), 1},
        {"anything after the ending empty line is ignored", With(two, 81, "junk"), 2},
        {"stray text right after the last record", With(FileLines(three, false), 120, "junk"), std::nullopt},
    };
}

TEST(CountSequenceRecords, CountsTheRecordsOrRejects) {
    for (const CountCase& c : CountCases()) EXPECT_EQ(CountSequenceRecords(c.lines), c.count) << c.what;
}

// Checking reads the text in place, loading moves the lines into records:
// neither may judge a file differently from the lines read as strings.
TEST(SequenceText, ReadInPlaceOrMovedGivesWhatTheLinesGive) {
    struct Ending {
        const char* name;
        const char* terminator;
        bool last;
    };
    const Ending endings[] = {{"LF", "\n", true}, {"CRLF", "\r\n", true}, {"no final terminator", "\n", false}};
    for (const CountCase& c : CountCases()) {
        for (const Ending& e : endings) {
            std::string text;
            for (size_t i = 0; i < c.lines.size(); ++i) {
                text += c.lines[i];
                if (i + 1 < c.lines.size() || e.last) text += e.terminator;
            }
            const std::optional<std::vector<std::string>> lines = SplitLines(text);
            const std::optional<ChordSequence> copied = ParseSequenceFile(lines);
            const std::optional<SequenceSummary> summary = SummariseSequenceText(text);
            ASSERT_EQ(summary.has_value(), copied.has_value()) << c.what << ", " << e.name;
            const std::optional<ChordSequence> moved = ParseSequenceFile(std::optional(SplitLines(text)));
            ASSERT_EQ(moved.has_value(), copied.has_value()) << c.what << ", " << e.name;
            if (!copied) continue;
            EXPECT_EQ(summary->count, copied->SequenceCount) << c.what << ", " << e.name;
            EXPECT_EQ(summary->names, copied->ListTexts) << c.what << ", " << e.name;
            EXPECT_EQ(moved->Records, copied->Records) << c.what << ", " << e.name;
            EXPECT_EQ(moved->ListTexts, copied->ListTexts) << c.what << ", " << e.name;
        }
    }
}

TEST(SequenceFiles, SaveThenLoadGivesTheSameRecordsAndListInANewRun) {
    TempFolder folder;
    for (const std::vector<std::string>& chords :
         {std::vector<std::string>{"RC"}, {"RC", "RD Minor", "RE E9 Up=off", "RF", "RF"}}) {
        HeadlessSession first;
        AppendChords(first, chords);
        first.toolkit.QueueFileDialogAnswer(folder / "seq.chd");
        first.Select(kid::SaveSequence, 0);
        const ChordSequence& saved = first.state.sequencer.sequence;
        EXPECT_EQ(ReadFile(folder / "seq.chd"), Joined(FileLines(saved.Records)));  // 40N + 1 lines

        HeadlessSession second;
        AppendChords(second, {"RG"});
        testing::ClickAll(second, {"RD", "Minor"});
        const ChordDefinition definition = second.state.definition;
        second.toolkit.QueueFileDialogAnswer(folder / "seq.chd");
        second.Select(kid::LoadSequence, 0);
        const ChordSequence& loaded = second.state.sequencer.sequence;
        EXPECT_EQ(loaded.Records, saved.Records);
        EXPECT_EQ(loaded.ListTexts, saved.ListTexts);
        EXPECT_EQ(loaded.SelectedPosition, static_cast<int32_t>(chords.size()) - 1);
        EXPECT_EQ(second.toolkit.ControlOf(second.Grid(), kid::ChordsList)->text, saved.ListTexts.back());
        EXPECT_EQ(second.state.definition, definition);  // nothing is decoded
    }
}

TEST(SequenceFiles, ARejectedFileLeavesTheListAsItWas) {
    TempFolder folder;
    const std::vector<std::string> two = FileLines(Records({"RD", "RE"}));
    WriteFile(folder / "closing.chd", Joined(With(two, 79, "567765 ")));
    WriteFile(folder / "short.chd", "567765\n11\n");
    std::filesystem::create_directories(folder / "folder.chd");
    WriteFile(folder / "big.chd", Joined(two));
    std::filesystem::resize_file(folder / "big.chd", static_cast<uintmax_t>(kMaxStringArrayBytes) + 1);
    for (const char* name : {"closing.chd", "short.chd", "folder.chd", "big.chd", "absent.chd"}) {
        HeadlessSession s;
        AppendChords(s, {"RC", "RF", "RG"});
        s.Select(kid::ChordsList, 1);
        const ChordSequence before = s.state.sequencer.sequence;
        s.toolkit.QueueFileDialogAnswer(folder / name);
        EXPECT_EQ(LoadSequence(s.state.sequencer.sequence, s.toolkit, s.Grid()), -1) << name;
        EXPECT_EQ(s.toolkit.Alerts(), std::vector<std::string>{std::string(kInvalidFileAlert)}) << name;
        EXPECT_EQ(s.state.sequencer.sequence.Records, before.Records) << name;
        EXPECT_EQ(s.state.sequencer.sequence.SelectedPosition, 1) << name;
        EXPECT_EQ(s.toolkit.ControlOf(s.Grid(), kid::ChordsList)->lines, before.ListTexts) << name;
    }
}

// Tests may run as root, for whom a read-only folder is writable: these saves
// fail because the temporary file or the target cannot be made at all.
TEST(SequenceFiles, AFailedSaveLeavesTheFileOnDiskAsItWasAndSaysSo) {
    TempFolder folder;
    // A name so long that no new file of a longer name fits beside it.
    const std::string kept = std::string(250, 'k') + ".chd";
    WriteFile(folder / kept, "the old file\r\nbyte for byte\n");
    WriteFile(folder / "plain", "a plain file\n");
    struct Case {
        std::string target, untouched, bytes;
    };
    for (const Case& c : {Case{folder / kept, folder / kept, "the old file\r\nbyte for byte\n"},
                          Case{folder / "plain/seq.chd", folder / "plain", "a plain file\n"}}) {
        HeadlessSession s;
        AppendChords(s, {"RC", "RD"});
        s.toolkit.QueueFileDialogAnswer(c.target);
        s.Select(kid::SaveSequence, 0);
        EXPECT_EQ(s.toolkit.Alerts(), std::vector<std::string>{std::string(kSaveFailedAlert)}) << c.target;
        EXPECT_EQ(ReadFile(c.untouched), c.bytes) << c.target;
    }
    // An empty list is not saved at all.
    HeadlessSession empty;
    empty.toolkit.QueueFileDialogAnswer(folder / "never.chd");
    empty.Select(kid::SaveSequence, 0);
    EXPECT_EQ(empty.toolkit.Alerts(), std::vector<std::string>{std::string(kEmptyListSaveAlert)});
    EXPECT_FALSE(std::filesystem::exists(folder / "never.chd"));
}

}  // namespace
}  // namespace hq
