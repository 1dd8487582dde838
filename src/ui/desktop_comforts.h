#pragma once
// Undo and redo keys of the main window, and the keyboard window's choices
// that follow the chord: hearing each chord, the names on the keys.

#include "app/program.h"

namespace hq::kbd {
class DesktopKeyboard;
}

namespace hq::ui {

class QtToolkit;

/// Ctrl+Z undoes the chord; Ctrl+Shift+Z and Ctrl+Y redo it.
void AddUndoKeys(QtToolkit& toolkit, Program& program);

/// Once, after start-up: both windows exist. Adds the undo keys too.
void WireComforts(QtToolkit& toolkit, Program& program, kbd::DesktopKeyboard& keyboard);

}  // namespace hq::ui
