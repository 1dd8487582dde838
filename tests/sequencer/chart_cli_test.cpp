#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sequencer/sequencer_test_support.h"
#include "support/cli_run.h"

namespace hq {
namespace {

using testing::Cli;
using testing::CliRun;

TEST(CliChartIn, EachRecordIsWhatEncodeSymbolPrints) {
    const struct {
        std::vector<std::string> args;
        std::vector<std::string> symbols;
        std::vector<std::string> options;
    } cases[] = {
        {{"| Dm7 G7 | Cmaj7 | % |"}, {"Dm7", "G7", "Cmaj7", "Cmaj7"}, {}},
        {{"|: Bbm7b5/E", "/ N.C. :|", "--tempo", "99", "--notes=3"}, {"Bbm7b5/E"}, {"--tempo", "99", "--notes=3"}},
        {{"--tempo=-5", "C13sus4", "--notes", "300"}, {"C13sus4"}, {"--tempo=-5", "--notes", "300"}},
    };
    for (const auto& c : cases) {
        std::string expected;
        for (const std::string& symbol : c.symbols) {
            std::vector<std::string> args{"encode", "--symbol", symbol};
            args.insert(args.end(), c.options.begin(), c.options.end());
            expected += Cli(args).out;
        }
        std::vector<std::string> args{"chart-in"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliRun r = Cli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, expected + "\n") << c.args[0];
    }
}

TEST(CliChart, ChartInTransposeAndChartMeet) {
    testing::TempFolder folder;
    testing::WriteFile(folder / "tune.txt", "| Dm7 | G7 |\n| Cmaj7 | A7/C# |\n| Fm6 |\n");
    const CliRun in = Cli({"chart-in", "--file", folder / "tune.txt"});
    ASSERT_EQ(in.status, 0) << in.err;
    testing::WriteFile(folder / "tune.chd", in.out);
    EXPECT_EQ(Cli({"chart", folder / "tune.chd"}).out, "| Dm7 | G7 | Cmaj7 | A7/C# |\n| Fm6 |\n");
    const CliRun up = Cli({"transpose", folder / "tune.chd", "3"});
    testing::WriteFile(folder / "up.chd", up.out);
    EXPECT_EQ(Cli({"chart", folder / "up.chd"}).out, "| Fm7 | Bb7 | Ebmaj7 | C7/E |\n| Abm6 |\n");
    const CliRun sharps = Cli({"transpose", folder / "tune.chd", "-1", "--spell", "sharps"});
    testing::WriteFile(folder / "sharps.chd", sharps.out);
    EXPECT_EQ(Cli({"chart", folder / "sharps.chd"}).out, "| C#m7 | F#7 | Bmaj7 | G#7/C |\n| Em6 |\n");

    const struct {
        std::vector<std::string> args;
        std::string err;
    } refused[] = {
        {{"chart-in", "| Dm7 | G7 Hm |"}, "harmoniqua-cli chart-in: bar 2, chord 2: \"Hm\" does not start with a root, a capital letter A-G\n"},
        {{"chart-in", "| N.C. |"}, "harmoniqua-cli chart-in: the chart holds no chord\n"},
        {{"chart-in"}, "harmoniqua-cli chart-in: missing TEXT or --file CHART.txt\n"},
        {{"transpose", folder / "tune.chd", "13"}, "harmoniqua-cli transpose: SEMITONES must be a whole number from -12 to 12\n"},
        {{"transpose", folder / "tune.chd", "-13"}, "harmoniqua-cli transpose: SEMITONES must be a whole number from -12 to 12\n"},
        {{"transpose", folder / "tune.chd", "2", "--spell", "natural"}, "harmoniqua-cli transpose: bad value for --spell (auto, flats or sharps)\n"},
        {{"transpose", folder / "tune.txt", "2"}, "harmoniqua-cli transpose: " + (folder / "tune.txt") + " is not a valid Chords Sequence File\n"},
        {{"chart", folder / "absent.chd"}, "harmoniqua-cli chart: " + (folder / "absent.chd") + " is not a valid Chords Sequence File\n"},
    };
    for (const auto& c : refused) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, 2) << c.args[0];
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, "");
    }
}

}  // namespace
}  // namespace hq
