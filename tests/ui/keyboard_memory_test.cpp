// The keyboard window remembers its choices in a file: set, closed and
// started again; damaged files; ports that are not there yet; places that
// are off today's screens.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSlider>
#include <QTemporaryDir>

#include <string>

#include "app/startup.h"
#include "tests/ui/keyboard_fixture.h"
#include "ui/desktop_comforts.h"
#include "ui/keyboard/keyboard_memory.h"
#include "ui/qt_toolkit.h"

namespace hq {
namespace {

using kbd::KeyboardSettings;
using testing::KeyboardRig;

const std::string kKeys = "Keys:Keys MIDI 1 20:0";
const std::string kSynth = "Synth:Synth 1 24:0";

template <typename W>
W* Find(const KeyboardRig& rig, const char* name) {
    return rig.Window().findChild<W*>(QString::fromLatin1(name));
}

void Choose(const KeyboardRig& rig, const char* list, const std::string& text) {
    auto* box = Find<QComboBox>(rig, list);
    box->setCurrentIndex(box->findText(QString::fromStdString(text)));
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(KeyboardMemory, ChoicesMadeInTheWindowComeBackAtTheNextStart) {
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("harmoniqua/keyboard.conf"));
    const QPoint moved(37, 21);
    {
        KeyboardRig rig;
        rig.in->present = {kKeys};
        rig.out->present = {kSynth};
        rig.keyboard->RememberIn(path);
        rig.Start();
        rig.keyboard->PollPorts();
        Find<QComboBox>(rig, "Instrument")->setCurrentIndex(40);
        Find<QSlider>(rig, "Volume")->setValue(75);
        Choose(rig, "AudioOutput", "ALSA");
        Choose(rig, "MidiIn", kKeys);
        Choose(rig, "MidiOut", kSynth);
        Choose(rig, "NoteNames", "All");
        Find<QCheckBox>(rig, "PlayEachChord")->click();
        Find<QCheckBox>(rig, "VoiceLed")->click();
        rig.Window().move(moved);
        QCoreApplication::processEvents();
        // Every choice but the place is written at once; the place once the
        // window is left alone, or when the keyboard goes.
        EXPECT_EQ(kbd::LoadKeyboardSettings(path).midiOut, kSynth);
    }
    const KeyboardSettings stored = kbd::LoadKeyboardSettings(path);
    ASSERT_TRUE(stored.position.has_value());
    EXPECT_EQ(QPoint(stored.position->x, stored.position->y), moved);

    KeyboardRig rig;
    rig.in->present = {kKeys};
    rig.out->present = {kSynth};
    rig.keyboard->RememberIn(path);
    ui::QtToolkit toolkit(QString{});
    SharedState state;
    Program program{state, toolkit, *rig.keyboard};
    ASSERT_TRUE(StartProgram(program));
    ui::WireComforts(toolkit, program, *rig.keyboard);
    QCoreApplication::processEvents();

    EXPECT_EQ(rig.keyboard->Core().Instrument(), 40);
    EXPECT_EQ(Find<QComboBox>(rig, "Instrument")->currentIndex(), 40);
    EXPECT_EQ(rig.keyboard->Core().Volume(), 75);
    EXPECT_EQ(Find<QSlider>(rig, "Volume")->value(), 75);
    EXPECT_EQ(Find<QComboBox>(rig, "AudioOutput")->currentText(), QStringLiteral("ALSA"));
    ASSERT_FALSE(rig.synth->audioChoices.empty());
    EXPECT_EQ(rig.synth->audioChoices.back(), kbd::AudioChoice::Alsa);
    EXPECT_EQ(rig.in->open, kKeys);
    EXPECT_EQ(rig.out->open, kSynth);
    EXPECT_EQ(Find<QComboBox>(rig, "MidiIn")->currentText().toStdString(), kKeys);
    EXPECT_EQ(rig.Window().pos(), moved);
    EXPECT_EQ(Find<QComboBox>(rig, "NoteNames")->currentText(), QStringLiteral("All"));
    EXPECT_TRUE(Find<QCheckBox>(rig, "PlayEachChord")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(rig, "VoiceLed")->isChecked());
    EXPECT_TRUE(state.sequencer.play.VoiceLed) << "the remembered choice reaches the sequencer";
    // The start-up parameters are the program's, whatever was remembered.
    const std::pair<int32_t, int32_t> startUp[] = {{6, 2}, {23, 0}, {25, 100}, {26, 64}, {33, 1}, {11, 60}, {10, 3}};
    for (const auto& [param, value] : startUp) EXPECT_EQ(rig.keyboard->KbdGetParam(param), value) << param;
}

TEST(KeyboardMemory, ADamagedFileGivesEachUnreadableValueItsDefault) {
    const struct {
        const char* name;
        QByteArray bytes;
        int32_t instrument;
        int32_t volume;
        std::string audio;
        std::string midiIn;
    } cases[] = {
        {"empty", "", 0, 40, "Automatic", ""},
        {"binary", QByteArray("\x00\xff[[[=\n\x01\x02]]\n=\n", 15), 0, 40, "Automatic", ""},
        {"out of range", "[General]\ninstrument=300\nvolume=55\n", 0, 55, "Automatic", ""},
        {"no section", "instrument=12\n", 12, 40, "Automatic", ""},
        {"foreign value", "[General]\nvolume=@Variant(\\0\\0\\0\\x7f\\0\\0)\naudio=ALSA\n", 0, 40, "ALSA", ""},
        {"unquoted comma", "[General]\nmidiIn=Keys, Port 1\n", 0, 40, "Automatic", "Keys, Port 1"},
        {"cut short", "[General]\ninstrument=5\nvol", 5, 40, "Automatic", ""},
    };
    for (const auto& c : cases) {
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("keyboard.conf"));
        WriteFile(path, c.bytes);
        const KeyboardSettings read = kbd::LoadKeyboardSettings(path);
        EXPECT_EQ(read.instrument0to127, c.instrument) << c.name;
        EXPECT_EQ(read.volumePercent, c.volume) << c.name;
        EXPECT_EQ(read.audioOutput, c.audio) << c.name;
        EXPECT_EQ(read.midiIn, c.midiIn) << c.name;

        // The window starts on it, and the next choice writes a sound file.
        KeyboardRig rig;
        rig.keyboard->RememberIn(path);
        rig.Start();
        EXPECT_TRUE(rig.Window().isVisible()) << c.name;
        EXPECT_EQ(Find<QSlider>(rig, "Volume")->value(), c.volume) << c.name;
        Find<QComboBox>(rig, "Instrument")->setCurrentIndex(9);
        EXPECT_EQ(kbd::LoadKeyboardSettings(path).instrument0to127, 9) << c.name;
    }
}

TEST(KeyboardMemory, AFileThatCannotBeReadOrWrittenLeavesTheDefaults) {
    const QTemporaryDir dir;
    const QString cases[] = {
        dir.path(),                                         // a folder
        dir.filePath(QStringLiteral("missing.conf")),       // not there
        QStringLiteral("/dev/null/harmoniqua/keyboard.conf"),  // under a device
        QString(),                                          // no home at all
    };
    for (const QString& path : cases) {
        EXPECT_EQ(kbd::LoadKeyboardSettings(path), KeyboardSettings{}) << path.toStdString();
        KeyboardRig rig;
        rig.keyboard->RememberIn(path);
        rig.Start();
        Find<QComboBox>(rig, "Instrument")->setCurrentIndex(3);
        EXPECT_EQ(rig.keyboard->Core().Instrument(), 3) << path.toStdString();
    }
    // A file that was missing is made by the first choice.
    EXPECT_EQ(kbd::LoadKeyboardSettings(dir.filePath(QStringLiteral("missing.conf"))).instrument0to127, 3);
}

TEST(KeyboardMemory, ARememberedPortThatIsNotThereIsWaitedForAndConnected) {
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keyboard.conf"));
    KeyboardSettings remembered;
    remembered.midiIn = kKeys;
    remembered.midiOut = kSynth;
    kbd::SaveKeyboardSettings(path, remembered);

    KeyboardRig rig;
    rig.keyboard->RememberIn(path);
    rig.Start();
    EXPECT_TRUE(rig.in->open.empty());
    EXPECT_EQ(Find<QComboBox>(rig, "MidiIn")->currentText().toStdString(), kKeys);
    // Plugged in later, under new client numbers.
    rig.in->present = {"Keys:Keys MIDI 1 28:0"};
    rig.out->present = {"Synth:Synth 1 32:0"};
    rig.keyboard->PollPorts();
    EXPECT_EQ(rig.in->open, "Keys:Keys MIDI 1 28:0");
    EXPECT_EQ(rig.out->open, "Synth:Synth 1 32:0");
    const KeyboardSettings stored = kbd::LoadKeyboardSettings(path);
    EXPECT_EQ(stored.midiIn, kKeys);
    EXPECT_EQ(stored.midiOut, kSynth);
}

TEST(KeyboardMemory, APlaceOffTodaysScreensGivesTheUsualPlace) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        QPoint place;
        bool kept;
    } cases[] = {
        {area.topLeft() + QPoint(10, 10), true},
        {QPoint(area.right() + 50, area.top() + 10), false},
        {QPoint(area.left() + 10, area.bottom() - 5), false},
        {QPoint(-5000, -5000), false},
    };
    for (const auto& c : cases) {
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("keyboard.conf"));
        KeyboardSettings remembered;
        remembered.position = kbd::WindowPoint{c.place.x(), c.place.y()};
        kbd::SaveKeyboardSettings(path, remembered);
        KeyboardRig usual;
        usual.Start();
        KeyboardRig rig;
        rig.keyboard->RememberIn(path);
        rig.Start();
        EXPECT_EQ(rig.Window().pos(), c.kept ? c.place : usual.Window().pos()) << c.place.x() << "," << c.place.y();
    }
}

}  // namespace
}  // namespace hq
