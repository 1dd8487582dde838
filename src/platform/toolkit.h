#pragma once
// What the program needs of a windowing toolkit, and nothing more. The Qt
// adapter implements it for the desktop, the headless toolkit for tests and
// the command-line tool.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/messages.h"

namespace hq {

enum class WindowType : uint8_t { Chords, Fifths, Tmap };

/// Receives every event of a window, in the order they happen.
using WindowCallback = std::function<void(const ToolkitMessage&)>;

/// Called once per period with the number of periods still to come, which
/// counts down to 0 at the last call. Setting `count` above 0 again keeps
/// the timer going for that many more periods.
using TimerRoutine =
    std::function<void(int32_t timerNumber, int32_t& count, int32_t periodMs, int64_t timeMs)>;

struct DateAndTime {
    int32_t year = 0, month = 0, day = 0;
    int32_t hour = 0, minute = 0, second = 0;
    int32_t nanosecond = 0;  // 0..999'999'999
};

enum class FileDialogMode : uint8_t { Open, Save };

/// What a save dialog with file types returns: the path (empty when the
/// user cancels) and the index of the type chosen.
struct SaveChoice {
    std::string path;
    size_t type = 0;
};

/// Sequence files are far smaller than this; anything larger is refused
/// unread.
inline constexpr int64_t kMaxStringArrayBytes = int64_t{64} * 1024 * 1024;

class Toolkit {
public:
    virtual ~Toolkit() = default;

    /// The number of a message name; 0 when the toolkit does not know it.
    virtual int32_t RegisterMessage(std::string_view name) = 0;

    /// Builds a window of `type` with all its controls, hidden; returns its grid.
    virtual int32_t CreateWindow(WindowType type) = 0;
    virtual void SetCallback(int32_t grid, WindowCallback callback) = 0;
    virtual void ShowWindow(int32_t grid) = 0;
    virtual void HideWindow(int32_t grid) = 0;

    /// On a check box: -1 checks, 0 unchecks. On a radio button a nonzero value
    /// checks it and unchecks the rest of its group.
    virtual void SetValue(int32_t grid, int32_t kid, int32_t value) = 0;
    virtual void Enable(int32_t grid, int32_t kid) = 0;
    virtual void Disable(int32_t grid, int32_t kid) = 0;
    /// Why a control is disabled, one line per rule that disabled it; no
    /// lines while it is enabled. The toolkit keeps its own copy.
    virtual void SetDisabledReasons(int32_t grid, int32_t kid, std::span<const std::string_view> reasons) = 0;
    virtual void SetTextString(int32_t grid, int32_t kid, std::string_view text) = 0;
    /// The toolkit keeps its own copy of the lines.
    virtual void SetTextArray(int32_t grid, int32_t kid, std::span<const std::string> lines) = 0;
    /// A hint per line of a list, shown when the pointer rests on the line;
    /// an empty hint shows none. Not every toolkit shows them.
    virtual void SetLineHints(int32_t /*grid*/, int32_t /*kid*/, std::span<const std::string> /*hints*/) {}
    /// A scroll bar's range and value: (lowest, value, value, highest).
    virtual void SetPosition(int32_t grid, int32_t kid, int32_t lowest, int32_t value,
                             int32_t value2, int32_t highest) = 0;
    /// kid 0 redraws the whole window.
    virtual void Redraw(int32_t grid, int32_t kid) = 0;

    /// Modal: returns once the user has dismissed it.
    virtual void Alert(std::string_view text) = 0;
    /// Modal: the chosen path, or an empty text when the user cancels.
    virtual std::string FileDialog(std::string_view title, FileDialogMode mode) = 0;
    /// Modal: a save dialog offering `types` ("Name (*.ext)"), the first one
    /// preselected.
    virtual SaveChoice SaveFileDialog(std::string_view title, std::span<const std::string_view> types) = 0;
    /// Modal: an open dialog offering `types`, `preselected` chosen at first;
    /// the path (empty when cancelled) and the type the user left chosen.
    virtual SaveChoice OpenFileDialog(std::string_view title, std::span<const std::string_view> types,
                                      size_t preselected) = 0;
    /// One element per line. Replaces the file whole or leaves it untouched;
    /// false when it could not be written.
    virtual bool SaveStringArray(const std::string& path, std::span<const std::string> lines) = 0;
    /// One element per line (LF or CRLF); a final terminator adds no line.
    /// Nothing when the file cannot be read or exceeds kMaxStringArrayBytes.
    virtual std::optional<std::vector<std::string>> LoadStringArray(const std::string& path) = 0;

    /// Timer numbers are positive, handed out in order, never reused in a run.
    virtual int32_t StartTimer(int32_t count, int32_t periodMs, TimerRoutine routine) = 0;
    /// Calls `routine` every `periodMs` until the timer is killed; the count it
    /// is handed is always 1 and what the routine sets there is ignored.
    virtual int32_t StartRepeatingTimer(int32_t periodMs, TimerRoutine routine) = 0;
    /// Unknown, ended or 0: nothing happens.
    virtual void KillTimer(int32_t timerNumber) = 0;
    virtual DateAndTime GetDateAndTime() = 0;

    /// The program's single diagnostic line.
    virtual void ConsoleLine(std::string_view line) = 0;
    virtual void Quit(int32_t status) = 0;
};

}  // namespace hq
