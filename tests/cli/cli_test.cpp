#include "cli/cli.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <vector>

#include "sequencer/sequencer_test_support.h"
#include "support/cli_run.h"
#include "theory/chord_definition.h"

namespace hq {
namespace {

using testing::Cli;
using testing::CliRun;
using testing::Count;

TEST(CliSelect, StartsFromC7AndPrintsEveryKey) {
    const CliRun r = Cli({"select"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.rfind(
                  "{\"Notation\": \"C7\", \"IntervalsText\": \"1-3-5-b7\", \"BasicNotesText\": \"C,E,G,Bb\", "
                  "\"DistancesText\": \"0-4-7-10\", \"IntervalMarks\": [1, 0, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 0, "
                  "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0], \"RootPitch\": 0, \"RootName\": \"C\", \"BassPitch\": null, "
                  "\"BassName\": \"\", \"BassIndex\": 0, \"alerts\": [], \"definition\": {\"BassSelected\": 0, "
                  "\"RootLetterPitch\": 0, \"RootLetter\": \"C\", \"RootFlat\": 0",
                  0),
              0u)
        << r.out;
    EXPECT_EQ(Count(r.out, "\"checked\""), 47u);  // 11 radio buttons and 36 check boxes
    EXPECT_NE(r.out.find("\"RC\": {\"checked\": true, \"enabled\": true, \"disabledBy\": []}"), std::string::npos);
    EXPECT_NE(r.out.find("\"Ab9\": {\"checked\": false, \"enabled\": true, \"disabledBy\": []}"), std::string::npos);
    EXPECT_EQ(r.out.back(), '\n');
    size_t last = 0;
    for (const NumericField& field : kNumericFields) {
        const size_t at = r.out.find("\"" + std::string(field.name) + "\": ");
        ASSERT_NE(at, std::string::npos) << field.name;
        EXPECT_GT(at, last) << field.name;
        last = at;
    }
    EXPECT_NE(r.out.find("\"BassLetter\": \"\""), std::string::npos);
}

TEST(CliSelect, ReportsBassAndAlerts) {
    const CliRun r = Cli({"select", "E7=off", "BD", "add6"});
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\"Notation\": \"C.add6/D\""), std::string::npos);
    EXPECT_NE(r.out.find("\"BassPitch\": 2, \"BassName\": \"/D\", \"BassIndex\": 2"), std::string::npos);
    EXPECT_EQ(Count(r.out, "The selected Bass Note is not part\\nof the chord being defined.\\n"), 2u);
}

TEST(CliSelect, ReportsSelectionsOfDisabledControlsToo) {
    // E9 disables add9; the script still reports add9, which then is cleared.
    const CliRun r = Cli({"select", "E9", "add9", "E9=off", "add9"});
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\"Notation\": \"C.add9\""), std::string::npos) << r.out;
}

TEST(CliArguments, BadArgumentsExitTwoWithOneLine) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"nosuch"},
        {"select", "rc"},
        {"select", "RC=on"},
        {"select", "RC=off"},
        {"select", "E7=maybe"},
        {"select", "E7="},
        {"select", "NotationDisplay"},
        {"select", "RootPanel"},
        {"select", "ExtraButton1"},
        {"select", "Up"},
        {"select", ""},
        {"compose", "Extension=128"},
        {"compose", "Extension=-129"},
        {"compose", "Extension=7.0"},
        {"compose", "Extension="},
        {"compose", "Extension"},
        {"compose", "RootPitch=1"},
        {"compose", "Notation=C"},
    };
    for (const auto& args : cases) {
        const CliRun r = Cli(args);
        const std::string shown = args.empty() ? "(none)" : args.back();
        EXPECT_EQ(r.status, 2) << shown;
        EXPECT_EQ(r.out, "") << shown;
        EXPECT_EQ(Count(r.err, "\n"), 1u) << shown;
    }
}

// Regressions: a missing file was reported as valid JSON with exit 0, an
// unknown option as a missing value, a miscased control without the name meant.
TEST(CliErrors, NameWhatWasMeantAndWhatFailed) {
    const std::string absent = "/nonexistent-folder/absent.chd";
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const std::vector<Case> cases = {
        {{"check", absent}, 1, "harmoniqua-cli check: " + absent + ": No such file or directory\n"},
        {{"play-sequence", absent}, 1, "harmoniqua-cli play-sequence: " + absent + ": No such file or directory\n"},
        {{"export", absent, "/tmp/out.mid"}, 1, "harmoniqua-cli export: " + absent + ": No such file or directory\n"},
        {{"export", "a.chd", "b.mid", "--bogus"}, 2, "harmoniqua-cli export: unknown option: --bogus\n"},
        {{"play-sequence", "a.chd", "--bogus=3"}, 2, "harmoniqua-cli play-sequence: unknown option: --bogus\n"},
        {{"check", "--bogus", "a.chd"}, 2, "harmoniqua-cli check: unknown option: --bogus\n"},
        {{"play", "--bogus"}, 2, "harmoniqua-cli play: unknown option: --bogus\n"},
        {{"analyze", "C4", "--bogus", "1"}, 2, "harmoniqua-cli analyze: unknown option: --bogus\n"},
        {{"select", "--bogus"}, 2, "harmoniqua-cli select: unknown option: --bogus\n"},
        {{"parse", "C7", "--bogus"}, 2, "harmoniqua-cli parse: unknown option: --bogus\n"},
        {{"select", "major"}, 2, "harmoniqua-cli select: not a Step-panel control selection: major (did you mean Major?)\n"},
        {{"select", "Minor=on"}, 2,
         "harmoniqua-cli select: not a Step-panel control selection: Minor=on (a radio button is named alone: Minor)\n"},
        {{"select", "e9=on"}, 2, "harmoniqua-cli select: not a Step-panel control selection: e9=on (did you mean E9=on?)\n"},
        {{"select", "bb"}, 2, "harmoniqua-cli select: not a Step-panel control selection: bb (did you mean BB or Bb?)\n"},
        {{"encode", "rd"}, 2, "harmoniqua-cli encode: not a Step-panel control selection: rd (did you mean RD?)\n"},
        {{"analyze", "C0", "E4", "G4"}, 2, "harmoniqua-cli analyze: C0 is outside the piano's C1 to B7\n"},
        {{"analyze", "C4", "C8"}, 2, "harmoniqua-cli analyze: C8 is outside the piano's C1 to B7\n"},
        {{"analyze", "23"}, 2, "harmoniqua-cli analyze: 23 is outside the piano's C1 to B7\n"},
    };
    for (const Case& c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, c.status) << c.args[1];
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, "") << c.args[1];
    }
    // What opens but is no sequence file still gets its JSON with the alert, and exit 1.
    testing::TempFolder folder;
    const std::string fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    testing::WriteFile(folder / "noise.chd", std::string("\x93\x07\0\xfe\n567765\n", 11));
    for (const std::string& path : {folder / ".", fifo, std::string("/dev/zero"), folder / "noise.chd"}) {
        for (const char* command : {"check", "play-sequence"}) {
            const CliRun r = Cli({command, path});
            EXPECT_EQ(r.status, 1) << command << " " << path;
            EXPECT_NE(r.out.find("not a valid\\nChords Sequence File"), std::string::npos) << command << " " << path;
        }
    }
}

TEST(CliCompose, SetsFieldsOnTopOfTheStartUpChord) {
    const CliRun r = Cli({"compose", "RootLetterPitch=100", "RootLetter=Eb", "BassLetter=/G", "BassSelected=1",
                       "BassLetterPitch=-128", "Extension=-128"});
    ASSERT_EQ(r.status, 0) << r.err;
    // 100 reduces to 4 and -128 to 4 as well: the bass equals the root.
    EXPECT_NE(r.out.find("\"Notation\": \"Eb\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"RootPitch\": 4"), std::string::npos);
    EXPECT_NE(r.out.find("\"BassPitch\": 4, \"BassName\": \"/G\", \"BassIndex\": 0"), std::string::npos);
    EXPECT_NE(r.out.find("\"RC\": {\"checked\": true"), std::string::npos);
    EXPECT_NE(r.out.find("\"Major\": {\"checked\": true"), std::string::npos);
}

TEST(CliCompose, WritesInvalidUtf8AsEscapedBytes) {
    const CliRun r = Cli({"compose", "RootLetter=\xff" "A", "Extension=+0", "RootFlat=127"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"RootName\": \"\\u00ffAb\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"RootLetter\": \"\\u00ffA\""), std::string::npos);
}

TEST(CliHelp, ListsTheCommands) {
    const CliRun r = Cli({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("select"), std::string::npos);
    EXPECT_NE(r.out.find("compose"), std::string::npos);
    EXPECT_NE(r.out.find("analyze NOTE... [--use N]"), std::string::npos);
}

}  // namespace
}  // namespace hq

namespace hq {
namespace {

TEST(CliControls, SayWhichRulesDisabledEachBox) {
    struct Case {
        std::vector<std::string> args;
        std::string control;
    };
    const std::vector<Case> cases{
        {{"select", "Diminished"}, "\"E13\": {\"checked\": false, \"enabled\": false, \"disabledBy\": "
                                   "[\"Not available with a diminished chord\"]}"},
        {{"select", "E7=off", "sus2", "sus4"},
         "\"Ano3\": {\"checked\": false, \"enabled\": false, \"disabledBy\": [\"Not available with sus2\", "
         "\"Not available with sus4\"]}"},
        {{"compose", "ChordClass=1", "Extension=9"},
         "\"As9\": {\"checked\": false, \"enabled\": false, \"disabledBy\": [\"Not available with a minor chord\", "
         "\"Not available with the 9th extension: the ninth is already in it\"]}"},
        {{"compose", "Extension=6"},
         "\"Ab13\": {\"checked\": false, \"enabled\": false, \"disabledBy\": [\"Not available with the 6th "
         "extension\", \"Needs a 7th or larger extension\"]}"},
        {{"select", "Diminished", "Major"}, "\"E13\": {\"checked\": false, \"enabled\": true, \"disabledBy\": []}"},
    };
    for (const Case& c : cases) {
        const testing::CliRun r = testing::Cli(c.args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find(c.control), std::string::npos) << c.args.back() << "\n" << r.out;
        EXPECT_EQ(testing::Count(r.out, "\"disabledBy\""), 47u);
    }
}

}  // namespace
}  // namespace hq
