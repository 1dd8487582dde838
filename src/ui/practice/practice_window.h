#pragma once
// The practice window: a chord or progression is played, the learner names
// it with a button, a typed name or symbol, or the keys held on the piano,
// and sees at once whether it was right and how each item type has gone.

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

#include "app/program.h"
#include "playback/phrase_player.h"
#include "practice/grading.h"
#include "practice/items.h"
#include "practice/random.h"
#include "practice/stats.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace hq::kbd {
class KeyboardWindow;
}

namespace hq::ui {

class AnswerPad;
class QtToolkit;
class StatsChart;

/// Items in a test, and the share right it needs (see practice::PassesTest).
inline constexpr int32_t kTestItems = 10;

class PracticeWindow final : public QWidget {
public:
    /// A window of its own, closed by hiding; `parent` only owns it.
    PracticeWindow(Program& program, QWidget* parent);

    /// Shows and raises the window; the first time, reads the statistics
    /// and plays a first item.
    void Open();

    const practice::PracticeItem& Item() const { return item_; }
    const practice::PracticeStats& Stats() const { return stats_; }

private:
    void LoadStats();
    void ChooseLevel(int index);
    void NextItem();
    void PlayItem();
    void PlayReference();
    void Compare();
    void AnswerTyped();
    void AnswerHeld();
    void Take(const practice::Grade& grade, std::vector<std::vector<int32_t>> answered);
    void StartTest();
    void ShowQuestion();
    void ShowStats();
    void ShowMessage(const QString& text);
    void Place();
    void FitOnScreen(QPoint wanted);
    void Play(std::vector<TimedNote> phrase);
    void SetAnswering(bool on);
    int32_t Today() const;
    std::vector<std::vector<int32_t>> ChordsNamed(const std::string& given) const;

    Program& program_;
    practice::PracticeRandom random_;
    practice::PracticeStats stats_;
    practice::Level level_ = practice::Level::Triads;
    practice::PracticeItem item_;
    std::string path_;
    bool loaded_ = false;
    bool canSave_ = true;
    bool answered_ = false;
    std::vector<std::vector<int32_t>> answeredChords_;
    int32_t phraseTimer_ = 0;
    // A test under way: items answered and right; asked 0 when none.
    int32_t testAsked_ = 0;
    int32_t testRight_ = 0;
    bool testing_ = false;

    QComboBox* levelList_;
    QLabel* message_;
    QLabel* question_;
    AnswerPad* pad_;
    QLineEdit* typed_;
    QPushButton* check_;
    QPushButton* held_;
    QLabel* feedback_;
    QPushButton* compare_;
    QPushButton* next_;
    QLabel* summary_;
    StatsChart* chart_;
    QScrollArea* scroll_;
};

/// The practice window of the desktop program: Ctrl+P in the main window,
/// and "Practice" in the keyboard window's options when there is one.
PracticeWindow* AttachPractice(QtToolkit& toolkit, Program& program, kbd::KeyboardWindow* keyboardWindow);

}  // namespace hq::ui
