// The chord sequencer on the Qt main window, driven through its real widgets.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "tests/ui/desktop_fixture.h"

namespace hq {
namespace {

using testing::Desktop;

void Press(Desktop& d, int32_t kid) { QTest::mouseClick(d.Control(kid), Qt::LeftButton); }

// Answers the next file dialog with `path` once it is shown, as a user typing
// the name and pressing Save or Open would.
void AnswerFileDialog(const QString& path, QString& title) {
    QTimer::singleShot(0, [path, &title] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    });
}

QStringList Lines(const QComboBox* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i) lines << list->itemText(i);
    return lines;
}

TEST(SequencerWindow, AppendSaveClearLoadWithClicksAndTheFileDialog) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("two.chd"));
    Desktop d;
    auto* list = d.Control<QComboBox>("ChordsList");
    ASSERT_NE(list, nullptr);

    Press(d, kid::RD);
    Press(d, kid::Minor);
    Press(d, kid::AppendChord);
    Press(d, kid::RE);
    Press(d, kid::AppendChord);
    EXPECT_EQ(Lines(list), (QStringList{QStringLiteral("Dm7"), QStringLiteral("Em7")}));
    EXPECT_EQ(list->currentText(), QStringLiteral("Em7"));

    QString title;
    AnswerFileDialog(path, title);
    Press(d, kid::SaveSequence);
    EXPECT_EQ(title, QStringLiteral("Select a Path and write a Filename to save the Chords Sequence (use .chd extension)"));
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_EQ(bytes.count('\n'), 81);
    EXPECT_TRUE(bytes.startsWith("567765\n11\n 2\nD\n"));
    EXPECT_TRUE(bytes.endsWith("567765\n\n"));

    Press(d, kid::ClearAllChords);
    EXPECT_EQ(Lines(list), QStringList{QStringLiteral("Empty List")});

    AnswerFileDialog(path, title);
    Press(d, kid::LoadSequence);
    EXPECT_EQ(title, QStringLiteral("Select Chords Sequence File to Load (.chd)"));
    EXPECT_EQ(Lines(list), (QStringList{QStringLiteral("Dm7"), QStringLiteral("Em7")}));
    EXPECT_EQ(list->currentText(), QStringLiteral("Em7"));
}

TEST(SequencerWindow, ClosingWhileASequencePlaysEndsEveryNoteBeforeTheKeyboardCloses) {
    Desktop d;
    Press(d, kid::AppendChord);
    Press(d, kid::RF);
    Press(d, kid::AppendChord);
    d.keyboard.ClearCalls();
    QTimer::singleShot(0, [&d] { Press(d, kid::PlaySequence); });
    QTimer::singleShot(700, [&d] { d.Window().close(); });
    EXPECT_EQ(QCoreApplication::exec(), 0);

    using K = RecordingKeyboard::CallKind;
    const std::vector<RecordingKeyboard::Call>& calls = d.keyboard.Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().kind, K::Close);
    std::map<std::pair<int32_t, int32_t>, int> sounding;
    for (const RecordingKeyboard::Call& c : calls) {
        EXPECT_FALSE(c.afterClose);
        sounding[{c.a, c.b}] += c.kind == K::NoteOn ? 1 : c.kind == K::NoteOff ? -1 : 0;
    }
    EXPECT_GT(std::count_if(calls.begin(), calls.end(), [](const auto& c) { return c.kind == K::NoteOn; }), 0);
    for (const auto& [note, count] : sounding) EXPECT_EQ(count, 0) << note.first << "/" << note.second;
    EXPECT_EQ(d.toolkit.RunningTimers(), 0u);
}

}  // namespace
}  // namespace hq
