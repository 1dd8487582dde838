#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli.h"
#include "support/cli_run.h"

namespace hq {
namespace {

using testing::Cli;
using testing::CliRun;

TEST(CliArrange, PrintsThePitchListAndPlacements) {
    struct Case {
        std::vector<std::string> args;
        std::string out;
    };
    const Case cases[] = {
        {{"arrange"}, R"({"PitchList": [0, 4, 7, 10], "placements": [[0, 4], [4, 4], [7, 4], [10, 4]]})"},
        {{"arrange", "E7=off", "BE", "--repeat", "bass,root"},
         R"({"PitchList": [4, 7, 0, 4, 0], "placements": [[4, 4], [7, 4], [0, 5], [4, 5], [0, 6]]})"},
        {{"arrange", "--arrangement", "random", "--random-base", "1000"},
         R"({"PitchList": [0, 4, 7, 10], "placements": [[0, 3], [4, 4], [7, 5], [10, 3]]})"},
        // Without a RandomBase the headless clock reads 0 ns at 0 s.
        {{"arrange", "--arrangement=random"},
         R"({"PitchList": [0, 4, 7, 10], "placements": [[0, 3], [4, 3], [7, 3], [10, 3]]})"},
        {{"arrange", "--arrangement", "harmonic", "E7=off", "BE"},
         R"({"PitchList": [4, 7, 0], "placements": [[0, 3], [0, 4], [7, 4], [0, 3]]})"},
        {{"arrange", "E7=off", "E9", "--arrangement", "octave"},
         R"({"PitchList": [0, 2, 4, 7, 10], "placements": [[0, 4], [2, 4], [4, 4], [7, 4], [10, 4]]})"},
    };
    for (const Case& c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out + "\n") << c.args.back();
    }
}

TEST(CliPlay, ListsTheKeyboardCallsFromTheFirstPress) {
    const CliRun once = Cli({"play", "E7=off", "--once", "--ms", "50"});
    ASSERT_EQ(once.status, 0) << once.err;
    EXPECT_EQ(once.out,
              R"({"events": [{"t": 0, "call": "KbdNoteOn", "pc": 0, "octave": 4}, )"
              R"({"t": 0, "call": "KbdNoteOn", "pc": 4, "octave": 4}, )"
              R"({"t": 0, "call": "KbdNoteOn", "pc": 7, "octave": 4}, )"
              R"({"t": 1100, "call": "KbdNoteOff", "pc": 0, "octave": 4}, )"
              R"({"t": 1100, "call": "KbdNoteOff", "pc": 4, "octave": 4}, )"
              R"({"t": 1100, "call": "KbdNoteOff", "pc": 7, "octave": 4}], "alerts": []})"
              "\n");

    // STOP at 275 runs after the step due then; that note still ends 220 ms later.
    const CliRun repeated = Cli({"play", "--no-down", "--ms", "275", "E7=off"});
    ASSERT_EQ(repeated.status, 0) << repeated.err;
    EXPECT_EQ(repeated.out,
              R"({"events": [{"t": 0, "call": "KbdGetParam", "param": 23, "value": 0}, )"
              R"({"t": 0, "call": "KbdSetParam", "param": 33, "value": 1}, )"
              R"({"t": 55, "call": "KbdNoteOn", "pc": 0, "octave": 4}, )"
              R"({"t": 275, "call": "KbdNoteOn", "pc": 4, "octave": 4}, )"
              R"({"t": 275, "call": "KbdNoteOff", "pc": 0, "octave": 4}, )"
              R"({"t": 495, "call": "KbdNoteOff", "pc": 4, "octave": 4}], "alerts": []})"
              "\n");
}

TEST(CliPlay, StoresTempoAndNotesAsGiven) {
    // -3 and 0 play as 60 and 1: steps of 72 ticks, notes of 54 with Fill.
    const CliRun r = Cli({"play", "--tempo", "-3", "--notes", "0", "--fill", "--ms", "4015"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(R"({"t": 55, "call": "KbdNoteOn", "pc": 0, "octave": 4}, )"
                         R"({"t": 4015, "call": "KbdNoteOn", "pc": 4, "octave": 4}, )"
                         R"({"t": 5995, "call": "KbdNoteOff", "pc": 0, "octave": 4}, )"
                         R"({"t": 9955, "call": "KbdNoteOff", "pc": 4, "octave": 4}])"),
              std::string::npos)
        << r.out;
}

TEST(CliPlay, ReportsTheAlertsOfTheRun) {
    const CliRun r = Cli({"play", "--once", "BD"});
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find(R"("alerts": ["The selected Bass Note is not part\nof the chord)"), std::string::npos);
}

TEST(CliPlayArguments, BadArgumentsExitTwoWithOneLine) {
    const std::vector<std::vector<std::string>> cases = {
        {"arrange", "rc"},
        {"arrange", "--once"},
        {"arrange", "--ms", "10"},
        {"play", "--bogus"},
        {"play", "--arrangement"},
        {"play", "--arrangement", "spread"},
        {"play", "--repeat", "root,,all"},
        {"play", "--repeat", "root,"},
        {"play", "--repeat", "top"},
        {"play", "--tempo", "32768"},
        {"play", "--tempo", "fast"},
        {"play", "--notes", "-32769"},
        {"play", "--random-base", "-1"},
        {"play", "--random-base", "1000000000"},
        {"play", "--ms", "-1"},
        {"play", "--ms", "600001"},
        {"play", "--up=yes"},
        {"play", "--once=1"},
        {"play", "--tempo"},
    };
    for (const std::vector<std::string>& args : cases) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_EQ(r.out, "") << args.back();
        EXPECT_EQ(r.err.find("harmoniqua-cli " + args[0] + ": "), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
}

}  // namespace
}  // namespace hq
