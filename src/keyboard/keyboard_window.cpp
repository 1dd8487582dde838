#include "keyboard/keyboard_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include <array>

#include "keyboard/gm_programs.h"
#include "keyboard/piano_widget.h"

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

}  // namespace

KeyboardWindow::KeyboardWindow(KeyboardCore& core, Hooks hooks) : hooks_(std::move(hooks)) {
    setWindowTitle(QStringLiteral("Keyboard"));
    setObjectName(QStringLiteral("Keyboard"));
    piano_ = new PianoWidget(core, this);

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
    statusLabel_ = new QLabel;
    statusLabel_->setObjectName(QStringLiteral("Status"));
    statusLabel_->setTextFormat(Qt::PlainText);

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
    column->addWidget(piano_, 0, Qt::AlignHCenter);
    column->addLayout(choices);
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
    statusLabel_->setToolTip(text);
    ShowStatus();
}

void KeyboardWindow::ShowStatus() {
    const int width = std::max(40, contentsRect().width() - 12);
    statusLabel_->setText(statusLabel_->fontMetrics().elidedText(status_, Qt::ElideRight, width));
}

void KeyboardWindow::ShowState() {
    piano_->Relayout();
    piano_->update();
}

void KeyboardWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ShowStatus();
}

void KeyboardWindow::closeEvent(QCloseEvent* event) {
    // The piano has no menu entry to bring it back, so closing it only
    // minimises it; no key it held keeps sounding.
    if (hooks_.closed) hooks_.closed();
    event->ignore();
    showMinimized();
}

}  // namespace hq::kbd
