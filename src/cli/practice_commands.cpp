#include "cli/practice_commands.h"

#include <charconv>
#include <map>
#include <optional>
#include <string_view>

#include "cli/arguments.h"
#include "cli/json.h"
#include "practice/grading.h"
#include "practice/items.h"
#include "practice/json_value.h"

namespace hq {
namespace {

using practice::JsonValue;
using practice::Level;
using practice::PracticeItem;

constexpr int32_t kMostItems = 100000;
constexpr std::string_view kLevelChoices =
    "triads, triads-inversions, sevenths, sevenths-inversions, colours, progressions";

// Every option once, each with a value; the reason when not.
std::optional<std::string> TakeOptions(std::span<const std::string> args, std::span<const std::string_view> names,
                                       std::map<std::string_view, std::string>& values) {
    for (size_t i = 0; i < args.size(); ++i) {
        const Option option = TakeOption(args, i);
        bool known = false;
        for (const std::string_view name : names) known = known || option.name == name;
        if (!known) return "unknown option: " + args[i];
        if (!option.value) return std::string(option.name) + " needs a value";
        if (values.contains(option.name)) return std::string(option.name) + " is given once";
        values[option.name] = std::string(*option.value);
    }
    return std::nullopt;
}

std::optional<Level> LevelOption(const std::map<std::string_view, std::string>& values, std::string& reason) {
    const auto found = values.find("--level");
    if (found == values.end()) {
        reason = "missing --level (" + std::string(kLevelChoices) + ")";
        return std::nullopt;
    }
    const std::optional<Level> level = practice::LevelByName(found->second);
    if (!level) reason = "not a level: " + found->second + " (" + std::string(kLevelChoices) + ")";
    return level;
}

void WriteNotes(JsonWriter& json, const std::vector<int32_t>& notes) {
    json.Key("notes").BeginArray();
    for (const int32_t note : notes) json.Int(note);
    json.EndArray();
}

void WriteItem(JsonWriter& json, const PracticeItem& item) {
    json.BeginObject().Key("level").String(practice::LevelName(item.level));
    if (item.level == Level::Progressions) {
        json.Key("chords").BeginArray();
        for (const practice::ProgressionChord& chord : item.chords) {
            json.BeginObject();
            WriteNotes(json, chord.notes);
            json.Key("roman").String(chord.roman).EndObject();
        }
        json.EndArray();
        json.Key("key").BeginObject().Key("tonic").Int(item.root);
        json.Key("mode").String(item.minorKey ? "minor" : "major");
        json.Key("name").String(practice::KeyName(item.root, item.minorKey)).EndObject();
        json.Key("answer").String(practice::ExpectedAnswer(item));
    } else {
        WriteNotes(json, item.notes);
        json.Key("answer").String(practice::ExpectedAnswer(item));
        json.Key("type").String(item.type).Key("inversion").Int(item.inversion).Key("root").Int(item.root);
    }
    json.EndObject();
}

std::optional<int64_t> WholeMember(const JsonValue& object, std::string_view key, int64_t absent) {
    const JsonValue* member = object.Find(key);
    if (member == nullptr) return absent;
    if (member->kind != JsonValue::Kind::Number) return std::nullopt;
    return member->number;
}

std::optional<std::string> TextMember(const JsonValue& object, std::string_view key) {
    const JsonValue* member = object.Find(key);
    if (member == nullptr || member->kind != JsonValue::Kind::String) return std::nullopt;
    return member->text;
}

// The item as practice-items prints it; only what grading needs is read.
std::optional<PracticeItem> ItemFromJson(Level level, std::string_view text, std::string& reason) {
    const practice::JsonReading json = practice::ReadJson(text);
    if (!json.value || json.value->kind != JsonValue::Kind::Object) {
        reason = "--item is not a JSON object" + (json.reason.empty() ? "" : ": " + json.reason);
        return std::nullopt;
    }
    const JsonValue& object = *json.value;
    if (const std::optional<std::string> itemLevel = TextMember(object, "level"); itemLevel &&
        *itemLevel != practice::LevelName(level)) {
        reason = "the item is of level " + *itemLevel + ", not " + std::string(practice::LevelName(level));
        return std::nullopt;
    }
    std::optional<PracticeItem> item;
    if (level == Level::Progressions) {
        const JsonValue* key = object.Find("key");
        const std::optional<int64_t> tonic = key != nullptr ? WholeMember(*key, "tonic", 0) : std::optional<int64_t>(0);
        const std::optional<std::string> answer = TextMember(object, "answer");
        if (answer && tonic && *tonic >= 0 && *tonic < 12) item = practice::ProgressionItem(*answer, static_cast<int32_t>(*tonic));
        if (!item) reason = "--item needs the \"answer\" of a listed progression and a key tonic 0 to 11";
        return item;
    }
    const std::optional<std::string> type = TextMember(object, "type");
    const std::optional<int64_t> inversion = WholeMember(object, "inversion", 0);
    const std::optional<int64_t> root = WholeMember(object, "root", 0);
    if (type && inversion && root && *inversion >= 0 && *inversion <= 3 && *root >= 0 && *root <= 11) {
        item = practice::ChordItem(level, *type, static_cast<int32_t>(*inversion), static_cast<int32_t>(*root));
    }
    if (!item) reason = "--item needs a \"type\" of the level, an \"inversion\" it asks and a \"root\" 0 to 11";
    return item;
}

}  // namespace

int PracticeItemsCommand(std::span<const std::string> args, std::string& out, std::string& err) {
    static constexpr std::string_view kNames[] = {"--level", "--count", "--seed"};
    std::map<std::string_view, std::string> values;
    std::string reason = TakeOptions(args, kNames, values).value_or("");
    const std::optional<Level> level = reason.empty() ? LevelOption(values, reason) : std::nullopt;
    std::optional<int32_t> count = 1;
    if (reason.empty() && values.contains("--count")) {
        count = ParseInt(values["--count"], 0, kMostItems);
        if (!count) reason = "bad --count: " + values["--count"] + " (0 to 100000)";
    }
    uint64_t seed = 0;
    if (reason.empty() && values.contains("--seed")) {
        const std::string& text = values["--seed"];
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
        if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
            reason = "bad --seed: " + text + " (0 to 18446744073709551615)";
        }
    }
    if (!reason.empty()) {
        err += "harmoniqua-cli practice-items: " + reason + "\n";
        return 2;
    }
    JsonWriter json;
    json.BeginObject().Key("items").BeginArray();
    for (const PracticeItem& item : practice::GenerateItems(*level, *count, seed)) WriteItem(json, item);
    json.EndArray().EndObject();
    out += json.str() + "\n";
    return 0;
}

int PracticeGradeCommand(std::span<const std::string> args, std::string& out, std::string& err) {
    static constexpr std::string_view kNames[] = {"--level", "--item", "--answer"};
    std::map<std::string_view, std::string> values;
    std::string reason = TakeOptions(args, kNames, values).value_or("");
    const std::optional<Level> level = reason.empty() ? LevelOption(values, reason) : std::nullopt;
    if (reason.empty() && !values.contains("--item")) reason = "missing --item (an item as practice-items prints it)";
    if (reason.empty() && !values.contains("--answer")) reason = "missing --answer";
    const std::optional<PracticeItem> item = reason.empty() ? ItemFromJson(*level, values["--item"], reason) : std::nullopt;
    if (!reason.empty()) {
        err += "harmoniqua-cli practice-grade: " + reason + "\n";
        return 2;
    }
    const practice::Grade grade = practice::GradeAnswer(*item, values["--answer"]);
    JsonWriter json;
    json.BeginObject().Key("right").Bool(grade.right).Key("expected").String(grade.expected).EndObject();
    out += json.str() + "\n";
    return 0;
}

}  // namespace hq
