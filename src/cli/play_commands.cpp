#include "cli/play_commands.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "app/player_parts.h"
#include "cli/arguments.h"
#include "cli/json.h"
#include "headless/session.h"
#include "platform/controls.h"
#include "playback/arrangement.h"

namespace hq {
namespace {

struct NamedKid {
    std::string_view name;
    int32_t kid;
};

constexpr std::array<NamedKid, 4> kArrangements{{
    {"closest", kid::ArrangeClosest},
    {"octave", kid::ArrangeOctave},
    {"harmonic", kid::ArrangeHarmonic},
    {"random", kid::ArrangeRandom},
}};

constexpr std::array<NamedKid, 4> kRepeats{{
    {"root", kid::RepeatRoot},
    {"bass", kid::RepeatBass},
    {"fifth", kid::RepeatFifth},
    {"all", kid::RepeatAll},
}};

struct Switch {
    std::string_view option;
    int32_t kid;
    int32_t value1;
};

constexpr std::array<Switch, 5> kSwitchOptions{{
    {"--up", kid::Up, -1},
    {"--no-up", kid::Up, 0},
    {"--down", kid::Down, -1},
    {"--no-down", kid::Down, 0},
    {"--fill", kid::Fill, -1},
}};

// What the clock can give: nanoseconds divided by at least 1.
constexpr int32_t kHighestRandomBase = 999'999'999;
constexpr int32_t kHighestPlayMs = 600'000;

std::optional<int32_t> KidOf(std::span<const NamedKid> table, std::string_view name) {
    for (const NamedKid& entry : table) {
        if (entry.name == name) return entry.kid;
    }
    return std::nullopt;
}

bool AddRepeats(std::string_view list, std::vector<StepSelection>& controls) {
    while (!list.empty()) {
        const size_t comma = list.find(',');
        const std::optional<int32_t> k = KidOf(kRepeats, list.substr(0, comma));
        if (!k) return false;
        controls.push_back({*k, -1});
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
        if (list.empty()) return false;  // a trailing comma names nothing
    }
    return true;
}

}  // namespace

std::optional<std::string> ParsePlayRequest(std::span<const std::string> args, PlayOptions options,
                                            PlayRequest& request) {
    const bool playing = options == PlayOptions::Play;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!arg.starts_with("--")) {
            const std::optional<StepSelection> s = ParseSelection(arg);
            if (!s) return "not a Step-panel control selection: " + DescribeBadSelection(arg);
            request.chord.push_back(*s);
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string_view option = arg.substr(0, equals);
        std::optional<std::string_view> inlineValue;
        if (equals != std::string_view::npos) inlineValue = arg.substr(equals + 1);
        auto value = [&]() -> std::optional<std::string_view> {
            if (inlineValue) return inlineValue;
            if (i + 1 < args.size()) return std::string_view(args[++i]);
            return std::nullopt;
        };
        auto number = [&](int32_t lowest, int32_t highest) -> std::optional<int32_t> {
            const std::optional<std::string_view> v = value();
            return v ? ParseInt(*v, lowest, highest) : std::nullopt;
        };
        const std::string bad = "bad value for " + std::string(option);

        bool isSwitch = false;
        for (const Switch& s : kSwitchOptions) {
            if (s.option != option) continue;
            if (inlineValue) return std::string(option) + " takes no value";
            request.controls.push_back({s.kid, s.value1});
            isSwitch = true;
        }
        if (isSwitch) continue;

        if (option == "--arrangement") {
            const std::optional<std::string_view> v = value();
            const std::optional<int32_t> k = v ? KidOf(kArrangements, *v) : std::nullopt;
            if (!k) return bad + " (closest, octave, harmonic or random)";
            request.controls.push_back({*k, -1});
        } else if (option == "--repeat") {
            const std::optional<std::string_view> v = value();
            if (!v || !AddRepeats(*v, request.controls)) return bad + " (root, bass, fifth, all, joined by commas)";
        } else if (options != PlayOptions::Encode && option == "--random-base") {
            request.randomBase = number(0, kHighestRandomBase);
            if (!request.randomBase) return bad + " (0 to 999999999)";
        } else if (option == "--tempo") {
            request.tempo = number(-32768, 32767);
            if (!request.tempo) return bad + " (-32768 to 32767)";
        } else if (option == "--notes") {
            request.notesPerMeasure = number(-32768, 32767);
            if (!request.notesPerMeasure) return bad + " (-32768 to 32767)";
        } else if (playing && option == "--once") {
            if (inlineValue) return "--once takes no value";
            request.once = true;
        } else if (playing && option == "--ms") {
            const std::optional<int32_t> ms = number(0, kHighestPlayMs);
            if (!ms) return bad + " (0 to 600000)";
            request.stopMs = *ms;
        } else {
            return UnknownOption(arg);
        }
    }
    return std::nullopt;
}

void PrepareSession(HeadlessSession& session, const PlayRequest& request) {
    for (const StepSelection& s : request.chord) session.Select(s.kid, s.value1);
    for (const StepSelection& s : request.controls) session.Select(s.kid, s.value1);
    if (request.tempo) session.state.play.Tempo = *request.tempo;
    if (request.notesPerMeasure) session.state.play.NotesPerMeasure = *request.notesPerMeasure;
}

namespace {

// A fixed RandomBase is a clock that reads it: second 0, nanosecond N.
void StartSession(std::optional<HeadlessSession>& session, const PlayRequest& request) {
    if (request.randomBase) {
        session.emplace(DateAndTime{2026, 1, 1, 0, 0, 0, *request.randomBase});
    } else {
        session.emplace();
    }
    PrepareSession(*session, request);
}

}  // namespace

void WriteAlerts(JsonWriter& json, const HeadlessSession& session) {
    json.Key("alerts").BeginArray();
    for (const std::string& alert : session.toolkit.Alerts()) json.String(alert);
    json.EndArray();
}

namespace {

std::string_view CallName(RecordingKeyboard::CallKind kind) {
    using K = RecordingKeyboard::CallKind;
    switch (kind) {
        case K::Start: return "Start";
        case K::NoteOn: return "KbdNoteOn";
        case K::NoteOff: return "KbdNoteOff";
        case K::GetNote: return "KbdGetNote";
        case K::AllNotesOff: return "KbdAllNotesOff";
        case K::GetParam: return "KbdGetParam";
        case K::SetParam: return "KbdSetParam";
        case K::Close: return "KbdClose";
    }
    return "";
}

}  // namespace

void WriteKeyboardEvent(JsonWriter& json, const RecordingKeyboard::Call& call, int64_t originMs) {
    using K = RecordingKeyboard::CallKind;
    json.BeginObject();
    json.Key("t").Int(call.timeMs - originMs);
    json.Key("call").String(CallName(call.kind));
    if (call.kind == K::NoteOn || call.kind == K::NoteOff || call.kind == K::GetNote) {
        json.Key("pc").Int(call.a).Key("octave").Int(call.b);
    } else if (call.kind == K::GetParam || call.kind == K::SetParam) {
        json.Key("param").Int(call.a).Key("value").Int(call.b);
    }
    json.EndObject();
}

namespace {

int Fail(std::string_view command, const std::string& reason, std::string& err) {
    err += "harmoniqua-cli " + std::string(command) + ": " + reason + "\n";
    return 2;
}

}  // namespace

int ArrangeCommand(std::span<const std::string> args, std::string& out, std::string& err) {
    PlayRequest request;
    if (const std::optional<std::string> reason = ParsePlayRequest(args, PlayOptions::Arrange, request)) return Fail("arrange", *reason, err);
    std::optional<HeadlessSession> session;
    StartSession(session, request);

    const PitchList list = BuildPitchList(session->state.chord, session->state.play);
    const std::vector<Placement> placements = CurrentPlacements(PlayerPartsOf(session->program));
    JsonWriter json;
    json.BeginObject().Key("PitchList").BeginArray();
    for (int32_t i = 0; i < list.count; ++i) json.Int(list.pitchClasses[static_cast<size_t>(i)]);
    json.EndArray().Key("placements").BeginArray();
    for (const Placement& p : placements) json.BeginArray().Int(p.pitchClass).Int(p.octave).EndArray();
    json.EndArray().EndObject();
    out += json.str() + "\n";
    return 0;
}

int PlayCommand(std::span<const std::string> args, std::string& out, std::string& err) {
    PlayRequest request;
    if (const std::optional<std::string> reason = ParsePlayRequest(args, PlayOptions::Play, request)) return Fail("play", *reason, err);
    std::optional<HeadlessSession> session;
    StartSession(session, request);
    HeadlessToolkit& toolkit = session->toolkit;
    const size_t firstCall = session->keyboard.Calls().size();
    const int64_t originMs = toolkit.NowMs();

    if (request.once) {
        session->Select(kid::PlayOnce, 0);
    } else {
        session->Select(kid::PlayRep, 0);
        toolkit.AdvanceTo(originMs + request.stopMs);  // the timers due at STOP's millisecond run first
        session->Select(kid::StopRep, 0);
    }
    // Only note timers are left; each ends its note.
    while (const std::optional<int64_t> due = toolkit.NextDueMs()) toolkit.AdvanceTo(*due);

    JsonWriter json;
    json.BeginObject().Key("events").BeginArray();
    const std::vector<RecordingKeyboard::Call>& calls = session->keyboard.Calls();
    for (size_t i = firstCall; i < calls.size(); ++i) WriteKeyboardEvent(json, calls[i], originMs);
    json.EndArray();
    WriteAlerts(json, *session);
    json.EndObject();
    out += json.str() + "\n";
    return 0;
}

}  // namespace hq
