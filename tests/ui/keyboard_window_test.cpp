// The keyboard window on Qt: the piano played with the mouse, the colours it
// shows, MIDI through fake ports, the choices, closing, and the real start-up
// on a machine with no sound card and no MIDI system.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPaintEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSlider>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "sound/fluid_synth.h"
#include "tests/ui/keyboard_fixture.h"

namespace hq {
namespace {

using testing::KeyboardRig;

constexpr int32_t C4 = 60, Cs4 = 61, D4 = 62, E4 = 64, G4 = 67, A4 = 69;
const QColor kProgram(74, 144, 217);
const QColor kUser(240, 140, 40);

// 'p' press, 'm' move (-1: off the piano), 'r' release.
struct Gesture {
    const char* name;
    std::vector<std::pair<char, int32_t>> steps;
    std::set<int32_t> held;
};

TEST(KeyboardWindow, MouseGesturesHoldLockAndFreeKeys) {
    const Gesture gestures[] = {
        {"press", {{'p', C4}}, {C4}},
        {"press and release", {{'p', C4}, {'r', C4}}, {}},
        {"lock", {{'p', C4}, {'m', -1}, {'r', -1}}, {C4}},
        {"unlock", {{'p', C4}, {'m', -1}, {'r', -1}, {'p', C4}, {'r', C4}}, {}},
        {"black key", {{'p', Cs4}, {'m', -1}, {'r', -1}}, {Cs4}},
        {"glide", {{'p', C4}, {'m', D4}, {'m', E4}, {'r', E4}}, {C4}},
        {"glide still down", {{'p', C4}, {'m', Cs4}, {'m', D4}}, {C4, D4}},
    };
    for (const Gesture& g : gestures) {
        KeyboardRig rig;
        rig.Start();
        for (const auto& [op, key] : g.steps) {
            if (op == 'p') rig.Press(key);
            if (op == 'm') rig.MoveTo(key);
            if (op == 'r') rig.Release(key);
        }
        EXPECT_EQ(rig.Held(), g.held) << g.name;
        for (int32_t key : {C4, Cs4, D4, E4}) {
            EXPECT_EQ(rig.ColourOf(key) == kUser, g.held.contains(key)) << g.name << " key " << key;
        }
    }
}

TEST(KeyboardWindow, ProgramNotesAndUserKeysShowInTheirOwnColours) {
    KeyboardRig rig;
    rig.Start();
    rig.keyboard->KbdNoteOn(0, 4);
    rig.Lock(E4);
    EXPECT_EQ(rig.ColourOf(C4), kProgram);
    EXPECT_EQ(rig.ColourOf(E4), kUser);
    EXPECT_EQ(rig.ColourOf(G4), QColor(Qt::white));
    EXPECT_EQ(rig.Get(C4), 0);
    rig.keyboard->KbdNoteOff(0, 4);
    EXPECT_EQ(rig.ColourOf(C4), QColor(Qt::white));
    // Held and played at once: both colours show.
    rig.keyboard->KbdNoteOn(4, 4);
    EXPECT_EQ(rig.ColourOf(E4), kUser);
    EXPECT_EQ(rig.TopColourOf(E4), kProgram);
    EXPECT_EQ(rig.TopColourOf(G4), QColor(Qt::white));
    rig.keyboard->KbdNoteOff(4, 4);
    EXPECT_EQ(rig.TopColourOf(E4), kUser);
    // Octaves 1 to 7 at least: 49 white keys.
    EXPECT_EQ(rig.Piano().Layout().LowKey(), 24);
    EXPECT_EQ(rig.Piano().Layout().HighKey(), 107);
    EXPECT_EQ(rig.Piano().width(), 49 * kbd::kWhiteKeyWidthPx + 1);
}

// Collects what a widget repaints.
class PaintWatch final : public QObject {
public:
    explicit PaintWatch(QWidget& widget) { widget.installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

TEST(KeyboardWindow, OnlyKeysThatChangeTheirLookAreRepainted) {
    using Step = std::function<void(KeyboardRig&)>;
    const auto on = [](int32_t key) { return Step([key](KeyboardRig& r) { r.keyboard->KbdNoteOn(key % 12, key / 12 - 1); }); };
    const auto off = [](int32_t key) { return Step([key](KeyboardRig& r) { r.keyboard->KbdNoteOff(key % 12, key / 12 - 1); }); };
    // A white key's repaint takes in the black keys over it; the points
    // tested are where each key is played, below the black keys.
    const struct {
        const char* name;
        std::vector<Step> before, change;
        std::set<int32_t> repainted, untouched;
    } cases[] = {
        {"a program note", {}, {on(C4)}, {C4}, {D4, E4, G4}},
        {"its note-off", {on(C4)}, {off(C4)}, {C4}, {D4, E4, G4}},
        {"a black key", {}, {on(Cs4)}, {Cs4}, {C4, D4, E4, G4}},
        {"a chord", {}, {on(C4), on(E4), on(G4)}, {C4, E4, G4}, {D4, A4}},
        {"a key locked with the mouse", {}, {[](KeyboardRig& r) { r.Lock(E4); }}, {E4}, {C4, D4, G4}},
        {"the program plays a held key", {[](KeyboardRig& r) { r.Lock(E4); }}, {on(E4)}, {E4}, {C4, D4, G4}},
        {"a key the program already plays, struck again", {on(C4)}, {on(C4)}, {}, {C4, Cs4, D4, E4, G4}},
        {"one of two program notes on a key ends", {on(C4), on(C4)}, {off(C4)}, {}, {C4, Cs4, D4, E4, G4}},
        {"a parameter that changes no key", {}, {[](KeyboardRig& r) { r.keyboard->KbdSetParam(25, 90); }}, {},
         {C4, Cs4, D4, E4, G4}},
    };
    for (const auto& c : cases) {
        KeyboardRig rig;
        rig.Start();
        for (const Step& step : c.before) step(rig);
        QCoreApplication::processEvents();
        PaintWatch watch(rig.Piano());
        for (const Step& step : c.change) step(rig);
        QCoreApplication::processEvents();
        for (int32_t key : c.repainted) {
            EXPECT_TRUE(watch.painted.contains(rig.Piano().PointOn(key))) << c.name << " key " << key;
        }
        for (int32_t key : c.untouched) {
            EXPECT_FALSE(watch.painted.contains(rig.Piano().PointOn(key))) << c.name << " key " << key;
        }
    }
}

TEST(KeyboardWindow, MidiInputThroughThePortHoldsKeys) {
    KeyboardRig rig;
    rig.in->present = {"Keys:Keys MIDI 1 20:0"};
    rig.Start();
    auto* list = rig.Window().findChild<QComboBox*>(QStringLiteral("MidiIn"));
    ASSERT_NE(list, nullptr);
    rig.keyboard->PollPorts();
    list->setCurrentIndex(list->findText(QStringLiteral("Keys:Keys MIDI 1 20:0")));
    ASSERT_EQ(rig.in->open, "Keys:Keys MIDI 1 20:0");

    const struct {
        std::vector<uint8_t> message;
        std::set<int32_t> held;
    } steps[] = {
        {{0x90, C4, 80}, {C4}},        {{0x90, E4, 80}, {C4, E4}}, {{0x80, C4, 0}, {E4}},
        {{0xB0, 64, 127}, {E4}},       {{0x90, E4, 0}, {E4}},      {{0x90, G4, 80}, {E4, G4}},
        {{0x80, G4, 0}, {E4, G4}},     {{0xB0, 64, 0}, {}},
    };
    for (const auto& s : steps) {
        rig.in->Play(s.message);
        QCoreApplication::processEvents();
        EXPECT_EQ(rig.Held(), s.held) << int(s.message[0]) << " " << int(s.message[1]);
    }
    // Sounded with its own velocity, shown in the user's colour.
    rig.in->Play({0x90, D4, 33});
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.synth->Last('n'), (kbd::testing::FakeSynth::Event{'n', 0, D4, 33}));
    EXPECT_EQ(rig.ColourOf(D4), kUser);

    // The device unplugged with a key down: the key comes up.
    rig.in->present.clear();
    rig.keyboard->PollPorts();
    EXPECT_TRUE(rig.Held().empty());
    EXPECT_NE(rig.Status().find("MIDI in: Keys:Keys MIDI 1 20:0 is gone"), std::string::npos) << rig.Status();
}

TEST(KeyboardWindow, MidiOutputPortIsSilencedWhenItGoesAndSetUpWhenItComesBack) {
    KeyboardRig rig;
    rig.out->present = {"Synth:Synth 1 24:0"};
    rig.Start();
    rig.keyboard->ChooseMidiOut("Synth:Synth 1 24:0");
    EXPECT_EQ(rig.Status().find("MIDI out: Synth:Synth 1 24:0") != std::string::npos, true) << rig.Status();
    rig.keyboard->KbdNoteOn(0, 4);
    EXPECT_EQ(rig.out->sent.back(), (std::vector<uint8_t>{0x90, 60, 100}));
    EXPECT_EQ(rig.virtualOut->sent.back(), (std::vector<uint8_t>{0x90, 60, 100}));

    rig.out->present.clear();
    rig.keyboard->PollPorts();
    EXPECT_EQ(rig.out->sent.back(), (std::vector<uint8_t>{0xB0, 123, 0}));
    EXPECT_NE(rig.Status().find("is gone"), std::string::npos) << rig.Status();

    rig.out->present = {"Synth:Synth 1 28:0"};
    rig.keyboard->PollPorts();
    EXPECT_EQ(rig.out->open, "Synth:Synth 1 28:0");
    EXPECT_EQ(rig.out->sent.back(), (std::vector<uint8_t>{0xB0, 10, 64}));
    EXPECT_NE(rig.Status().find("reconnected"), std::string::npos) << rig.Status();
}

TEST(KeyboardWindow, ChoicesReachTheSynthesiser) {
    KeyboardRig rig;
    rig.Start();
    auto* instrument = rig.Window().findChild<QComboBox*>(QStringLiteral("Instrument"));
    auto* volume = rig.Window().findChild<QSlider*>(QStringLiteral("Volume"));
    auto* audio = rig.Window().findChild<QComboBox*>(QStringLiteral("AudioOutput"));
    ASSERT_TRUE(instrument && volume && audio);
    EXPECT_EQ(instrument->count(), 128);
    EXPECT_EQ(instrument->currentText(), QStringLiteral("1 Acoustic Grand Piano"));

    instrument->setCurrentIndex(19);
    EXPECT_EQ(rig.synth->Last('p'), (kbd::testing::FakeSynth::Event{'p', 0, 19, 0}));
    EXPECT_EQ(rig.virtualOut->sent.back(), (std::vector<uint8_t>{0xC0, 19}));
    volume->setValue(75);
    EXPECT_EQ(rig.synth->Last('v'), (kbd::testing::FakeSynth::Event{'v', 0, 75, 0}));

    const struct {
        int index;
        kbd::AudioChoice choice;
        const char* status;
    } outputs[] = {{3, kbd::AudioChoice::None, "No audio output: turned off"},
                   {2, kbd::AudioChoice::Alsa, "Sound: fake"},
                   {1, kbd::AudioChoice::PulseAudio, "Sound: fake"}};
    for (const auto& o : outputs) {
        audio->setCurrentIndex(o.index);
        QCoreApplication::processEvents();
        EXPECT_EQ(rig.synth->audioChoices.back(), o.choice);
        EXPECT_TRUE(rig.Status().starts_with(o.status)) << rig.Status();
    }
}

// The status line says what holds now: a failed output's complaint stays
// until another output opens or sound is turned off.
TEST(KeyboardWindow, AnOldAudioFailureLeavesTheStatusOnceAnOutputOpens) {
    KeyboardRig rig;
    rig.synth->failures = {{kbd::AudioChoice::Alsa, "cannot open audio device hw:7"},
                           {kbd::AudioChoice::PulseAudio, "connection to the sound server refused"}};
    rig.Start();
    auto* audio = rig.Window().findChild<QComboBox*>(QStringLiteral("AudioOutput"));
    ASSERT_NE(audio, nullptr);
    const struct {
        int index;  // 1 PulseAudio, 2 ALSA, 3 none, 0 automatic
        const char* starts;
        const char* ends;  // "" when no library message may show
    } steps[] = {
        {2, "No audio output: cannot open audio device hw:7", "cannot open audio device hw:7"},
        {0, "Sound: fake", ""},
        {1, "No audio output: connection to the sound server refused", "connection to the sound server refused"},
        {3, "No audio output: turned off", ""},
        {1, "No audio output: connection to the sound server refused", ""},  // said once already
        {0, "Sound: fake", ""},
    };
    for (const auto& s : steps) {
        audio->setCurrentIndex(s.index);
        QCoreApplication::processEvents();
        const std::string status = rig.Status();
        ASSERT_TRUE(status.starts_with(s.starts)) << status;
        const std::string rest = status.substr(std::string_view(s.starts).size());
        if (*s.ends != '\0') {
            EXPECT_TRUE(rest.ends_with(s.ends)) << status;
        } else {
            EXPECT_EQ(rest.find("cannot open"), std::string::npos) << status;
            EXPECT_EQ(rest.find("refused"), std::string::npos) << status;
        }
    }
}

TEST(KeyboardWindow, WithoutAMidiSystemTheStatusSaysSoAndThePortsAreOff) {
    KeyboardRig rig(false);
    rig.Start();
    QCoreApplication::processEvents();
    EXPECT_NE(rig.Status().find("No MIDI system"), std::string::npos) << rig.Status();
    for (const char* name : {"MidiIn", "MidiOut"}) {
        EXPECT_FALSE(rig.Window().findChild<QComboBox*>(QString::fromLatin1(name))->isEnabled()) << name;
    }
    rig.keyboard->KbdNoteOn(0, 4);
    EXPECT_EQ(rig.synth->sounding.size(), 1U);
}

TEST(KeyboardWindow, CloseSilencesEverythingAndLaterCallsDoNothing) {
    KeyboardRig rig;
    rig.Start();
    rig.keyboard->KbdNoteOn(0, 4);
    rig.keyboard->KbdNoteOn(0, 4);
    rig.Lock(E4);
    rig.keyboard->KbdClose();
    EXPECT_TRUE(rig.synth->sounding.empty());
    EXPECT_EQ(rig.synth->noteOns, rig.synth->noteOffs);
    EXPECT_FALSE(rig.synth->running);
    EXPECT_EQ(rig.virtualOut->sent.back(), (std::vector<uint8_t>{0xB0, 123, 0}));
    const size_t events = rig.synth->events.size();
    rig.keyboard->KbdNoteOn(4, 4);
    rig.keyboard->KbdSetParam(23, 4);
    rig.keyboard->KbdAllNotesOff();
    rig.Press(G4);
    rig.Release(G4);
    rig.keyboard->PollPorts();
    rig.keyboard->KbdClose();
    EXPECT_EQ(rig.synth->events.size(), events);
    EXPECT_EQ(rig.keyboard->KbdGetNote(4, 4), 0);
    EXPECT_EQ(rig.keyboard->KbdGetParam(23), 0);
}

TEST(KeyboardWindow, ClosingTheWindowLetsGoOfTheUsersKeysAndMinimisesIt) {
    KeyboardRig rig;
    rig.Start();
    rig.Lock(C4);
    rig.Press(E4);
    rig.keyboard->KbdNoteOn(7, 4);
    EXPECT_FALSE(rig.Window().close());
    EXPECT_TRUE(rig.Window().isMinimized());
    EXPECT_TRUE(rig.Held().empty());
    EXPECT_EQ(rig.synth->sounding, (std::set<std::pair<int32_t, int32_t>>{{0, G4}}));
}

TEST(KeyboardWindow, OpensBesideTheMainWindowWithoutCoveringIt) {
    const QRect main(5, 434, 780, 302);
    const QSize size(900, 200);
    const struct {
        QRect screen;
        QPoint place;
        bool clear;
    } cases[] = {
        {{0, 0, 1280, 1024}, {5, 776}, true},  // below
        {{0, 0, 1920, 1080}, {5, 776}, true},
        {{0, 0, 1366, 768}, {5, 194}, true},  // above
        {{0, 30, 1920, 700}, {5, 194}, true},
        {{0, 200, 2560, 700}, {805, 434}, true},  // right of it
        {{0, 250, 1000, 400}, {5, 450}, false},   // no room anywhere: on the screen at least
        {{0, 0, 850, 600}, {0, 194}, true},       // narrower than the window
    };
    for (const auto& c : cases) {
        const QPoint p = kbd::KeyboardPlace(main, size, c.screen);
        EXPECT_EQ(p, c.place) << c.screen.width() << "x" << c.screen.height();
        const QRect placed(p, size);
        if (c.screen.width() >= size.width()) {
            EXPECT_TRUE(c.screen.contains(placed)) << c.screen.width();
        }
        EXPECT_EQ(!placed.intersects(main), c.clear) << c.screen.width() << "x" << c.screen.height();
    }

    KeyboardRig rig;
    rig.Start();
    EXPECT_EQ(rig.Window().windowTitle(), QStringLiteral("Keyboard"));
    EXPECT_EQ(rig.Window().pos(), kbd::KeyboardPlace(main, rig.Window().sizeHint(),
                                                      QGuiApplication::primaryScreen()->availableGeometry()));
}

// This machine has neither a sound card nor an ALSA sequencer; where one is
// there, this start-up is not the one to check.
TEST(KeyboardStartUp, WithNoAudioDeviceAndNoMidiSystemTheStatusSaysSo) {
    if (std::filesystem::exists("/dev/snd")) GTEST_SKIP() << "this machine has a sound card";
    const auto keyboard = kbd::MakeDesktopKeyboard(QCoreApplication::applicationDirPath().toStdString());
    keyboard->Start();
    const auto status = [&keyboard] { return keyboard->Window().Status().toStdString(); };
    EXPECT_TRUE(QTest::qWaitFor([&] { return status().find("loading") == std::string::npos &&
                                              status().find("starting") == std::string::npos; },
                                30000))
        << status();
    EXPECT_TRUE(status().starts_with("No audio output: no sound device answered (PulseAudio, ALSA)")) << status();
    EXPECT_NE(status().find("No MIDI system"), std::string::npos) << status();
    EXPECT_TRUE(keyboard->Window().isVisible());
    // It still shows what is played and what is held.
    keyboard->KbdNoteOn(0, 4);
    EXPECT_EQ(keyboard->Core().ProgramCount(60), 1);
    keyboard->KbdClose();
    EXPECT_EQ(keyboard->Core().ProgramCount(60), 0);
}

}  // namespace
}  // namespace hq

namespace hq {
namespace {

// Where a JACK server answered, JACK joins the audio outputs before "None".
TEST(KeyboardWindow, JackOfferedJoinsTheAudioOutputsOnce) {
    testing::KeyboardRig rig;
    rig.Start();
    auto* audio = rig.Window().findChild<QComboBox*>(QStringLiteral("AudioOutput"));
    ASSERT_NE(audio, nullptr);
    rig.Window().OfferJackAudio();
    rig.Window().OfferJackAudio();
    QStringList items;
    for (int i = 0; i < audio->count(); ++i) items << audio->itemText(i);
    EXPECT_EQ(items.join(QStringLiteral(",")), QStringLiteral("Automatic,PulseAudio,ALSA,JACK,None"));
    const struct {
        const char* text;
        kbd::AudioChoice choice;
    } cases[] = {{"JACK", kbd::AudioChoice::Jack}, {"None", kbd::AudioChoice::None}, {"ALSA", kbd::AudioChoice::Alsa}};
    for (const auto& c : cases) {
        audio->setCurrentIndex(audio->findText(QString::fromLatin1(c.text)));
        QCoreApplication::processEvents();
        EXPECT_EQ(rig.synth->audioChoices.back(), c.choice) << c.text;
    }
}

}  // namespace
}  // namespace hq
