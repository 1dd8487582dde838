// The main window read as a user reads it: disabled boxes look disabled and
// say why, no display clips its text, and Tab walks the panels as laid out.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QTest>

#include <algorithm>
#include <array>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/ui/desktop_fixture.h"
#include "tests/ui/keyboard_fixture.h"
#include "theory/composition.h"
#include "ui/fit_text.h"

namespace hq {
namespace {

using testing::Desktop;

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Pixels dark enough to read as ink: captions and check marks of an enabled box.
int InkPixels(const QImage& image) {
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 96) ++ink;
        }
    }
    return ink;
}

int DifferingPixels(const QImage& a, const QImage& b) {
    int differing = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y) {
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            if (std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 24) ++differing;
        }
    }
    return differing;
}

std::set<int32_t> RuleDisabledBoxes() {
    std::set<int32_t> boxes;
    for (int32_t chordClass = 0; chordClass < 4; ++chordClass) {
        for (int32_t extension : {0, 6, 9, 11, 13}) {
            for (int32_t second : {0, 2, 3}) {
                for (int32_t fourth : {0, 3, 4}) {
                    for (int32_t sixth : {0, 6}) {
                        ChordDefinition d;
                        d.ChordClass = chordClass;
                        d.Extension = extension;
                        d.SecondAdd = second;
                        d.FourthAdd = fourth;
                        d.SixthAdd = sixth;
                        const Composition c = Compose(d);
                        for (int32_t box : kComposedBoxes) {
                            if (!c.controls[static_cast<size_t>(box)].enabled) boxes.insert(box);
                        }
                    }
                }
            }
        }
    }
    return boxes;
}

// Runs at scale 1 and, through its own ctest entry, at scale 2.
TEST(DisabledLook, EveryRuleDisabledBoxIsGreyedCheckedOrNot) {
    Desktop d;
    const std::set<int32_t> boxes = RuleDisabledBoxes();
    ASSERT_EQ(boxes.size(), 22u);
    for (int32_t box : boxes) {
        auto* button = qobject_cast<QAbstractButton*>(d.Control(box));
        ASSERT_NE(button, nullptr) << box;
        for (bool checked : {false, true}) {
            button->setChecked(checked);
            button->setEnabled(true);
            const QImage enabled = button->grab().toImage();
            button->setEnabled(false);
            const QImage disabled = button->grab().toImage();
            const std::string what = std::string(ControlAt(box)->name) + (checked ? " checked" : " unchecked");
            EXPECT_GT(InkPixels(enabled), 6) << what;
            EXPECT_EQ(InkPixels(disabled), 0) << what;
            EXPECT_GT(DifferingPixels(enabled, disabled), 20) << what;
        }
        button->setChecked(false);
        button->setEnabled(true);
    }
}

TEST(DisabledLook, TooltipGivesTheHintThenEveryReasonWhileDisabled) {
    Desktop d;
    struct Step {
        const char* click;
        int32_t box;
        const char* tooltip;
    };
    // nullptr: no click, another box of the same state.
    const std::vector<Step> steps{
        {"Diminished", kid::E13, "thirteenth\nNot available with a diminished chord"},
        {nullptr, kid::As9, "Sharp ninth\nAlso notated +9\nNot available with a diminished chord"},
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

// Letter and accidental as the panels set them: 0..20 is C, Cb, C#, D, ...
int32_t PitchOf(int32_t spelled) {
    const int32_t accidental = spelled % 3;
    return (kLetters[static_cast<size_t>(spelled / 3)].first + (accidental == 1 ? 11 : accidental == 2 ? 1 : 0)) % 12;
}

ChordDefinition WithRootAndBass(ChordDefinition d, int32_t root, int32_t bass) {
    d.RootLetterPitch = kLetters[static_cast<size_t>(root / 3)].first;
    d.RootLetter = kLetters[static_cast<size_t>(root / 3)].second;
    d.RootFlat = root % 3 == 1;
    d.RootSharp = root % 3 == 2;
    d.BassSelected = bass >= 0;
    d.BassLetterPitch = kLetters[static_cast<size_t>(std::max(0, bass) / 3)].first;
    d.BassLetter = std::string("/") + kLetters[static_cast<size_t>(std::max(0, bass) / 3)].second;
    d.BassFlat = bass >= 0 && bass % 3 == 1;
    d.BassSharp = bass >= 0 && bass % 3 == 2;
    return d;
}

// A spelled bass `distance` semitones above the spelled root; -1: no bass.
int32_t BassAt(int32_t root, int32_t distance) {
    if (distance < 0) return -1;
    for (int32_t bass = 0; bass < 21; ++bass) {
        if (PitchOf(bass) == (PitchOf(root) + distance) % 12) return bass;
    }
    return -1;
}

// The widest text, at the floor font, that the panels can make each display
// show. Root and bass only prefix and suffix the notation, so the walk takes
// every class, extension, addition and alteration under one root, then every
// root and bass under the widest of those; the other texts are walked per
// distinct chord shape.
struct Widest {
    std::map<int32_t, QString> text;
    size_t walked = 0;
    size_t shapes = 0;
};

Widest WidestProducibleTexts(const QFont& floorFont) {
    const QFontMetrics metrics(floorFont);
    Widest widest;
    const auto consider = [&](int32_t kid, const std::string& s) {
        const QString t = Q(s);
        QString& best = widest.text[kid];
        if (metrics.horizontalAdvance(t) > metrics.horizontalAdvance(best)) best = t;
    };
    std::vector<std::pair<int, ChordDefinition>> middles;
    std::set<std::string> shapes;  // marks with what names them: the root-independent part
    std::vector<ChordDefinition> shapeDefinitions;
    ChordDefinition d;
    d.RootLetter = "C";
    for (d.ChordClass = 0; d.ChordClass < 4; ++d.ChordClass) {
        for (int32_t extension : {0, 6, 7, 8, 9, 10, 11, 12, 13, 14}) {
            for (int32_t second : {0, 2, 3, 9}) {
                for (int32_t fourth : {0, 3, 4, 11}) {
                    for (int32_t sixth : {0, 6, 13}) {
                        for (int32_t alterations = 0; alterations < 144; ++alterations) {
                            d.Extension = extension;
                            d.SecondAdd = second;
                            d.FourthAdd = fourth;
                            d.SixthAdd = sixth;
                            d.FifthAlteration = alterations % 3 - 1;
                            d.NinthAlteration = alterations / 3 % 3 - 1;
                            d.SharpEleventh = alterations / 9 % 2;
                            d.FlatThirteenth = alterations / 18 % 2;
                            d.NoThird = alterations / 36 % 2;
                            d.NoFifth = alterations / 72 % 2;
                            const Composition c = Compose(d);
                            ++widest.walked;
                            middles.emplace_back(metrics.horizontalAdvance(Q(c.chord.Notation)), c.definition);
                            std::string shape(c.chord.IntervalsText);
                            shape += std::to_string(c.definition.ChordClass);
                            if (shapes.insert(shape).second) shapeDefinitions.push_back(c.definition);
                        }
                    }
                }
            }
        }
    }
    std::partial_sort(middles.begin(), middles.begin() + 20, middles.end(),
                      [](const auto& a, const auto& b) { return a.first > b.first; });
    widest.shapes = shapeDefinitions.size();
    // The notation: the widest middles under every root and bass.
    for (size_t i = 0; i < 20; ++i) {
        for (int32_t root = 0; root < 21; ++root) {
            for (int32_t bass = -1; bass < 21; ++bass) {
                const Composition c = Compose(WithRootAndBass(middles[i].second, root, bass));
                ++widest.walked;
                consider(kid::NotationDisplay, c.chord.Notation);
            }
        }
    }
    // The other texts depend on the root only through the note names, and on
    // the bass only through its distance from the root.
    for (const ChordDefinition& shape : shapeDefinitions) {
        for (int32_t root = 0; root < 21; ++root) {
            for (int32_t distance = -1; distance < 12; ++distance) {
                const Composition c = Compose(WithRootAndBass(shape, root, BassAt(root, distance)));
                ++widest.walked;
                consider(kid::BasicNotesDisplay, c.chord.BasicNotesText);
                if (root != 0) continue;
                consider(kid::IntervalsDisplay, c.chord.IntervalsText);
                consider(kid::DistancesDisplay, c.chord.DistancesText);
            }
        }
    }
    return widest;
}

TEST(ReadableDisplays, TheWidestTextThePanelsProduceFitsWhole) {
    Desktop d;
    QFont floorFont = d.Control(kid::NotationDisplay)->font();
    floorFont.setPixelSize(ui::kSmallestFontPx);
    Widest widest = WidestProducibleTexts(floorFont);
    EXPECT_GT(widest.walked, 276480u);
    std::cout << "walked " << widest.walked << " definitions, " << widest.shapes << " shapes\n";
    // Tempo and notes per measure at the ends of their ranges.
    widest.text[kid::TempoDisplay] = QStringLiteral("300");
    widest.text[kid::NotesMeasureDisplay] = QStringLiteral("12");
    for (const auto& [k, text] : widest.text) {
        d.toolkit.SetTextString(d.state.windows.chords, k, text.toStdString());
        const auto* label = dynamic_cast<const ui::FittingLabel*>(d.Control(k));
        ASSERT_NE(label, nullptr) << k;
        const ui::FittedText fitted = label->Fitted();
        EXPECT_FALSE(fitted.elided) << text.toStdString();
        EXPECT_EQ(fitted.shown, text);
        EXPECT_GE(QFontInfo(fitted.font).pixelSize(), ui::kSmallestFontPx);
        EXPECT_LE(QFontMetrics(fitted.font).horizontalAdvance(text), label->contentsRect().width()) << text.toStdString();
        EXPECT_EQ(label->toolTip(), Q(ControlAt(k)->hint));
        std::cout << ControlAt(k)->name << ": " << text.toStdString() << " at " << QFontInfo(fitted.font).pixelSize()
                  << " px\n";
    }
}

// A sequence file can carry any notation; the lists any line.
TEST(ReadableDisplays, LongerTextsAreElidedInTheMiddleWithTheWholeTextAtHand) {
    Desktop d;
    const QString whole = QStringLiteral("Gb.maj7.sus2.sus4.add6(b5)/F from a file that says far more than fits");
    for (int32_t k : {kid::NotationDisplay, kid::IntervalsDisplay, kid::BasicNotesDisplay, kid::DistancesDisplay,
                      kid::TempoDisplay, kid::NotesMeasureDisplay, kid::ChordsList, kid::SolutionsList}) {
        const int32_t grid = d.state.windows.chords;
        if (k == kid::ChordsList || k == kid::SolutionsList) {
            d.toolkit.SetTextArray(grid, k, std::vector<std::string>{"C7", whole.toStdString()});
        }
        d.toolkit.SetTextString(grid, k, whole.toStdString());
        const QWidget* w = d.Control(k);
        ui::FittedText fitted;
        if (const auto* label = dynamic_cast<const ui::FittingLabel*>(w)) fitted = label->Fitted();
        if (const auto* list = dynamic_cast<const ui::FittingComboBox*>(w)) fitted = list->Fitted();
        const std::string name(ControlAt(k)->name);
        EXPECT_TRUE(fitted.elided) << name;
        EXPECT_EQ(QFontInfo(fitted.font).pixelSize(), ui::kSmallestFontPx) << name;
        EXPECT_TRUE(fitted.shown.startsWith(whole.left(2))) << name;
        EXPECT_TRUE(fitted.shown.endsWith(whole.right(2))) << name;
        EXPECT_TRUE(fitted.shown.contains(QChar(0x2026))) << name;
        EXPECT_TRUE(w->toolTip().endsWith(whole)) << name;
        EXPECT_TRUE(w->toolTip().startsWith(Q(ControlAt(k)->hint))) << name;
        EXPECT_EQ(w->accessibleDescription(), whole) << name;
    }
}

TEST(ReadableDisplays, TheKeyboardStatusLineShrinksOrElidesWithinItsWindow) {
    testing::KeyboardRig rig;
    rig.Start();
    auto* status = rig.Window().findChild<ui::FittingLabel*>(QStringLiteral("Status"));
    ASSERT_NE(status, nullptr);
    const int windowWidth = rig.Window().width();
    const QString longLine =
        QStringLiteral("MIDI in: Keys:Keys MIDI 1 20:0 is gone; MIDI out: Synth:Synth 1 24:0 reconnected; ").repeated(4);
    struct Case {
        QString text;
        bool elided;
    };
    for (const Case& c : {Case{QStringLiteral("Sound: FluidSynth"), false}, Case{longLine, true}}) {
        rig.Window().SetStatus(c.text);
        QCoreApplication::processEvents();
        EXPECT_EQ(rig.Window().width(), windowWidth);
        EXPECT_LE(status->geometry().right(), rig.Window().rect().right());
        const ui::FittedText fitted = status->Fitted();
        EXPECT_EQ(fitted.elided, c.elided) << c.text.toStdString();
        EXPECT_LE(QFontMetrics(fitted.font).horizontalAdvance(fitted.shown), status->contentsRect().width());
        EXPECT_EQ(status->toolTip(), c.elided ? c.text : QString());
        EXPECT_EQ(status->accessibleDescription(), c.elided ? c.text : QString());
    }
}

TEST(TabOrder, WalksThePanelsAsLaidOutWithOneStopPerRadioGroup) {
    Desktop d;
    QWidget& window = d.Window();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
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
    ASSERT_EQ(QApplication::focusWidget(), d.Control(kid::RC));
    std::vector<std::string> walked{"RC"};
    for (size_t i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked.push_back(QApplication::focusWidget()->objectName().toStdString());
    }
    EXPECT_EQ(walked, expected);

    // The stop of a radio group is its checked button.
    QTest::mouseClick(d.Control(kid::RG), Qt::LeftButton);
    QTest::mouseClick(d.Control(kid::Diminished), Qt::LeftButton);
    d.Control(kid::RG)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), d.Control(kid::Diminished));
}

}  // namespace
}  // namespace hq
