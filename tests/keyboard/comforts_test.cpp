// Note names on the keys, the synthesiser spared while no audio output is
// open, and library messages passed once; on the keyboard core's fakes.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "keyboard/key_labels.h"
#include "keyboard/keyboard_core.h"
#include "keyboard/library_messages.h"
#include "tests/keyboard/fakes.h"
#include "theory/key_names.h"

namespace hq::kbd {
namespace {

using testing::FakeMidiOut;
using testing::FakeSynth;

constexpr int32_t C3 = 48, C4 = 60, Cs4 = 61, E4 = 64, Fs4 = 66, Bb4 = 70;

TEST(KeyNames, FollowTheChordsSpellingElseFlats) {
    struct Case {
        const char* basicNotes;
        int32_t pitchClass;
        const char* name;
    };
    const Case cases[]{
        {"C,E,G,Bb", 10, "Bb"},      {"D,F#,A,C", 6, "F#"},  {"D,F#,A,C", 1, "Db"},
        {"Ab,C,Eb,Gb,/Bbb", 9, "Bbb"}, {"C,E,G#,//F#", 8, "G#"}, {"C,E,G#,//F#", 6, "F#"},
        {"B#,E", 0, "B#"},           {"Cb,Eb", 11, "Cb"},    {"", 3, "Eb"},
        {"H,C?,x", 0, "C"},          {"E,Fb", 4, "E"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyNamesFor(c.basicNotes)[static_cast<size_t>(c.pitchClass)], c.name)
            << c.basicNotes << " pitch class " << c.pitchClass;
    }
}

TEST(KeyLabels, NameCsOnlyOrEveryKeyInUse) {
    FakeSynth synth;
    FakeMidiOut out;
    KeyboardCore core(synth, out);
    core.Start();
    core.KbdNoteOn(10, 4);   // Bb4 sounds
    core.PointerPress(Fs4);  // F#4 held by the mouse
    const uint8_t midiOn[] = {0x90, static_cast<uint8_t>(Cs4), 90};
    core.MidiIn(midiOn);
    const KeyNames names = KeyNamesFor("D,F#,A,C#");
    struct Case {
        NoteNaming naming;
        int32_t key;
        const char* label;
    };
    const Case cases[]{
        {NoteNaming::None, C4, ""},    {NoteNaming::None, Bb4, ""},    {NoteNaming::COnly, C4, "C4"},
        {NoteNaming::COnly, C3, "C3"}, {NoteNaming::COnly, Bb4, ""},   {NoteNaming::COnly, E4, ""},
        {NoteNaming::All, C4, "C4"},   {NoteNaming::All, E4, ""},      {NoteNaming::All, Bb4, "Bb"},
        {NoteNaming::All, Fs4, "F#"},  {NoteNaming::All, Cs4, "C#"},   {NoteNaming::All, -1, ""},
        {NoteNaming::All, 128, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyLabel(core, c.key, c.naming, names), c.label)
            << "key " << c.key << " naming " << static_cast<int>(c.naming);
    }
}

// Without an audio output nothing renders the synthesiser's voices, so it
// must get no notes; the keys and the MIDI output still play them.
TEST(KeyboardCore, SynthGetsNoNotesWhileNoAudioOutputIsOpen) {
    struct Case {
        const char* name;
        std::function<void(KeyboardCore&)> play;
    };
    const uint8_t midiOn[] = {0x90, static_cast<uint8_t>(E4), 90};
    const uint8_t midiOff[] = {0x80, static_cast<uint8_t>(E4), 0};
    const std::vector<Case> cases{
        {"program notes", [](KeyboardCore& c) { c.KbdNoteOn(0, 4); c.KbdNoteOff(0, 4); }},
        {"a mouse press", [](KeyboardCore& c) { c.PointerPress(C4); c.PointerRelease(C4); }},
        {"a MIDI key", [&](KeyboardCore& c) { c.MidiIn(midiOn); c.MidiIn(midiOff); }},
        {"all notes off", [](KeyboardCore& c) { c.KbdNoteOn(0, 4); c.KbdAllNotesOff(); }},
    };
    for (const Case& c : cases) {
        FakeSynth synth;
        FakeMidiOut out;
        KeyboardCore core(synth, out);
        core.Start();
        core.SetSynthListening(false);
        c.play(core);
        EXPECT_EQ(synth.noteOns + synth.noteOffs, 0) << c.name;
        EXPECT_GE(out.sent.size(), 2U) << c.name;
    }
}

TEST(KeyboardCore, SynthKeepsItsStateWithoutAudioAndPlaysOnceItOpens) {
    FakeSynth synth;
    FakeMidiOut out;
    KeyboardCore core(synth, out);
    core.Start();
    core.SetSynthListening(false);
    core.KbdNoteOn(0, 4);
    core.SetInstrument(19);
    core.SetVolume(70);
    core.KbdSetParam(param::Pan, 20);
    EXPECT_EQ(synth.Last('p').a, 19);
    EXPECT_EQ(synth.Last('v').a, 70);
    EXPECT_EQ(synth.Last('c').b, 20);
    core.SetSynthListening(true);
    // The note struck before the output opened never reached the synth, so
    // its end does not either; the next one sounds.
    core.KbdNoteOff(0, 4);
    EXPECT_EQ(synth.noteOffs, 0);
    core.KbdNoteOn(4, 4);
    EXPECT_EQ(synth.noteOns, 1);
    EXPECT_TRUE(synth.sounding.contains({0, E4}));
}

TEST(LibraryMessages, ARepeatedWordingPassesOnce) {
    RepeatFilter filter;
    const std::vector<std::pair<std::string, bool>> lines{
        {"FluidSynth: Failed to allocate a synthesis process. (chan=0,key=60)", true},
        {"FluidSynth: Failed to allocate a synthesis process. (chan=0,key=64)", false},
        {"FluidSynth: Ringbuffer full, try increasing synth.polyphony!", true},
        {"FluidSynth: Failed to allocate a synthesis process. (chan=12,key=7)", false},
        {"FluidSynth: Ringbuffer full, try increasing synth.polyphony!", false},
        {"ALSA: cannot open device", true},
    };
    for (const auto& [line, first] : lines) EXPECT_EQ(filter.FirstTime(line), first) << line;
}

}  // namespace
}  // namespace hq::kbd
