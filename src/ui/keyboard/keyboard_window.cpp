#include "ui/keyboard/keyboard_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QVBoxLayout>

#include <array>

#include "keyboard/gm_programs.h"
#include "ui/fit_text.h"
#include "ui/keyboard/naming_line.h"
#include "ui/keyboard/piano_widget.h"

namespace hq::kbd {
namespace {

const QString kNoPort = QStringLiteral("(none)");

struct AudioItem {
    const char* text;
    AudioChoice choice;
};
constexpr std::array<AudioItem, 4> kAudioItems{{
    {"Automatic", AudioChoice::Automatic},
    {"PulseAudio", AudioChoice::PulseAudio},
    {"ALSA", AudioChoice::Alsa},
    {"None", AudioChoice::None},
}};

QLabel* Caption(const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(text));
    label->setBuddy(buddy);
    return label;
}

QComboBox* List(const char* name, int32_t characters) {
    auto* list = new QComboBox;
    list->setObjectName(QString::fromLatin1(name));
    list->setAccessibleName(QString::fromLatin1(name));
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(characters);
    return list;
}

// In the order of NoteNaming.
constexpr std::array<const char*, 3> kNamingTexts{"None", "C only", "All"};

}  // namespace

KeyboardWindow::KeyboardWindow(KeyboardCore& core, Hooks hooks) : core_(core), hooks_(std::move(hooks)) {
    setWindowTitle(QStringLiteral("Keyboard"));
    setObjectName(QStringLiteral("Keyboard"));
    piano_ = new PianoWidget(core, this);
    naming_ = new NamingLine(this);
    core.SetHeldListener([this](const HeldKeys& held) { naming_->ShowHeld(held); });

    instrument_ = List("Instrument", 19);
    for (size_t i = 0; i < kGmPrograms.size(); ++i) {
        instrument_->addItem(QStringLiteral("%1 %2").arg(i + 1).arg(QString::fromLatin1(kGmPrograms[i].data(),
                                                                                        static_cast<qsizetype>(kGmPrograms[i].size()))));
    }
    instrument_->setCurrentIndex(core.Instrument());
    volume_ = new QSlider(Qt::Horizontal);
    volume_->setObjectName(QStringLiteral("Volume"));
    volume_->setAccessibleName(QStringLiteral("Volume"));
    volume_->setRange(0, 100);
    volume_->setValue(core.Volume());
    volume_->setFixedWidth(80);
    audio_ = List("AudioOutput", 8);
    for (const AudioItem& item : kAudioItems) audio_->addItem(QString::fromLatin1(item.text), static_cast<int>(item.choice));
    midiIn_ = List("MidiIn", 10);
    midiOut_ = List("MidiOut", 10);
    FillPorts(midiIn_, {}, {}, false);
    FillPorts(midiOut_, {}, {}, false);
    statusLabel_ = new ui::FittingLabel;
    statusLabel_->setObjectName(QStringLiteral("Status"));
    // The line takes the window's width; it never widens the window.
    statusLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto* choices = new QHBoxLayout;
    choices->setSpacing(6);
    choices->addWidget(Caption("&Instrument", instrument_));
    choices->addWidget(instrument_, 1);
    choices->addWidget(Caption("&Volume", volume_));
    choices->addWidget(volume_);
    choices->addWidget(Caption("&Audio", audio_));
    choices->addWidget(audio_);
    choices->addWidget(Caption("MIDI i&n", midiIn_));
    choices->addWidget(midiIn_, 1);
    choices->addWidget(Caption("MIDI &out", midiOut_));
    choices->addWidget(midiOut_, 1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 4);
    column->setSpacing(4);
    column->addWidget(naming_);
    column->addWidget(piano_, 0, Qt::AlignHCenter);
    column->addLayout(choices);
    column->addLayout(MakeComforts(core));
    column->addWidget(statusLabel_);
    column->setSizeConstraint(QLayout::SetFixedSize);

    connect(instrument_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && hooks_.instrument) hooks_.instrument(index);
    });
    connect(volume_, &QSlider::valueChanged, this, [this](int value) {
        if (hooks_.volume) hooks_.volume(value);
    });
    connect(audio_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && hooks_.audio) {
            hooks_.audio(static_cast<AudioChoice>(audio_->itemData(index).toInt()));
        }
    });
    const auto portHook = [this](QComboBox* list, const std::function<void(const std::string&)>* hook) {
        connect(list, &QComboBox::currentIndexChanged, this, [list, hook](int index) {
            if (index < 0 || !*hook) return;
            (*hook)(index == 0 ? std::string() : list->itemText(index).toStdString());
        });
    };
    portHook(midiIn_, &hooks_.midiIn);
    portHook(midiOut_, &hooks_.midiOut);
}

QLayout* KeyboardWindow::MakeComforts(KeyboardCore& core) {
    auto* playEachChord = new QCheckBox(QStringLiteral("Play each chord"));
    playEachChord->setObjectName(QStringLiteral("PlayEachChord"));
    playEachChord->setToolTip(QStringLiteral("Sound every chord you make, once"));
    auto* naming = List("NoteNames", 6);
    for (const char* text : kNamingTexts) naming->addItem(QString::fromLatin1(text));
    naming->setCurrentIndex(static_cast<int>(NoteNaming::COnly));
    auto* practice = new QPushButton(QStringLiteral("Practice"));
    practice->setObjectName(QStringLiteral("Practice"));
    practice->setToolTip(QStringLiteral("Train your ear: name the chords the program plays (Ctrl+P)"));
    connect(practice, &QPushButton::clicked, this, [this] {
        if (practice_) practice_();
    });
    auto* voiceLed = new QCheckBox(QStringLiteral("Voice-led sequence"));
    voiceLed->setObjectName(QStringLiteral("VoiceLed"));
    voiceLed->setToolTip(QStringLiteral("PLAY and SAVE of the chord list move each voice as little as possible"));
    auto* releaseAll = new QPushButton(QStringLiteral("Release all"));
    releaseAll->setObjectName(QStringLiteral("ReleaseAll"));
    releaseAll->setToolTip(QStringLiteral("Free every locked key (Esc)"));

    playEachBox_ = playEachChord;
    voiceLedBox_ = voiceLed;
    namingList_ = naming;
    connect(playEachChord, &QCheckBox::toggled, this, [this](bool on) {
        if (playEachChord_) playEachChord_(on);
        if (hooks_.options) hooks_.options();
    });
    connect(voiceLed, &QCheckBox::toggled, this, [this](bool on) {
        if (voiceLed_) voiceLed_(on);
        if (hooks_.options) hooks_.options();
    });
    connect(naming, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && static_cast<size_t>(index) < kNamingTexts.size()) {
            piano_->SetNaming(static_cast<NoteNaming>(index));
        }
        if (hooks_.options) hooks_.options();
    });
    connect(releaseAll, &QPushButton::clicked, this, [&core] { core.ReleaseUserKeys(); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [&core] { core.ReleaseUserKeys(); });

    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(playEachChord);
    row->addSpacing(12);
    row->addWidget(Caption("Note &names", naming));
    row->addWidget(naming);
    row->addSpacing(12);
    row->addWidget(voiceLed);
    row->addStretch(1);
    row->addWidget(practice);
    row->addWidget(releaseAll);
    return row;
}

KeyboardWindow::~KeyboardWindow() { core_.SetHeldListener({}); }

void KeyboardWindow::SetKeyNames(const KeyNames& names) { piano_->SetKeyNames(names); }

void KeyboardWindow::FillPorts(QComboBox* list, const std::vector<std::string>& names, const std::string& chosen,
                               bool available) {
    QStringList items{kNoPort};
    for (const std::string& n : names) items << QString::fromStdString(n);
    const QString wanted = QString::fromStdString(chosen);
    // A remembered port that is gone stays choosable.
    if (!chosen.empty() && !items.contains(wanted)) items << wanted;
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) shown << list->itemText(i);
    const QSignalBlocker quiet(list);
    if (shown != items) {
        list->clear();
        list->addItems(items);
    }
    list->setCurrentIndex(chosen.empty() ? 0 : static_cast<int>(items.indexOf(wanted)));
    list->setEnabled(available);
}

void KeyboardWindow::OfferJackAudio() {
    if (audio_->findData(static_cast<int>(AudioChoice::Jack)) >= 0) return;
    const QSignalBlocker quiet(audio_);
    audio_->insertItem(audio_->findData(static_cast<int>(AudioChoice::None)), QStringLiteral("JACK"),
                       static_cast<int>(AudioChoice::Jack));
}

void KeyboardWindow::SetMidiInPorts(const std::vector<std::string>& names, const std::string& chosen, bool available) {
    FillPorts(midiIn_, names, chosen, available);
}

void KeyboardWindow::SetMidiOutPorts(const std::vector<std::string>& names, const std::string& chosen,
                                     bool available) {
    FillPorts(midiOut_, names, chosen, available);
}

void KeyboardWindow::SetStatus(const QString& text) {
    if (text == status_) return;
    status_ = text;
    statusLabel_->SetWholeText(text);
}

void KeyboardWindow::ShowState() {
    piano_->Relayout();
    piano_->ShowChanges();
}

AudioChoice KeyboardWindow::ShowChoices(int32_t program0to127, int32_t percent, const std::string& audio) {
    const QSignalBlocker quietInstrument(instrument_);
    const QSignalBlocker quietVolume(volume_);
    const QSignalBlocker quietAudio(audio_);
    instrument_->setCurrentIndex(program0to127);
    volume_->setValue(percent);
    audio_->setCurrentIndex(std::max(0, audio_->findText(QString::fromStdString(audio))));
    return static_cast<AudioChoice>(audio_->currentData().toInt());
}

void KeyboardWindow::OnPlayEachChord(std::function<void(bool on)> hook) {
    playEachChord_ = std::move(hook);
    // The box may already show a remembered choice.
    if (playEachChord_) playEachChord_(playEachBox_->isChecked());
}

void KeyboardWindow::OnVoiceLed(std::function<void(bool on)> hook) {
    voiceLed_ = std::move(hook);
    if (voiceLed_) voiceLed_(voiceLedBox_->isChecked());
}

void KeyboardWindow::ShowOptions(bool playEachChord, int32_t naming0to2, bool voiceLed) {
    playEachBox_->setChecked(playEachChord);
    voiceLedBox_->setChecked(voiceLed);
    if (naming0to2 >= 0 && static_cast<size_t>(naming0to2) < kNamingTexts.size()) namingList_->setCurrentIndex(naming0to2);
}

bool KeyboardWindow::PlayEachChordOn() const { return playEachBox_->isChecked(); }

bool KeyboardWindow::VoiceLedOn() const { return voiceLedBox_->isChecked(); }

int32_t KeyboardWindow::Naming0to2() const { return namingList_->currentIndex(); }

std::string KeyboardWindow::AudioName() const { return audio_->currentText().toStdString(); }

void KeyboardWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (isVisible() && !isMinimized() && hooks_.moved) hooks_.moved();
}

void KeyboardWindow::closeEvent(QCloseEvent* event) {
    // The piano has no menu entry to bring it back, so closing it only
    // minimises it; no key it held keeps sounding.
    if (hooks_.closed) hooks_.closed();
    event->ignore();
    showMinimized();
}

}  // namespace hq::kbd
