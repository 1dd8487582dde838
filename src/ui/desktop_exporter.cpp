#include "ui/desktop_exporter.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <thread>

namespace hq::ui {
namespace {

constexpr int kProgressSteps = 1000;
constexpr int kPollMs = 50;

}  // namespace

DesktopExporter::DesktopExporter(std::vector<std::string> soundfontFolders, std::function<int32_t()> instrument)
    : files_(std::move(soundfontFolders)), instrument_(std::move(instrument)) {}

ExportOutcome DesktopExporter::Export(const ExportJob& job) {
    ExportJob own = job;
    if (instrument_) own.program = instrument_();

    std::atomic<bool> cancelled = false;
    std::atomic<int> done = 0;  // of kProgressSteps
    std::atomic<bool> finished = false;
    ExportOutcome outcome = ExportOutcome::Failed;
    QEventLoop loop;
    std::thread worker([&] {
        outcome = files_
                      .Run(own,
                           [&](double fraction) {
                               done = static_cast<int>(fraction * kProgressSteps);
                               return !cancelled.load();
                           })
                      .outcome;
        finished = true;
        QMetaObject::invokeMethod(&loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });

    QProgressDialog progress(QString::fromUtf8(kExportProgressText), QStringLiteral("Cancel"), 0, kProgressSteps,
                             QApplication::activeWindow());
    progress.setWindowTitle(QStringLiteral("Harmoniqua"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(kProgressAfterMs);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    QObject::connect(&progress, &QProgressDialog::canceled, [&cancelled] { cancelled = true; });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!progress.wasCanceled()) progress.setValue(done.load());
    });
    poll.start(kPollMs);
    progress.setValue(0);
    // No clicks reach the window until the progress dialog, modal, is up.
    QTimer::singleShot(kProgressAfterMs, &loop, &QEventLoop::quit);
    if (!finished) loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!finished) {
        progress.show();
        loop.exec();
    }
    worker.join();
    poll.stop();
    return outcome;
}

}  // namespace hq::ui
