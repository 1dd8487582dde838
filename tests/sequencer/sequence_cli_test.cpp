#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "sequencer/chord_record.h"
#include "sequencer/sequence_file.h"
#include "sequencer/sequencer_test_support.h"
#include "support/cli_run.h"

namespace hq {
namespace {

using testing::Cli;
using testing::CliRun;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

std::vector<std::string> OutLines(const std::string& out) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = out.find('\n'); end != std::string::npos; end = out.find('\n', start)) {
        lines.push_back(out.substr(start, end - start));
        start = end + 1;
    }
    EXPECT_EQ(start, out.size()) << "the last line has no line feed";
    return lines;
}

std::string Encoded(const std::vector<std::string>& args) {
    std::vector<std::string> all{"encode"};
    all.insert(all.end(), args.begin(), args.end());
    const CliRun r = Cli(all);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out;
}

TEST(CliEncode, PrintsTheFortyLinesThatAppendMakes) {
    struct Case {
        std::vector<std::string> args;
        std::vector<std::pair<size_t, std::string>> fields;
    };
    const Case cases[] = {
        {{}, {{0, "567765"}, {7, " 7"}, {13, ""}, {22, "C7"}, {31, " 1"}, {32, " 1"}, {34, " 180"}, {39, "567765"}}},
        {{"RD", "Minor", "Ab5", "--tempo", "120", "--notes", "3", "--no-up", "--arrangement", "harmonic"},
         {{2, " 2"}, {6, " 1"}, {18, "-1"}, {26, " 2"}, {31, " 0"}, {32, " 1"}, {34, " 120"}, {35, " 3"}}},
        {{"--repeat", "root,all", "--fill", "--no-down", "--tempo=-5"},
         {{27, " 1"}, {30, " 1"}, {32, " 0"}, {33, " 1"}, {34, "-5"}}},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> lines = OutLines(Encoded(c.args));
        ASSERT_EQ(lines.size(), kRecordFieldCount);
        for (const auto& [field, text] : c.fields) EXPECT_EQ(lines[field], text) << "field " << field;
    }
}

TEST(CliEncode, AlertsGoToStderrAndBadArgumentsExitWith2) {
    const CliRun anomaly = Cli({"encode", "E7=off", "BD"});
    EXPECT_EQ(anomaly.status, 0);
    EXPECT_EQ(OutLines(anomaly.out).size(), kRecordFieldCount);
    EXPECT_NE(anomaly.err.find("The selected Bass Note is not part\n"), std::string::npos);
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"encode", "--random-base", "5"},
                                                {"encode", "--once"}, {"encode", "--ms", "5"}, {"encode", "rc"},
                                                {"encode", "--tempo", "fast"}}) {
        const CliRun r = Cli(bad);
        EXPECT_EQ(r.status, 2) << bad[1];
        EXPECT_TRUE(r.out.empty()) << bad[1];
        EXPECT_FALSE(r.err.empty()) << bad[1];
    }
}

const std::string kInvalidJson =
    R"({"valid": false, "count": 0, "names": [], "alerts": ["The selected file to load is not a valid\nChords )"
    R"(Sequence File or is corrupted.\nThe List will not be updated."]})"
    "\n";

TEST(CliCheck, ValidFilesGiveTheirCountAndNamesInvalidOnesTheAlert) {
    TempFolder folder;
    const std::string records = Encoded({}) + Encoded({"RD", "Minor"}) + Encoded({"RB", "Rb", "E9"});
    std::string damaged = records + "\n";
    damaged[damaged.size() - 3] = '6';  // the last closing marker
    struct Case {
        const char* name;
        std::string bytes;
        std::string out;
    };
    const Case cases[] = {
        {"three.chd", records + "\n", R"({"valid": true, "count": 3, "names": ["C7", "Dm7", "Bb9"], "alerts": []})" "\n"},
        {"bare.chd", records, R"({"valid": true, "count": 3, "names": ["C7", "Dm7", "Bb9"], "alerts": []})" "\n"},
        {"one.chd", Encoded({}) + "\nanything after\n", R"({"valid": true, "count": 1, "names": ["C7"], "alerts": []})" "\n"},
        {"damaged.chd", damaged, kInvalidJson},
        {"stray.chd", records + "stray\n", kInvalidJson},
        {"empty.chd", "", kInvalidJson},
        {"binary.chd", std::string("\0\xff\n\x80", 4), kInvalidJson},
    };
    for (const Case& c : cases) {
        WriteFile(folder / c.name, c.bytes);
        const CliRun r = Cli({"check", folder / c.name});
        EXPECT_EQ(r.status, 0) << c.name;
        EXPECT_EQ(r.out, c.out) << c.name;
    }
    EXPECT_EQ(Cli({"check", folder / "absent.chd"}).out, kInvalidJson);
    EXPECT_EQ(Cli({"check", ""}).out, kInvalidJson);
    EXPECT_EQ(Cli({"check"}).status, 2);
    EXPECT_EQ(Cli({"check", "a", "b"}).status, 2);
    EXPECT_EQ(Cli({"check", "a", "--ms", "3"}).status, 2);
}

// The "t" of every Chord event, in order.
std::vector<int64_t> ChordTimes(const std::string& out) {
    std::vector<int64_t> times;
    const std::regex chord(R"re(\{"t": (\d+), "call": "Chord", "Notation": "[^"]*"\})re");
    for (auto it = std::sregex_iterator(out.begin(), out.end(), chord); it != std::sregex_iterator(); ++it) {
        times.push_back(std::stoll((*it)[1].str()));
    }
    return times;
}

TEST(CliPlaySequence, ChordsComeEveryEightBeatsOfTheTempoUntilStop) {
    TempFolder folder;
    WriteFile(folder / "three.chd", Encoded({}) + Encoded({"RD", "Minor"}) + Encoded({"RE", "E9", "--tempo", "60"}) + "\n");
    struct Case {
        std::vector<std::string> options;
        std::vector<int64_t> chords;
    };
    const Case cases[] = {
        {{}, {0, 2666, 5332, 7998}},
        {{"--ms", "7997"}, {0, 2666, 5332}},
        {{"--ms", "7998"}, {0, 2666, 5332, 7998}},  // the tick due at STOP runs first
        {{"--tempo", "60", "--ms", "16000"}, {0, 8000, 16000}},
        {{"--tempo=20", "--ms=8000"}, {0, 8000}},
        {{"--tempo", "1000", "--ms", "5000"}, {0, 1600, 3200, 4800}},
        {{"--ms", "0"}, {0}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"play-sequence", folder / "three.chd"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliRun r = Cli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(ChordTimes(r.out), c.chords) << (c.options.empty() ? "defaults" : c.options.back());
        EXPECT_TRUE(r.out.ends_with(R"(], "alerts": []})" "\n"));
        // Every note switched on is switched off before the end.
        EXPECT_EQ(testing::Count(r.out, R"("call": "KbdNoteOn")"), testing::Count(r.out, R"("call": "KbdNoteOff")"));
    }
    const CliRun r = Cli({"play-sequence", folder / "three.chd", "--ms", "5332"});
    EXPECT_TRUE(r.out.starts_with(R"({"events": [{"t": 0, "call": "Chord", "Notation": "C7"}, )"
                                  R"({"t": 0, "call": "KbdGetParam", "param": 23, "value": 0}, )"))
        << r.out.substr(0, 200);
    EXPECT_NE(r.out.find(R"({"t": 2666, "call": "Chord", "Notation": "Dm7"})"), std::string::npos);
    EXPECT_NE(r.out.find(R"({"t": 5332, "call": "Chord", "Notation": "E9"})"), std::string::npos);
    EXPECT_NE(r.out.find(R"({"t": 5332, "call": "KbdAllNotesOff"})"), std::string::npos);
}

TEST(CliPlaySequence, AnInvalidFilePlaysNothing) {
    TempFolder folder;
    WriteFile(folder / "short.chd", "567765\n11\n");
    const std::string expected =
        R"({"events": [], "alerts": ["The selected file to load is not a valid\nChords Sequence File or is )"
        R"(corrupted.\nThe List will not be updated."]})"
        "\n";
    for (const std::string& path : {folder / "short.chd", folder / "absent.chd", std::string()}) {
        const CliRun r = Cli({"play-sequence", path});
        EXPECT_EQ(r.status, 0) << path;
        EXPECT_EQ(r.out, expected) << path;
    }
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"play-sequence"},
                                                {"play-sequence", "f", "--ms", "-1"},
                                                {"play-sequence", "f", "--ms", "600001"},
                                                {"play-sequence", "f", "--tempo"},
                                                {"play-sequence", "f", "--once"}}) {
        EXPECT_EQ(Cli(bad).status, 2) << bad.back();
    }
}

}  // namespace
}  // namespace hq
