#pragma once
// Practice statistics: counts right and asked per level and item kind, by
// day, the answers given for each kind, and the Leitner boxes. Pure: the
// caller says what day it is.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "practice/grading.h"
#include "practice/items.h"

namespace hq::practice {

inline constexpr int32_t kPassMarkPercent = 90;
inline constexpr int32_t kMaxCount = 1'000'000'000;
/// Today and the six days before it.
inline constexpr int32_t kWeekDays = 7;

struct DayCount {
    int32_t right = 0;
    int32_t asked = 0;  // right <= asked <= kMaxCount
    bool operator==(const DayCount&) const = default;
};

struct KindStats {
    int32_t box = 1;  // 1..kBoxCount
    DayCount earlier;  // the days before the last seven, folded
    std::map<int32_t, DayCount> days;  // by DayNumber
    std::map<std::string, int32_t, std::less<>> answers;  // answer given -> times (1..kMaxCount)
    DayCount session;  // since the program started; never stored

    /// Stored contents equal; the session is not compared.
    bool operator==(const KindStats& other) const {
        return box == other.box && earlier == other.earlier && days == other.days && answers == other.answers;
    }
};

using LevelStats = std::map<std::string, KindStats, std::less<>>;  // by kind

struct PracticeStats {
    std::map<std::string, LevelStats, std::less<>> levels;  // by LevelName
    bool operator==(const PracticeStats&) const = default;
};

/// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
int32_t DayNumber(int32_t year, int32_t month1to12, int32_t day1to31);
struct CivilDate {
    int32_t year = 1970;
    int32_t month = 1;
    int32_t day = 1;
};
CivilDate DateOfDay(int32_t dayNumber);

/// Counts the answer for today, moves the kind's box (wrong: box 1, right:
/// one up to kBoxCount) and folds days older than the last seven.
void RecordAnswer(PracticeStats& stats, const PracticeItem& item, const Grade& grade, int32_t today);

/// The boxes NextItem draws from for this level.
LeitnerBoxes BoxesFor(const PracticeStats& stats, Level level);

struct PeriodCounts {
    DayCount session;
    DayCount today;
    DayCount lastSevenDays;
    DayCount allTime;
};

/// One kind's counts; the whole level's when `kind` is empty.
PeriodCounts CountsFor(const PracticeStats& stats, Level level, std::string_view kind, int32_t today);

/// A test passes with kPassMarkPercent of its items right.
bool PassesTest(int32_t right, int32_t itemCount);

}  // namespace hq::practice
