#pragma once
// The product's own headless toolkit: windows without pixels, a virtual clock
// and scripted dialogs. The command-line tool and the tests run the program
// on it exactly as the desktop runs it on Qt.

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/toolkit.h"

namespace hq {

class HeadlessToolkit final : public Toolkit {
public:
    struct Control {
        int32_t value = 0;  // check state of boxes and radio buttons
        bool enabled = true;
        std::string text;
        std::vector<std::string> lines;
        std::vector<std::string> lineHints;  // kept, not recorded as a call
        std::array<int32_t, 4> position{};  // lowest, value, value, highest
        std::vector<std::string> disabledBy;
    };

    enum class CallKind : uint8_t {
        SetValue, Enable, Disable, SetDisabledReasons, SetTextString, SetTextArray, SetPosition, Redraw,
        ShowWindow, HideWindow, Alert, FileDialog, SaveStringArray, LoadStringArray,
        StartTimer, StartRepeatingTimer, KillTimer, ConsoleLine, Quit,
    };

    /// One toolkit call as the program made it. `text` holds the text, title
    /// or path; `a`..`d` the numbers.
    struct Call {
        CallKind kind;
        int32_t grid = 0;
        int32_t kid = 0;
        int32_t a = 0, b = 0, c = 0, d = 0;
        std::string text;
        bool operator==(const Call&) const = default;
    };

    /// `clockStart` is the date and time at virtual 0 ms.
    explicit HeadlessToolkit(DateAndTime clockStart = {2026, 1, 1, 0, 0, 0, 0});

    int32_t RegisterMessage(std::string_view name) override;
    int32_t CreateWindow(WindowType type) override;
    void SetCallback(int32_t grid, WindowCallback callback) override;
    void ShowWindow(int32_t grid) override;
    void HideWindow(int32_t grid) override;
    void SetValue(int32_t grid, int32_t kid, int32_t value) override;
    void Enable(int32_t grid, int32_t kid) override;
    void Disable(int32_t grid, int32_t kid) override;
    void SetDisabledReasons(int32_t grid, int32_t kid, std::span<const std::string_view> reasons) override;
    void SetTextString(int32_t grid, int32_t kid, std::string_view text) override;
    void SetTextArray(int32_t grid, int32_t kid, std::span<const std::string> lines) override;
    void SetLineHints(int32_t grid, int32_t kid, std::span<const std::string> hints) override;
    void SetPosition(int32_t grid, int32_t kid, int32_t lowest, int32_t value, int32_t value2,
                     int32_t highest) override;
    void Redraw(int32_t grid, int32_t kid) override;
    void Alert(std::string_view text) override;
    std::string FileDialog(std::string_view title, FileDialogMode mode) override;
    /// Answers from the same queue as FileDialog, recorded as a FileDialog call.
    SaveChoice SaveFileDialog(std::string_view title, std::span<const std::string_view> types) override;
    /// Answers from the same queue; an answer queued without a type leaves
    /// the preselected one chosen.
    SaveChoice OpenFileDialog(std::string_view title, std::span<const std::string_view> types,
                              size_t preselected) override;
    bool SaveStringArray(const std::string& path, std::span<const std::string> lines) override;
    std::optional<std::vector<std::string>> LoadStringArray(const std::string& path) override;
    int32_t StartTimer(int32_t count, int32_t periodMs, TimerRoutine routine) override;
    int32_t StartRepeatingTimer(int32_t periodMs, TimerRoutine routine) override;
    void KillTimer(int32_t timerNumber) override;
    DateAndTime GetDateAndTime() override;
    void ConsoleLine(std::string_view line) override;
    void Quit(int32_t status) override;

    // --- Driving the program as a user would.

    /// Hands a message to the window's callback, if it has one.
    void Deliver(const ToolkitMessage& message);
    /// What a click does to a control's state (a radio button checks and
    /// unchecks the rest of its group; a check box takes `value1`), then the
    /// Selection report, whatever state the control was in.
    void Select(int32_t grid, int32_t kid, int32_t value1);
    /// From now on the message name is unknown, as to a toolkit that lacks it.
    void ForgetMessage(std::string name) { forgottenMessages_.insert(std::move(name)); }
    /// The next answer of the file dialog; with none queued it is cancelled.
    void QueueFileDialogAnswer(std::string path) { dialogAnswers_.push_back({{std::move(path), 0}, false}); }
    /// The same, with the file type a save dialog returns chosen.
    void QueueSaveDialogAnswer(std::string path, size_t type) {
        dialogAnswers_.push_back({{std::move(path), type}, true});
    }

    // --- The virtual clock.

    int64_t NowMs() const { return nowMs_; }
    /// Runs every timer due up to `timeMs`, in time order and, at the same
    /// millisecond, in timer-number order; the clock ends at `timeMs`.
    void AdvanceTo(int64_t timeMs);
    void AdvanceBy(int64_t ms) { AdvanceTo(nowMs_ + ms); }
    /// As AdvanceTo, but the timers due at `timeMs` itself wait, so what is
    /// done at that millisecond comes before them.
    void AdvanceToBefore(int64_t timeMs);
    /// Due time of the next timer, if any runs.
    std::optional<int64_t> NextDueMs() const;
    size_t RunningTimers() const { return timers_.size(); }

    // --- Reading what the program did.

    const Control* ControlOf(int32_t grid, int32_t kid) const;
    bool IsChecked(int32_t grid, int32_t kid) const;
    bool IsVisible(int32_t grid) const;
    std::optional<WindowType> TypeOf(int32_t grid) const;
    const std::vector<std::string>& Alerts() const { return alerts_; }
    const std::vector<std::string>& ConsoleLines() const { return consoleLines_; }
    std::optional<int32_t> QuitStatus() const { return quitStatus_; }
    const std::vector<Call>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }
    /// Off: calls are no longer logged (control state still is kept).
    void SetRecording(bool on) { recording_ = on; }

private:
    struct Window {
        WindowType type;
        bool visible = false;
        std::vector<Control> controls;
        WindowCallback callback;
    };
    struct Timer {
        int32_t count;
        int32_t periodMs;
        int64_t dueMs;
        TimerRoutine routine;
        bool repeating = false;
    };

    int32_t AddTimer(Timer timer);
    Control* MutableControl(int32_t grid, int32_t kid);
    void Record(CallKind kind, int32_t grid = 0, int32_t kid = 0, int32_t a = 0, int32_t b = 0, int32_t c = 0,
                int32_t d = 0, std::string_view text = {});

    DateAndTime clockStart_;
    std::map<int32_t, Window> windows_;
    int32_t nextGrid_ = 1;
    std::map<int32_t, Timer> timers_;
    std::set<std::pair<int64_t, int32_t>> due_;  // (due time, timer number)
    int32_t nextTimer_ = 1;
    int64_t nowMs_ = 0;
    struct DialogAnswer {
        SaveChoice choice;
        bool typed = false;
    };
    std::optional<DialogAnswer> NextAnswer();
    std::deque<DialogAnswer> dialogAnswers_;
    std::vector<std::string> alerts_;
    std::vector<std::string> consoleLines_;
    std::optional<int32_t> quitStatus_;
    std::vector<Call> calls_;
    bool recording_ = true;
    std::set<std::string, std::less<>> forgottenMessages_;
};

/// A file's or a pipe's bytes as LoadStringArray reads them, or nothing when
/// they cannot be read or exceed kMaxStringArrayBytes.
std::optional<std::string> ReadStringArrayFile(const std::string& path);

}  // namespace hq
