#pragma once

#include "app/program.h"

namespace hq {

/// Everything from process start up to the message loop: the keyboard
/// component started, the message names checked, the three windows built
/// and shown, the picture windows hidden again and the main window brought
/// to its start-up state. Returns false, doing nothing, when the program has
/// already been started.
bool StartProgram(Program& program);

/// The handler of the start-up request: keyboard parameters, tempo 180 and
/// 6 notes per measure, the default controls on, the chord C7, an empty
/// sequence and no solutions.
void InitialiseChordsWindow(Program& program);

}  // namespace hq
