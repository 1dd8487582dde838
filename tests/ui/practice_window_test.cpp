// The practice window through its controls: opening, answering by button,
// typed text and held keys, and a damaged statistics file.

#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>
#include <set>

#include "practice/stats_file.h"
#include "tests/ui/desktop_fixture.h"
#include "tests/ui/keyboard_fixture.h"
#include "ui/practice/answer_pad.h"
#include "ui/practice/practice_window.h"
#include "ui/practice/stats_chart.h"

namespace hq::testing {
namespace {

using practice::Level;

struct PracticeRig {
    PracticeRig() {
        setenv("XDG_DATA_HOME", data.path().toLocal8Bit().constData(), 1);
        window = ui::AttachPractice(desk.toolkit, desk.program, &rig.Window());
    }
    ~PracticeRig() { unsetenv("XDG_DATA_HOME"); }

    template <typename W>
    W* Find(const QString& name) const {
        return window->findChild<W*>(name);
    }
    QPushButton* Button(const char* name) const { return Find<QPushButton>(QString::fromLatin1(name)); }
    std::string Feedback() const { return Find<QLabel>(QStringLiteral("Feedback"))->text().toStdString(); }
    std::string Path() const { return data.path().toStdString() + "/harmoniqua/practice.json"; }
    void ChooseLevel(Level level) const {
        Find<QComboBox>(QStringLiteral("Level"))->setCurrentIndex(static_cast<int>(level));
    }
    practice::DayCount Session(const std::string& kind) const {
        const practice::PracticeStats& stats = window->Stats();
        const auto level = stats.levels.find(practice::LevelName(window->Item().level));
        if (level == stats.levels.end()) return {};
        const auto found = level->second.find(kind);
        return found == level->second.end() ? practice::DayCount{} : found->second.session;
    }

    QTemporaryDir data;
    Desktop desk;
    KeyboardRig rig{false};
    ui::PracticeWindow* window = nullptr;
};

// The item's notes, as the keyboard was told to sound them.
std::set<std::pair<int32_t, int32_t>> NotesOn(const RecordingKeyboard& keyboard) {
    std::set<std::pair<int32_t, int32_t>> on;
    for (const RecordingKeyboard::Call& call : keyboard.Calls()) {
        if (call.kind == RecordingKeyboard::CallKind::NoteOn) on.insert({call.a, call.b});
    }
    return on;
}

TEST(PracticeWindow, OpensByCtrlPAndByTheKeyboardsButtonAndPlaysTheItemAtOnce) {
    const struct {
        const char* name;
        std::function<void(PracticeRig&)> open;
    } cases[] = {
        {"Ctrl+P",
         [](PracticeRig& r) {
             r.desk.Window().show();
             r.desk.Window().activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(&r.desk.Window()));
             QTest::keyClick(&r.desk.Window(), Qt::Key_P, Qt::ControlModifier);
         }},
        {"Practice button", [](PracticeRig& r) { r.rig.Window().findChild<QPushButton*>(QStringLiteral("Practice"))->click(); }},
    };
    for (const auto& c : cases) {
        PracticeRig r;
        ASSERT_NE(r.window, nullptr);
        EXPECT_FALSE(r.window->isVisible()) << c.name;
        c.open(r);
        EXPECT_TRUE(r.window->isVisible()) << c.name;
        const practice::PracticeItem& item = r.window->Item();
        ASSERT_FALSE(item.notes.empty()) << c.name;
        std::set<std::pair<int32_t, int32_t>> expected;
        for (const int32_t n : item.notes) expected.insert({n % 12, n / 12 - 1});
        EXPECT_EQ(NotesOn(r.desk.keyboard), expected) << c.name << ": the chord held comes first, all at once";
        r.window->close();
        EXPECT_FALSE(r.window->isVisible()) << c.name;
        c.open(r);
        EXPECT_TRUE(r.window->isVisible()) << c.name << ": closing only hid it";
    }
}

enum class How { Button, Typed, Held };

// Gives the item's own answer, or another of the level's.
void Answer(PracticeRig& r, How how, bool right) {
    const practice::PracticeItem& item = r.window->Item();
    std::string kind = practice::ExpectedAnswer(item);
    if (!right) {
        for (const std::string& k : practice::LevelKinds(item.level)) {
            if (k != kind) {
                kind = k;
                break;
            }
        }
    }
    if (how == How::Button) {
        QPushButton* button = r.Find<QPushButton>(ui::AnswerButtonName(kind));
        ASSERT_NE(button, nullptr) << kind;
        QTest::mouseClick(button, Qt::LeftButton);
    } else if (how == How::Typed) {
        auto* field = r.Find<QLineEdit>(QStringLiteral("AnswerText"));
        QTest::keyClicks(field, QString::fromStdString(kind));
        QTest::keyClick(field, Qt::Key_Return);
    } else {
        // Held an octave up; a wrong one is two keys a semitone apart, no chord of any level.
        const int32_t bass = item.notes.front() + 12;
        const std::vector<int32_t> keys = right ? item.notes : std::vector<int32_t>{bass, bass + 1};
        for (const int32_t n : keys) r.desk.keyboard.Hold(n % 12, n / 12 - (right ? 0 : 1));
        r.Button("Answer")->click();
    }
}

TEST(PracticeWindow, EveryWayOfAnsweringIsGradedShownCountedAndSaved) {
    const How hows[] = {How::Button, How::Typed, How::Held};
    for (const Level level : practice::kLevels) {
        for (const How how : hows) {
            if (how == How::Held && level == Level::Progressions) continue;
            for (const bool right : {true, false}) {
                const std::string name = std::string(practice::LevelName(level)) + " by " +
                                         (how == How::Button ? "button" : how == How::Typed ? "typing" : "keys") +
                                         (right ? ", right" : ", wrong");
                PracticeRig r;
                r.window->Open();
                r.ChooseLevel(level);
                const std::string kind = practice::ExpectedAnswer(r.window->Item());
                ASSERT_EQ(r.window->Item().level, level) << name;
                Answer(r, how, right);
                const std::string feedback = r.Feedback();
                EXPECT_EQ(feedback.rfind(right ? "Right: " : "Wrong: it was ", 0), 0u) << name << ": " << feedback;
                EXPECT_NE(feedback.find(kind), std::string::npos) << name << ": the right name is shown";
                EXPECT_EQ(r.Session(kind), (practice::DayCount{right ? 1 : 0, 1})) << name;
                EXPECT_TRUE(r.Button("Compare")->isEnabled()) << name;
                EXPECT_EQ(practice::LoadPracticeStats(r.Path()).stats, r.window->Stats()) << name << ": saved whole";
                // One answer an item: a second one changes nothing until Next.
                Answer(r, How::Button, !right);
                EXPECT_EQ(r.Session(kind).asked, 1) << name;
                r.Button("Next")->click();
                EXPECT_TRUE(r.Feedback().empty()) << name;
            }
        }
    }
}

TEST(PracticeWindow, AnswersThatSayNothingAreNotCounted) {
    const struct {
        const char* name;
        std::function<void(PracticeRig&)> answer;
        const char* feedbackStart;
    } cases[] = {
        {"a typo",
         [](PracticeRig& r) {
             QTest::keyClicks(r.Find<QLineEdit>(QStringLiteral("AnswerText")), QStringLiteral("majer sevnth"));
             r.Button("Check")->click();
         },
         "“majer sevnth” names nothing this level asks"},
        {"no keys held", [](PracticeRig& r) { r.Button("Answer")->click(); }, "No keys are held"},
    };
    for (const auto& c : cases) {
        PracticeRig r;
        r.window->Open();
        c.answer(r);
        EXPECT_EQ(r.Feedback().rfind(c.feedbackStart, 0), 0u) << c.name << ": " << r.Feedback();
        EXPECT_TRUE(r.window->Stats().levels.empty()) << c.name;
        EXPECT_FALSE(QFile::exists(QString::fromStdString(r.Path()))) << c.name;
        Answer(r, How::Button, true);
        EXPECT_EQ(r.Feedback().rfind("Right: ", 0), 0u) << c.name << ": the item can still be answered";
    }
}

TEST(PracticeWindow, ADamagedStatisticsFileIsSetAsideAndPracticeGoesOn) {
    for (const char* damage : {"{\"levels\": ", "not json at all", "{\"levels\": {\"triads\": 7}}"}) {
        PracticeRig r;
        QDir().mkpath(r.data.path() + QStringLiteral("/harmoniqua"));
        QFile file(QString::fromStdString(r.Path()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(damage);
        file.close();
        r.window->Open();
        auto* message = r.Find<QLabel>(QStringLiteral("Message"));
        EXPECT_TRUE(message->isVisible()) << damage;
        EXPECT_NE(message->text().toStdString().find(r.Path() + ".bad"), std::string::npos) << damage;
        QFile aside(QString::fromStdString(r.Path() + ".bad"));
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly)) << damage;
        EXPECT_EQ(aside.readAll(), QByteArray(damage)) << damage << ": kept as it was";
        Answer(r, How::Button, true);
        const practice::StatsLoad again = practice::LoadPracticeStats(r.Path());
        EXPECT_TRUE(again.message.empty()) << damage;
        EXPECT_EQ(practice::CountsFor(again.stats, Level::Triads, {}, 0).allTime.asked, 1) << damage;
    }
}

TEST(PracticeWindow, ATestOfTenSaysWhetherItPassed) {
    for (const int32_t wrong : {1, 2}) {
        PracticeRig r;
        r.window->Open();
        r.Button("Test")->click();
        for (int32_t i = 0; i < ui::kTestItems; ++i) {
            Answer(r, How::Button, i >= wrong);
            if (i + 1 < ui::kTestItems) r.Button("Next")->click();
        }
        const bool passes = wrong == 1;
        const std::string expected = passes ? "Test passed: 9 of 10 right." : "Test not passed: 8 of 10 right";
        EXPECT_NE(r.Feedback().find(expected), std::string::npos) << r.Feedback();
    }
}

// Run at scale factor 2 as well (tests/ui/CMakeLists.txt).
TEST(PracticeWindow, EveryLevelShowsItsButtonsAndStatisticsWhole) {
    PracticeRig r;
    r.window->Open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(r.window));
    for (const Level level : practice::kLevels) {
        r.ChooseLevel(level);
        QCoreApplication::processEvents();
        const std::string name(practice::LevelName(level));
        int answerButtons = 0;
        for (const QPushButton* b : r.window->findChildren<QPushButton*>()) {
            if (!b->isVisible()) continue;
            if (b->objectName().startsWith(QStringLiteral("Answer: "))) ++answerButtons;
            EXPECT_GE(b->width(), b->fontMetrics().horizontalAdvance(b->text())) << name << ": " << b->text().toStdString();
            EXPECT_TRUE(r.window->rect().contains(b->geometry().translated(b->mapTo(r.window, QPoint()) - b->pos())))
                << name << ": " << b->text().toStdString();
        }
        EXPECT_EQ(static_cast<size_t>(answerButtons), practice::LevelKinds(level).size()) << name;
        const auto* chart = r.Find<ui::StatsChart>(QStringLiteral("StatisticsChart"));
        EXPECT_EQ(chart->Rows().size(), practice::LevelKinds(level).size()) << name;
        EXPECT_GE(r.Find<QWidget>(QStringLiteral("Statistics"))->width(), chart->sizeHint().width()) << name;
    }
}

}  // namespace
}  // namespace hq::testing
