#include "cli/analyze_command.h"

#include <charconv>
#include <vector>

#include "analyzer/capture.h"
#include "analyzer/naming.h"
#include "app/routing.h"
#include "cli/arguments.h"
#include "cli/chord_json.h"
#include "cli/json.h"
#include "headless/session.h"
#include "platform/controls.h"
#include "theory/pitch.h"

namespace hq {
namespace {

constexpr std::string_view kUseOption = "--use";
constexpr std::string_view kUseRankedOption = "--use-ranked";

std::optional<int32_t> ParseWhole(std::string_view text, int64_t lowest, int64_t highest) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    if (value < lowest || value > highest) return std::nullopt;
    return static_cast<int32_t>(value);
}

struct AnalyzeArguments {
    std::vector<HeldKey> keys;
    std::optional<int32_t> useLine;
    std::optional<int32_t> useRanked;
};

/// Reads the number after an option at args[i] into `slot`, once; false
/// after writing why to `err`.
bool ParseNumberOption(std::span<const std::string> args, size_t& i, std::string_view what,
                       std::optional<int32_t>& slot, std::string& err) {
    std::optional<int32_t> number;
    if (i + 1 < args.size()) number = ParseWhole(args[i + 1], INT32_MIN, INT32_MAX);
    if (!number || slot) {
        err += "harmoniqua-cli analyze: " + args[i] + " takes one " + std::string(what) + " number, once\n";
        return false;
    }
    slot = number;
    ++i;
    return true;
}

std::optional<AnalyzeArguments> ParseArguments(std::span<const std::string> args, std::string& err) {
    AnalyzeArguments parsed;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == kUseOption || arg == kUseRankedOption) {
            const bool line = arg == kUseOption;
            if (!ParseNumberOption(args, i, line ? "line" : "entry", line ? parsed.useLine : parsed.useRanked, err)) {
                return std::nullopt;
            }
            continue;
        }
        if (arg.starts_with("--")) {
            err += "harmoniqua-cli analyze: " + UnknownOption(arg) + "\n";
            return std::nullopt;
        }
        const std::optional<HeldKey> key = ParseHeldKey(arg);
        if (!key) {
            err += "harmoniqua-cli analyze: not a note (C4, Eb4, F#3, or a MIDI number 0..127): " + arg + "\n";
            return std::nullopt;
        }
        // The capture reads octaves 1 to 7 only: a key outside would be dropped unseen.
        if (key->octave < kLowestCaptureOctave || key->octave > kHighestCaptureOctave) {
            err += "harmoniqua-cli analyze: " + arg + " is outside the piano's C1 to B7\n";
            return std::nullopt;
        }
        parsed.keys.push_back(*key);
    }
    if (parsed.useLine && parsed.useRanked) {
        err += "harmoniqua-cli analyze: --use and --use-ranked cannot go together\n";
        return std::nullopt;
    }
    return parsed;
}

void WriteAlerts(JsonWriter& json, std::span<const std::string> alerts) {
    json.BeginArray();
    for (const std::string& alert : alerts) json.String(alert);
    json.EndArray();
}

void WriteSolutions(JsonWriter& json, const AnalyzerState& analyzer) {
    json.BeginArray();
    for (const Solution& s : analyzer.Solutions) {
        json.BeginObject();
        json.Key("name").String(s.name);
        for (const SolutionField& field : kSolutionFields) json.Key(field.name).Int(s.*field.member);
        json.EndObject();
    }
    json.EndArray();
}

void WriteRanked(JsonWriter& json, std::span<const NamedChord> ranked) {
    json.BeginArray();
    for (const NamedChord& n : ranked) {
        json.BeginObject();
        json.Key("name").String(n.name);
        json.Key("RootPitch").Int(n.RootPitch);
        json.Key("BassPitch");
        if (n.BassPitch == kNoBass) {
            json.Null();
        } else {
            json.Int(n.BassPitch);
        }
        json.Key("exact").Bool(n.exact);
        json.Key("definition");
        WriteDefinitionJson(json, n.definition);
        json.Key("roles").BeginArray();
        for (const NoteRole& r : RolesOf(n)) {
            json.BeginObject();
            json.Key("pitch").Int(r.pitch);
            json.Key("role").String(r.role);
            json.Key("spelled").String(r.spelled);
            json.EndObject();
        }
        json.EndArray();
        json.Key("explanation").String(ExplanationOf(n));
        json.Key("leftOut").BeginArray();
        for (int32_t p : n.leftOut) json.Int(p);
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
}

/// The alerts shown since `from` of them had been shown.
std::span<const std::string> AlertsSince(const HeadlessSession& session, size_t from) {
    return std::span<const std::string>(session.toolkit.Alerts()).subspan(from);
}

}  // namespace

std::optional<HeldKey> ParseHeldKey(std::string_view text) {
    if (!text.empty() && text.front() >= '0' && text.front() <= '9') {
        const std::optional<int32_t> note = ParseWhole(text, 0, 127);
        if (!note) return std::nullopt;
        return HeldKey{*note % 12, *note / 12 - 1};
    }
    if (text.size() < 2 || text.size() > 3) return std::nullopt;
    const std::optional<int32_t> letter = LetterPitch(text.front());
    if (!letter) return std::nullopt;
    int32_t semitones = *letter;
    if (text.size() == 3) {
        if (text[1] == 'b') {
            --semitones;
        } else if (text[1] == '#') {
            ++semitones;
        } else {
            return std::nullopt;
        }
    }
    const char digit = text.back();
    if (digit < '0' || digit > '9') return std::nullopt;
    // Cb4 lies a semitone below C4, that is B3; B#3 is C4.
    const int32_t note = 12 * (digit - '0') + semitones;
    return HeldKey{Mod12(note), (note - Mod12(note)) / 12};
}

int AnalyzeCommand(std::span<const std::string> args, std::string& out, std::string& err) {
    const std::optional<AnalyzeArguments> parsed = ParseArguments(args, err);
    if (!parsed) return 2;

    HeadlessSession session;
    for (const HeldKey& key : parsed->keys) session.keyboard.Hold(key.pitchClass, key.octave);
    const size_t alertsBefore = session.toolkit.Alerts().size();
    session.Select(kid::CaptureSolve, 0);
    const size_t alertsAfterCapture = session.toolkit.Alerts().size();

    JsonWriter json;
    json.BeginObject();
    json.Key("solutions");
    WriteSolutions(json, session.state.analyzer);
    const HeadlessToolkit::Control* list = session.toolkit.ControlOf(session.Grid(), kid::SolutionsList);
    json.Key("shown").String(list != nullptr ? list->text : "");
    json.Key("alerts");
    WriteAlerts(json, AlertsSince(session, alertsBefore).first(alertsAfterCapture - alertsBefore));
    if (parsed->useLine) {
        session.Select(kid::SolutionsList, *parsed->useLine);
        session.Select(kid::UseSolution, 0);
        json.Key("used");
        WriteChordJson(json, session, AlertsSince(session, alertsAfterCapture));
    }
    const std::vector<NamedChord> ranked = NameCapture(session.state.analyzer.CapturedPitches);
    if (parsed->useRanked) {
        json.Key("used");
        const int32_t entry = *parsed->useRanked;
        if (entry >= 0 && static_cast<size_t>(entry) < ranked.size()) {
            TakeChordIntoPanels(session.program, ranked[static_cast<size_t>(entry)].definition);
            WriteChordJson(json, session, AlertsSince(session, alertsAfterCapture));
        } else {
            json.Null();
        }
    }
    json.Key("ranked");
    WriteRanked(json, ranked);
    const std::string interval = IntervalOfTwo(session.state.analyzer.CapturedPitches);
    if (!interval.empty()) json.Key("interval").String(interval);
    json.EndObject();
    out += json.str() + "\n";
    return 0;
}

}  // namespace hq
