// The main window read as a user reads it: disabled boxes look disabled and
// say why, no display clips its text, and Tab walks the panels as laid out.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QTest>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/ui/desktop_fixture.h"
#include "tests/ui/keyboard_fixture.h"
#include "theory/chord_space.h"
#include "theory/composition.h"
#include "ui/fit_text.h"

namespace hq {
namespace {

using testing::Desktop;

// Ink: pixels dark enough to read, as captions and check marks of an enabled box.
struct Pixels {
    int ink = 0, differing = 0;
};
Pixels Compare(const QImage& enabled, const QImage& disabled) {
    Pixels p;
    for (int y = 0; y < enabled.height(); ++y) {
        for (int x = 0; x < enabled.width(); ++x) {
            p.ink += qGray(disabled.pixel(x, y)) < 96 ? 1 : 0;
            p.differing += std::abs(qGray(enabled.pixel(x, y)) - qGray(disabled.pixel(x, y))) > 24 ? 1 : 0;
        }
    }
    return p;
}

// Runs at scale 1 and, through its own ctest entry, at scale 2.
TEST(DisabledLook, EveryBoxARuleCanDisableIsGreyedCheckedOrNot) {
    Desktop d;
    for (const char* name : {"E6", "E13", "Emaj7", "Emaj9", "Emaj11", "Emaj13", "sus2", "add2", "add9", "sus4", "add4",
                             "add11", "add6", "add13", "Ano3", "Ano5", "Ab5", "As5", "As9", "Ab9", "As11", "Ab13"}) {
        auto* box = d.Control<QAbstractButton>(name);
        ASSERT_NE(box, nullptr) << name;
        for (bool checked : {false, true}) {
            box->setChecked(checked);
            box->setEnabled(true);
            const QImage enabled = box->grab().toImage();
            box->setEnabled(false);
            const Pixels p = Compare(enabled, box->grab().toImage());
            EXPECT_GT(Compare(enabled, enabled).ink, 6) << name << checked;
            EXPECT_EQ(p.ink, 0) << name << checked;
            EXPECT_GT(p.differing, 20) << name << checked;
        }
    }
}

TEST(DisabledLook, TooltipGivesTheHintThenEveryReasonWhileDisabled) {
    Desktop d;
    struct Step {
        const char* click;  // nullptr: none, another box of the same state
        int32_t box;
        const char* tooltip;
    };
    const std::vector<Step> steps{
        {"Diminished", kid::E13, "thirteenth\nNot available with a diminished chord"},
        {nullptr, kid::As5, "Sharp fifth\nAlso notated +5\nNot available with a diminished chord"},
        {"Major", kid::E13, "thirteenth"},
        {"E7", kid::Ab9, "Flat ninth\nAlso notated -9\nNeeds a 7th or larger extension"},
        {"sus2", kid::Ano3, "Supressed third\nTo define the Power Chord or X5 interval\nNot available with sus2"},
        {"sus4", kid::Ano3,
         "Supressed third\nTo define the Power Chord or X5 interval\nNot available with sus2\nNot available with sus4"},
        {"E9", kid::Ab9, "Flat ninth\nAlso notated -9\nNot available with the 9th extension: the ninth is already in it"},
    };
    for (const Step& s : steps) {
        if (s.click != nullptr) {
            auto* w = d.Control<QWidget>(s.click);
            QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
        }
        const QWidget* box = d.Control(s.box);
        EXPECT_EQ(box->toolTip().toStdString(), s.tooltip) << "after " << (s.click ? s.click : "nothing");
        EXPECT_EQ(box->isEnabled(), box->accessibleDescription().isEmpty());
    }
}

constexpr std::array<std::pair<int32_t, const char*>, 7> kLetters{
    {{0, "C"}, {2, "D"}, {4, "E"}, {5, "F"}, {7, "G"}, {9, "A"}, {11, "B"}}};

// Root and bass as the panels spell them: 0..20 is C, Cb, C#, D, ...; -1 no bass.
ChordDefinition WithRootAndBass(ChordDefinition d, int32_t root, int32_t bass) {
    const auto& [rootPitch, rootLetter] = kLetters[static_cast<size_t>(root / 3)];
    const auto& [bassPitch, bassLetter] = kLetters[static_cast<size_t>(std::max(0, bass) / 3)];
    d.RootLetterPitch = rootPitch;
    d.RootLetter = rootLetter;
    d.RootFlat = root % 3 == 1;
    d.RootSharp = root % 3 == 2;
    d.BassSelected = bass >= 0;
    d.BassLetterPitch = bassPitch;
    d.BassLetter = std::string("/") + bassLetter;
    d.BassFlat = bass >= 0 && bass % 3 == 1;
    d.BassSharp = bass >= 0 && bass % 3 == 2;
    return d;
}

// The widest text, at the floor font, the panels can make each display show.
// Every class, extension, addition and alteration is composed under C. Root
// and bass only prefix and suffix the notation, and change the other texts'
// note names and bass marks, so they are walked, widest first, over every
// candidate whose bound (its width under C, plus the widest root and bass a
// text can gain) could still beat the widest found.
std::map<int32_t, QString> WidestProducibleTexts(const QFont& floorFont) {
    const QFontMetrics metrics(floorFont);
    const auto width = [&metrics](const std::string& s) { return metrics.horizontalAdvance(QString::fromStdString(s)); };
    std::map<int32_t, QString> widest;
    std::map<int32_t, int> widestPx;
    const auto consider = [&](int32_t kid, const std::string& s) {
        if (const int w = width(s); w > widestPx[kid]) {
            widestPx[kid] = w;
            widest[kid] = QString::fromStdString(s);
        }
    };
    struct Candidate {
        int boundPx;
        ChordDefinition definition;
    };
    std::vector<Candidate> notations, shapes;
    std::set<std::string> shapeKeys;
    const int gain = 2 + 2 * std::max({width("Cb"), width("C#"), width("Gb"), width("/G#"), width("/Cb")});
    const int perTone = std::max({width(",Cb"), width(",B#"), width(",Gb"), width(",G#"), width(",E#")});
    ChordDefinition d;
    d.RootLetter = "C";
    for (const SpaceShape& shape : ChordSpace::Get().Shapes()) {
        ApplyShape(shape.shape, d);
        const Composition c = Compose(d);
        notations.push_back({width(c.chord.Notation) + gain, d});
        if (!shapeKeys.insert(c.chord.IntervalsText + std::to_string(d.ChordClass)).second) continue;
        // A bass adds at most one tone and its mark; every tone may gain an accidental.
        const auto tones = static_cast<int>(std::count(c.chord.DistancesText.begin(), c.chord.DistancesText.end(), '-'));
        shapes.push_back({perTone * (tones + 2) + width("//"), d});
    }
    const auto byBound = [](const Candidate& a, const Candidate& b) { return a.boundPx > b.boundPx; };
    std::sort(notations.begin(), notations.end(), byBound);
    std::sort(shapes.begin(), shapes.end(), byBound);
    for (const Candidate& n : notations) {
        if (n.boundPx < widestPx[kid::NotationDisplay]) break;
        for (int32_t root = 0; root < 21; ++root) {
            for (int32_t bass = -1; bass < 21; ++bass) {
                consider(kid::NotationDisplay, Compose(WithRootAndBass(n.definition, root, bass)).chord.Notation);
            }
        }
    }
    for (const Candidate& shape : shapes) {
        // Intervals and distances do not depend on the root's name.
        for (int32_t bass = -1; bass < 21; ++bass) {
            const Composition c = Compose(WithRootAndBass(shape.definition, 0, bass));
            consider(kid::IntervalsDisplay, c.chord.IntervalsText);
            consider(kid::DistancesDisplay, c.chord.DistancesText);
        }
        if (shape.boundPx < widestPx[kid::BasicNotesDisplay]) continue;
        for (int32_t root = 0; root < 21; ++root) {
            for (int32_t bass = -1; bass < 21; ++bass) {
                consider(kid::BasicNotesDisplay, Compose(WithRootAndBass(shape.definition, root, bass)).chord.BasicNotesText);
            }
        }
    }
    return widest;
}

TEST(ReadableDisplays, TheWidestTextThePanelsProduceFitsWhole) {
    Desktop d;
    QFont floorFont = d.Control(kid::NotationDisplay)->font();
    floorFont.setPixelSize(ui::kSmallestFontPx);
    std::map<int32_t, QString> widest = WidestProducibleTexts(floorFont);
    EXPECT_EQ(widest[kid::NotationDisplay].size(), 41);  // "Gb.maj7.add2.add11.add13(#5)(no3)(no5)/G#"
    widest[kid::TempoDisplay] = QStringLiteral("300");
    widest[kid::NotesMeasureDisplay] = QStringLiteral("12");
    for (const auto& [k, text] : widest) {
        d.toolkit.SetTextString(d.state.windows.chords, k, text.toStdString());
        const auto* label = dynamic_cast<const ui::FittingLabel*>(d.Control(k));
        ASSERT_NE(label, nullptr) << k;
        const ui::FittedText fitted = label->Fitted();
        EXPECT_FALSE(fitted.elided) << text.toStdString();
        EXPECT_GE(QFontInfo(fitted.font).pixelSize(), ui::kSmallestFontPx);
        EXPECT_LE(QFontMetrics(fitted.font).horizontalAdvance(text), label->contentsRect().width()) << text.toStdString();
        EXPECT_EQ(label->toolTip().toStdString(), ControlAt(k)->hint);
    }
}

// A sequence file can carry any notation, a list any line, the status any message.
TEST(ReadableDisplays, LongerTextsAreElidedInTheMiddleWithTheWholeTextAtHand) {
    Desktop d;
    testing::KeyboardRig rig;
    rig.Start();
    const int keyboardWidth = rig.Window().width();
    const QString whole = QStringLiteral("Gb.maj7.sus2.sus4.add6(b5)/F, and a file that says far more than fits ").repeated(8);
    const int32_t grid = d.state.windows.chords;
    for (int32_t k : {kid::NotationDisplay, kid::IntervalsDisplay, kid::BasicNotesDisplay, kid::DistancesDisplay,
                      kid::TempoDisplay, kid::NotesMeasureDisplay, kid::ChordsList, kid::SolutionsList, 0}) {
        QWidget* w = k == 0 ? rig.Window().findChild<ui::FittingLabel*>(QStringLiteral("Status")) : d.Control(k);
        if (k == kid::ChordsList || k == kid::SolutionsList) {
            d.toolkit.SetTextArray(grid, k, std::vector<std::string>{"C7", whole.toStdString()});
        }
        if (k == 0) {
            rig.Window().SetStatus(whole);
        } else {
            d.toolkit.SetTextString(grid, k, whole.toStdString());
        }
        QCoreApplication::processEvents();
        ui::FittedText fitted;
        if (const auto* label = dynamic_cast<const ui::FittingLabel*>(w)) fitted = label->Fitted();
        if (const auto* list = dynamic_cast<const ui::FittingComboBox*>(w)) fitted = list->Fitted();
        const std::string name = w->objectName().toStdString();
        EXPECT_TRUE(fitted.elided) << name;
        EXPECT_TRUE(fitted.shown.startsWith(whole.left(2)) && fitted.shown.endsWith(whole.right(2))) << name;
        EXPECT_TRUE(fitted.shown.contains(QChar(0x2026))) << name;
        EXPECT_TRUE(w->toolTip().endsWith(whole)) << name;
        const std::string_view hint = k == 0 ? "" : ControlAt(k)->hint;
        EXPECT_TRUE(w->toolTip().startsWith(QString::fromUtf8(hint.data(), static_cast<qsizetype>(hint.size())))) << name;
        EXPECT_EQ(w->accessibleDescription(), whole) << name;
    }
    EXPECT_EQ(rig.Window().width(), keyboardWidth);
}

TEST(TabOrder, WalksThePanelsAsLaidOutWithOneStopPerRadioGroup) {
    Desktop d;
    d.Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d.Window()));
    const std::vector<std::string> expected{
        "RC", "Rb", "Rs", "Major", "E6", "E7", "E9", "E11", "E13", "Emaj7", "Emaj9", "Emaj11", "Emaj13",
        "sus2", "add2", "add9", "sus4", "add4", "add11", "add6", "add13",
        "As11", "Ano5", "Ab5", "As5", "Ab9", "Ano3", "Ab13", "As9",
        "BC", "BD", "BE", "BF", "BG", "BA", "BB", "Bb", "Bs",
        "ArrangeClosest", "RepeatRoot", "RepeatBass", "RepeatFifth", "RepeatAll", "Up", "Down", "Fill",
        "TempoBar", "NotesMeasureBar", "PlayOnce", "PlayRep", "StopRep",
        "CaptureSolve", "UseSolution", "SolutionsList",
        "AppendChord", "InsertChord", "ClearAllChords", "RemoveChord", "ChordsList",
        "LoadSequence", "SaveSequence", "PlaySequence", "StopSequence",
        "ExtraButton1", "ExtraButton2", "RC"};
    std::vector<std::string> walked{QApplication::focusWidget()->objectName().toStdString()};
    while (walked.size() < expected.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked.push_back(QApplication::focusWidget()->objectName().toStdString());
    }
    EXPECT_EQ(walked, expected);
    // A group's stop is its checked button; a disabled box is passed over.
    QTest::mouseClick(d.Control(kid::Diminished), Qt::LeftButton, {}, QPoint(6, 10));
    d.Control(kid::Rs)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), d.Control(kid::Diminished));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), d.Control(kid::E7));
}

}  // namespace
}  // namespace hq
