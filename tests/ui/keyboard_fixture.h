#pragma once
// The keyboard component on Qt with a fake synthesiser and fake MIDI ports,
// played through its piano widget as a mouse would.

#include <QTest>

#include <memory>
#include <set>
#include <string>

#include "midi/rtmidi_ports.h"
#include "tests/keyboard/fakes.h"
#include "ui/keyboard/desktop_keyboard.h"
#include "ui/keyboard/keyboard_window.h"
#include "ui/keyboard/piano_widget.h"

namespace hq::testing {

struct KeyboardRig {
    explicit KeyboardRig(bool withMidi = true) {
        auto fakeSynth = std::make_unique<kbd::testing::FakeSynth>();
        synth = fakeSynth.get();
        kbd::MidiSystem midi;
        if (withMidi) {
            auto fakeIn = std::make_unique<kbd::testing::FakeInPort>();
            auto fakeOut = std::make_unique<kbd::testing::FakeOutPort>();
            auto fakeVirtual = std::make_unique<kbd::testing::FakeMidiOut>();
            in = fakeIn.get();
            out = fakeOut.get();
            virtualOut = fakeVirtual.get();
            midi.input = std::move(fakeIn);
            midi.output = std::move(fakeOut);
            midi.virtualOutput = std::move(fakeVirtual);
        } else {
            midi.problem = kbd::kNoMidiSystem;
        }
        keyboard = std::make_unique<kbd::DesktopKeyboard>(std::move(fakeSynth), std::move(midi));
    }

    /// Starts the component as the program does, and waits for its window.
    void Start() {
        keyboard->Start();
        QCoreApplication::processEvents();
        (void)QTest::qWaitForWindowExposed(&Window());
    }

    kbd::KeyboardWindow& Window() const { return keyboard->Window(); }
    kbd::PianoWidget& Piano() const { return Window().Piano(); }

    void Press(int32_t key) const { QTest::mousePress(&Piano(), Qt::LeftButton, {}, Piano().PointOn(key)); }
    void MoveTo(int32_t key) const { QTest::mouseMove(&Piano(), key < 0 ? QPoint(Piano().width() / 2, -30) : Piano().PointOn(key)); }
    void Release(int32_t key) const {
        QTest::mouseRelease(&Piano(), Qt::LeftButton, {}, key < 0 ? QPoint(Piano().width() / 2, -30) : Piano().PointOn(key));
    }
    /// Press, leave the key, let go: the key stays locked.
    void Lock(int32_t key) const {
        Press(key);
        MoveTo(-1);
        Release(-1);
    }

    int32_t Get(int32_t key) const { return keyboard->KbdGetNote(key % 12, key / 12 - 1); }
    std::set<int32_t> Held() const {
        std::set<int32_t> held;
        for (int32_t key = 24; key <= 107; ++key) {
            if (Get(key) != 0) held.insert(key);
        }
        return held;
    }
    /// The colour the piano shows the key in, where the mouse plays it.
    QColor ColourOf(int32_t key) const { return Piano().grab().toImage().pixelColor(Piano().PointOn(key)); }
    /// The colour near the key's far end, where a program note shows on a held key.
    QColor TopColourOf(int32_t key) const {
        return Piano().grab().toImage().pixelColor(Piano().PointOn(key).x(), 4);
    }
    std::string Status() const { return Window().Status().toStdString(); }

    kbd::testing::FakeSynth* synth = nullptr;
    kbd::testing::FakeInPort* in = nullptr;
    kbd::testing::FakeOutPort* out = nullptr;
    kbd::testing::FakeMidiOut* virtualOut = nullptr;
    std::unique_ptr<kbd::DesktopKeyboard> keyboard;
};

}  // namespace hq::testing
