#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/json.h"
#include "headless/session.h"

namespace hq {

/// The options each command takes beside the chord's selections.
enum class PlayOptions : uint8_t {
    Arrange,  // the play settings and --random-base
    Play,     // those and --once, --ms
    Encode,   // the play settings only
};

struct PlayRequest {
    std::vector<StepSelection> chord;     // Step-panel selections, in order
    std::vector<StepSelection> controls;  // arrangement, repeat, Up/Down/Fill clicks, in order
    std::optional<int32_t> randomBase;
    std::optional<int32_t> tempo;
    std::optional<int32_t> notesPerMeasure;
    bool once = false;
    int32_t stopMs = 2000;
};

/// Fills `request`; on a bad argument returns the one-line reason.
std::optional<std::string> ParsePlayRequest(std::span<const std::string> args, PlayOptions options,
                                            PlayRequest& request);

/// The chord and settings as a user would set them: the selections clicked
/// in order, tempo and notes per measure stored as given.
void PrepareSession(HeadlessSession& session, const PlayRequest& request);

/// One keyboard call as an event: {"t", "call"} and its pc and octave or
/// param and value; `t` counts from `originMs`.
void WriteKeyboardEvent(JsonWriter& json, const RecordingKeyboard::Call& call, int64_t originMs);

/// "alerts": every alert the session showed, in order.
void WriteAlerts(JsonWriter& json, const HeadlessSession& session);

/// harmoniqua-cli arrange: the chord built by Step-panel selections, arranged
/// under the play options: {"PitchList": [...], "placements": [[pc, octave], ...]}.
int ArrangeCommand(std::span<const std::string> args, std::string& out, std::string& err);

/// harmoniqua-cli play: the same chord played on the virtual clock, once
/// (--once) or repeatedly until STOP at --ms (2000): {"events": [...], "alerts": [...]}.
int PlayCommand(std::span<const std::string> args, std::string& out, std::string& err);

}  // namespace hq
