#include "cli/analyze_command.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "support/cli_run.h"

namespace hq {
namespace {

using testing::CliRun;
using testing::Count;

CliRun Analyze(std::vector<std::string> args) {
    args.insert(args.begin(), "analyze");
    return testing::Cli(args);
}

TEST(AnalyzeNotes, ParseNamesWithOctaveAndMidiNumbers) {
    struct Case {
        const char* text;
        int32_t pitchClass, octave;
    };
    const std::vector<Case> cases = {
        {"C4", 0, 4},  {"Eb4", 3, 4}, {"F#3", 6, 3},  {"Bb2", 10, 2}, {"Cb4", 11, 3}, {"B#3", 0, 4},
        {"E#0", 5, 0}, {"Fb9", 4, 9}, {"Cb0", 11, -1}, {"B#9", 0, 10}, {"60", 0, 4},  {"0", 0, -1},
        {"127", 7, 9}, {"61", 1, 4},  {"23", 11, 0},
    };
    for (const Case& c : cases) {
        const std::optional<HeldKey> key = ParseHeldKey(c.text);
        ASSERT_TRUE(key.has_value()) << c.text;
        EXPECT_EQ(key->pitchClass, c.pitchClass) << c.text;
        EXPECT_EQ(key->octave, c.octave) << c.text;
    }
    for (const char* bad : {"", "c4", "H4", "C", "C10", "Cbb4", "C#b4", "Cx4", "C-1", "128", "-1", "+60", "6 0",
                            "60a", "?4", "C4 ", "99999999999999999999"}) {
        EXPECT_FALSE(ParseHeldKey(bad).has_value()) << bad;
    }
}

TEST(AnalyzeCommand, PrintsTheSolutionsTheShownLineAndTheCaptureAlerts) {
    const CliRun r = Analyze({"C4", "E4", "G4"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string expected =
              "{\"solutions\": [{\"name\": \"C\", \"RootPitch\": 0, \"ChordClass\": 0, \"Extension\": 0, "
              "\"SecondAdd\": 0, \"FourthAdd\": 0, \"SixthAdd\": 0, \"FifthAlteration\": 0, \"NinthAlteration\": 0, "
              "\"SharpEleventh\": 0, \"FlatThirteenth\": 0, \"NoThird\": 0, \"NoFifth\": 0, \"BassPitch\": 0}, "
              "{\"name\": \"Em(#5)/C\", \"RootPitch\": 4, \"ChordClass\": 1, \"Extension\": 0, \"SecondAdd\": 0, "
              "\"FourthAdd\": 0, \"SixthAdd\": 0, \"FifthAlteration\": 1, \"NinthAlteration\": 0, "
              "\"SharpEleventh\": 0, \"FlatThirteenth\": 0, \"NoThird\": 0, \"NoFifth\": 0, \"BassPitch\": 0}, "
              "{\"name\": \"G6.sus4(no5)/C\", \"RootPitch\": 7, \"ChordClass\": 0, \"Extension\": 6, "
              "\"SecondAdd\": 0, \"FourthAdd\": 3, \"SixthAdd\": 0, \"FifthAlteration\": 0, \"NinthAlteration\": 0, "
              "\"SharpEleventh\": 0, \"FlatThirteenth\": 0, \"NoThird\": 0, \"NoFifth\": 1, \"BassPitch\": 0}], "
              "\"shown\": \"C\", \"alerts\": [], \"ranked\": [";
    EXPECT_EQ(r.out.substr(0, expected.size()), expected);
}

TEST(AnalyzeCommand, SpellingsOfTheSameKeysGiveTheSameOutput) {
    const std::string plain = Analyze({"C4", "E4", "G4"}).out;
    EXPECT_EQ(Analyze({"60", "64", "67"}).out, plain);
    EXPECT_EQ(Analyze({"B#3", "Fb4", "G4", "G5", "24", "C1"}).out, Analyze({"B#3", "Fb4", "G4", "G5", "C1"}).out);
    EXPECT_EQ(Analyze({"G4", "E4", "C4", "C4"}).out, plain);
}

// The solutions keep their alert; the ranked names are the panels' chords of
// those notes, and two pitch classes add their interval as the last key.
TEST(AnalyzeCommand, CapturesOfFewerThanThreePitchClassesCarryTheAlert) {
    struct Case {
        std::vector<std::string> notes;
        std::vector<std::string> ranked;  // the first names, best first
        std::string interval;             // "" when there is no such key
    };
    const std::vector<Case> cases = {
        {{}, {}, ""},
        {{"C4"}, {"C(no3)(no5)"}, ""},
        {{"Eb4", "Eb2"}, {"Eb(no3)(no5)"}, ""},
        {{"C4", "G4"}, {"C(no3)", "G.sus4(no5)/C"}, "perfect fifth"},
        {{"G3", "C4", "G4"}, {"G.sus4(no5)", "C(no3)/G"}, "perfect fourth"},
        {{"C4", "C5", "E4"}, {"C(no5)"}, "major third"},
        {{"C4", "F#4"}, {"C(b5)(no3)"}, "tritone"},
        {{"E4", "G4"}, {"Em(no5)", "G(no3)(no5)/E"}, "minor third"},
        {{"B3", "A#4"}, {"B.maj7(no3)(no5)"}, "major seventh"},
    };
    const std::string alert =
        "{\"solutions\": [], \"shown\": \"-No Solution-\", \"alerts\": [\"Less than three different "
        "notes detected.\\nNo solution possible for this capture.\\nClick, hold and move away on the "
        "keys\\nof the Keybord to lock them, and capture.\"], \"ranked\": [";
    for (const Case& c : cases) {
        const CliRun r = Analyze(c.notes);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out.substr(0, alert.size()), alert) << r.out;
        size_t at = alert.size();
        for (const std::string& name : c.ranked) {
            at = r.out.find("{\"name\": \"" + name + "\"", at);
            EXPECT_NE(at, std::string::npos) << name << "\n" << r.out;
        }
        const std::string ending = c.interval.empty() ? "]}\n" : "], \"interval\": \"" + c.interval + "\"}\n";
        EXPECT_TRUE(r.out.ends_with(ending)) << r.out;
        EXPECT_EQ(r.out.find("interval") == std::string::npos, c.interval.empty()) << r.out;
    }
}

TEST(AnalyzeCommand, UseAddsTheComposedChordWithTheAlertsOfTheUse) {
    struct Case {
        std::vector<std::string> args;
        const char* notation;
        const char* alerts;
    };
    const std::vector<Case> cases = {
        {{"C4", "E4", "G4", "--use", "1"}, "\"Notation\": \"Em(#5)/C\"", "\"alerts\": []"},
        {{"--use", "2", "C4", "E4", "G4"}, "\"Notation\": \"G6.sus4(no5)/C\"", "\"alerts\": []"},
        // A line outside the list is ignored: the first line is used.
        {{"C4", "E4", "G4", "--use", "3"}, "\"Notation\": \"C\"", "\"alerts\": []"},
        {{"C4", "E4", "G4", "--use", "-2147483648"}, "\"Notation\": \"C\"", "\"alerts\": []"},
        {{"C4", "E4", "Gb4", "Bb4", "--use", "0"}, "\"Notation\": \"C7\"",
         "\"alerts\": [\"There is no solution to use\"]"},
        {{"C4", "--use", "0"}, "\"Notation\": \"C7\"", "\"alerts\": [\"There is no solution to use\"]"},
        {{"C4", "Db4", "A4", "B4", "--use", "1"}, "\"Notation\": \"B7.sus2(no5)/C\"",
         "\"alerts\": [\"The selected Bass Note is not part\\nof the chord being defined.\\n"},
    };
    for (const Case& c : cases) {
        const CliRun r = Analyze(c.args);
        ASSERT_EQ(r.status, 0) << r.err;
        const size_t used = r.out.find(", \"used\": {");
        ASSERT_NE(used, std::string::npos) << r.out;
        const std::string capture = r.out.substr(0, used);
        const std::string chord = r.out.substr(used);
        EXPECT_NE(chord.find(c.notation), std::string::npos) << chord;
        EXPECT_NE(chord.find(c.alerts), std::string::npos) << chord;
        EXPECT_NE(chord.find("\"definition\": {\"BassSelected\": "), std::string::npos);
        EXPECT_NE(chord.find("\"controls\": {\"RC\": "), std::string::npos);
        // The capture's own alerts stay with the capture.
        EXPECT_EQ(Count(r.out, "There is no solution to use"), Count(chord, "There is no solution to use"));
        EXPECT_EQ(Count(r.out, "Less than three"), Count(capture, "Less than three"));
        EXPECT_NE(r.out.find("}}, \"ranked\": ["), std::string::npos);
    }
}

TEST(AnalyzeCommand, RankedListsExplainedNamesAndUseRankedTakesOne) {
    struct Case {
        std::vector<std::string> args;
        const char* part;  // found in the output
    };
    const std::vector<Case> cases = {
        {{"E4", "G4", "C5"},
         "\"ranked\": [{\"name\": \"C/E\", \"RootPitch\": 0, \"BassPitch\": 4, \"exact\": true, "
         "\"definition\": {\"BassSelected\": 1, \"RootLetterPitch\": 0, \"RootLetter\": \"C\", "},
        {{"E4", "G4", "C5"},
         "\"roles\": [{\"pitch\": 0, \"role\": \"1\", \"spelled\": \"C\"}, {\"pitch\": 4, \"role\": \"3\", "
         "\"spelled\": \"E\"}, {\"pitch\": 7, \"role\": \"5\", \"spelled\": \"G\"}], \"explanation\": \"C major, "
         "first inversion\", \"leftOut\": []}, {\"name\": \"Em(#5)\", \"RootPitch\": 4, \"BassPitch\": null, "},
        {{"C4", "E4", "G4", "--use-ranked", "0"}, "\"used\": {\"Notation\": \"C\""},
        {{"E4", "G4", "C5", "--use-ranked", "1"}, "\"used\": {\"Notation\": \"Em(#5)\""},
        {{"G3", "B3", "F4", "Ab4", "--use-ranked", "0"}, "\"used\": {\"Notation\": \"G7(b9)(no5)\""},
        {{"C4", "E4", "G4", "--use-ranked", "99"}, "\"used\": null, \"ranked\": [{"},
        {{"C4", "E4", "--use-ranked", "0"}, "\"used\": {\"Notation\": \"C(no5)\""},
        {{"C4", "--use-ranked", "1"}, "\"used\": null, \"ranked\": [{"},
        {{"C4", "Db4", "D4", "Eb4", "E4"},
         "{\"name\": \"Dbm.maj7(b9).add9(no5)/C\", \"RootPitch\": 1, \"BassPitch\": 0, \"exact\": false, "},
        {{"C4", "Db4", "D4", "Eb4", "E4"}, "\"leftOut\": [2]}]}"},
        // Regression: no3 with no5, which only "Use this solution" sets, was missing from the exact names.
        {{"C4", "Db4", "D4", "Eb4"}, "\"ranked\": [{\"name\": \"D.maj7(b9)(no3)(no5)/C\", \"RootPitch\": 2, \"BassPitch\": 0, \"exact\": true, "},
    };
    for (const Case& c : cases) {
        const CliRun r = Analyze(c.args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find(c.part), std::string::npos) << c.part << "\n" << r.out.substr(0, 2000);
    }
}

TEST(AnalyzeCommand, BadArgumentsExitTwoWithOneLine) {
    const std::vector<std::vector<std::string>> cases = {
        {"c4"},          {"C4", "H4"},          {"C4", "--use"},          {"C4", "--use", "x"},
        {"--use", "1.5"}, {"C4", "--use", "1", "--use", "2"}, {"--use", "2147483648"}, {"C4", "--used", "1"},
        {"C4", "-1"}, {"C4", "--use-ranked"}, {"C4", "--use-ranked", "1", "--use-ranked", "1"},
        {"C4", "E4", "G4", "--use", "0", "--use-ranked", "0"},
    };
    for (const std::vector<std::string>& args : cases) {
        const CliRun r = Analyze(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_EQ(r.out, "") << args.back();
        EXPECT_EQ(Count(r.err, "\n"), 1u) << args.back();
    }
}

}  // namespace
}  // namespace hq
