#pragma once
// The Toolkit on Qt Widgets: the program's windows, count-down timers on
// precise QTimers, modal alerts and file dialogs, and sequence files written
// through QSaveFile.

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <map>
#include <memory>

#include "platform/toolkit.h"

class QWidget;
class QTimer;

namespace hq::ui {

class ChordsWindow;

class QtToolkit final : public Toolkit {
public:
    /// `pictureFolder` holds the picture windows' files.
    explicit QtToolkit(QString pictureFolder);
    ~QtToolkit() override;
    QtToolkit(const QtToolkit&) = delete;
    QtToolkit& operator=(const QtToolkit&) = delete;

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
    SaveChoice SaveFileDialog(std::string_view title, std::span<const std::string_view> types) override;
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

    /// The top-level widget of a grid, or null.
    QWidget* Window(int32_t grid) const;
    /// The main window of a Chords grid, or null.
    ChordsWindow* Chords(int32_t grid) const;
    size_t RunningTimers() const { return timers_.size(); }

private:
    struct WindowEntry {
        WindowType type;
        std::unique_ptr<QWidget> widget;
        WindowCallback callback;
    };
    struct TimerEntry {
        QTimer* timer;
        int32_t count;
        int32_t periodMs;
        TimerRoutine routine;
        bool repeating = false;
    };

    int32_t AddTimer(int32_t count, int32_t periodMs, TimerRoutine routine, bool repeating);
    void Deliver(int32_t grid, const ToolkitMessage& message);
    void Fire(int32_t timerNumber);
    QWidget* DialogParent() const;

    QString pictureFolder_;
    std::map<int32_t, WindowEntry> windows_;
    int32_t nextGrid_ = 1;
    QObject timerOwner_;
    std::map<int32_t, TimerEntry> timers_;
    int32_t nextTimer_ = 1;
    QElapsedTimer clock_;
    QString StartFolder() const;
    QString lastFolder_;  // of the last file chosen in a dialog
};

}  // namespace hq::ui
