#include "ui/practice/practice_window.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QScrollBar>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "app/player_parts.h"
#include "practice/answer_names.h"
#include "practice/stats_file.h"
#include "theory/symbol.h"
#include "ui/practice/answer_pad.h"
#include "ui/practice/practice_sound.h"
#include "ui/practice/stats_chart.h"

namespace hq::ui {
namespace {

using practice::Level;

constexpr int kRowsShown = 10;
constexpr int kRowsAtLeast = 3;
// What a window manager's title bar and frame may take.
constexpr int kFrameRoom = 32;

// In the order of practice::kLevels.
constexpr std::array<const char*, practice::kLevels.size()> kLevelTitles{
    "Triads", "Triads and inversions", "Seventh chords", "Seventh chords and inversions", "Colour chords",
    "Progressions"};

// What may be typed, as the field shows it while empty; in the same order.
constexpr std::array<const char*, practice::kLevels.size()> kTypingExamples{
    "minor, dim, Ebm",   "minor, first inversion; Ebm/Gb", "m7b5, half-diminished, Ebm7",
    "m7, first inversion; Ebm7/Gb", "7#9, 6/9, Ebm9",                  "ii-V-I, I IV V I"};

QPushButton* Button(const char* text, const char* name, const char* hint, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(QString::fromUtf8(hint));
    button->setAutoDefault(false);
    return button;
}

QLabel* Line(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// Whether a typed answer says anything the grader can read: a typo is not an answer.
bool Readable(Level level, const std::string& text) {
    const std::string normalized = practice::NormalizeAnswer(text);
    if (level == Level::Progressions) return practice::ReadNumerals(normalized).has_value();
    if (practice::StartsWithRoot(normalized) && ReadChordSymbol(normalized).definition) return true;
    return practice::ReadChordName(normalized).has_value();
}

}  // namespace

PracticeWindow::PracticeWindow(Program& program, QWidget* parent)
    : QWidget(parent, Qt::Window), program_(program), random_(QRandomGenerator::global()->generate64()) {
    setObjectName(QStringLiteral("Practice"));
    setWindowTitle(QStringLiteral("Practice"));

    levelList_ = new QComboBox(this);
    levelList_->setObjectName(QStringLiteral("Level"));
    levelList_->setAccessibleName(QStringLiteral("Level"));
    for (const char* title : kLevelTitles) levelList_->addItem(QString::fromLatin1(title));
    auto* levelCaption = new QLabel(QStringLiteral("&Level"), this);
    levelCaption->setBuddy(levelList_);
    auto* test = Button("Test of 10", "Test", "Ten items in a row; 9 right pass", this);
    message_ = Line("Message", this);
    message_->setStyleSheet(QStringLiteral("QLabel { background: #FFF1C2; color: #4A3B00; padding: 4px; }"));
    message_->hide();
    question_ = Line("Question", this);
    QFont big = question_->font();
    big.setBold(true);
    question_->setFont(big);

    auto* again = Button("Again", "Again", "Play the chord again", this);
    auto* reference = Button("Reference", "Reference", "Play C major, or the key's tonic chord", this);
    next_ = Button("Next", "Next", "A new item", this);

    pad_ = new AnswerPad([this](const std::string& answer) { Take(practice::GradeAnswer(item_, answer), ChordsNamed(answer)); },
                         this);
    typed_ = new QLineEdit(this);
    typed_->setObjectName(QStringLiteral("AnswerText"));
    typed_->setAccessibleName(QStringLiteral("Typed answer"));
    typed_->setPlaceholderText(QString::fromLatin1(kTypingExamples[0]));
    typed_->setClearButtonEnabled(true);
    check_ = Button("Check", "Check", "Grade the typed name, symbol or numerals (Enter)", this);
    held_ = Button("Answer", "Answer", "Grade the chord held or locked on the piano or a MIDI keyboard", this);
    feedback_ = Line("Feedback", this);
    compare_ = Button("Compare", "Compare", "Play the right chord, then the one answered", this);
    summary_ = Line("Summary", this);
    chart_ = new StatsChart;
    auto* scroll = scroll_ = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("Statistics"));
    scroll->setWidget(chart_);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* top = new QHBoxLayout;
    top->addWidget(levelCaption);
    top->addWidget(levelList_, 1);
    top->addSpacing(12);
    top->addWidget(test);
    auto* listen = new QHBoxLayout;
    for (QPushButton* b : {again, reference, next_}) listen->addWidget(b);
    listen->addStretch(1);
    auto* answerBox = new QGroupBox(QStringLiteral("Your answer"), this);
    auto* typedRow = new QHBoxLayout;
    typedRow->addWidget(typed_, 1);
    typedRow->addWidget(check_);
    typedRow->addSpacing(12);
    typedRow->addWidget(held_);
    auto* answerColumn = new QVBoxLayout(answerBox);
    answerColumn->addWidget(pad_);
    answerColumn->addLayout(typedRow);
    auto* feedbackRow = new QHBoxLayout;
    feedbackRow->addWidget(feedback_, 1);
    feedbackRow->addWidget(compare_, 0, Qt::AlignTop);
    auto* statsBox = new QGroupBox(QStringLiteral("Statistics"), this);
    auto* statsColumn = new QVBoxLayout(statsBox);
    statsColumn->addWidget(summary_);
    statsColumn->addWidget(scroll, 1);

    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(message_);
    column->addWidget(question_);
    column->addLayout(listen);
    column->addWidget(answerBox);
    column->addLayout(feedbackRow);
    column->addWidget(statsBox, 1);

    connect(levelList_, &QComboBox::currentIndexChanged, this, &PracticeWindow::ChooseLevel);
    connect(test, &QPushButton::clicked, this, &PracticeWindow::StartTest);
    connect(again, &QPushButton::clicked, this, &PracticeWindow::PlayItem);
    connect(reference, &QPushButton::clicked, this, &PracticeWindow::PlayReference);
    connect(next_, &QPushButton::clicked, this, [this] {
        NextItem();
        // Ready for typing; after an answer the focus is on Next.
        typed_->setFocus();
    });
    connect(check_, &QPushButton::clicked, this, &PracticeWindow::AnswerTyped);
    connect(typed_, &QLineEdit::returnPressed, this, &PracticeWindow::AnswerTyped);
    connect(held_, &QPushButton::clicked, this, &PracticeWindow::AnswerHeld);
    connect(compare_, &QPushButton::clicked, this, &PracticeWindow::Compare);
    pad_->ShowLevel(level_);
    compare_->setEnabled(false);
}

void PracticeWindow::Open() {
    if (!loaded_) {
        loaded_ = true;
        LoadStats();
        NextItem();
        Place();
    }
    show();
    raise();
    activateWindow();
}

void PracticeWindow::Place() {
    const QWidget* main = parentWidget();
    const QRect beside = main != nullptr ? main->frameGeometry() : QRect();
    FitOnScreen(QPoint(beside.right() + 8, beside.top()));
}

void PracticeWindow::FitOnScreen(QPoint wanted) {
    const QScreen* here = screen();
    if (here == nullptr) return;
    // Room for up to kRowsShown rows of statistics, as far as the screen allows.
    const QRect area = here->availableGeometry();
    const int rows = static_cast<int>(chart_->Rows().size());
    const int more = chart_->HeightFor(std::min(rows, kRowsShown)) - scroll_->minimumHeight();
    const QSize least = minimumSizeHint();
    const QSize size(std::min(std::max(width(), least.width()), area.width()),
                     std::min(std::max(height(), least.height() + std::max(more, 0)), area.height() - kFrameRoom));
    resize(size);
    // Beside the main window where it fits, else as near as the screen allows.
    move(std::clamp(wanted.x(), area.left(), std::max(area.left(), area.right() - size.width())),
         std::clamp(wanted.y(), area.top(), std::max(area.top(), area.bottom() - size.height() - kFrameRoom)));
}

void PracticeWindow::LoadStats() {
    path_ = practice::PracticeStatsPath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    practice::StatsLoad load = practice::LoadPracticeStats(path_);
    stats_ = std::move(load.stats);
    canSave_ = load.canSave && !path_.empty();
    if (!load.message.empty()) {
        ShowMessage(QString::fromStdString(load.message));
    } else if (path_.empty()) {
        ShowMessage(QStringLiteral("There is no folder for the practice statistics, so they are kept only until the program ends."));
    }
}

void PracticeWindow::ShowMessage(const QString& text) {
    message_->setText(text);
    message_->setVisible(!text.isEmpty());
}

int32_t PracticeWindow::Today() const {
    const DateAndTime now = program_.toolkit.GetDateAndTime();
    return practice::DayNumber(now.year, now.month, now.day);
}

void PracticeWindow::ChooseLevel(int index) {
    if (index < 0 || static_cast<size_t>(index) >= practice::kLevels.size()) return;
    level_ = practice::kLevels[static_cast<size_t>(index)];
    testing_ = false;
    pad_->ShowLevel(level_);
    held_->setEnabled(level_ != Level::Progressions);
    typed_->setPlaceholderText(QString::fromLatin1(kTypingExamples[static_cast<size_t>(index)]));
    NextItem();
    if (isVisible()) FitOnScreen(pos());
}

void PracticeWindow::NextItem() {
    if (testing_ && testAsked_ >= kTestItems) testing_ = false;
    item_ = practice::NextItem(level_, practice::BoxesFor(stats_, level_), random_);
    answered_ = false;
    answeredChords_.clear();
    feedback_->clear();
    feedback_->setStyleSheet({});
    compare_->setEnabled(false);
    typed_->clear();
    SetAnswering(true);
    ShowQuestion();
    ShowStats();
    PlayItem();
}

void PracticeWindow::SetAnswering(bool on) {
    pad_->setEnabled(on);
    typed_->setEnabled(on);
    check_->setEnabled(on);
    held_->setEnabled(on && level_ != Level::Progressions);
}

void PracticeWindow::ShowQuestion() {
    const QString ask = level_ == Level::Progressions
                            ? QStringLiteral("Which progression is it? Answer in Roman numerals.")
                            : QStringLiteral("Which chord is it?");
    if (testing_) {
        question_->setText(QStringLiteral("Test, item %1 of %2: %3").arg(testAsked_ + (answered_ ? 0 : 1)).arg(kTestItems).arg(ask));
    } else {
        question_->setText(ask);
    }
}

void PracticeWindow::Play(std::vector<TimedNote> phrase) {
    // A phrase cut short leaves its sounding notes to end on their own timers.
    if (phraseTimer_ != 0) program_.toolkit.KillTimer(phraseTimer_);
    phraseTimer_ = PlayPhrase(PlayerPartsOf(program_), std::move(phrase));
}

void PracticeWindow::PlayItem() { Play(ItemPhrase(item_)); }

void PracticeWindow::PlayReference() { Play(ChordsInTurn({practice::ReferenceNotes(item_)})); }

void PracticeWindow::Compare() {
    std::vector<std::vector<int32_t>> chords = ItemChords(item_);
    if (!answeredChords_.empty()) {
        chords.emplace_back();  // a rest between the two
        chords.insert(chords.end(), answeredChords_.begin(), answeredChords_.end());
    }
    Play(ChordsInTurn(chords));
}

std::vector<std::vector<int32_t>> PracticeWindow::ChordsNamed(const std::string& given) const {
    if (level_ == Level::Progressions) {
        if (const std::optional<practice::PracticeItem> p = practice::ProgressionItem(given, item_.root)) return ItemChords(*p);
        return {};
    }
    const std::optional<practice::NamedChord> named = practice::ReadChordName(practice::NormalizeAnswer(given));
    if (!named) return {};
    const std::optional<practice::PracticeItem> chord = practice::ChordItem(level_, named->type, named->inversion, item_.root);
    return chord ? ItemChords(*chord) : std::vector<std::vector<int32_t>>{};
}

void PracticeWindow::AnswerTyped() {
    if (answered_ || !typed_->isEnabled()) return;
    const std::string text = typed_->text().trimmed().toStdString();
    if (text.empty()) return;
    if (!Readable(level_, text)) {
        feedback_->setStyleSheet({});
        feedback_->setText(QStringLiteral("“%1” names nothing this level asks. Type, for example: %2.")
                               .arg(typed_->text().trimmed(), typed_->placeholderText()));
        return;
    }
    const practice::Grade grade = practice::GradeAnswer(item_, text);
    Take(grade, ChordsNamed(grade.given));
}

void PracticeWindow::AnswerHeld() {
    if (answered_ || level_ == Level::Progressions) return;
    std::vector<int32_t> notes;
    for (int32_t key = 0; key < 128; ++key) {
        if (program_.keyboard.KbdGetNote(key % 12, key / 12 - 1) != 0) notes.push_back(key);
    }
    if (notes.empty()) {
        feedback_->setStyleSheet({});
        feedback_->setText(QStringLiteral("No keys are held: hold or lock the chord on the piano or a MIDI keyboard, then press Answer."));
        return;
    }
    Take(practice::GradePlayed(item_, notes), {notes});
}

void PracticeWindow::Take(const practice::Grade& grade, std::vector<std::vector<int32_t>> answered) {
    if (answered_) return;
    answered_ = true;
    answeredChords_ = std::move(answered);
    practice::RecordAnswer(stats_, item_, grade, Today());
    if (canSave_ && !practice::SavePracticeStats(path_, stats_)) {
        ShowMessage(QStringLiteral("The practice statistics could not be written to %1; practice goes on.")
                        .arg(QString::fromStdString(path_)));
    }
    const QString expected = QString::fromStdString(grade.expected);
    QString text;
    if (grade.right) {
        text = QStringLiteral("Right: %1.").arg(expected);
        feedback_->setStyleSheet(QStringLiteral("QLabel { color: #1E6B2C; font-weight: bold; }"));
    } else {
        const QString given = grade.given == practice::kOtherAnswer ? QStringLiteral("a chord outside this level")
                                                                      : QString::fromStdString(grade.given);
        text = QStringLiteral("Wrong: it was %1. You answered %2.").arg(expected, given);
        feedback_->setStyleSheet(QStringLiteral("QLabel { color: #A3261A; font-weight: bold; }"));
    }
    if (testing_) {
        ++testAsked_;
        if (grade.right) ++testRight_;
        if (testAsked_ >= kTestItems) {
            text += practice::PassesTest(testRight_, kTestItems)
                        ? QStringLiteral(" Test passed: %1 of %2 right.").arg(testRight_).arg(kTestItems)
                        : QStringLiteral(" Test not passed: %1 of %2 right, %3 % needed.")
                              .arg(testRight_)
                              .arg(kTestItems)
                              .arg(practice::kPassMarkPercent);
        }
    }
    feedback_->setText(text);
    compare_->setEnabled(true);
    SetAnswering(false);
    ShowQuestion();
    ShowStats();
    next_->setFocus();
}

void PracticeWindow::StartTest() {
    testing_ = true;
    testAsked_ = 0;
    testRight_ = 0;
    NextItem();
}

void PracticeWindow::ShowStats() {
    const int32_t today = Today();
    const practice::PeriodCounts all = practice::CountsFor(stats_, level_, {}, today);
    const auto share = [](const practice::DayCount& c) {
        return c.asked == 0 ? QStringLiteral("none yet") : QStringLiteral("%1 of %2 right").arg(c.right).arg(c.asked);
    };
    summary_->setText(QStringLiteral("The whole level: %1 this session, %2 in all.").arg(share(all.session), share(all.allTime)));
    chart_->SetRows(ChartRows(stats_, level_, today));
    // Wide enough for every column; a few rows at least, more where the window has room.
    const int rows = static_cast<int>(chart_->Rows().size());
    scroll_->setMinimumWidth(chart_->sizeHint().width() + scroll_->verticalScrollBar()->sizeHint().width());
    scroll_->setMinimumHeight(chart_->HeightFor(std::min(rows, kRowsAtLeast)));
}

}  // namespace hq::ui
