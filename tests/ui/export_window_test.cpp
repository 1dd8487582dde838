// Exports through the SAVE button's real file dialog, with the type chosen
// as a user chooses it, on the desktop exporter's worker thread.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <string>
#include <vector>

#include "sequencer/export.h"
#include "tests/ui/desktop_fixture.h"
#include "ui/desktop_exporter.h"

namespace hq {
namespace {

using testing::Desktop;

void Press(Desktop& d, int32_t kid) { QTest::mouseClick(d.Control(kid), Qt::LeftButton); }

// Picks `type` in the next file dialog and saves as `path`.
void AnswerSaveDialog(const QString& path, const QString& type) {
    QTimer::singleShot(0, [path, type] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->selectedNameFilter(), QStringLiteral("Chords Sequence (*.chd)"));
        dialog->selectNameFilter(type);
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    });
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ExportWindow, SaveWritesTheTypeChosenInTheDialog) {
    struct Case {
        const char* type;
        const char* typed;
        const char* written;
        QByteArray starts;
    };
    const std::vector<Case> cases{
        {"Chords Sequence (*.chd)", "plain", "plain", "567765\n11\n 2\nD\n"},
        {"Standard MIDI File (*.mid)", "song", "song.mid", "MThd"},
        {"Audio WAV (*.wav)", "song", "song.wav", "RIFF"},
        {"Audio FLAC (*.flac)", "song", "song.flac", "fLaC"},
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        const std::string fonts = folder.filePath(QStringLiteral("fonts")).toStdString();
        std::filesystem::create_directories(fonts);
        std::filesystem::create_symlink("/usr/share/sounds/sf2/TimGM6mb.sf2", fonts + "/TimGM6mb.sf2");
        Desktop d;
        ui::DesktopExporter exporter({fonts}, {});
        d.program.exporter = &exporter;
        Press(d, kid::RD);
        Press(d, kid::Minor);
        Press(d, kid::AppendChord);

        AnswerSaveDialog(folder.filePath(QString::fromLatin1(c.typed)), QString::fromLatin1(c.type));
        Press(d, kid::SaveSequence);
        EXPECT_TRUE(Read(folder.filePath(QString::fromLatin1(c.written))).startsWith(c.starts)) << c.type;
    }
}

}  // namespace
}  // namespace hq
