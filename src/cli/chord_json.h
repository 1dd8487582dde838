#pragma once

#include <span>
#include <string>

#include "cli/json.h"
#include "headless/session.h"

namespace hq {

/// The composed chord, its definition, the Step-panel controls as the window
/// shows them, and every alert of the run, as one JSON object.
void WriteChordJson(JsonWriter& json, const HeadlessSession& session);

/// The 20 fields of a chord definition, in their order, as one JSON object.
void WriteDefinitionJson(JsonWriter& json, const ChordDefinition& definition);

/// The same, with `alerts` in place of every alert of the run.
void WriteChordJson(JsonWriter& json, const HeadlessSession& session, std::span<const std::string> alerts);

/// The members of that object, written into one the caller has begun.
void WriteChordMembers(JsonWriter& json, const HeadlessSession& session, std::span<const std::string> alerts);

}  // namespace hq
