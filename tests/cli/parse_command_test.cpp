#include "cli/parse_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/cli_run.h"

namespace hq {
namespace {

using testing::Cli;
using testing::CliRun;

TEST(CliParse, OneResultPerSymbolInOrder) {
    const CliRun r = Cli({"parse", "F#m7b5", "C7b9#9", " Ebmaj7/G", "N.C."});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> entries{
        "{\"results\": [{\"symbol\": \"F#m7b5\", \"ok\": true, \"Notation\": \"F#m7(b5)\"",
        "{\"symbol\": \"C7b9#9\", \"ok\": false, \"error\": \"b9 and #9 together cannot be built in the panels\"}",
        "{\"symbol\": \" Ebmaj7/G\", \"ok\": true, \"Notation\": \"Eb.maj7/G\"",
        "{\"symbol\": \"N.C.\", \"ok\": false, \"error\": \"N.C. is not a chord\"}]}\n",
    };
    size_t last = 0;
    for (const std::string& entry : entries) {
        const size_t at = r.out.find(entry);
        ASSERT_NE(at, std::string::npos) << entry << "\n" << r.out;
        EXPECT_GE(at, last) << entry;
        last = at;
    }
}

TEST(CliParse, AnAcceptedChordPrintsAsSelectPrintsTheSameChord) {
    struct Case {
        std::vector<std::string> parse;
        std::vector<std::string> select;
    };
    const std::vector<Case> cases{
        {{"parse", "Dm7"}, {"select", "RD", "Minor"}},
        {{"parse", "Bb13(#11)"}, {"select", "RB", "Rb", "E13", "As11"}},
        // The alert of a foreign bass is part of the result, as a click gives it.
        {{"parse", "C/D"}, {"select", "E7=off", "BD"}},
    };
    for (const Case& c : cases) {
        const CliRun parsed = Cli(c.parse);
        const CliRun selected = Cli(c.select);
        ASSERT_EQ(parsed.status, 0);
        const std::string prefix = "{\"results\": [{\"symbol\": \"" + c.parse[1] + "\", \"ok\": true, ";
        ASSERT_EQ(parsed.out.rfind(prefix, 0), 0u) << parsed.out;
        const std::string chord = parsed.out.substr(prefix.size(), parsed.out.size() - prefix.size() - 4);
        EXPECT_EQ(chord, selected.out.substr(1, selected.out.size() - 3)) << c.parse[1];
    }
}

TEST(CliParse, NeedsASymbolAndReadsAnyBytes) {
    EXPECT_EQ(Cli({"parse"}).status, 2);
    const CliRun r = Cli({"parse", "C\xff"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "{\"results\": [{\"symbol\": \"C\\u00ff\", \"ok\": false, \"error\": \"the text is not valid UTF-8\"}]}\n");
}

TEST(CliEncode, SymbolMakesTheRecordOfTheSameChordByNames) {
    struct Case {
        std::vector<std::string> bySymbol;
        std::vector<std::string> byNames;
    };
    const std::vector<Case> cases{
        {{"encode", "--symbol", "Dm7"}, {"encode", "RD", "Minor"}},
        {{"encode", "--symbol=Gb.maj9", "--tempo", "120"}, {"encode", "RG", "Rb", "Emaj9", "--tempo", "120"}},
        {{"encode", "--up", "--symbol", "F/A", "--notes", "4"}, {"encode", "RF", "E7=off", "BA", "--up", "--notes", "4"}},
    };
    for (const Case& c : cases) {
        const CliRun symbol = Cli(c.bySymbol);
        const CliRun names = Cli(c.byNames);
        ASSERT_EQ(symbol.status, 0) << symbol.err;
        EXPECT_EQ(symbol.out, names.out) << c.bySymbol[2];
        EXPECT_EQ(symbol.err, "");
    }
}

TEST(CliEncode, SymbolArgumentsThatCannotBeEncodedExitTwo) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"encode", "--symbol", "C7alt"}, "harmoniqua-cli encode: 7alt is not a single chord: type its alterations\n"},
        {{"encode", "--symbol", "C7", "E9"}, "harmoniqua-cli encode: --symbol takes no Step-panel names beside it\n"},
        {{"encode", "--symbol"}, "harmoniqua-cli encode: --symbol needs a chord symbol\n"},
        {{"encode", "--symbol", "C", "--symbol", "D"}, "harmoniqua-cli encode: --symbol is given once\n"},
    };
    for (const auto& [args, err] : cases) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.status, 2) << err;
        EXPECT_EQ(r.err, err);
        EXPECT_EQ(r.out, "");
    }
}

}  // namespace
}  // namespace hq
