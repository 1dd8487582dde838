#include "headless/headless_toolkit.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "headless/replace_file.h"
#include "platform/controls.h"
#include "platform/file_bytes.h"
#include "platform/string_array.h"

namespace hq {
namespace {

size_t ControlCount(WindowType type) {
    // The picture windows hold one image label.
    return type == WindowType::Chords ? static_cast<size_t>(kControlCount) + 1 : 2;
}

}  // namespace

HeadlessToolkit::HeadlessToolkit(DateAndTime clockStart) : clockStart_(clockStart) {}

void HeadlessToolkit::Record(CallKind kind, int32_t grid, int32_t kid, int32_t a, int32_t b, int32_t c, int32_t d,
                             std::string_view text) {
    if (recording_) calls_.push_back(Call{kind, grid, kid, a, b, c, d, std::string(text)});
}

HeadlessToolkit::Control* HeadlessToolkit::MutableControl(int32_t grid, int32_t kid) {
    auto it = windows_.find(grid);
    if (it == windows_.end() || kid < 0 || static_cast<size_t>(kid) >= it->second.controls.size()) return nullptr;
    return &it->second.controls[static_cast<size_t>(kid)];
}

const HeadlessToolkit::Control* HeadlessToolkit::ControlOf(int32_t grid, int32_t kid) const {
    return const_cast<HeadlessToolkit*>(this)->MutableControl(grid, kid);
}

bool HeadlessToolkit::IsChecked(int32_t grid, int32_t kid) const {
    const Control* c = ControlOf(grid, kid);
    return c != nullptr && c->value != 0;
}

bool HeadlessToolkit::IsVisible(int32_t grid) const {
    auto it = windows_.find(grid);
    return it != windows_.end() && it->second.visible;
}

std::optional<WindowType> HeadlessToolkit::TypeOf(int32_t grid) const {
    auto it = windows_.find(grid);
    if (it == windows_.end()) return std::nullopt;
    return it->second.type;
}

int32_t HeadlessToolkit::RegisterMessage(std::string_view name) {
    return forgottenMessages_.contains(name) ? 0 : MessageNumber(name);
}

int32_t HeadlessToolkit::CreateWindow(WindowType type) {
    const int32_t grid = nextGrid_++;
    Window& w = windows_[grid];
    w.type = type;
    w.controls.resize(ControlCount(type));
    if (type == WindowType::Chords) {
        for (const ControlRow& row : kControls) w.controls[static_cast<size_t>(row.kid)].text = row.caption;
    }
    return grid;
}

void HeadlessToolkit::SetCallback(int32_t grid, WindowCallback callback) {
    auto it = windows_.find(grid);
    if (it != windows_.end()) it->second.callback = std::move(callback);
}

void HeadlessToolkit::ShowWindow(int32_t grid) {
    Record(CallKind::ShowWindow, grid);
    auto it = windows_.find(grid);
    if (it != windows_.end()) it->second.visible = true;
}

void HeadlessToolkit::HideWindow(int32_t grid) {
    Record(CallKind::HideWindow, grid);
    auto it = windows_.find(grid);
    if (it != windows_.end()) it->second.visible = false;
}

void HeadlessToolkit::SetValue(int32_t grid, int32_t kid, int32_t value) {
    Record(CallKind::SetValue, grid, kid, value);
    Control* c = MutableControl(grid, kid);
    if (c == nullptr) return;
    auto window = windows_.find(grid);
    if (window->second.type == WindowType::Chords && value != 0 && RadioGroupStart(kid)) {
        for (int32_t other = *RadioGroupStart(kid); SameRadioGroup(other, kid); ++other) {
            window->second.controls[static_cast<size_t>(other)].value = 0;
        }
    }
    c->value = value;
}

void HeadlessToolkit::Enable(int32_t grid, int32_t kid) {
    Record(CallKind::Enable, grid, kid);
    if (Control* c = MutableControl(grid, kid)) c->enabled = true;
}

void HeadlessToolkit::Disable(int32_t grid, int32_t kid) {
    Record(CallKind::Disable, grid, kid);
    if (Control* c = MutableControl(grid, kid)) c->enabled = false;
}

void HeadlessToolkit::SetDisabledReasons(int32_t grid, int32_t kid, std::span<const std::string_view> reasons) {
    std::string joined;
    for (std::string_view r : reasons) {
        if (!joined.empty()) joined += '\n';
        joined += r;
    }
    Record(CallKind::SetDisabledReasons, grid, kid, static_cast<int32_t>(reasons.size()), 0, 0, 0, joined);
    if (Control* c = MutableControl(grid, kid)) c->disabledBy.assign(reasons.begin(), reasons.end());
}

void HeadlessToolkit::SetTextString(int32_t grid, int32_t kid, std::string_view text) {
    Record(CallKind::SetTextString, grid, kid, 0, 0, 0, 0, text);
    if (Control* c = MutableControl(grid, kid)) c->text = text;
}

void HeadlessToolkit::SetTextArray(int32_t grid, int32_t kid, std::span<const std::string> lines) {
    Record(CallKind::SetTextArray, grid, kid, static_cast<int32_t>(lines.size()));
    // New lines drop the old lines' hints, as the desktop's lists do.
    if (Control* c = MutableControl(grid, kid)) {
        c->lines.assign(lines.begin(), lines.end());
        c->lineHints.clear();
    }
}

void HeadlessToolkit::SetLineHints(int32_t grid, int32_t kid, std::span<const std::string> hints) {
    if (Control* c = MutableControl(grid, kid)) c->lineHints.assign(hints.begin(), hints.end());
}

void HeadlessToolkit::SetPosition(int32_t grid, int32_t kid, int32_t lowest, int32_t value, int32_t value2,
                                  int32_t highest) {
    Record(CallKind::SetPosition, grid, kid, lowest, value, value2, highest);
    if (Control* c = MutableControl(grid, kid)) c->position = {lowest, value, value2, highest};
}

void HeadlessToolkit::Redraw(int32_t grid, int32_t kid) { Record(CallKind::Redraw, grid, kid); }

void HeadlessToolkit::Alert(std::string_view text) {
    Record(CallKind::Alert, 0, 0, 0, 0, 0, 0, text);
    alerts_.emplace_back(text);
}

std::optional<HeadlessToolkit::DialogAnswer> HeadlessToolkit::NextAnswer() {
    if (dialogAnswers_.empty()) return std::nullopt;
    DialogAnswer answer = std::move(dialogAnswers_.front());
    dialogAnswers_.pop_front();
    return answer;
}

std::string HeadlessToolkit::FileDialog(std::string_view title, FileDialogMode mode) {
    Record(CallKind::FileDialog, 0, 0, static_cast<int32_t>(mode), 0, 0, 0, title);
    std::optional<DialogAnswer> answer = NextAnswer();
    return answer ? std::move(answer->choice.path) : std::string();
}

SaveChoice HeadlessToolkit::SaveFileDialog(std::string_view title, std::span<const std::string_view>) {
    Record(CallKind::FileDialog, 0, 0, static_cast<int32_t>(FileDialogMode::Save), 0, 0, 0, title);
    std::optional<DialogAnswer> answer = NextAnswer();
    return answer ? std::move(answer->choice) : SaveChoice{};
}

SaveChoice HeadlessToolkit::OpenFileDialog(std::string_view title, std::span<const std::string_view>,
                                           size_t preselected) {
    Record(CallKind::FileDialog, 0, 0, static_cast<int32_t>(FileDialogMode::Open), 0, 0, 0, title);
    std::optional<DialogAnswer> answer = NextAnswer();
    if (!answer) return {{}, preselected};
    if (!answer->typed) answer->choice.type = preselected;
    return std::move(answer->choice);
}

bool HeadlessToolkit::SaveStringArray(const std::string& path, std::span<const std::string> lines) {
    Record(CallKind::SaveStringArray, 0, 0, static_cast<int32_t>(lines.size()), 0, 0, 0, path);
    if (path.empty()) return false;
    return ReplaceFile(path, JoinLines(lines));
}

std::optional<std::vector<std::string>> HeadlessToolkit::LoadStringArray(const std::string& path) {
    Record(CallKind::LoadStringArray, 0, 0, 0, 0, 0, 0, path);
    const std::optional<std::string> bytes = ReadStringArrayFile(path);
    if (!bytes) return std::nullopt;
    return SplitLines(*bytes);
}

std::optional<std::string> ReadStringArrayFile(const std::string& path) {
    // A file known to be too big is refused unread.
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error) &&
        std::filesystem::file_size(path, error) > static_cast<std::uintmax_t>(kMaxStringArrayBytes)) {
        return std::nullopt;
    }
    std::optional<std::string> bytes = ReadFileBytes(path, static_cast<size_t>(kMaxStringArrayBytes));
    if (bytes && bytes->size() > static_cast<size_t>(kMaxStringArrayBytes)) return std::nullopt;
    return bytes;
}

int32_t HeadlessToolkit::AddTimer(Timer timer) {
    const int32_t number = nextTimer_++;
    timer.dueMs = nowMs_ + timer.periodMs;
    due_.emplace(timer.dueMs, number);
    timers_.emplace(number, std::move(timer));
    return number;
}

int32_t HeadlessToolkit::StartTimer(int32_t count, int32_t periodMs, TimerRoutine routine) {
    Record(CallKind::StartTimer, 0, 0, nextTimer_, count, periodMs);
    // A count below 1 still gives the one call that a count of 1 gives.
    return AddTimer(Timer{count < 1 ? 1 : count, periodMs < 1 ? 1 : periodMs, 0, std::move(routine)});
}

int32_t HeadlessToolkit::StartRepeatingTimer(int32_t periodMs, TimerRoutine routine) {
    Record(CallKind::StartRepeatingTimer, 0, 0, nextTimer_, 0, periodMs);
    return AddTimer(Timer{1, periodMs < 1 ? 1 : periodMs, 0, std::move(routine), true});
}

void HeadlessToolkit::KillTimer(int32_t timerNumber) {
    Record(CallKind::KillTimer, 0, 0, timerNumber);
    auto it = timers_.find(timerNumber);
    if (it == timers_.end()) return;
    due_.erase({it->second.dueMs, timerNumber});
    timers_.erase(it);
}

std::optional<int64_t> HeadlessToolkit::NextDueMs() const {
    if (due_.empty()) return std::nullopt;
    return due_.begin()->first;
}

void HeadlessToolkit::AdvanceTo(int64_t timeMs) {
    while (!due_.empty() && due_.begin()->first <= timeMs) {
        const auto [dueMs, number] = *due_.begin();
        due_.erase(due_.begin());
        nowMs_ = dueMs;
        auto it = timers_.find(number);
        Timer& timer = it->second;
        int32_t count = timer.repeating ? 1 : timer.count - 1;
        const bool repeating = timer.repeating;
        const int32_t periodMs = timer.periodMs;
        // The routine may kill its own timer or start others.
        TimerRoutine routine = std::move(timer.routine);
        routine(number, count, periodMs, nowMs_);
        it = timers_.find(number);
        if (it == timers_.end()) continue;
        if (repeating || count > 0) {
            it->second.count = repeating ? 1 : count;
            it->second.dueMs = nowMs_ + periodMs;
            it->second.routine = std::move(routine);
            due_.emplace(it->second.dueMs, number);
        } else {
            timers_.erase(it);
        }
    }
    if (timeMs > nowMs_) nowMs_ = timeMs;
}

void HeadlessToolkit::AdvanceToBefore(int64_t timeMs) {
    AdvanceTo(timeMs - 1);
    if (timeMs > nowMs_) nowMs_ = timeMs;
}

DateAndTime HeadlessToolkit::GetDateAndTime() {
    using namespace std::chrono;
    const DateAndTime& s = clockStart_;
    const sys_days startDay{year{s.year} / month{static_cast<unsigned>(s.month)} / day{static_cast<unsigned>(s.day)}};
    const auto start = startDay + hours{s.hour} + minutes{s.minute} + seconds{s.second} + nanoseconds{s.nanosecond};
    const auto now = start + milliseconds{nowMs_};
    const sys_days today = floor<days>(now);
    const year_month_day date{today};
    const hh_mm_ss<nanoseconds> time{duration_cast<nanoseconds>(now - today)};
    DateAndTime result;
    result.year = static_cast<int32_t>(date.year());
    result.month = static_cast<int32_t>(static_cast<unsigned>(date.month()));
    result.day = static_cast<int32_t>(static_cast<unsigned>(date.day()));
    result.hour = static_cast<int32_t>(time.hours().count());
    result.minute = static_cast<int32_t>(time.minutes().count());
    result.second = static_cast<int32_t>(time.seconds().count());
    result.nanosecond = static_cast<int32_t>(time.subseconds().count());
    return result;
}

void HeadlessToolkit::ConsoleLine(std::string_view line) {
    Record(CallKind::ConsoleLine, 0, 0, 0, 0, 0, 0, std::string(line));
    consoleLines_.emplace_back(line);
}

void HeadlessToolkit::Quit(int32_t status) {
    Record(CallKind::Quit, 0, 0, status);
    quitStatus_ = status;
}

void HeadlessToolkit::Deliver(const ToolkitMessage& message) {
    auto it = windows_.find(message.grid);
    if (it == windows_.end() || !it->second.callback) return;
    // Copied: the callback may replace itself while it runs.
    WindowCallback callback = it->second.callback;
    callback(message);
}

void HeadlessToolkit::Select(int32_t grid, int32_t kid, int32_t value1) {
    if (Control* c = MutableControl(grid, kid)) {
        const ControlRow* row = ControlAt(kid);
        const bool chords = windows_.at(grid).type == WindowType::Chords;
        if (chords && row != nullptr && row->kind == ControlKind::RadioButton) {
            const bool wasRecording = recording_;
            recording_ = false;  // the user's click, not a program call
            SetValue(grid, kid, -1);
            recording_ = wasRecording;
        } else if (chords && row != nullptr && row->kind == ControlKind::CheckBox) {
            c->value = value1;
        }
    }
    Deliver({grid, ToNumber(Msg::Selection), value1, 0, 0, 0, kid, 0});
}

}  // namespace hq
