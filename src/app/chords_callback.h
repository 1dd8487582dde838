#pragma once

#include "app/program.h"
#include "platform/messages.h"

namespace hq {

/// The one entry of every main-window event, and of the program's private
/// requests (kStartUpMessage, kPlayChordMessage, Update).
void ChordsWindowCallback(Program& program, const ToolkitMessage& message);

/// What a picture window does with its events: closing only hides it.
void PictureWindowCallback(Program& program, const ToolkitMessage& message);

}  // namespace hq
