// The Qt toolkit's own services: picture windows, timers, modal alert and
// file dialog, sequence files.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

#include "tests/ui/desktop_fixture.h"
#include "ui/picture_window.h"

namespace hq {
namespace {

using testing::Desktop;

void Press(Desktop& d, int32_t kid) { QTest::mouseClick(d.Control(kid), Qt::LeftButton); }

// Runs the event loop until `done` holds or a second has passed.
template <typename Done>
bool WaitFor(Done done) {
    QDeadlineTimer deadline(1000);
    while (!done() && !deadline.hasExpired()) QTest::qWait(1);
    return done();
}

TEST(PictureWindows, ShowHideAndShowAgainInPlace) {
    struct Case {
        int32_t button;
        const char* title;
        QSize size;
        const char* hint;
    };
    for (const Case& c : {Case{kid::ExtraButton2, "Fifths", {280, 280}, "Circle of Fifths as a 12 points star"},
                          Case{kid::ExtraButton1, "Tmap", {572, 256}, "Chord Transitions Map "}}) {
        Desktop d;
        const int32_t grid = c.button == kid::ExtraButton2 ? d.state.windows.fifths : d.state.windows.tmap;
        QWidget* window = d.toolkit.Window(grid);
        EXPECT_FALSE(window->isVisible());
        Press(d, c.button);
        ASSERT_TRUE(window->isVisible()) << c.title;
        EXPECT_EQ(window->windowTitle(), QString::fromLatin1(c.title));
        EXPECT_EQ(window->minimumSize(), c.size);
        EXPECT_EQ(window->maximumSize(), c.size);
        EXPECT_EQ(window->findChild<QLabel*>()->toolTip(), QString::fromLatin1(c.hint));
        const QPoint place = window->pos();

        window->close();
        EXPECT_FALSE(window->isVisible()) << c.title;
        EXPECT_TRUE(d.Window().isVisible());
        Press(d, c.button);
        Press(d, c.button);  // again while shown: still shown
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->pos(), place);
    }
}

TEST(PictureWindows, ShowTheirPictureOrNothingWhenTheFileIsMissing) {
    QTemporaryDir empty;
    ui::PictureWindow missing(ui::LayoutOf(WindowType::Fifths), empty.path(), [] {});
    EXPECT_TRUE(missing.Panel()->pixmap().isNull());

    QTemporaryDir folder;
    QImage picture(280, 280, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(folder.filePath(QStringLiteral("Fifths.bmp"))));
    ui::PictureWindow shown(ui::LayoutOf(WindowType::Fifths), folder.path(), [] {});
    EXPECT_EQ(shown.Panel()->pixmap().size(), QSize(280, 280));

    QFile damaged(folder.filePath(QStringLiteral("Tmap.bmp")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("BM this is not a picture");
    damaged.close();
    ui::PictureWindow broken(ui::LayoutOf(WindowType::Tmap), folder.path(), [] {});
    EXPECT_TRUE(broken.Panel()->pixmap().isNull());
}

TEST(QtTimers, CountDownToZeroThenStop) {
    ui::QtToolkit toolkit{QString()};
    std::vector<int32_t> counts;
    const int32_t number = toolkit.StartTimer(3, 5, [&](int32_t n, int32_t& count, int32_t periodMs, int64_t) {
        EXPECT_EQ(periodMs, 5);
        EXPECT_GT(n, 0);
        counts.push_back(count);
    });
    EXPECT_GT(number, 0);
    ASSERT_TRUE(WaitFor([&] { return toolkit.RunningTimers() == 0; }));
    EXPECT_EQ(counts, (std::vector<int32_t>{2, 1, 0}));
}

TEST(QtTimers, ARoutineCanGoOnOrKillItself) {
    ui::QtToolkit toolkit{QString()};
    int goesOn = 0;
    toolkit.StartTimer(1, 2, [&](int32_t, int32_t& count, int32_t, int64_t) {
        if (++goesOn == 1) count = 2;
    });
    int killed = 0;
    toolkit.StartTimer(10, 2, [&](int32_t n, int32_t&, int32_t, int64_t) {
        ++killed;
        toolkit.KillTimer(n);
    });
    ASSERT_TRUE(WaitFor([&] { return toolkit.RunningTimers() == 0; }));
    EXPECT_EQ(goesOn, 3);
    EXPECT_EQ(killed, 1);
    toolkit.KillTimer(0);  // nothing to kill: harmless
    toolkit.KillTimer(12345);
}

TEST(QtTimers, ARepeatingTimerGoesOnUntilKilledWhateverTheCountIsSetTo) {
    ui::QtToolkit toolkit{QString()};
    std::vector<int32_t> counts;
    toolkit.StartRepeatingTimer(2, [&](int32_t n, int32_t& count, int32_t periodMs, int64_t) {
        EXPECT_EQ(periodMs, 2);
        counts.push_back(count);
        count = 0;  // would end a count-down timer
        if (counts.size() == 5) toolkit.KillTimer(n);
    });
    ASSERT_TRUE(WaitFor([&] { return toolkit.RunningTimers() == 0; }));
    EXPECT_EQ(counts, (std::vector<int32_t>{1, 1, 1, 1, 1}));
}

TEST(QtTimers, NumbersAreHandedOutInOrderAndNeverReused) {
    ui::QtToolkit toolkit{QString()};
    const auto noop = [](int32_t, int32_t&, int32_t, int64_t) {};
    const int32_t first = toolkit.StartTimer(1, 1000, noop);
    toolkit.KillTimer(first);
    const int32_t second = toolkit.StartTimer(1, 1000, noop);
    EXPECT_EQ(second, first + 1);
    toolkit.KillTimer(second);
    EXPECT_EQ(toolkit.RunningTimers(), 0u);
}

TEST(QtDialogs, AlertShowsTheProgramsTextModally) {
    ui::QtToolkit toolkit{QString()};
    QString shown;
    QTimer::singleShot(0, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->text();
        box->accept();
    });
    toolkit.Alert("There is no solution to use");
    EXPECT_EQ(shown, QStringLiteral("There is no solution to use"));
}

TEST(QtDialogs, CancelledFileDialogGivesAnEmptyPath) {
    ui::QtToolkit toolkit{QString()};
    for (FileDialogMode mode : {FileDialogMode::Open, FileDialogMode::Save}) {
        QString title;
        QStringList filters;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            title = dialog->windowTitle();
            filters = dialog->nameFilters();
            dialog->reject();
        });
        EXPECT_EQ(toolkit.FileDialog("Select Chords Sequence File to Load (.chd)", mode), "");
        EXPECT_EQ(title, QStringLiteral("Select Chords Sequence File to Load (.chd)"));
        EXPECT_EQ(filters, (QStringList{QStringLiteral("Chords Sequence (*.chd)"), QStringLiteral("All files (*)")}));
    }
}

// Each dialog opens where the last chosen file was, at first in the home
// folder; loading shows all files unless the user narrows it to ".chd".
TEST(QtDialogs, FileDialogsStartWhereTheUserLastWas) {
    const QByteArray oldHome = qgetenv("HOME");
    QTemporaryDir home;
    QTemporaryDir elsewhere;
    QTemporaryDir exports;
    ASSERT_TRUE(home.isValid() && elsewhere.isValid() && exports.isValid());
    qputenv("HOME", home.path().toUtf8());
    struct Case {
        FileDialogMode mode;
        QString answer;  // empty: cancel
        QString folder;
        bool typed = false;  // SAVE with its file types
    };
    const std::vector<Case> cases{
        {FileDialogMode::Open, QString(), home.path()},
        {FileDialogMode::Save, elsewhere.filePath(QStringLiteral("song")), home.path()},
        {FileDialogMode::Open, QString(), elsewhere.path()},
        {FileDialogMode::Save, QString(), elsewhere.path()},
        {FileDialogMode::Save, exports.filePath(QStringLiteral("song.mid")), elsewhere.path(), true},
        {FileDialogMode::Open, QString(), exports.path()},
    };
    const std::string_view types[] = {"Chords Sequence (*.chd)", "Standard MIDI File (*.mid)"};
    ui::QtToolkit toolkit{QString()};
    for (const Case& c : cases) {
        QString folder;
        QString filter;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            folder = dialog->directory().absolutePath();
            filter = dialog->selectedNameFilter();
            if (c.answer.isEmpty()) {
                dialog->reject();
            } else {
                dialog->selectFile(c.answer);
                static_cast<QDialog*>(dialog)->accept();
            }
        });
        const std::string chosen =
            c.typed ? toolkit.SaveFileDialog("Select", types).path : toolkit.FileDialog("Select", c.mode);
        EXPECT_EQ(QString::fromStdString(chosen), c.answer);
        EXPECT_EQ(folder, QDir(c.folder).absolutePath());
        if (c.mode == FileDialogMode::Open) {
            EXPECT_EQ(filter, QStringLiteral("All files (*)"));
        }
    }
    qputenv("HOME", oldHome);
}

TEST(QtFiles, SavedLinesLoadBackExactly) {
    ui::QtToolkit toolkit{QString()};
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("song.chd")).toStdString();
    const std::vector<std::string> lines{" 0", "C", "", "Reserva", "Cmaj7(#11)/G", ""};
    ASSERT_TRUE(toolkit.SaveStringArray(path, lines));
    EXPECT_EQ(toolkit.LoadStringArray(path), lines);
}

TEST(QtFiles, LoadAcceptsCrlfAndRefusesWhatItCannotRead) {
    ui::QtToolkit toolkit{QString()};
    QTemporaryDir dir;
    const QString crlf = dir.filePath(QStringLiteral("crlf.chd"));
    QFile file(crlf);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("a\r\nb\r\n\r\n");
    file.close();
    EXPECT_EQ(toolkit.LoadStringArray(crlf.toStdString()), (std::vector<std::string>{"a", "b", ""}));

    EXPECT_EQ(toolkit.LoadStringArray(dir.filePath(QStringLiteral("missing.chd")).toStdString()), std::nullopt);
    EXPECT_EQ(toolkit.LoadStringArray(dir.path().toStdString()), std::nullopt);
    EXPECT_EQ(toolkit.LoadStringArray(""), std::nullopt);

    const QString huge = dir.filePath(QStringLiteral("huge.chd"));
    QFile big(huge);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(kMaxStringArrayBytes + 1));  // sparse: no disk used
    big.close();
    EXPECT_EQ(toolkit.LoadStringArray(huge.toStdString()), std::nullopt);
}

TEST(QtFiles, FailedSaveReportsAndLeavesTheOldFile) {
    ui::QtToolkit toolkit{QString()};
    QTemporaryDir dir;
    EXPECT_FALSE(toolkit.SaveStringArray(dir.filePath(QStringLiteral("no/such/folder/x.chd")).toStdString(),
                                         std::vector<std::string>{"a"}));
    EXPECT_FALSE(toolkit.SaveStringArray("", std::vector<std::string>{"a"}));
    // A folder in the way: nothing is written over it.
    EXPECT_FALSE(toolkit.SaveStringArray(dir.path().toStdString(), std::vector<std::string>{"a"}));
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
}

TEST(QtClock, DateAndTimeHasMilliseconds) {
    ui::QtToolkit toolkit{QString()};
    const QDateTime before = QDateTime::currentDateTime();
    const DateAndTime now = toolkit.GetDateAndTime();
    EXPECT_EQ(now.nanosecond % 1'000'000, 0);
    EXPECT_LT(now.nanosecond, 1'000'000'000);
    const QDateTime read(QDate(now.year, now.month, now.day),
                         QTime(now.hour, now.minute, now.second, now.nanosecond / 1'000'000));
    EXPECT_LE(std::abs(read.msecsTo(before)), 1000);
}

}  // namespace
}  // namespace hq
