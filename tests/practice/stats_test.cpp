#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "practice/json_value.h"
#include "practice/stats_file.h"
#include "practice/stats_json.h"

namespace hq::practice {
namespace {

const PracticeItem kMajor = *ChordItem(Level::Triads, "major", 0, 0);

void Answer(PracticeStats& stats, const PracticeItem& item, bool right, int32_t day) {
    RecordAnswer(stats, item, Grade{right, ExpectedAnswer(item), right ? ExpectedAnswer(item) : "minor"}, day);
}

TEST(PracticeLeitner, AnswersMoveTheBoxAndBoxesHalveHowOftenAKindComesUp) {
    struct Case {
        std::string_view answers;  // R right, W wrong
        int32_t box;
    };
    constexpr Case kMoves[] = {{"R", 2}, {"RRRR", 5}, {"RRRRRRR", 5}, {"RRW", 1}, {"RRWR", 2}, {"W", 1}};
    for (const Case& c : kMoves) {
        PracticeStats stats;
        for (const char a : c.answers) Answer(stats, kMajor, a == 'R', 20000);
        EXPECT_EQ(BoxesFor(stats, Level::Triads).at("major"), c.box) << c.answers;
        EXPECT_EQ(BoxesFor(stats, Level::Triads).count("minor"), 0u);
    }
    // Boxes 1..4 for the four triads: drawn 8 : 4 : 2 : 1.
    const LeitnerBoxes boxes{{"major", 1}, {"minor", 2}, {"diminished", 3}, {"augmented", 4}};
    const std::map<std::string, double> kShare{{"major", 8 / 15.0}, {"minor", 4 / 15.0}, {"diminished", 2 / 15.0},
                                               {"augmented", 1 / 15.0}};
    PracticeRandom random(3);
    std::map<std::string, int> drawn;
    constexpr int kDraws = 30000;
    for (int i = 0; i < kDraws; ++i) ++drawn[NextItem(Level::Triads, boxes, random).type];
    for (const auto& [kind, share] : kShare) EXPECT_NEAR(drawn[kind] / double(kDraws), share, 0.01) << kind;
}

TEST(PracticeStats, PeriodsCountAcrossMidnightAndSevenDays) {
    const int32_t newYearsEve = DayNumber(2026, 12, 31);
    EXPECT_EQ(DayNumber(2027, 1, 1), newYearsEve + 1);
    struct Case {
        int32_t askedOn;  // days after new year's eve, in order
        bool right;
        int32_t viewedOn;
        DayCount today, week, all;
    };
    // Each row adds one answer to the statistics before it.
    constexpr Case kCases[] = {
        {0, true, 0, {1, 1}, {1, 1}, {1, 1}},
        {0, false, 1, {0, 0}, {1, 2}, {1, 2}},  // past midnight
        {1, true, 1, {1, 1}, {2, 3}, {2, 3}},
        {6, false, 6, {0, 1}, {2, 4}, {2, 4}},
        {6, true, 7, {0, 0}, {2, 3}, {3, 5}},   // day 0 left the last seven days
        {8, true, 8, {1, 1}, {2, 3}, {4, 6}},   // day 1 too; both folded, not lost
        {30, false, 30, {0, 1}, {0, 1}, {4, 7}},
    };
    PracticeStats stats;
    int32_t sessionAsked = 0;
    for (const Case& c : kCases) {
        Answer(stats, kMajor, c.right, newYearsEve + c.askedOn);
        ++sessionAsked;
        for (const std::string_view kind : {std::string_view("major"), std::string_view()}) {
            const PeriodCounts counts = CountsFor(stats, Level::Triads, kind, newYearsEve + c.viewedOn);
            EXPECT_EQ(counts.today, c.today) << c.askedOn;
            EXPECT_EQ(counts.lastSevenDays, c.week) << c.askedOn;
            EXPECT_EQ(counts.allTime, c.all) << c.askedOn;
            EXPECT_EQ(counts.session.asked, sessionAsked);
        }
    }
    EXPECT_EQ(stats.levels.at("triads").at("major").answers, (std::map<std::string, int32_t, std::less<>>{{"major", 4}, {"minor", 3}}));
    const StatsReading back = ReadPracticeStats(WritePracticeStats(stats));
    ASSERT_TRUE(back.stats.has_value()) << back.reason;
    EXPECT_EQ(*back.stats, stats);
    EXPECT_EQ(CountsFor(*back.stats, Level::Triads, "", newYearsEve + 30).session.asked, 0);
}

TEST(PracticeStats, CalendarDaysRoundTripAndPassMark) {
    for (int32_t day = DayNumber(1, 1, 1); day <= DayNumber(9999, 12, 31); day += 97) {
        const CivilDate date = DateOfDay(day);
        ASSERT_EQ(DayNumber(date.year, date.month, date.day), day);
    }
    constexpr struct {
        int32_t right, items;
        bool passes;
    } kMarks[] = {{9, 10, true}, {8, 10, false}, {18, 20, true}, {17, 20, false}, {0, 0, false}, {45, 50, true}};
    for (const auto& m : kMarks) EXPECT_EQ(PassesTest(m.right, m.items), m.passes) << m.right << "/" << m.items;
}

TEST(PracticeStatsFile, DamagedTextIsRejectedWithAReason) {
    constexpr std::string_view kDamaged[] = {
        "", "{", "[]", "{\"version\": 2}", "{\"levels\": {}}", "{\"version\": 1, \"levels\": []}",
        "{\"version\": 1, \"version\": 1}", "{\"version\": 1.0}", "{\"version\": 01}", "{\"version\": 1} x",
        "{\"version\": 1, \"extra\": 0}",
        R"({"version": 1, "levels": {"triads": {"major": {"box": 6}}}})",
        R"({"version": 1, "levels": {"triads": {"major": {"box": 0}}}})",
        R"({"version": 1, "levels": {"triads": {"major": {"earlier": [3, 2]}}}})",
        R"({"version": 1, "levels": {"triads": {"major": {"earlier": [-1, 2]}}}})",
        R"({"version": 1, "levels": {"triads": {"major": {"days": {"2026-02-30": [1, 1]}}}}})",
        R"({"version": 1, "levels": {"triads": {"major": {"days": {"2026-2-3": [1, 1]}}}}})",
        R"({"version": 1, "levels": {"triads": {"major": {"answers": {"minor": 0}}}}})",
        R"({"version": 1, "levels": {"triads": {"": {}}}})",
        R"({"version": 1, "levels": {"triads": {"major": {"colour": 1}}}})",
        R"({"version": 1, "levels": {"triads": {"major": {"answers": {"\ud800": 1}}}}})",
        "{\"version\": 1, \"levels\": {\"\xff\": {}}}", "{\"version\": 1, \"levels\": {\"a\tb\": {}}}",
        R"({"version": 99999999999999999999})",
    };
    for (const std::string_view text : kDamaged) {
        const StatsReading reading = ReadPracticeStats(text);
        EXPECT_FALSE(reading.stats.has_value()) << text;
        EXPECT_FALSE(reading.reason.empty()) << text;
    }
    EXPECT_FALSE(ReadPracticeStats(std::string(100, '[') + std::string(100, ']')).stats.has_value());
    EXPECT_FALSE(ReadPracticeStats(std::string(kMaxJsonBytes + 1, ' ')).stats.has_value());
}

TEST(PracticeStatsFile, ADamagedFileIsKeptAsideAndPracticeStartsAfresh) {
    struct Case {
        const char* xdg;
        const char* home;
        std::string path;
    };
    const Case kPaths[] = {{"/x", "/h", "/x/harmoniqua/practice.json"},
                           {nullptr, "/h", "/h/.local/share/harmoniqua/practice.json"},
                           {"relative", "/h", "/h/.local/share/harmoniqua/practice.json"},
                           {nullptr, nullptr, ""}};
    for (const Case& c : kPaths) EXPECT_EQ(PracticeStatsPath(c.xdg, c.home), c.path);

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("hq_practice_" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    const std::string path = PracticeStatsPath(folder.c_str(), nullptr);
    EXPECT_TRUE(LoadPracticeStats(path).message.empty());  // no file yet: a fresh start, said nothing

    PracticeStats stats;
    Answer(stats, kMajor, true, 20000);
    ASSERT_TRUE(SavePracticeStats(path, stats));
    EXPECT_EQ(LoadPracticeStats(path).stats, stats);

    const std::string damaged = "{\"version\": 1, \"levels\": {\"triads\"";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << damaged;
    const StatsLoad load = LoadPracticeStats(path);
    EXPECT_TRUE(load.stats.levels.empty());
    EXPECT_TRUE(load.canSave);
    EXPECT_NE(load.message.find("practice.json.bad"), std::string::npos) << load.message;
    EXPECT_FALSE(std::filesystem::exists(path));
    std::stringstream kept;
    kept << std::ifstream(path + ".bad", std::ios::binary).rdbuf();
    EXPECT_EQ(kept.str(), damaged);
    ASSERT_TRUE(SavePracticeStats(path, stats));  // practice goes on
    EXPECT_EQ(LoadPracticeStats(path).stats, stats);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace hq::practice
