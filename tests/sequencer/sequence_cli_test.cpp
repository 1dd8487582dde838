#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "sequencer/sequencer_test_support.h"
#include "support/cli_run.h"

namespace hq {
namespace {

using testing::Cli;
using testing::CliRun;

std::string Encoded(std::vector<std::string> args) {
    args.insert(args.begin(), "encode");
    const CliRun r = Cli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out;
}

TEST(CliEncode, PrintsTheFortyLinesThatAppendMakes) {
    EXPECT_EQ(Encoded({}), "567765\n11\n 0\nC\n 0\n 0\n 0\n 7\n 0\n 0\n 0\n 0\n 0\n\n 0\n 0\n 0\n 0\n 0\n 0\n 0\n 0\n"
                           "C7\n1-3-5-b7\nC,E,G,Bb\n0-4-7-10\n 0\n 0\n 0\n 0\n 0\n 1\n 1\n 0\n 180\n 6\n"
                           "Reserva\nReserva\n11\n567765\n");
    const std::string dm = Encoded({"RD", "Minor", "Ab5", "--tempo", "120", "--notes=3", "--no-up", "--arrangement",
                                    "harmonic", "--repeat", "root,all", "--fill"});
    EXPECT_NE(dm.find("\n 2\nD\n 0\n 0\n 1\n 7\n"), std::string::npos);                          // fields 2..7
    EXPECT_NE(dm.find("\n-1\n 0\n 0\n 0\nDm7(b5)\n"), std::string::npos);                         // fields 18..22
    EXPECT_NE(dm.find("\n 2\n 1\n 0\n 0\n 1\n 0\n 1\n 1\n 120\n 3\nReserva\n"), std::string::npos);  // 26..36

    const CliRun anomaly = Cli({"encode", "E7=off", "BD"});
    EXPECT_EQ(testing::Count(anomaly.out, "\n"), 40u);
    EXPECT_NE(anomaly.err.find("The selected Bass Note is not part\n"), std::string::npos);
    for (const char* bad : {"--random-base", "--once", "rc"}) EXPECT_EQ(Cli({"encode", bad, "5"}).status, 2) << bad;
}

const std::string kInvalid = R"("alerts": ["The selected file to load is not a valid\nChords Sequence File or is )"
                             R"(corrupted.\nThe List will not be updated."]})";

TEST(CliCheck, ValidFilesGiveCountAndNamesInvalidOnesTheAlert) {
    testing::TempFolder folder;
    const std::string records = Encoded({}) + Encoded({"RD", "Minor"}) + Encoded({"RB", "Rb", "E9"});
    std::string damaged = records;
    damaged[damaged.size() - 2] = '6';  // the last closing marker
    const std::string three = R"({"valid": true, "count": 3, "names": ["C7", "Dm7", "Bb9"], "alerts": []})";
    const std::string invalid = R"({"valid": false, "count": 0, "names": [], )" + kInvalid;
    struct Case {
        const char* name;
        std::string bytes, out;
    };
    for (const Case& c : {Case{"three.chd", records + "\n", three}, Case{"bare.chd", records, three},
                          Case{"damaged.chd", damaged + "\n", invalid}, Case{"stray.chd", records + "stray\n", invalid},
                          Case{"binary.chd", std::string("\0\xff\n\x80", 4), invalid}}) {
        testing::WriteFile(folder / c.name, c.bytes);
        const CliRun r = Cli({"check", folder / c.name});
        EXPECT_EQ(r.out, c.out + "\n") << c.name;
        EXPECT_EQ(r.status, c.out == invalid ? 1 : 0) << c.name;
    }
    EXPECT_EQ(Cli({"check"}).status, 2);
    EXPECT_EQ(Cli({"check", "a", "b"}).status, 2);
}

TEST(CliPlaySequence, ChordsComeEveryEightBeatsOfTheClampedTempoUntilStop) {
    testing::TempFolder folder;
    testing::WriteFile(folder / "three.chd", Encoded({}) + Encoded({"RD", "Minor"}) + Encoded({"RE", "E9"}) + "\n");
    struct Case {
        std::vector<std::string> options;
        std::string chords;  // the "t" of every Chord event
    };
    for (const Case& c : {Case{{}, "0 2666 5332 7998 "}, Case{{"--ms", "7997"}, "0 2666 5332 "},
                          Case{{"--tempo", "60", "--ms", "16000"}, "0 8000 16000 "},
                          Case{{"--tempo=20", "--ms=8000"}, "0 8000 "}, Case{{"--tempo", "1000", "--ms", "3200"}, "0 1600 3200 "},
                          Case{{"--tempo", "99999999999999999999", "--ms", "1600"}, "0 1600 "},
                          Case{{"--tempo", "-99999999999999999999", "--ms", "8000"}, "0 8000 "}}) {
        std::vector<std::string> args{"play-sequence", folder / "three.chd"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliRun r = Cli(args);
        std::string chords;
        const std::regex chord(R"re(\{"t": (\d+), "call": "Chord", "Notation": "[^"]+"\})re");
        for (auto it = std::sregex_iterator(r.out.begin(), r.out.end(), chord); it != std::sregex_iterator(); ++it) {
            chords += (*it)[1].str() + " ";
        }
        EXPECT_EQ(chords, c.chords) << r.err;
        EXPECT_EQ(testing::Count(r.out, R"("KbdNoteOn")"), testing::Count(r.out, R"("KbdNoteOff")"));
        EXPECT_TRUE(r.out.ends_with("], \"alerts\": []}\n"));
    }
    const CliRun r = Cli({"play-sequence", folder / "three.chd", "--ms", "2666"});
    EXPECT_TRUE(r.out.starts_with(R"({"events": [{"t": 0, "call": "Chord", "Notation": "C7"}, )"
                                  R"({"t": 0, "call": "KbdGetParam", "param": 23, "value": 0}, )"));
    EXPECT_NE(r.out.find(R"({"t": 2666, "call": "Chord", "Notation": "Dm7"})"), std::string::npos);

    testing::WriteFile(folder / "damaged.chd", "567765\n");
    const CliRun damaged = Cli({"play-sequence", folder / "damaged.chd"});
    EXPECT_EQ(damaged.out, R"({"events": [], )" + kInvalid + "\n");
    EXPECT_EQ(damaged.status, 1);
    for (const char* bad : {"--once", "--ms=-1", "--ms=600001", "--tempo", "--tempo=1e3", "--tempo=-", "--voicing",
                            "--voicing=rough", "--voicings=smooth"}) {
        EXPECT_EQ(Cli({"play-sequence", "f", bad}).status, 2) << bad;
    }
}

}  // namespace
}  // namespace hq
