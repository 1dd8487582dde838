#pragma once
// What every operation with effects works on: the shared record and the two
// platform interfaces.

#include "app/shared_state.h"
#include "platform/keyboard.h"
#include "platform/toolkit.h"
#include "sequencer/export.h"

namespace hq {

struct Program {
    SharedState& state;
    Toolkit& toolkit;
    Keyboard& keyboard;
    /// What writes the SAVE dialog's exports; none: they fail.
    SequenceExporter* exporter = nullptr;
};

}  // namespace hq
