#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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

TEST(CliVoice, PrintsEachRecordsVoicingAndTheCostOrRejectsTheFile) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "hq-cli-voice";
    std::filesystem::create_directories(folder);
    const std::string records = Encoded({"RD", "Minor"}) + Encoded({"RG"}) + Encoded({"E7=off", "Emaj7"});
    std::string damaged = records;
    damaged[damaged.size() - 2] = '6';  // the last closing marker
    struct Case {
        const char* name;
        std::string bytes;
        int status;
        std::string out, err;
    };
    const std::string invalid = "The selected file to load is not a valid\nChords Sequence File or is corrupted.\n"
                                "The List will not be updated.\n";
    for (const Case& c : {
             Case{"ii-V-I.chd", records + "\n", 0,
                  R"({"voicings": [{"record": 0, "notation": "Dm7", "bass": 38, "upper": [57, 60, 62, 65]}, )"
                  R"({"record": 1, "notation": "G7", "bass": 43, "upper": [55, 59, 62, 65]}, )"
                  R"({"record": 2, "notation": "C.maj7", "bass": 48, "upper": [55, 59, 60, 64]}], "cost": 16})"
                  "\n",
                  ""},
             Case{"damaged.chd", damaged + "\n", 1, "", invalid},
             Case{"empty.chd", "", 1, "", invalid},
         }) {
        std::ofstream(folder / c.name, std::ios::binary) << c.bytes;
        const CliRun r = Cli({"voice", (folder / c.name).string()});
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(r.out, c.out) << c.name;
        EXPECT_EQ(r.err, c.err) << c.name;
    }
    EXPECT_EQ(Cli({"voice", (folder / "absent.chd").string()}).status, 1);
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"voice"}, {"voice", "a", "b"}, {"voice", "--x"}}) {
        EXPECT_EQ(Cli(bad).status, 2);
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace hq
