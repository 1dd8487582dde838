#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "practice/grading.h"
#include "support/cli_run.h"

namespace hq::practice {
namespace {

struct NameCase {
    Level level;
    std::string_view type;
    int32_t inversion;
    int32_t root;
    std::vector<std::string_view> right;
    std::vector<std::string_view> wrong;
};

// Equivalent spellings, typed chord symbols among them, and near misses.
TEST(PracticeGrading, EquivalentNamesAreRightAndNearMissesWrong) {
    const NameCase kCases[] = {
        {Level::SeventhsInversions, "m7b5", 1, 7,
         {"m7b5, first inversion", "ø7 first inversion", "half-diminished /1", "Half Diminished, 1st inversion",
          "m7♭5/1", "  min7b5 ,  first inversion ", "Gm7b5 first inversion", "Gm7b5/Bb", "Em7b5/G", "Bbm6"},
         {"m7b5", "m7b5, second inversion", "m7, first inversion", "dim7, first inversion", "ø7/2", "Gm7b5",
          "Gm7/Bb", "7b5 first inversion", ""}},
        {Level::Triads, "minor", 0, 9,
         {"minor", "min", "m", "-", "Minor", "MINOR", "Am", "F#m/A", "m, second inversion", "A−"},
         {"major", "M", "dim", "Am7", "aug", "mi nor", "A"}},
        {Level::Sevenths, "maj7", 0, 0,
         {"maj7", "M7", "Δ7", "Maj7", "major seventh", "Major 7", "major-seventh", "Cmaj7", "Ebmaj7/G"},
         {"7", "m7", "mM7", "maj9", "Δ", "M", "C7"}},
        {Level::Sevenths, "m(maj7)", 0, 2,
         {"m(maj7)", "mM7", "m-maj7", "minor-major seventh", "Minor Major 7", "-Δ7", "Dm(maj7)"},
         {"m7", "maj7", "Dm7", "minor"}},
        {Level::Sevenths, "dim7", 0, 11, {"dim7", "°7", "o7", "Dim7", "diminished seventh", "Bdim7", "Ddim7"}, {"dim", "m7b5", "ø7", "Bm7b5", "7b5", "-7"}},
        {Level::Sevenths, "7sus4", 0, 4, {"7sus4", "7sus", "E7sus4", "7(sus4)"}, {"sus4", "7", "E7"}},
        {Level::TriadsInversions, "augmented", 0, 0,
         {"augmented", "aug", "+", "augmented, first inversion", "Caug/E", "E+"}, {"major", "diminished, root position"}},
        {Level::TriadsInversions, "major", 2, 5,
         {"major, second inversion", "M /2", "maj 2nd inversion", "C/G", "F/C", "Major, Second Inversion"},
         {"major", "major, first inversion", "C/E", "minor, second inversion", "major/3", "F"}},
        {Level::Colours, "6/9", 0, 3, {"6/9", "69", "Eb6/9", "6(9)"}, {"6", "add9", "9", "Eb6"}},
        {Level::Colours, "13", 0, 10, {"13", "Bb13", "dominant thirteenth", "C13"}, {"9", "Bb9", "maj7"}},
        {Level::Colours, "7#9", 0, 6, {"7#9", "7♯9", "7(#9)", "F#7#9"}, {"7b9", "7#11", "F#7b9"}},
        {Level::Colours, "sus2", 0, 0, {"sus2", "Csus2", "Gsus4"}, {"sus4", "add9", "C7sus4"}},
        {Level::Progressions, "ii-V-I", 0, 0, {"ii-V-I", "ii V I", "ii – V – I", "ii, V, I", " ii  -V-  I "},
         {"II-V-I", "ii-V-i", "ii-IV-I", "ii-V", "ii-V-I-I", "Dm-G-C", ""}},
        {Level::Progressions, "ii°-V-i", 0, 9, {"ii°-V-i", "iio V i", "ii V i", "iidim-V-i"}, {"ii-V-I", "ii°-v-i"}},
        {Level::Progressions, "I-V-vi-IV", 0, 2, {"I-V-vi-IV", "I V vi IV"}, {"I-V-VI-IV", "I-vi-IV-V"}},
    };
    for (const NameCase& c : kCases) {
        const std::optional<PracticeItem> item =
            c.level == Level::Progressions ? ProgressionItem(c.type, c.root) : ChordItem(c.level, c.type, c.inversion, c.root);
        ASSERT_TRUE(item.has_value()) << c.type;
        for (const std::string_view answer : c.right) EXPECT_TRUE(GradeAnswer(*item, answer).right) << c.type << ": " << answer;
        for (const std::string_view answer : c.wrong) EXPECT_FALSE(GradeAnswer(*item, answer).right) << c.type << ": " << answer;
    }
}

// What the confusion table records for an answer, and the feedback text.
TEST(PracticeGrading, AnswersAreRecordedAsTheLevelsOwnNames) {
    struct Case {
        std::string_view answer;
        std::string_view given;
    };
    const PracticeItem item = *ChordItem(Level::SeventhsInversions, "m7", 1, 3);
    constexpr Case kCases[] = {
        {"ø7/1", "m7b5, first inversion"}, {"Cm7", "m7, root position"},   {"Ebm7/Gb", "m7, first inversion"},
        {"dim7, second inversion", "dim7, root position"},                 {"banana", "other"},
        {"maj9", "other"},  {"Cmaj7/B", "maj7, third inversion"},          {"major /3", "other"},
    };
    for (const Case& c : kCases) {
        const Grade grade = GradeAnswer(item, c.answer);
        EXPECT_EQ(grade.given, c.given) << c.answer;
        EXPECT_EQ(grade.expected, "m7, first inversion");
    }
}

TEST(PracticeGrading, PlayedNotesAreRightWhenTheyAreTheChordInAnyKey) {
    struct Case {
        Level level;
        std::vector<int32_t> notes;
        bool right;
    };
    const Case kCases[] = {
        {Level::SeventhsInversions, {54, 58, 61, 63}, true},
        {Level::SeventhsInversions, {66, 42, 58, 61, 63, 75}, true},  // spread and doubled
        {Level::SeventhsInversions, {48, 52, 55, 57}, true},          // Am7 over its third
        {Level::SeventhsInversions, {51, 54, 58, 61}, false},         // root position
        {Level::SeventhsInversions, {54, 58, 61}, false},
        {Level::SeventhsInversions, {}, false},
        {Level::Sevenths, {51, 54, 58, 61}, true},
        {Level::Sevenths, {61, 63, 66, 70}, true},  // any position where none is asked
        {Level::Sevenths, {51, 54, 58, 62}, false},
    };
    for (const Case& c : kCases) {
        const PracticeItem item = *ChordItem(c.level, "m7", AsksInversions(c.level) ? 1 : 0, 3);
        EXPECT_EQ(GradePlayed(item, c.notes).right, c.right) << LevelName(c.level) << " " << c.notes.size();
    }
}

TEST(PracticeGrading, CliGradesAnItemAsPracticeItemsPrintsIt) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
    };
    const std::string ebm7 = R"({"level": "sevenths-inversions", "notes": [54, 58, 61, 63], "answer": "m7, first inversion", "type": "m7", "inversion": 1, "root": 3})";
    const std::string progression = R"({"level": "progressions", "key": {"tonic": 0, "mode": "major", "name": "C major"}, "answer": "ii-V-I"})";
    const Case kCases[] = {
        {{"--level", "sevenths-inversions", "--item", ebm7, "--answer", "m7, first inversion"}, 0,
         "{\"right\": true, \"expected\": \"m7, first inversion\"}\n"},
        {{"--level", "sevenths-inversions", "--item", ebm7, "--answer", "ø7"}, 0,
         "{\"right\": false, \"expected\": \"m7, first inversion\"}\n"},
        {{"--level=progressions", "--item=" + progression, "--answer=ii V I"}, 0, "{\"right\": true, \"expected\": \"ii-V-I\"}\n"},
        {{"--level", "sevenths", "--item", ebm7, "--answer", "m7"}, 2, ""},
        {{"--level", "sevenths-inversions", "--item", "{\"type\": \"m7\", \"inversion\": 1.5}", "--answer", "m7"}, 2, ""},
        {{"--level", "triads", "--item", "{\"type\": \"m7\"}", "--answer", "m7"}, 2, ""},
        {{"--level", "triads-inversions", "--item", "{\"type\": \"augmented\", \"inversion\": 1}", "--answer", "+"}, 2, ""},
        {{"--level", "triads", "--item", "{\"type\": \"minor\", \"root\": 12}", "--answer", "m"}, 2, ""},
        {{"--level", "progressions", "--item", "{\"answer\": \"I-II\"}", "--answer", "I-II"}, 2, ""},
        {{"--level", "triads", "--item", "{\"type\": \"minor\"}"}, 2, ""},
        {{"--level", "triads", "--answer", "m"}, 2, ""},
        {{"--item", "{}", "--answer", "m"}, 2, ""},
    };
    for (const Case& c : kCases) {
        std::vector<std::string> args{"practice-grade"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const testing::CliRun run = testing::Cli(args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err.empty(), c.status == 0) << run.err;
    }
}

}  // namespace
}  // namespace hq::practice
