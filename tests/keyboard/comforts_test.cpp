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

namespace hq::kbd {
namespace {

using testing::FakeMidiOut;
using testing::FakeSynth;

constexpr int32_t C3 = 48, C4 = 60, Cs4 = 61, E4 = 64, Fs4 = 66, Bb4 = 70;

ChordDefinition Chord(const char* root, int32_t pitch, int32_t accidental, int32_t chordClass, int32_t extension) {
    ChordDefinition d;
    d.RootLetter = root;
    d.RootLetterPitch = pitch;
    d.RootFlat = accidental < 0 ? 1 : 0;
    d.RootSharp = accidental > 0 ? 1 : 0;
    d.ChordClass = chordClass;
    d.Extension = extension;
    return d;
}

ChordDefinition WithBass(ChordDefinition d, const char* letter, int32_t pitch, int32_t accidental) {
    d.BassSelected = 1;
    d.BassLetter = letter;
    d.BassLetterPitch = pitch;
    d.BassFlat = accidental < 0 ? 1 : 0;
    d.BassSharp = accidental > 0 ? 1 : 0;
    return d;
}

ChordDefinition Altered(ChordDefinition d, int32_t ChordDefinition::*field, int32_t value) {
    d.*field = value;
    return d;
}

TEST(KeyNames, FollowTheChordsSpellingElseFlats) {
    using namespace chord_class;
    struct Case {
        ChordDefinition chord;
        int32_t pitchClass;
        const char* name;
    };
    const Case cases[]{
        {Chord("C", 0, 0, Major, 7), 10, "Bb"},
        {Chord("D", 2, 0, Major, 7), 6, "F#"},
        {Chord("D", 2, 0, Major, 7), 1, "Db"},
        {Chord("B", 11, 0, Major, 8), 10, "A#"},
        {Chord("F", 5, 1, Minor, 0), 1, "C#"},
        {Chord("F", 5, 1, Minor, 0), 8, "Ab"},
        {Chord("E", 4, 0, Major, 0), 8, "G#"},
        {WithBass(Chord("C", 0, 0, Augmented, 0), "/F", 5, 1), 6, "F#"},  // a foreign bass as the chord names it
        {Chord("B", 11, 1, Major, 0), 0, "B#"},
        {Chord("C", 0, -1, Minor, 0), 11, "Cb"},
        {Chord("E", 4, -1, Major, 0), 10, "Bb"},
        {Chord("G", 7, 0, Diminished, 7), 1, "Db"},
        {Chord("C", 0, 0, Major, 0), 3, "Eb"},
        // By the interval from the root, as the ranked names spell it.
        {Chord("A", 9, 0, Minor, 8), 8, "G#"},
        {Chord("G", 7, 0, Diminished, 7), 4, "Fb"},
        {Altered(Chord("E", 4, -1, Minor, 7), &ChordDefinition::FifthAlteration, -1), 9, "Bbb"},
        {Altered(Chord("C", 0, 0, Major, 7), &ChordDefinition::NinthAlteration, 1), 3, "D#"},
        {Altered(Chord("E", 4, 0, Major, 7), &ChordDefinition::NinthAlteration, 1), 7, "F##"},
    };
    for (const Case& c : cases) {
        const Composition composed = Compose(c.chord);
        EXPECT_EQ(KeyNamesOf(composed.definition, composed.chord)[static_cast<size_t>(c.pitchClass)], c.name)
            << composed.chord.BasicNotesText << " pitch class " << c.pitchClass;
    }
    EXPECT_EQ(FlatKeyNames()[6], "Gb");
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
    KeyNames names = FlatKeyNames();
    names[1] = "C#";
    names[6] = "F#";
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
