#pragma once
// The program started on the headless toolkit, as the command-line tool and
// the tests run it.

#include "app/program.h"
#include "app/shared_state.h"
#include "headless/headless_toolkit.h"
#include "headless/recording_keyboard.h"

namespace hq {

class HeadlessSession {
public:
    /// Runs start-up: the main window shows C7 afterwards.
    HeadlessSession();
    /// The same, with the date and time the clock shows at virtual 0 ms.
    explicit HeadlessSession(DateAndTime clockStart);
    HeadlessSession(const HeadlessSession&) = delete;
    HeadlessSession& operator=(const HeadlessSession&) = delete;

    /// A user's selection of a main-window control (see HeadlessToolkit::Select).
    void Select(int32_t kidNumber, int32_t value1) { toolkit.Select(state.windows.chords, kidNumber, value1); }
    int32_t Grid() const { return state.windows.chords; }

    HeadlessToolkit toolkit;
    RecordingKeyboard keyboard;
    SharedState state;
    Program program{state, toolkit, keyboard};
};

}  // namespace hq
