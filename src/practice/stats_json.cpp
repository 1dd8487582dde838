#include "practice/stats_json.h"

#include <algorithm>
#include <cstdio>

#include "practice/json_value.h"

namespace hq::practice {
namespace {

constexpr int64_t kVersion = 1;
constexpr size_t kMaxNameBytes = 64;
constexpr int32_t kFirstYear = 1;
constexpr int32_t kLastYear = 9999;

using Kind = JsonValue::Kind;

bool Fail(std::string& reason, std::string why) {
    if (reason.empty()) reason = std::move(why);
    return false;
}

bool ReadCount(const JsonValue& value, DayCount& count, std::string& reason) {
    if (value.kind != Kind::Array || value.items.size() != 2 || value.items[0].kind != Kind::Number ||
        value.items[1].kind != Kind::Number) {
        return Fail(reason, "a count is not [right, asked]");
    }
    const int64_t right = value.items[0].number, asked = value.items[1].number;
    if (right < 0 || right > asked || asked > kMaxCount) return Fail(reason, "a count is out of range");
    count = {static_cast<int32_t>(right), static_cast<int32_t>(asked)};
    return true;
}

bool ReadName(const std::string& name, std::string& reason) {
    return (!name.empty() && name.size() <= kMaxNameBytes) || Fail(reason, "a name is empty or too long");
}

std::optional<int32_t> ReadDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    int32_t parts[3] = {0, 0, 0};
    size_t part = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i == 4 || i == 7) {
            ++part;
            continue;
        }
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        parts[part] = parts[part] * 10 + (text[i] - '0');
    }
    if (parts[0] < kFirstYear || parts[1] < 1 || parts[1] > 12 || parts[2] < 1 || parts[2] > 31) return std::nullopt;
    const int32_t day = DayNumber(parts[0], parts[1], parts[2]);
    const CivilDate back = DateOfDay(day);
    if (back.year != parts[0] || back.month != parts[1] || back.day != parts[2]) return std::nullopt;
    return day;
}

std::string DateText(int32_t day) {
    const CivilDate date = DateOfDay(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", static_cast<int>(date.year), static_cast<int>(date.month),
                  static_cast<int>(date.day));
    return text;
}

bool Writable(int32_t day) {
    const CivilDate date = DateOfDay(day);
    return date.year >= kFirstYear && date.year <= kLastYear;
}

bool ReadKind(const JsonValue& value, KindStats& kind, std::string& reason) {
    if (value.kind != Kind::Object) return Fail(reason, "a kind is not an object");
    for (const auto& [key, member] : value.members) {
        if (key == "box") {
            if (member.kind != Kind::Number || member.number < 1 || member.number > kBoxCount) {
                return Fail(reason, "a box is not 1 to 5");
            }
            kind.box = static_cast<int32_t>(member.number);
        } else if (key == "earlier") {
            if (!ReadCount(member, kind.earlier, reason)) return false;
        } else if (key == "days") {
            if (member.kind != Kind::Object) return Fail(reason, "days is not an object");
            for (const auto& [date, count] : member.members) {
                const std::optional<int32_t> day = ReadDate(date);
                if (!day) return Fail(reason, "not a date: " + date.substr(0, 16));
                if (!ReadCount(count, kind.days[*day], reason)) return false;
            }
        } else if (key == "answers") {
            if (member.kind != Kind::Object) return Fail(reason, "answers is not an object");
            for (const auto& [answer, times] : member.members) {
                if (!ReadName(answer, reason)) return false;
                if (times.kind != Kind::Number || times.number < 1 || times.number > kMaxCount) {
                    return Fail(reason, "an answer count is out of range");
                }
                kind.answers[answer] = static_cast<int32_t>(times.number);
            }
        } else {
            return Fail(reason, "an unknown key: " + key.substr(0, 16));
        }
    }
    return true;
}

bool ReadLevels(const JsonValue& value, PracticeStats& stats, std::string& reason) {
    if (value.kind != Kind::Object) return Fail(reason, "levels is not an object");
    for (const auto& [levelName, level] : value.members) {
        if (!ReadName(levelName, reason)) return false;
        if (level.kind != Kind::Object) return Fail(reason, "a level is not an object");
        LevelStats& kinds = stats.levels[levelName];
        for (const auto& [kindName, kind] : level.members) {
            if (!ReadName(kindName, reason) || !ReadKind(kind, kinds[kindName], reason)) return false;
        }
    }
    return true;
}

std::string CountText(const DayCount& count) {
    return "[" + std::to_string(count.right) + ", " + std::to_string(count.asked) + "]";
}

}  // namespace

StatsReading ReadPracticeStats(std::string_view bytes) {
    JsonReading json = ReadJson(bytes);
    if (!json.value) return {std::nullopt, json.reason};
    const JsonValue& top = *json.value;
    std::string reason;
    if (top.kind != Kind::Object) return {std::nullopt, "not a JSON object"};
    const JsonValue* version = top.Find("version");
    if (version == nullptr || version->kind != Kind::Number || version->number != kVersion) {
        return {std::nullopt, "not version 1"};
    }
    PracticeStats stats;
    for (const auto& [key, member] : top.members) {
        if (key == "levels") {
            if (!ReadLevels(member, stats, reason)) return {std::nullopt, reason};
        } else if (key != "version") {
            return {std::nullopt, "an unknown key: " + key.substr(0, 16)};
        }
    }
    return {std::move(stats), {}};
}

std::string WritePracticeStats(const PracticeStats& stats) {
    std::string out = "{\"version\": 1, \"levels\": {";
    const char* levelSeparator = "\n";
    for (const auto& [levelName, kinds] : stats.levels) {
        out += levelSeparator + std::string("  ") + JsonQuoted(levelName) + ": {";
        levelSeparator = ",\n";
        const char* kindSeparator = "\n";
        for (const auto& [kindName, kind] : kinds) {
            // Days no date can name are kept in the earlier count.
            DayCount earlier = kind.earlier;
            std::string days;
            for (const auto& [day, count] : kind.days) {
                if (!Writable(day)) {
                    earlier.right = std::min(kMaxCount, earlier.right + count.right);
                    earlier.asked = std::min(kMaxCount, earlier.asked + count.asked);
                    continue;
                }
                days += (days.empty() ? "" : ", ") + JsonQuoted(DateText(day)) + ": " + CountText(count);
            }
            std::string answers;
            for (const auto& [answer, times] : kind.answers) {
                answers += (answers.empty() ? "" : ", ") + JsonQuoted(answer) + ": " + std::to_string(times);
            }
            out += kindSeparator + std::string("    ") + JsonQuoted(kindName) + ": {\"box\": " +
                   std::to_string(std::clamp(kind.box, 1, kBoxCount)) + ", \"earlier\": " + CountText(earlier) + ", \"days\": {" + days +
                   "}, \"answers\": {" + answers + "}}";
            kindSeparator = ",\n";
        }
        out += kinds.empty() ? "}" : "\n  }";
    }
    out += stats.levels.empty() ? "}}\n" : "\n}}\n";
    return out;
}

}  // namespace hq::practice
