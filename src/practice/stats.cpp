#include "practice/stats.h"

#include <algorithm>

namespace hq::practice {
namespace {

void Add(DayCount& to, const DayCount& from) {
    to.right = std::min(kMaxCount, to.right + from.right);
    to.asked = std::min(kMaxCount, to.asked + from.asked);
}

void AddKind(PeriodCounts& counts, const KindStats& kind, int32_t today) {
    Add(counts.session, kind.session);
    Add(counts.allTime, kind.earlier);
    for (const auto& [day, count] : kind.days) {
        Add(counts.allTime, count);
        if (day == today) Add(counts.today, count);
        if (day <= today && day > today - kWeekDays) Add(counts.lastSevenDays, count);
    }
}

}  // namespace

// Howard Hinnant's days-from-civil algorithm.
int32_t DayNumber(int32_t year, int32_t month1to12, int32_t day1to31) {
    const int32_t y = year - (month1to12 <= 2 ? 1 : 0);
    const int32_t era = (y >= 0 ? y : y - 399) / 400;
    const int32_t yearOfEra = y - era * 400;
    const int32_t dayOfYear = (153 * (month1to12 + (month1to12 > 2 ? -3 : 9)) + 2) / 5 + day1to31 - 1;
    const int32_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate DateOfDay(int32_t dayNumber) {
    const int32_t z = dayNumber + 719468;
    const int32_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int32_t dayOfEra = z - era * 146097;
    const int32_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int32_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int32_t mp = (5 * dayOfYear + 2) / 153;
    const int32_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const int32_t month = mp < 10 ? mp + 3 : mp - 9;
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

void RecordAnswer(PracticeStats& stats, const PracticeItem& item, const Grade& grade, int32_t today) {
    KindStats& kind = stats.levels[std::string(LevelName(item.level))][ExpectedAnswer(item)];
    const DayCount one{grade.right ? 1 : 0, 1};
    Add(kind.days[today], one);
    Add(kind.session, one);
    int32_t& given = kind.answers[grade.given];
    given = std::min(kMaxCount, given + 1);
    kind.box = grade.right ? std::min(kBoxCount, std::max(1, kind.box) + 1) : 1;
    for (auto day = kind.days.begin(); day != kind.days.end() && day->first <= today - kWeekDays;) {
        Add(kind.earlier, day->second);
        day = kind.days.erase(day);
    }
}

LeitnerBoxes BoxesFor(const PracticeStats& stats, Level level) {
    LeitnerBoxes boxes;
    const auto found = stats.levels.find(LevelName(level));
    if (found == stats.levels.end()) return boxes;
    for (const auto& [kind, kindStats] : found->second) boxes[kind] = kindStats.box;
    return boxes;
}

PeriodCounts CountsFor(const PracticeStats& stats, Level level, std::string_view kind, int32_t today) {
    PeriodCounts counts;
    const auto found = stats.levels.find(LevelName(level));
    if (found == stats.levels.end()) return counts;
    for (const auto& [name, kindStats] : found->second) {
        if (kind.empty() || name == kind) AddKind(counts, kindStats, today);
    }
    return counts;
}

bool PassesTest(int32_t right, int32_t itemCount) {
    return itemCount > 0 && int64_t{right} * 100 >= int64_t{itemCount} * kPassMarkPercent;
}

}  // namespace hq::practice
