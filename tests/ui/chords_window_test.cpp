// The main window on Qt, driven through its real widgets.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

#include <vector>

#include "app/chords_callback.h"
#include "tests/ui/desktop_fixture.h"

namespace hq {
namespace {

using testing::Desktop;

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

bool KindMatches(const QWidget* w, ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
        return qobject_cast<const QLabel*>(w) != nullptr;
    case ControlKind::RadioButton:
        return qobject_cast<const QRadioButton*>(w) != nullptr;
    case ControlKind::CheckBox:
        return qobject_cast<const QCheckBox*>(w) != nullptr;
    case ControlKind::PushButton:
        return qobject_cast<const QPushButton*>(w) != nullptr;
    case ControlKind::ListBox:
        return qobject_cast<const QComboBox*>(w) != nullptr;
    case ControlKind::ScrollBar:
        return qobject_cast<const QScrollBar*>(w) != nullptr;
    case ControlKind::Window:
        break;
    }
    return false;
}

// Records every message the main window reports, then routes it as usual.
struct ReportLog {
    explicit ReportLog(Desktop& d) : desktop(d) {
        d.toolkit.SetCallback(d.state.windows.chords, [this](const ToolkitMessage& m) {
            messages.push_back(m);
            ChordsWindowCallback(desktop.program, m);
        });
    }
    Desktop& desktop;
    std::vector<ToolkitMessage> messages;
};

TEST(ChordsWindow, EveryControlMatchesItsTableRow) {
    ui::ChordsWindow window([](int32_t, int32_t, int32_t, int32_t) {});
    for (const ControlRow& row : kControls) {
        if (row.kid == 0) continue;
        const QWidget* w = window.Control(row.kid);
        ASSERT_NE(w, nullptr) << row.kid;
        EXPECT_TRUE(KindMatches(w, row.kind)) << row.name;
        EXPECT_EQ(w->geometry(), QRect(row.x, row.y, row.width, row.height)) << row.name;
        EXPECT_EQ(w->objectName(), Q(row.name));
        EXPECT_EQ(w->toolTip(), Q(row.hint)) << row.name;
        EXPECT_EQ(Desktop::ShownText(w), std::string(row.caption)) << row.name;
        EXPECT_EQ(w->accessibleName(), Q(row.caption.empty() ? row.hint : row.caption)) << row.name;
        EXPECT_FALSE(w->accessibleName().isEmpty()) << row.name;
    }
    // KidNumbers are creation order: the widgets are the window's children in
    // table order.
    std::vector<QWidget*> children;
    for (QObject* o : window.children()) {
        if (auto* w = qobject_cast<QWidget*>(o)) children.push_back(w);
    }
    ASSERT_EQ(children.size(), static_cast<size_t>(kControlCount));
    for (int32_t k = 1; k <= kControlCount; ++k) EXPECT_EQ(children[static_cast<size_t>(k - 1)], window.Control(k));
}

TEST(ChordsWindow, IsFixedAtItsDesignPlaceAndSize) {
    Desktop d;
    const QWidget& w = d.Window();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Chords"));
    EXPECT_EQ(w.minimumSize(), QSize(780, 302));
    EXPECT_EQ(w.maximumSize(), QSize(780, 302));
    EXPECT_EQ(w.size(), QSize(780, 302));
    EXPECT_EQ(w.pos(), QPoint(5, 434));
    EXPECT_TRUE(w.toolTip().startsWith(QStringLiteral("Program Harmoniqua V1.3 by ")));
    EXPECT_GT(w.toolTip().size(), QStringLiteral("Program Harmoniqua V1.3 by ").size());
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Harmoniqua"));
}

// Every caption is drawn whole inside its control's box.
TEST(ChordsWindow, EveryCaptionFitsItsBox) {
    Desktop d;
    for (const ControlRow& row : kControls) {
        if (row.kid == 0 || row.caption.empty()) continue;
        const QWidget* w = d.Control(row.kid);
        const QFontMetrics metrics(w->font());
        const int textWidth = metrics.horizontalAdvance(Q(row.caption));
        int needed = textWidth;
        if (row.kind == ControlKind::RadioButton || row.kind == ControlKind::CheckBox) {
            const bool radio = row.kind == ControlKind::RadioButton;
            QStyleOptionButton option;
            option.initFrom(w);
            needed += w->style()->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth,
                                              &option, w) +
                      w->style()->pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing
                                                    : QStyle::PM_CheckBoxLabelSpacing,
                                              &option, w);
        } else if (row.kind == ControlKind::PushButton || row.kind == ControlKind::ListBox) {
            needed += 8;
        }
        EXPECT_LE(needed, row.width) << row.name << " \"" << row.caption << "\"";
        EXPECT_LE(metrics.height(), row.height) << row.name;
    }
}

TEST(ChordsWindow, EveryControlButTheLabelsIsInTheFocusChainOnce) {
    Desktop d;
    std::vector<int32_t> order;
    QWidget* w = d.Control(kid::RC);
    for (int i = 0; i < 400; ++i) {
        for (int32_t k = 1; k <= kControlCount; ++k) {
            if (d.Control(k) == w && w->focusPolicy() != Qt::NoFocus) order.push_back(k);
        }
        w = w->nextInFocusChain();
        if (w == d.Control(kid::RC)) break;
    }
    // The chain follows the layout (TabOrder tests); here every control but
    // the labels is in it exactly once.
    std::sort(order.begin(), order.end());
    std::vector<int32_t> expected;
    for (const ControlRow& row : kControls) {
        if (row.kid != 0 && row.kind != ControlKind::Label) expected.push_back(row.kid);
    }
    EXPECT_EQ(order, expected);
    EXPECT_EQ(d.Window().focusWidget(), d.Control(kid::RC));
}

TEST(ChordsWindow, StartsShowingC7WithTheDefaults) {
    Desktop d;
    EXPECT_EQ(d.Text(kid::NotationDisplay), "C7");
    EXPECT_EQ(d.Text(kid::IntervalsDisplay), "1-3-5-b7");
    EXPECT_EQ(d.Text(kid::BasicNotesDisplay), "C,E,G,Bb");
    EXPECT_EQ(d.Text(kid::DistancesDisplay), "0-4-7-10");
    EXPECT_EQ(d.Text(kid::TempoDisplay), "180");
    EXPECT_EQ(d.Text(kid::NotesMeasureDisplay), "6");
    EXPECT_EQ(d.Text(kid::ChordsList), "Empty List");
    EXPECT_EQ(d.Text(kid::SolutionsList), "No Solution");
    const std::vector<int32_t> on{kid::RC, kid::Major, kid::E7, kid::ArrangeClosest, kid::Up, kid::Down};
    for (int32_t k = 1; k <= kControlCount; ++k) {
        const auto* button = qobject_cast<QAbstractButton*>(d.Control(k));
        if (button == nullptr || !button->isCheckable()) continue;
        EXPECT_EQ(button->isChecked(), std::find(on.begin(), on.end(), k) != on.end()) << k;
    }
    EXPECT_EQ(qobject_cast<QScrollBar*>(d.Control(kid::TempoBar))->value(), 25);
    EXPECT_EQ(qobject_cast<QScrollBar*>(d.Control(kid::NotesMeasureBar))->value(), 22);
    EXPECT_TRUE(d.Window().isVisible());
    EXPECT_FALSE(d.toolkit.Window(d.state.windows.fifths)->isVisible());
    EXPECT_FALSE(d.toolkit.Window(d.state.windows.tmap)->isVisible());
}

TEST(ChordsWindow, ClicksOnRealWidgetsComposeTheChord) {
    Desktop d;
    const std::vector<std::pair<const char*, const char*>> clicks{
        {"E9", "C9"}, {"E7", "C7"}, {"BE", "C7/E"}, {"RC", "C7"}, {"RD", "D7"}, {"Minor", "Dm7"}, {"Rb", "Dbm7"},
    };
    for (const auto& [name, notation] : clicks) {
        QTest::mouseClick(d.Control<QWidget>(name), Qt::LeftButton);
        EXPECT_EQ(d.Text(kid::NotationDisplay), notation) << "after " << name;
    }
}

TEST(ChordsWindow, RadioButtonsReportOnlyTheClickThatLeavesThemOn) {
    Desktop d;
    ReportLog log(d);
    QTest::mouseClick(d.Control(kid::RD), Qt::LeftButton);
    QTest::mouseClick(d.Control(kid::RD), Qt::LeftButton);
    QTest::mouseClick(d.Control(kid::Minor), Qt::LeftButton);
    std::vector<std::pair<int32_t, int32_t>> reported;
    for (const ToolkitMessage& m : log.messages) {
        EXPECT_EQ(m.message, ToNumber(Msg::Callback));
        EXPECT_EQ(m.extra, ToNumber(Msg::Selection));
        reported.emplace_back(m.kid, m.value1);
    }
    EXPECT_EQ(reported, (std::vector<std::pair<int32_t, int32_t>>{{kid::RD, -1}, {kid::RD, -1}, {kid::Minor, -1}}));
    EXPECT_FALSE(qobject_cast<QRadioButton*>(d.Control(kid::RC))->isChecked());
}

TEST(ChordsWindow, CheckBoxesReportTheirNewState) {
    Desktop d;
    ReportLog log(d);
    QTest::mouseClick(d.Control(kid::add9), Qt::LeftButton);
    QTest::mouseClick(d.Control(kid::add9), Qt::LeftButton);
    ASSERT_EQ(log.messages.size(), 2u);
    EXPECT_EQ(log.messages[0].value1, -1);
    EXPECT_EQ(log.messages[1].value1, 0);
    EXPECT_EQ(log.messages[1].kid, kid::add9);
}

TEST(ChordsWindow, ProgramUpdatesAreNotReportedBack) {
    Desktop d;
    ReportLog log(d);
    for (int32_t k : {kid::E9, kid::RG, kid::Fill, kid::ArrangeRandom}) {
        d.toolkit.SetValue(d.state.windows.chords, k, -1);
        d.toolkit.SetValue(d.state.windows.chords, k, 0);
    }
    d.toolkit.SetPosition(d.state.windows.chords, kid::TempoBar, 60, 300, 300, 300);
    d.toolkit.SetTextArray(d.state.windows.chords, kid::ChordsList, std::vector<std::string>{"C7", "D7"});
    d.toolkit.SetTextString(d.state.windows.chords, kid::ChordsList, "D7");
    EXPECT_TRUE(log.messages.empty());
    EXPECT_EQ(d.Text(kid::ChordsList), "D7");
    // A radio button can be cleared by the program even though its group is
    // exclusive.
    EXPECT_FALSE(qobject_cast<QRadioButton*>(d.Control(kid::RG))->isChecked());
}

TEST(ChordsWindow, LabelClickComposesAgain) {
    Desktop d;
    d.toolkit.SetTextString(d.state.windows.chords, kid::NotationDisplay, "stale");
    QTest::mouseClick(d.Control(kid::NotationDisplay), Qt::LeftButton);
    EXPECT_EQ(d.Text(kid::NotationDisplay), "C7");
}

TEST(ChordsWindow, ListLinesReportTheirIndex) {
    Desktop d;
    ReportLog log(d);
    d.toolkit.SetTextArray(d.state.windows.chords, kid::ChordsList, std::vector<std::string>{"C7", "D7", "E7"});
    auto* list = qobject_cast<QComboBox*>(d.Control(kid::ChordsList));
    emit list->activated(2);
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0].kid, kid::ChordsList);
    EXPECT_EQ(log.messages[0].value1, 2);
}

TEST(ChordsWindow, ScrollBarsReportArrowsAndFiftyDragPositions) {
    Desktop d;
    ReportLog log(d);
    auto* bar = qobject_cast<QScrollBar*>(d.Control(kid::TempoBar));
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 49);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 3, bar->height() / 2));
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(2, bar->height() / 2));
    ASSERT_EQ(log.messages.size(), 2u);
    EXPECT_EQ(log.messages[0].extra, ToNumber(Msg::OneMore));
    EXPECT_EQ(log.messages[1].extra, ToNumber(Msg::OneLess));
    EXPECT_EQ(log.messages[1].kid, kid::TempoBar);

    log.messages.clear();
    bar->setSliderDown(true);
    for (int position : {0, 24, 49}) bar->setSliderPosition(position);
    bar->setSliderDown(false);
    std::vector<int32_t> drags;
    for (const ToolkitMessage& m : log.messages) {
        EXPECT_EQ(m.extra, ToNumber(Msg::Change));
        drags.push_back(m.value2);
    }
    EXPECT_EQ(drags, (std::vector<int32_t>{0, 24, 49}));
}

TEST(ChordsWindow, BarPositionShowsTheValueWithinItsRange) {
    struct Case {
        int32_t lowest, value, highest, position;
    };
    for (const Case& c : std::vector<Case>{{60, 180, 300, 25},
                                           {60, 60, 300, 0},
                                           {60, 300, 300, 49},
                                           {60, 61, 300, 0},
                                           {60, 64, 300, 1},
                                           {1, 6, 12, 22},
                                           {1, 12, 12, 49},
                                           {60, 0, 300, 0},
                                           {60, 32767, 300, 49},
                                           {5, 5, 5, 0}}) {
        EXPECT_EQ(ui::ChordsWindow::BarPosition(c.lowest, c.value, c.highest), c.position)
            << c.lowest << " " << c.value << " " << c.highest;
    }
    // Every drag position maps back onto itself through the tempo it stands for.
    for (int32_t p = 0; p < 50; ++p) {
        const int32_t tempo = 60 + p * 240 / 49;
        EXPECT_EQ(ui::ChordsWindow::BarPosition(60, tempo, 300), p) << p;
    }
}

TEST(ChordsWindow, ClosingEndsTheRunWithStatusZero) {
    Desktop d;
    QTimer::singleShot(0, [&d] { d.Window().close(); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    ASSERT_FALSE(d.keyboard.Calls().empty());
    EXPECT_EQ(d.keyboard.Calls().back().kind, RecordingKeyboard::CallKind::Close);
}

}  // namespace
}  // namespace hq
