// Typing chord symbols into the notation display of the main window.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <string>
#include <vector>

#include "tests/ui/desktop_fixture.h"
#include "ui/desktop_comforts.h"
#include "ui/notation_editor.h"

namespace hq {
namespace {

using testing::Desktop;

struct Typing {
    explicit Typing(Desktop& desktop) : d(desktop), editor(ui::AttachNotationEditor(d.Window(), d.program)) {
        QApplication::setActiveWindow(&d.Window());
        d.Control(kid::RC)->setFocus();
    }
    void OpenWithCtrlL() { QTest::keyClick(&d.Window(), Qt::Key_L, Qt::ControlModifier); }
    void Type(const char* symbol) {
        OpenWithCtrlL();
        QTest::keyClicks(editor, QString::fromUtf8(symbol));
    }
    std::string Notation() const { return d.Text(kid::NotationDisplay); }
    bool Checked(int32_t k) const { return d.Control(k)->property("checked").toBool(); }

    Desktop& d;
    ui::NotationEditor* editor;
};

TEST(NotationEditor, CtrlLOpensOverTheDisplayWithTheNotationSelected) {
    Desktop d;
    Typing t(d);
    ASSERT_NE(t.editor, nullptr);
    EXPECT_FALSE(t.editor->IsOpen());
    t.OpenWithCtrlL();
    EXPECT_TRUE(t.editor->IsOpen());
    EXPECT_TRUE(t.editor->hasFocus());
    EXPECT_EQ(t.editor->text(), QStringLiteral("C7"));
    EXPECT_EQ(t.editor->selectedText(), QStringLiteral("C7"));
    EXPECT_EQ(t.editor->geometry(), d.Control(kid::NotationDisplay)->geometry());
}

TEST(NotationEditor, EnterSetsThePanelsAsUseThisSolutionDoes) {
    struct Case {
        const char* typed;
        const char* notation;
        std::vector<int32_t> checked;
    };
    const std::vector<Case> cases{
        {"F#m7b5", "F#m7(b5)", {kid::RF, kid::Rs, kid::Minor, kid::E7, kid::Ab5}},
        {"Bb13(#11)", "Bb13(#11)", {kid::RB, kid::Rb, kid::Major, kid::E13, kid::As11}},
        {"Ebmaj7/G", "Eb.maj7/G", {kid::RE, kid::Rb, kid::Major, kid::Emaj7, kid::BG}},
        {"C+7", "C.aug7", {kid::RC, kid::Augmented, kid::E7}},
        {"Ddim7", "D.dim7", {kid::RD, kid::Diminished, kid::E7}},
    };
    Desktop d;
    Typing t(d);
    for (const Case& c : cases) {
        t.Type(c.typed);
        QTest::keyClick(t.editor, Qt::Key_Return);
        EXPECT_FALSE(t.editor->IsOpen()) << c.typed;
        EXPECT_EQ(t.Notation(), c.notation) << c.typed;
        for (int32_t k : c.checked) EXPECT_TRUE(t.Checked(k)) << c.typed << " kid " << k;
        EXPECT_TRUE(d.Control(kid::RC)->hasFocus()) << c.typed;  // the focus goes back where it was
    }
}

TEST(NotationEditor, EscapeOrLeavingCancelsAndKeepsTheChord) {
    Desktop d;
    Typing t(d);
    t.Type("Am");
    QTest::keyClick(t.editor, Qt::Key_Escape);
    EXPECT_FALSE(t.editor->IsOpen());
    EXPECT_EQ(t.Notation(), "C7");

    t.Type("Am");
    d.Control(kid::Minor)->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(t.editor->IsOpen());
    EXPECT_EQ(t.Notation(), "C7");

    // Neither the window's background nor a display takes the focus: a click there cancels all the same.
    for (QWidget* clicked : {static_cast<QWidget*>(&d.Window()), d.Control(kid::IntervalsDisplay)}) {
        t.Type("Am");
        QTest::mouseClick(clicked, Qt::LeftButton, {}, QPoint(2, 2));
        EXPECT_FALSE(t.editor->IsOpen()) << clicked->objectName().toStdString();
        EXPECT_EQ(t.Notation(), "C7");
    }
}

TEST(NotationEditor, BadSymbolStaysOpenWithARedFrameAndTheReason) {
    Desktop d;
    Typing t(d);
    t.Type("C7b9#9");
    QTest::keyClick(t.editor, Qt::Key_Return);
    EXPECT_TRUE(t.editor->IsOpen());
    EXPECT_EQ(t.editor->text(), QStringLiteral("C7b9#9"));
    EXPECT_EQ(t.editor->Reason(), QStringLiteral("b9 and #9 together cannot be built in the panels"));
    EXPECT_TRUE(t.editor->styleSheet().contains(QStringLiteral("border")));
    EXPECT_EQ(t.Notation(), "C7");

    // Mending the text clears the frame; Enter then takes it.
    QTest::keyClick(t.editor, Qt::Key_Backspace);
    QTest::keyClick(t.editor, Qt::Key_Backspace);
    EXPECT_TRUE(t.editor->styleSheet().isEmpty());
    EXPECT_TRUE(t.editor->Reason().isEmpty());
    QTest::keyClick(t.editor, Qt::Key_Return);
    EXPECT_EQ(t.Notation(), "C7(b9)");
}

TEST(NotationEditor, CtrlZInsideTheEditorUndoesTyping) {
    Desktop d;
    Typing t(d);
    t.Type("G7sus");
    QTest::keyClick(t.editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(t.editor->IsOpen());
    EXPECT_EQ(t.editor->text(), QStringLiteral("C7"));  // the typing undone, back to what it opened with
    QTest::keyClick(t.editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(t.editor->text(), QStringLiteral("G7sus"));
    EXPECT_EQ(t.Notation(), "C7");
}

// A bar line or a second chord makes a chart: its chords join the list, the
// panels show the last, and a refusal names its place.
TEST(NotationEditor, AChartGoesOntoTheListOrSaysWhereItStopped) {
    struct Case {
        const char* typed;
        std::vector<std::string> list;  // empty: refused
        const char* notation;
        const char* reason;
    };
    const std::vector<Case> cases{
        {"| Dm7 G7 | Cmaj7 | % |", {"Dm7", "G7", "C.maj7", "C.maj7"}, "C.maj7", ""},
        {"Am D7", {"Am", "D7"}, "D7", ""},
        {"|: F / Bb :|", {"F", "Bb"}, "Bb", ""},
        {"| C | Dm7 H7 |", {}, "C7", "bar 2, chord 2: "},
        {"| C | 3/4 G |", {}, "C7", "bar 2, chord 1: "},
    };
    for (const Case& c : cases) {
        Desktop d;
        ui::AddUndoKeys(d.toolkit, d.program);
        Typing t(d);
        t.Type(c.typed);
        QTest::keyClick(t.editor, Qt::Key_Return);
        EXPECT_EQ(t.Notation(), c.notation) << c.typed;
        const ChordSequence& list = d.state.sequencer.sequence;
        if (c.list.empty()) {
            EXPECT_TRUE(t.editor->IsOpen()) << c.typed;
            EXPECT_TRUE(t.editor->Reason().startsWith(QString::fromUtf8(c.reason))) << t.editor->Reason().toStdString();
            EXPECT_TRUE(t.editor->styleSheet().contains(QStringLiteral("border"))) << c.typed;
            EXPECT_EQ(list.SequenceCount, 0) << c.typed;
            continue;
        }
        EXPECT_FALSE(t.editor->IsOpen()) << c.typed;
        EXPECT_EQ(list.ListTexts, c.list) << c.typed;
        QTest::keyClick(&d.Window(), Qt::Key_Z, Qt::ControlModifier);  // the whole chart is one step
        EXPECT_EQ(d.state.sequencer.sequence.SequenceCount, 0) << c.typed;
        EXPECT_EQ(t.Notation(), "C7") << c.typed;
    }
}

}  // namespace
}  // namespace hq
