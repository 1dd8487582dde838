#include "cli/sequence_commands.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "app/routing.h"
#include "cli/arguments.h"
#include "cli/json.h"
#include "cli/parse_command.h"
#include "cli/play_commands.h"
#include "headless/session.h"
#include "platform/controls.h"
#include "playback/step_timing.h"
#include "sequencer/sequence_file.h"
#include "theory/symbol.h"

namespace hq {
namespace {

constexpr int32_t kDefaultSequenceMs = 10'000;
constexpr int32_t kHighestSequenceMs = 600'000;
constexpr int32_t kDefaultSequenceTempo = 180;

int Fail(std::string_view command, const std::string& reason, std::string& err) {
    err += "harmoniqua-cli " + std::string(command) + ": " + reason + "\n";
    return 2;
}

}  // namespace

std::optional<int32_t> ClampedTempo(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) text.remove_prefix(1);
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    if (negative) return kLowestTempo;
    const std::string_view digits = text.substr(std::min(text.find_first_not_of('0'), text.size()));
    if (digits.size() > 3) return kHighestTempo;
    const std::optional<int32_t> tempo = ParseInt(digits.empty() ? "0" : digits, 0, 999);
    return std::clamp(tempo.value_or(0), kLowestTempo, kHighestTempo);
}

namespace {

struct SequenceRequest {
    std::string path;
    int32_t stopMs = kDefaultSequenceMs;
    int32_t tempo = kDefaultSequenceTempo;
    bool voiceLed = false;
};

// FILE and, for play-sequence, --ms, --tempo and --voicing (as "--ms D" or
// "--ms=D").
std::optional<std::string> ParseSequenceRequest(std::span<const std::string> args, bool playing,
                                                SequenceRequest& request) {
    bool havePath = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!arg.starts_with("--") || arg == "--") {
            if (havePath) return "more than one FILE: " + std::string(arg);
            request.path = arg;
            havePath = true;
            continue;
        }
        const auto [option, value] = TakeOption(args, i);
        if (playing && option == "--ms") {
            const std::optional<int32_t> ms = value ? ParseInt(*value, 0, kHighestSequenceMs) : std::nullopt;
            if (!ms) return "bad value for --ms (0 to 600000)";
            request.stopMs = *ms;
        } else if (playing && option == "--tempo") {
            const std::optional<int32_t> tempo = value ? ClampedTempo(*value) : std::nullopt;
            if (!tempo) return "bad value for --tempo (an integer)";
            request.tempo = *tempo;
        } else if (playing && option == "--voicing") {
            const std::optional<bool> voiceLed = value ? VoiceLedOf(*value) : std::nullopt;
            if (!voiceLed) return std::string(kBadVoicing);
            request.voiceLed = *voiceLed;
        } else {
            return UnknownOption(arg);
        }
    }
    if (!havePath) return std::string("missing FILE");
    return std::nullopt;
}

struct ComposedEvent {
    size_t keyboardCall;  // how many keyboard calls came before it
    int64_t timeMs;
    std::string notation;
};

}  // namespace

int EncodeCommand(std::span<const std::string> args, std::string& out, std::string& err) {
    std::vector<std::string> rest;
    std::optional<std::string> symbol;
    if (const std::optional<std::string> reason = SplitSymbolOption(args, rest, symbol)) return Fail("encode", *reason, err);
    PlayRequest request;
    if (const std::optional<std::string> reason = ParsePlayRequest(rest, PlayOptions::Encode, request)) {
        return Fail("encode", *reason, err);
    }
    if (symbol && !request.chord.empty()) return Fail("encode", "--symbol takes no Step-panel names beside it", err);
    HeadlessSession session;
    if (symbol) {
        const SymbolReading reading = ReadChordSymbol(*symbol);
        if (!reading.definition) return Fail("encode", reading.reason, err);
        TakeChordIntoPanels(session.program, *reading.definition);
    }
    PrepareSession(session, request);
    session.Select(kid::AppendChord, 0);
    for (const std::string& alert : session.toolkit.Alerts()) err += alert + "\n";
    const ChordSequence& sequence = session.state.sequencer.sequence;
    if (sequence.Records.empty()) return Fail("encode", "no record was made", err);
    for (const std::string& field : sequence.Records.back()) out += field + "\n";
    return 0;
}

int CheckCommand(std::span<const std::string> args, std::string& out, std::string& err) {
    SequenceRequest request;
    if (const std::optional<std::string> reason = ParseSequenceRequest(args, false, request)) {
        return Fail("check", *reason, err);
    }
    if (ReportUnopenable("check", request.path, err)) return 1;
    // Read in place: a file's lines as strings would take many times its size.
    std::optional<SequenceSummary> sequence;
    if (const std::optional<std::string> text = ReadStringArrayFile(request.path)) {
        sequence = SummariseSequenceText(*text);
    }
    JsonWriter json;
    json.BeginObject().Key("valid").Bool(sequence.has_value());
    json.Key("count").Int(sequence ? sequence->count : 0);
    json.Key("names").BeginArray();
    if (sequence) {
        for (const std::string& name : sequence->names) json.String(name);
    }
    json.EndArray().Key("alerts").BeginArray();
    if (!sequence) json.String(kInvalidFileAlert);
    json.EndArray().EndObject();
    out += json.str() + "\n";
    return sequence ? 0 : 1;
}

int PlaySequenceCommand(std::span<const std::string> args, std::string& out, std::string& err) {
    SequenceRequest request;
    if (const std::optional<std::string> reason = ParseSequenceRequest(args, true, request)) {
        return Fail("play-sequence", *reason, err);
    }
    if (ReportUnopenable("play-sequence", request.path, err)) return 1;
    HeadlessSession session;
    HeadlessToolkit& toolkit = session.toolkit;
    if (request.path.empty()) {
        // What the dialog would take for a cancel is a file that cannot be read here.
        toolkit.Alert(kInvalidFileAlert);
    } else {
        toolkit.QueueFileDialogAnswer(request.path);
        session.Select(kid::LoadSequence, 0);
    }
    const bool loaded = toolkit.Alerts().empty();

    std::vector<ComposedEvent> composed;
    const size_t firstCall = session.keyboard.Calls().size();
    const int64_t originMs = toolkit.NowMs();
    if (loaded) {
        session.state.play.Tempo = request.tempo;
        session.state.sequencer.play.VoiceLed = request.voiceLed;
        session.state.sequencer.play.ChordComposed = [&](const ComposedChord& chord) {
            composed.push_back({session.keyboard.Calls().size(), toolkit.NowMs(), chord.Notation});
        };
        session.Select(kid::PlaySequence, 0);
        toolkit.AdvanceTo(originMs + request.stopMs);  // the timers due at STOP's millisecond run first
        session.Select(kid::StopSequence, 0);
        session.state.sequencer.play.ChordComposed = nullptr;
        // Only note timers are left; each ends its note.
        while (const std::optional<int64_t> due = toolkit.NextDueMs()) toolkit.AdvanceTo(*due);
    }

    JsonWriter json;
    json.BeginObject().Key("events").BeginArray();
    const std::vector<RecordingKeyboard::Call>& calls = session.keyboard.Calls();
    size_t next = 0;
    for (size_t i = firstCall; i <= calls.size(); ++i) {
        for (; next < composed.size() && composed[next].keyboardCall <= i; ++next) {
            json.BeginObject().Key("t").Int(composed[next].timeMs - originMs);
            json.Key("call").String("Chord").Key("Notation").String(composed[next].notation).EndObject();
        }
        if (i < calls.size()) WriteKeyboardEvent(json, calls[i], originMs);
    }
    json.EndArray();
    WriteAlerts(json, session);
    json.EndObject();
    out += json.str() + "\n";
    return loaded ? 0 : 1;
}

}  // namespace hq
