#include "ui/qt_toolkit.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QTimer>

#include <algorithm>
#include <cstdio>

#include "platform/string_array.h"
#include "ui/chords_window.h"
#include "ui/picture_window.h"

namespace hq::ui {
namespace {

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

const QString kSequenceFilter = QStringLiteral("Chords Sequence (*.chd);;All files (*)");
const QString kAllFilesFilter = QStringLiteral("All files (*)");

}  // namespace

QtToolkit::QtToolkit(QString pictureFolder) : pictureFolder_(std::move(pictureFolder)) { clock_.start(); }

QtToolkit::~QtToolkit() {
    for (auto& [number, entry] : timers_) entry.timer->stop();
}

int32_t QtToolkit::RegisterMessage(std::string_view name) { return MessageNumber(name); }

int32_t QtToolkit::CreateWindow(WindowType type) {
    const int32_t grid = nextGrid_++;
    std::unique_ptr<QWidget> widget;
    if (type == WindowType::Chords) {
        widget = std::make_unique<ChordsWindow>([this, grid](int32_t message, int32_t value1, int32_t value2, int32_t kid) {
            if (message == ToNumber(Msg::CloseWindow)) {
                Deliver(grid, {grid, message, 0, 0, 0, 0, 0, grid});
            } else {
                // Controls report through the window as a wrapped Callback.
                Deliver(grid, {grid, ToNumber(Msg::Callback), value1, value2, 0, 0, kid, message});
            }
        });
    } else {
        widget = std::make_unique<PictureWindow>(LayoutOf(type), pictureFolder_, [this, grid] {
            Deliver(grid, {grid, ToNumber(Msg::CloseWindow), 0, 0, 0, 0, 0, grid});
        });
    }
    windows_.emplace(grid, WindowEntry{type, std::move(widget), {}});
    return grid;
}

void QtToolkit::SetCallback(int32_t grid, WindowCallback callback) {
    auto it = windows_.find(grid);
    if (it != windows_.end()) it->second.callback = std::move(callback);
}

void QtToolkit::Deliver(int32_t grid, const ToolkitMessage& message) {
    auto it = windows_.find(grid);
    if (it == windows_.end() || !it->second.callback) {
        // Without a program behind it a window closes like any other.
        if (message.message == ToNumber(Msg::CloseWindow) && it != windows_.end()) it->second.widget->hide();
        return;
    }
    WindowCallback callback = it->second.callback;
    callback(message);
}

QWidget* QtToolkit::Window(int32_t grid) const {
    auto it = windows_.find(grid);
    return it == windows_.end() ? nullptr : it->second.widget.get();
}

ChordsWindow* QtToolkit::Chords(int32_t grid) const {
    auto it = windows_.find(grid);
    if (it == windows_.end() || it->second.type != WindowType::Chords) return nullptr;
    return static_cast<ChordsWindow*>(it->second.widget.get());
}

void QtToolkit::ShowWindow(int32_t grid) {
    QWidget* w = Window(grid);
    if (w == nullptr) return;
    w->show();
    w->raise();
    w->activateWindow();
}

void QtToolkit::HideWindow(int32_t grid) {
    if (QWidget* w = Window(grid)) w->hide();
}

void QtToolkit::SetValue(int32_t grid, int32_t kid, int32_t value) {
    if (ChordsWindow* w = Chords(grid)) w->SetValue(kid, value);
}

void QtToolkit::Enable(int32_t grid, int32_t kid) {
    if (ChordsWindow* w = Chords(grid)) w->SetEnabled(kid, true);
}

void QtToolkit::Disable(int32_t grid, int32_t kid) {
    if (ChordsWindow* w = Chords(grid)) w->SetEnabled(kid, false);
}

void QtToolkit::SetDisabledReasons(int32_t grid, int32_t kid, std::span<const std::string_view> reasons) {
    if (ChordsWindow* w = Chords(grid)) w->SetDisabledReasons(kid, reasons);
}

void QtToolkit::SetTextString(int32_t grid, int32_t kid, std::string_view text) {
    if (ChordsWindow* w = Chords(grid)) w->SetTextString(kid, text);
}

void QtToolkit::SetTextArray(int32_t grid, int32_t kid, std::span<const std::string> lines) {
    if (ChordsWindow* w = Chords(grid)) w->SetTextArray(kid, lines);
}

void QtToolkit::SetLineHints(int32_t grid, int32_t kid, std::span<const std::string> hints) {
    if (ChordsWindow* w = Chords(grid)) w->SetLineHints(kid, hints);
}

void QtToolkit::SetPosition(int32_t grid, int32_t kid, int32_t lowest, int32_t value, int32_t /*value2*/,
                            int32_t highest) {
    if (ChordsWindow* w = Chords(grid)) w->SetPosition(kid, lowest, value, highest);
}

void QtToolkit::Redraw(int32_t grid, int32_t kid) {
    if (ChordsWindow* w = Chords(grid)) w->Redraw(kid);
}

QWidget* QtToolkit::DialogParent() const {
    for (const auto& [grid, entry] : windows_) {
        if (entry.type == WindowType::Chords) return entry.widget.get();
    }
    return nullptr;
}

void QtToolkit::Alert(std::string_view text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Harmoniqua"), Text(text), QMessageBox::Ok,
                    DialogParent());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString QtToolkit::StartFolder() const {
    // Where the user was last in this run, else home; never the program's own folder.
    return lastFolder_.isEmpty() ? QDir::homePath() : lastFolder_;
}

std::string QtToolkit::FileDialog(std::string_view title, FileDialogMode mode) {
    const QString folder = StartFolder();
    // Loading shows every file: a sequence may have been saved without ".chd".
    QString loadFilter = kAllFilesFilter;
    const QString path =
        mode == FileDialogMode::Save
            ? QFileDialog::getSaveFileName(DialogParent(), Text(title), folder, kSequenceFilter)
            : QFileDialog::getOpenFileName(DialogParent(), Text(title), folder, kSequenceFilter, &loadFilter);
    if (!path.isEmpty()) lastFolder_ = QFileInfo(path).absolutePath();
    return path.toStdString();
}

SaveChoice QtToolkit::SaveFileDialog(std::string_view title, std::span<const std::string_view> types) {
    QStringList filters;
    for (std::string_view type : types) filters << Text(type);
    QString chosen = filters.value(0);
    const QString path = QFileDialog::getSaveFileName(DialogParent(), Text(title), StartFolder(),
                                                      filters.join(QStringLiteral(";;")), &chosen);
    if (!path.isEmpty()) lastFolder_ = QFileInfo(path).absolutePath();
    const qsizetype type = filters.indexOf(chosen);
    return {path.toStdString(), type < 0 ? 0 : static_cast<size_t>(type)};
}

SaveChoice QtToolkit::OpenFileDialog(std::string_view title, std::span<const std::string_view> types,
                                     size_t preselected) {
    QStringList filters;
    for (std::string_view type : types) filters << Text(type);
    QString chosen = filters.value(static_cast<qsizetype>(preselected));
    const QString path = QFileDialog::getOpenFileName(DialogParent(), Text(title), StartFolder(),
                                                      filters.join(QStringLiteral(";;")), &chosen);
    if (!path.isEmpty()) lastFolder_ = QFileInfo(path).absolutePath();
    const qsizetype type = filters.indexOf(chosen);
    return {path.toStdString(), type < 0 ? preselected : static_cast<size_t>(type)};
}

bool QtToolkit::SaveStringArray(const std::string& path, std::span<const std::string> lines) {
    if (path.empty()) return false;
    QSaveFile file(QString::fromStdString(path));
    // Never a direct write: a failed save must leave the old file whole.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const std::string bytes = JoinLines(lines);
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<std::vector<std::string>> QtToolkit::LoadStringArray(const std::string& path) {
    if (path.empty()) return std::nullopt;
    const QString name = QString::fromStdString(path);
    const QFileInfo info(name);
    if (!info.isFile() || info.size() > kMaxStringArrayBytes) return std::nullopt;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    // Read at most one byte past the limit: a file that grew meanwhile is
    // still refused unread.
    const QByteArray bytes = file.read(kMaxStringArrayBytes + 1);
    if (bytes.size() > kMaxStringArrayBytes || file.error() != QFileDevice::NoError) return std::nullopt;
    return SplitLines(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

int32_t QtToolkit::AddTimer(int32_t count, int32_t periodMs, TimerRoutine routine, bool repeating) {
    const int32_t number = nextTimer_++;
    auto* timer = new QTimer(&timerOwner_);
    // The coarse default rounds each period to the system's slack and drifts.
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(std::max(periodMs, 1));
    QObject::connect(timer, &QTimer::timeout, &timerOwner_, [this, number] { Fire(number); });
    timers_.emplace(number,
                    TimerEntry{timer, std::max(count, 1), std::max(periodMs, 1), std::move(routine), repeating});
    timer->start();
    return number;
}

int32_t QtToolkit::StartTimer(int32_t count, int32_t periodMs, TimerRoutine routine) {
    return AddTimer(count, periodMs, std::move(routine), false);
}

int32_t QtToolkit::StartRepeatingTimer(int32_t periodMs, TimerRoutine routine) {
    return AddTimer(1, periodMs, std::move(routine), true);
}

void QtToolkit::Fire(int32_t timerNumber) {
    auto it = timers_.find(timerNumber);
    if (it == timers_.end()) return;
    const bool repeating = it->second.repeating;
    int32_t count = repeating ? 1 : it->second.count - 1;
    // Copied: the routine may kill its own timer or start others.
    TimerRoutine routine = it->second.routine;
    routine(timerNumber, count, it->second.periodMs, clock_.elapsed());
    it = timers_.find(timerNumber);
    if (it == timers_.end() || repeating) return;
    if (count > 0) {
        it->second.count = count;
    } else {
        KillTimer(timerNumber);
    }
}

void QtToolkit::KillTimer(int32_t timerNumber) {
    auto it = timers_.find(timerNumber);
    if (it == timers_.end()) return;
    it->second.timer->stop();
    // It may be the timer whose expiry is running now.
    it->second.timer->deleteLater();
    timers_.erase(it);
}

DateAndTime QtToolkit::GetDateAndTime() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second(), time.msec() * 1'000'000};
}

void QtToolkit::ConsoleLine(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

void QtToolkit::Quit(int32_t status) { QCoreApplication::exit(status); }

}  // namespace hq::ui
