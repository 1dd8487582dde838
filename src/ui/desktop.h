#pragma once
// The desktop program: Qt, the toolkit adapter and the keyboard component
// wired together around the program's start-up and message loop.

#include <functional>

#include "app/program.h"

namespace hq::ui {

class QtToolkit;

/// Runs once the program has started, before the message loop.
using AfterStart = std::function<void(QtToolkit& toolkit, Program& program)>;

/// The whole run; returns the program's exit status.
int RunDesktop(int argc, char** argv, const AfterStart& afterStart = {});

/// Keeps Qt's own messages off the console, which carries only the
/// program's diagnostic. HARMONIQUA_QT_MESSAGES=1 lets them through.
void QuietQtMessages();

/// Application name and the main window's style: done once per QApplication.
void PrepareApplication();

}  // namespace hq::ui
