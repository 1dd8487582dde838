#pragma once

#include "cli/json.h"
#include "cli/session.h"

namespace hq {

/// The composed chord, its definition, the Step-panel controls as the window
/// shows them, and every alert of the run, as one JSON object.
void WriteChordJson(JsonWriter& json, const HeadlessSession& session);

}  // namespace hq
