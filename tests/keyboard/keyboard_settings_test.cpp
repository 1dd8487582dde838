// The keyboard window's remembered choices as text: what survives a write and
// a read, and what a damaged value turns into.

#include <gtest/gtest.h>

#include <string>

#include "keyboard/keyboard_core.h"
#include "keyboard/keyboard_settings.h"
#include "tests/keyboard/fakes.h"

namespace hq::kbd {
namespace {

// Every value valid and none at its default, so a damaged one shows alone.
const SettingsText kGood{{"instrument", "40"}, {"volume", "75"},     {"audio", "ALSA"},
                         {"midiIn", "Keys:Keys MIDI 1 20:0"},        {"midiOut", "Synth:Synth 1 24:0"},
                         {"x", "300"},          {"y", "-20"}};

KeyboardSettings Good() { return ReadKeyboardSettings(kGood); }

TEST(KeyboardSettings, ADamagedValueFallsBackToItsDefaultAndNoOther) {
    struct Case {
        const char* key;
        const char* stored;  // nullptr: missing
        void (*expect)(KeyboardSettings&);
    };
    const auto defaultInstrument = [](KeyboardSettings& s) { s.instrument0to127 = 0; };
    const auto defaultVolume = [](KeyboardSettings& s) { s.volumePercent = 40; };
    const auto noPosition = [](KeyboardSettings& s) { s.position.reset(); };
    const Case cases[] = {
        {"instrument", "128", defaultInstrument},
        {"instrument", "-1", defaultInstrument},
        {"instrument", "twelve", defaultInstrument},
        {"instrument", "12abc", defaultInstrument},
        {"instrument", " 12", defaultInstrument},
        {"instrument", "", defaultInstrument},
        {"instrument", "99999999999999999999", defaultInstrument},
        {"instrument", nullptr, defaultInstrument},
        {"instrument", "127", [](KeyboardSettings& s) { s.instrument0to127 = 127; }},
        {"volume", "101", defaultVolume},
        {"volume", "0", [](KeyboardSettings& s) { s.volumePercent = 0; }},
        {"volume", "4.5", defaultVolume},
        {"playEachChord", "1", [](KeyboardSettings& s) { s.playEachChord = 1; }},
        {"playEachChord", "2", [](KeyboardSettings& s) { s.playEachChord = 0; }},
        {"noteNames", "2", [](KeyboardSettings& s) { s.noteNames = 2; }},
        {"voiceLed", "1", [](KeyboardSettings& s) { s.voiceLed = 1; }},
        {"voiceLed", "-1", [](KeyboardSettings& s) { s.voiceLed = 0; }},
        {"noteNames", "3", [](KeyboardSettings& s) { s.noteNames = 1; }},
        {"noteNames", nullptr, [](KeyboardSettings& s) { s.noteNames = 1; }},
        {"audio", "", [](KeyboardSettings& s) { s.audioOutput = "Automatic"; }},
        {"audio", nullptr, [](KeyboardSettings& s) { s.audioOutput = "Automatic"; }},
        {"audio", "JACK", [](KeyboardSettings& s) { s.audioOutput = "JACK"; }},
        {"midiIn", "Keys\n[General]", [](KeyboardSettings& s) { s.midiIn.clear(); }},
        {"midiIn", nullptr, [](KeyboardSettings& s) { s.midiIn.clear(); }},
        {"midiOut", "ALSA: Synth, \"Port\" = 1 [x]", [](KeyboardSettings& s) { s.midiOut = "ALSA: Synth, \"Port\" = 1 [x]"; }},
        {"midiOut", "\x7f", [](KeyboardSettings& s) { s.midiOut.clear(); }},
        {"x", nullptr, noPosition},
        {"y", "north", noPosition},
        {"x", "100001", noPosition},
        {"y", "-100000", [](KeyboardSettings& s) { s.position->y = -100000; }},
    };
    for (const Case& c : cases) {
        SettingsText stored = kGood;
        if (c.stored == nullptr) {
            stored.erase(c.key);
        } else {
            stored[c.key] = c.stored;
        }
        KeyboardSettings expected = Good();
        c.expect(expected);
        EXPECT_EQ(ReadKeyboardSettings(stored), expected) << c.key << "=" << (c.stored ? c.stored : "(missing)");
    }
}

TEST(KeyboardSettings, WhatIsWrittenReadsBackTheSame) {
    KeyboardSettings unusual;
    unusual.instrument0to127 = 127;
    unusual.volumePercent = 0;
    unusual.audioOutput = "None";
    unusual.playEachChord = 1;
    unusual.noteNames = 0;
    unusual.voiceLed = 1;
    unusual.midiIn = "JACK: système:midi_capture_1";
    unusual.position = WindowPoint{-100000, 100000};
    const KeyboardSettings cases[] = {KeyboardSettings{}, Good(), unusual};
    for (const KeyboardSettings& settings : cases) {
        EXPECT_EQ(ReadKeyboardSettings(WriteKeyboardSettings(settings)), settings) << settings.midiIn;
    }
    EXPECT_EQ(ReadKeyboardSettings({}), KeyboardSettings{});
    EXPECT_EQ(WriteKeyboardSettings(KeyboardSettings{}).count("x"), 0U) << "no place remembered, none written";
}

TEST(KeyboardSettings, DefaultsAreWhatTheKeyboardStartsWith) {
    testing::FakeSynth synth;
    testing::FakeMidiOut out;
    const KeyboardCore core(synth, out);
    EXPECT_EQ(KeyboardSettings{}.instrument0to127, core.Instrument());
    EXPECT_EQ(KeyboardSettings{}.volumePercent, core.Volume());
}

TEST(KeyboardSettings, TheFileLivesUnderTheConfigFolder) {
    struct Case {
        const char* xdgConfigHome;
        const char* home;
        const char* path;
    };
    const Case cases[] = {
        {"/tmp/conf", "/home/ann", "/tmp/conf/harmoniqua/keyboard.conf"},
        {nullptr, "/home/ann", "/home/ann/.config/harmoniqua/keyboard.conf"},
        {"", "/home/ann", "/home/ann/.config/harmoniqua/keyboard.conf"},
        {"conf", "/home/ann", "/home/ann/.config/harmoniqua/keyboard.conf"},
        {nullptr, nullptr, ""},
        {nullptr, "relative", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyboardSettingsPath(c.xdgConfigHome, c.home), c.path)
            << (c.xdgConfigHome ? c.xdgConfigHome : "(unset)") << " " << (c.home ? c.home : "(unset)");
    }
}

}  // namespace
}  // namespace hq::kbd
