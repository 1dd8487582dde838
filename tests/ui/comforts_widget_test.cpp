// The comforts on real widgets: undo keys of the main window, and the
// keyboard window's "Play each chord", note names and release of all keys.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <string>
#include <vector>

#include "tests/ui/desktop_fixture.h"
#include "tests/ui/keyboard_fixture.h"
#include "ui/desktop_comforts.h"

namespace hq {
namespace {

using testing::Desktop;
using testing::KeyboardRig;

constexpr int32_t C4 = 60, E4 = 64, G4 = 67;

QImage Picture(QWidget& w) { return w.grab().toImage(); }

void Keys(QWidget& w, Qt::KeyboardModifiers modifiers, Qt::Key key) { QTest::keyClick(&w, key, modifiers); }

// What the window shows after a click and its undo is what it showed
// before, to the pixel; redo brings the click back, also to the pixel.
TEST(UndoKeys, RestoreTheWindowPixelForPixel) {
    struct Case {
        const char* name;
        std::vector<int32_t> clicks;
        Qt::KeyboardModifiers redoModifiers;
        Qt::Key redoKey;
    };
    const std::vector<Case> cases{
        {"a class", {kid::Minor}, Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z},
        {"a rule that clears a box", {kid::add9, kid::E9}, Qt::ControlModifier, Qt::Key_Y},
        {"a root letter", {kid::RG}, Qt::ControlModifier, Qt::Key_Y},
    };
    for (const Case& c : cases) {
        Desktop d;
        ui::AddUndoKeys(d.toolkit, d.program);
        d.Window().show();
        d.Window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d.Window()));
        for (size_t i = 0; i + 1 < c.clicks.size(); ++i) QTest::mouseClick(d.Control(c.clicks[i]), Qt::LeftButton);
        // The click leaves focus on its control; so does the picture to match.
        d.Control(c.clicks.back())->setFocus(Qt::MouseFocusReason);
        const QImage before = Picture(d.Window());
        QTest::mouseClick(d.Control(c.clicks.back()), Qt::LeftButton);
        const QImage clicked = Picture(d.Window());
        ASSERT_NE(clicked, before) << c.name;
        Keys(d.Window(), Qt::ControlModifier, Qt::Key_Z);
        EXPECT_EQ(Picture(d.Window()), before) << c.name;
        Keys(d.Window(), c.redoModifiers, c.redoKey);
        EXPECT_EQ(Picture(d.Window()), clicked) << c.name;
    }
}

// Ctrl+Up/Down move the panels' chord, with Shift the whole list.
TEST(UndoKeys, SemitoneKeysMoveTheChordOrTheList) {
    struct Case {
        Qt::KeyboardModifiers modifiers;
        Qt::Key key;
        const char* notation;
        std::vector<std::string> list;
    };
    const std::vector<Case> cases{
        {Qt::ControlModifier, Qt::Key_Up, "Db7", {"D7", "F7"}},
        {Qt::ControlModifier, Qt::Key_Down, "B7", {"D7", "F7"}},
        {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Up, "C7", {"Eb7", "Gb7"}},
        {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Down, "C7", {"C#7", "E7"}},  // a letter down
    };
    for (const Case& c : cases) {
        Desktop d;
        ui::AddUndoKeys(d.toolkit, d.program);
        d.Window().show();
        d.Window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d.Window()));
        for (int32_t root : {kid::RD, kid::RF, kid::RC}) {
            QTest::mouseClick(d.Control(root), Qt::LeftButton);
            if (root != kid::RC) QTest::mouseClick(d.Control(kid::AppendChord), Qt::LeftButton);
        }
        Keys(d.Window(), c.modifiers, c.key);
        EXPECT_EQ(d.Text(kid::NotationDisplay), c.notation);
        EXPECT_EQ(d.state.sequencer.sequence.ListTexts, c.list) << c.notation;
        Keys(d.Window(), Qt::ControlModifier, Qt::Key_Z);
        EXPECT_EQ(d.Text(kid::NotationDisplay), "C7");
        EXPECT_EQ(d.state.sequencer.sequence.ListTexts, (std::vector<std::string>{"D7", "F7"}));
    }
}

TEST(KeyboardComforts, ReleaseAllAndEscapeFreeEveryLockedKey) {
    const std::vector<std::pair<const char*, std::function<void(KeyboardRig&)>>> ways{
        {"the button",
         [](KeyboardRig& rig) {
             QTest::mouseClick(rig.Window().findChild<QPushButton*>(QStringLiteral("ReleaseAll")), Qt::LeftButton);
         }},
        {"Escape", [](KeyboardRig& rig) { QTest::keyClick(&rig.Window(), Qt::Key_Escape); }},
    };
    for (const auto& [name, release] : ways) {
        KeyboardRig rig;
        rig.Start();
        rig.Window().activateWindow();
        for (int32_t key : {C4, E4}) rig.Lock(key);
        rig.keyboard->KbdNoteOn(7, 4);
        ASSERT_EQ(rig.Held().size(), 2U) << name;
        release(rig);
        EXPECT_TRUE(rig.Held().empty()) << name;
        // What the program plays is not the user's to free.
        EXPECT_EQ(rig.synth->sounding, (std::set<std::pair<int32_t, int32_t>>{{0, G4}})) << name;
    }
}

TEST(KeyboardComforts, ChoicesReachTheirHooksAndThePiano) {
    KeyboardRig rig;
    rig.Start();
    using Hook = void (kbd::KeyboardWindow::*)(std::function<void(bool)>);
    const struct {
        const char* box;
        Hook hook;
    } boxes[] = {{"PlayEachChord", &kbd::KeyboardWindow::OnPlayEachChord},
                 {"VoiceLed", &kbd::KeyboardWindow::OnVoiceLed}};
    for (const auto& c : boxes) {
        std::vector<bool> told;
        (rig.Window().*c.hook)([&told](bool on) { told.push_back(on); });
        auto* box = rig.Window().findChild<QCheckBox*>(QString::fromLatin1(c.box));
        ASSERT_NE(box, nullptr) << c.box;
        EXPECT_FALSE(box->isChecked()) << c.box;
        box->click();
        box->click();
        EXPECT_EQ(told, (std::vector<bool>{false, true, false})) << c.box;  // told of the start state at once
    }
    // The options row, left to right.
    rig.Window().show();
    int previousRight = -1;
    for (const char* name : {"PlayEachChord", "NoteNames", "VoiceLed", "ReleaseAll"}) {
        const auto* widget = rig.Window().findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_GT(widget->x(), previousRight) << name;
        previousRight = widget->geometry().right();
    }

    auto* names = rig.Window().findChild<QComboBox*>(QStringLiteral("NoteNames"));
    ASSERT_NE(names, nullptr);
    EXPECT_EQ(rig.Piano().Naming(), kbd::NoteNaming::COnly);
    const QImage cOnly = Picture(rig.Piano());
    rig.keyboard->KbdNoteOn(4, 4);
    const QImage sounding = Picture(rig.Piano());
    names->setCurrentIndex(2);
    EXPECT_EQ(rig.Piano().Naming(), kbd::NoteNaming::All);
    EXPECT_NE(Picture(rig.Piano()), sounding);
    names->setCurrentIndex(0);
    rig.keyboard->KbdNoteOff(4, 4);
    EXPECT_NE(Picture(rig.Piano()), cOnly);
}

}  // namespace
}  // namespace hq
