// The keyboard's logic against a fake synthesiser and MIDI output: program
// notes, the mouse, MIDI input, the parameters and the closed state.

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <random>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "keyboard/keyboard_core.h"
#include "tests/keyboard/fakes.h"

namespace hq::kbd {
namespace {

using testing::FakeMidiOut;
using testing::FakeSynth;

constexpr int32_t C4 = 60, D4 = 62, E4 = 64, G4 = 67;

// One call on the core: 'o' KbdNoteOn(pc, octave), 'x' KbdNoteOff(pc, octave),
// 'a' KbdAllNotesOff, 'p' press, 'm' move, 'r' release (a key or -1),
// 'i' a MIDI-in message, 's' KbdSetParam.
struct Step {
    char op;
    std::vector<int32_t> args;
};

void Apply(KeyboardCore& core, const Step& s) {
    const auto arg = [&s](size_t i) { return i < s.args.size() ? s.args[i] : 0; };
    switch (s.op) {
    case 'o': core.KbdNoteOn(arg(0), arg(1)); break;
    case 'x': core.KbdNoteOff(arg(0), arg(1)); break;
    case 'a': core.KbdAllNotesOff(); break;
    case 'p': core.PointerPress(arg(0)); break;
    case 'm': core.PointerMove(arg(0)); break;
    case 'r': core.PointerRelease(arg(0)); break;
    case 's': core.KbdSetParam(arg(0), arg(1)); break;
    case 'i': {
        std::vector<uint8_t> bytes;
        for (int32_t b : s.args) bytes.push_back(static_cast<uint8_t>(b));
        core.MidiIn(bytes);
        break;
    }
    default: FAIL() << "unknown step " << s.op;
    }
}

struct Rig {
    FakeSynth synth;
    FakeMidiOut out;
    KeyboardCore core{synth, out};
    Rig() { core.Start(); }
    std::set<int32_t> Held() {
        std::set<int32_t> held;
        for (int32_t key = 0; key < 128; ++key) {
            if (core.KbdGetNote(key % 12, key / 12 - 1) != 0) held.insert(key);
        }
        return held;
    }
    std::set<int32_t> Locked() const {
        std::set<int32_t> locked;
        for (int32_t key = 0; key < 128; ++key) {
            if (core.UserHoldOf(key) == UserHold::Locked) locked.insert(key);
        }
        return locked;
    }
    std::set<int32_t> Sounding() const {
        std::set<int32_t> keys;
        for (const auto& [channel, key] : synth.sounding) keys.insert(key);
        return keys;
    }
};

TEST(KeyboardCore, MidiKeyIsTwelveTimesOctavePlusOnePlusPitchClass) {
    const struct {
        int32_t pitchClass, octave, key;
    } cases[] = {
        {0, 4, 60}, {9, 4, 69}, {0, 1, 24}, {11, 7, 107}, {0, -1, 0}, {7, 9, 127},
        {8, 9, -1}, {12, 4, -1}, {-1, 4, -1}, {0, 10, -1}, {0, -2, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(MidiKey(c.pitchClass, c.octave), c.key) << c.pitchClass << "/" << c.octave;
}

struct Script {
    const char* name;
    std::vector<Step> steps;
    std::set<int32_t> held;
    std::set<int32_t> locked;
    std::set<int32_t> sounding;
};

// Test names only: ctest shows the parameter.
void PrintTo(const Script& s, std::ostream* os) { *os << s.name; }

class KeyboardScript : public ::testing::TestWithParam<Script> {};

TEST_P(KeyboardScript, EndsWithTheseKeysHeldLockedAndSounding) {
    const Script& script = GetParam();
    Rig rig;
    for (const Step& s : script.steps) Apply(rig.core, s);
    EXPECT_EQ(rig.Held(), script.held);
    EXPECT_EQ(rig.Locked(), script.locked);
    EXPECT_EQ(rig.Sounding(), script.sounding);
    for (int32_t key = 0; key < 128; ++key) EXPECT_EQ(rig.core.Sounding(key), script.sounding.contains(key)) << key;
    // Every note-on the synthesiser got is ended by exactly one note-off,
    // or is one of those still sounding.
    EXPECT_EQ(rig.synth.noteOns - rig.synth.noteOffs, static_cast<int32_t>(script.sounding.size()));
}

const Script kScripts[] = {
    // Program notes.
    {"NoteOnSounds", {{'o', {0, 4}}}, {}, {}, {C4}},
    {"NoteOffEndsIt", {{'o', {0, 4}}, {'x', {0, 4}}}, {}, {}, {}},
    {"SecondNoteOnSurvivesFirstNoteOff", {{'o', {0, 4}}, {'o', {0, 4}}, {'x', {0, 4}}}, {}, {}, {C4}},
    {"LastNoteOffEndsARetriggeredKey", {{'o', {0, 4}}, {'o', {0, 4}}, {'x', {0, 4}}, {'x', {0, 4}}}, {}, {}, {}},
    {"UnpairedNoteOffIsIgnored", {{'x', {0, 4}}, {'o', {0, 4}}}, {}, {}, {C4}},
    {"AllNotesOffSilencesAChord", {{'o', {0, 4}}, {'o', {4, 4}}, {'o', {7, 4}}, {'o', {7, 4}}, {'a', {}}}, {}, {}, {}},
    {"NoteOffAfterAllNotesOffIsHarmless", {{'o', {0, 4}}, {'a', {}}, {'x', {0, 4}}, {'o', {4, 4}}}, {}, {}, {E4}},
    {"BadNotesAreIgnored", {{'o', {12, 4}}, {'o', {-1, 4}}, {'o', {8, 9}}, {'x', {12, 4}}}, {}, {}, {}},
    {"ProgramNotesAreNotHeldKeys", {{'o', {0, 4}}, {'o', {4, 4}}}, {}, {}, {C4, E4}},
    // The mouse.
    {"PressHoldsTheKey", {{'p', {C4}}}, {C4}, {}, {C4}},
    {"ReleaseOverTheKeyReleasesIt", {{'p', {C4}}, {'r', {C4}}}, {}, {}, {}},
    {"LeavingThePressedKeyLocksIt", {{'p', {C4}}, {'m', {-1}}, {'r', {-1}}}, {C4}, {C4}, {C4}},
    {"ClickOnALockedKeyFreesIt", {{'p', {C4}}, {'m', {-1}}, {'r', {-1}}, {'p', {C4}}, {'r', {C4}}}, {}, {}, {}},
    {"ThreeLockedKeys",
     {{'p', {C4}}, {'m', {-1}}, {'r', {-1}}, {'p', {E4}}, {'m', {-1}}, {'r', {-1}}, {'p', {G4}}, {'m', {-1}}, {'r', {-1}}},
     {C4, E4, G4}, {C4, E4, G4}, {C4, E4, G4}},
    {"GlideLocksTheFirstAndReleasesTheRest", {{'p', {C4}}, {'m', {D4}}, {'m', {E4}}, {'r', {E4}}}, {C4}, {C4}, {C4}},
    {"GlideHoldsTheKeyUnderThePointer", {{'p', {C4}}, {'m', {D4}}, {'m', {E4}}}, {C4, E4}, {C4}, {C4, E4}},
    {"GlideOffTheKeysReleasesTheLast", {{'p', {C4}}, {'m', {D4}}, {'m', {-1}}, {'r', {-1}}}, {C4}, {C4}, {C4}},
    {"GlideOverALockedKeyLeavesItLocked",
     {{'p', {E4}}, {'m', {-1}}, {'r', {-1}}, {'p', {C4}}, {'m', {D4}}, {'m', {E4}}, {'m', {G4}}, {'r', {G4}}},
     {C4, E4}, {C4, E4}, {C4, E4}},
    {"ReleaseWithoutMoveMovesFirst", {{'p', {C4}}, {'r', {E4}}}, {C4}, {C4}, {C4}},
    {"UnlockClickDoesNotGlide", {{'p', {C4}}, {'m', {-1}}, {'r', {-1}}, {'p', {C4}}, {'m', {D4}}, {'r', {D4}}}, {}, {}, {}},
    {"MovesWithoutAPressDoNothing", {{'m', {C4}}, {'r', {C4}}}, {}, {}, {}},
    {"UserKeyOutlivesTheProgramNote", {{'o', {0, 4}}, {'p', {C4}}, {'x', {0, 4}}}, {C4}, {}, {C4}},
    {"ProgramNoteOutlivesTheUserKey", {{'p', {C4}}, {'o', {0, 4}}, {'r', {C4}}}, {}, {}, {C4}},
    {"AllNotesOffKeepsLocksButSilencesThem", {{'p', {C4}}, {'m', {-1}}, {'r', {-1}}, {'a', {}}}, {C4}, {C4}, {}},
    // MIDI input.
    {"MidiNoteOnHolds", {{'i', {0x90, C4, 90}}}, {C4}, {}, {C4}},
    {"MidiNoteOffReleases", {{'i', {0x90, C4, 90}}, {'i', {0x80, C4, 0}}}, {}, {}, {}},
    {"MidiNoteOnVelocityZeroReleases", {{'i', {0x91, C4, 90}}, {'i', {0x91, C4, 0}}}, {}, {}, {}},
    {"SustainPedalKeepsReleasedKeysHeld",
     {{'i', {0xB0, 64, 127}}, {'i', {0x90, C4, 90}}, {'i', {0x90, E4, 90}}, {'i', {0x80, C4, 0}}, {'i', {0x80, E4, 0}}},
     {C4, E4}, {}, {C4, E4}},
    {"PedalUpReleasesWhatItKept",
     {{'i', {0xB0, 64, 127}}, {'i', {0x90, C4, 90}}, {'i', {0x80, C4, 0}}, {'i', {0x90, E4, 90}}, {'i', {0xB0, 64, 0}}},
     {E4}, {}, {E4}},
    {"PedalDownAfterTheReleaseKeepsNothing", {{'i', {0x90, C4, 90}}, {'i', {0x80, C4, 0}}, {'i', {0xB0, 64, 127}}}, {}, {}, {}},
    {"InstrumentPanicReleasesItsKeys",
     {{'i', {0xB0, 64, 127}}, {'i', {0x90, C4, 90}}, {'i', {0x90, E4, 90}}, {'i', {0x80, E4, 0}}, {'i', {0xB0, 123, 0}}},
     {}, {}, {}},
    {"DamagedMidiIsIgnored",
     {{'i', {}}, {'i', {0x90}}, {'i', {0x90, C4}}, {'i', {0x40, C4, 90}}, {'i', {0xF8}}, {'i', {0x80, E4, 0}}},
     {}, {}, {}},
    {"MidiDataBytesAreSevenBit", {{'i', {0x90, 0x80 | C4, 0xFF}}}, {C4}, {}, {C4}},
    // Parameters.
    {"SoundOffShowsButDoesNotSound", {{'s', {33, 0}}, {'o', {0, 4}}, {'p', {E4}}}, {E4}, {}, {}},
    {"SoundOffSilencesWhatSounds", {{'o', {0, 4}}, {'s', {33, 0}}}, {}, {}, {}},
};

INSTANTIATE_TEST_SUITE_P(Scripts, KeyboardScript, ::testing::ValuesIn(kScripts),
                         [](const ::testing::TestParamInfo<Script>& p) { return std::string(p.param.name); });

TEST(KeyboardCore, ProgramCountFollowsNoteOnsAndOffs) {
    Rig rig;
    const struct {
        char op;
        int32_t count;
    } steps[] = {{'o', 1}, {'o', 2}, {'o', 3}, {'x', 2}, {'x', 1}, {'o', 2}, {'x', 1}, {'x', 0}, {'x', 0}};
    for (const auto& s : steps) {
        Apply(rig.core, {s.op, {9, 4}});
        EXPECT_EQ(rig.core.ProgramCount(69), s.count);
        EXPECT_EQ(rig.core.Sounding(69), s.count > 0);
    }
}

// Long runs of every kind of input, mixed: at every step the synthesiser and
// the MIDI output have exactly the keys on that the core says sound, and a
// panic leaves nothing on.
TEST(KeyboardCore, NoteOnsAndNoteOffsBalanceOverLongMixedRuns) {
    for (uint32_t seed : {1U, 7U, 2024U}) {
        Rig rig;
        std::mt19937 random(seed);
        const auto pick = [&random](int32_t n) { return static_cast<int32_t>(random() % static_cast<uint32_t>(n)); };
        std::map<int32_t, int32_t> midiOn;
        for (int step = 0; step < 20000; ++step) {
            const int32_t key = 55 + pick(12);
            switch (pick(12)) {
            case 0: case 1: rig.core.KbdNoteOn(key % 12, key / 12 - 1); break;
            case 2: case 3: rig.core.KbdNoteOff(key % 12, key / 12 - 1); break;
            case 4: rig.core.PointerPress(key); break;
            case 5: rig.core.PointerMove(pick(3) == 0 ? -1 : key); break;
            case 6: rig.core.PointerRelease(pick(3) == 0 ? -1 : key); break;
            case 7: rig.core.MidiIn(std::vector<uint8_t>{0x90, static_cast<uint8_t>(key), 64}); break;
            case 8: rig.core.MidiIn(std::vector<uint8_t>{0x80, static_cast<uint8_t>(key), 0}); break;
            case 9: rig.core.MidiIn(std::vector<uint8_t>{0xB0, 64, static_cast<uint8_t>(pick(2) * 127)}); break;
            case 10: if (pick(50) == 0) rig.core.KbdAllNotesOff(); break;
            default: if (pick(50) == 0) rig.core.KbdSetParam(33, pick(2)); break;
            }
            std::set<int32_t> sent;
            for (int32_t k = 0; k < 128; ++k) {
                if (rig.core.Sounding(k)) sent.insert(k);
            }
            ASSERT_EQ(rig.Sounding(), sent) << "seed " << seed << " step " << step;
            ASSERT_EQ(rig.synth.noteOns - rig.synth.noteOffs, static_cast<int32_t>(sent.size()));
        }
        for (const auto& m : rig.out.sent) {
            if ((m[0] & 0xF0) == 0x90) ++midiOn[m[1]];
            if ((m[0] & 0xF0) == 0x80) --midiOn[m[1]];
        }
        for (const auto& [k, on] : midiOn) EXPECT_EQ(on, rig.core.Sounding(k) ? 1 : 0) << k;
        rig.core.KbdClose();
        EXPECT_TRUE(rig.synth.sounding.empty());
        EXPECT_EQ(rig.synth.noteOns, rig.synth.noteOffs);
    }
}

TEST(KeyboardCore, RestruckKeyIsLetGoFirst) {
    Rig rig;
    rig.core.KbdNoteOn(0, 4);
    rig.core.KbdNoteOn(0, 4);
    const std::vector<std::vector<uint8_t>> notes(rig.out.sent.end() - 3, rig.out.sent.end());
    EXPECT_EQ(notes, (std::vector<std::vector<uint8_t>>{{0x90, 60, 100}, {0x80, 60, 0}, {0x90, 60, 100}}));
}

TEST(KeyboardCore, ParametersReadBackWhatTheyTook) {
    const struct {
        int32_t param, value, reads;
    } cases[] = {
        // The start-up values.
        {6, 2, 2}, {23, 0, 0}, {25, 100, 100}, {26, 64, 64}, {33, 1, 1}, {11, 60, 60}, {10, 3, 3},
        // Others in range.
        {6, 12, 12}, {23, 15, 15}, {25, 1, 1}, {26, 0, 0}, {26, 127, 127}, {33, 0, 0}, {11, 0, 0}, {10, 10, 10},
        // Out of range: ignored.
        {6, 25, 2}, {6, -1, 2}, {23, 16, 0}, {23, -1, 0}, {25, 0, 100}, {25, 128, 100}, {26, 128, 64},
        {33, 2, 1}, {33, -1, 1}, {11, 128, 60}, {10, 11, 3}, {10, -1, 3},
        // Unknown numbers: ignored, read as 0.
        {0, 5, 0}, {7, 1, 0}, {24, 9, 0}, {-1, 9, 0}, {1000, 1, 0},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.core.KbdSetParam(c.param, c.value);
        EXPECT_EQ(rig.core.KbdGetParam(c.param), c.reads) << c.param << "=" << c.value;
    }
}

TEST(KeyboardCore, ParametersDoWhatTheySay) {
    Rig rig;
    rig.core.KbdSetParam(25, 77);
    rig.core.KbdNoteOn(0, 4);
    EXPECT_EQ(rig.synth.Last('n'), (FakeSynth::Event{'n', 0, 60, 77}));
    EXPECT_EQ(rig.out.sent.back(), (std::vector<uint8_t>{0x90, 60, 77}));

    rig.core.KbdSetParam(26, 20);
    EXPECT_EQ(rig.synth.Last('c'), (FakeSynth::Event{'c', 0, 10, 20}));
    EXPECT_EQ(rig.out.sent.back(), (std::vector<uint8_t>{0xB0, 10, 20}));

    rig.core.KbdSetParam(6, 12);
    EXPECT_EQ(rig.synth.Last('r'), (FakeSynth::Event{'r', 0, 12, 0}));
    // The wheel of a MIDI keyboard bends within that range, on our channel.
    rig.core.MidiIn(std::vector<uint8_t>{0xE3, 0x01, 0x50});
    EXPECT_EQ(rig.synth.Last('b'), (FakeSynth::Event{'b', 0, (0x50 << 7) | 1, 0}));
    EXPECT_EQ(rig.out.sent.back(), (std::vector<uint8_t>{0xE0, 0x01, 0x50}));

    // A new channel: what sounded on the old one ends there, and the
    // instrument and pan follow to the new one.
    rig.core.KbdSetParam(23, 5);
    EXPECT_TRUE(rig.synth.sounding.empty());
    // The old channel plays nothing now: its instrument may leave memory.
    EXPECT_EQ(rig.synth.Last('u'), (FakeSynth::Event{'u', 0, 0, 0}));
    EXPECT_EQ(rig.synth.Last('p'), (FakeSynth::Event{'p', 5, 0, 0}));
    EXPECT_EQ(rig.synth.Last('c'), (FakeSynth::Event{'c', 5, 10, 20}));
    rig.core.KbdNoteOn(4, 4);
    EXPECT_EQ(rig.synth.Last('n'), (FakeSynth::Event{'n', 5, 64, 77}));
    EXPECT_EQ(rig.out.sent.back(), (std::vector<uint8_t>{0x95, 64, 77}));
}

TEST(KeyboardCore, DrawnRangeFollowsCentreAndOctaves) {
    const struct {
        int32_t centre, octaves, lowest, highest;
    } cases[] = {
        {60, 3, 24, 107},  // octaves 1 to 7, the start-up range
        {60, 4, 12, 119},  {60, 5, 0, 127}, {60, 10, 0, 127}, {67, 3, 24, 107},
        {60, 0, 24, 107},  // never less than C1..B7
        {24, 2, 0, 107},   {120, 1, 24, 127},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.core.KbdSetParam(11, c.centre);
        rig.core.KbdSetParam(10, c.octaves);
        EXPECT_EQ(rig.core.LowestKey(), c.lowest) << c.centre << "±" << c.octaves;
        EXPECT_EQ(rig.core.HighestKey(), c.highest) << c.centre << "±" << c.octaves;
    }
}

TEST(KeyboardCore, AllNotesOffEndsEveryNoteThenSendsAllNotesOff) {
    Rig rig;
    rig.core.KbdNoteOn(0, 4);
    rig.core.KbdNoteOn(7, 4);
    rig.out.sent.clear();
    rig.core.KbdAllNotesOff();
    EXPECT_EQ(rig.out.sent, (std::vector<std::vector<uint8_t>>{{0x80, 60, 0}, {0x80, 67, 0}, {0xB0, 123, 0}}));
    EXPECT_EQ(rig.synth.Last('c'), (FakeSynth::Event{'c', 0, 123, 0}));
    EXPECT_EQ(rig.core.ProgramCount(60), 0);
}

TEST(KeyboardCore, EveryCallAfterCloseDoesNothing) {
    Rig rig;
    rig.core.KbdNoteOn(0, 4);
    rig.core.PointerPress(64);
    rig.core.KbdClose();
    EXPECT_TRUE(rig.synth.sounding.empty());
    EXPECT_EQ(rig.out.sent.back(), (std::vector<uint8_t>{0xB0, 123, 0}));
    const size_t events = rig.synth.events.size();
    const size_t sent = rig.out.sent.size();

    const std::vector<Step> later{{'o', {0, 4}}, {'x', {0, 4}}, {'a', {}}, {'s', {23, 3}}, {'s', {33, 0}},
                                  {'p', {C4}},   {'m', {D4}},   {'r', {D4}}, {'i', {0x90, C4, 90}}};
    for (const Step& s : later) Apply(rig.core, s);
    rig.core.SetInstrument(5);
    rig.core.SetVolume(10);
    rig.core.ReleaseUserKeys();
    rig.core.KbdClose();
    EXPECT_EQ(rig.synth.events.size(), events);
    EXPECT_EQ(rig.out.sent.size(), sent);
    EXPECT_TRUE(rig.Held().empty());
    EXPECT_EQ(rig.core.KbdGetParam(25), 0);
    EXPECT_EQ(rig.core.ProgramCount(60), 0);
}

TEST(KeyboardCore, PortAboutToCloseHearsTheNoteOffs) {
    Rig rig;
    rig.core.KbdNoteOn(0, 4);
    rig.core.PointerPress(E4);
    FakeMidiOut leaving;
    rig.core.SilenceOn(leaving);
    EXPECT_EQ(leaving.sent, (std::vector<std::vector<uint8_t>>{{0x80, 60, 0}, {0x80, 64, 0}, {0xB0, 123, 0}}));
    FakeMidiOut arriving;
    rig.core.SetInstrument(19);
    rig.core.SetUpOn(arriving);
    EXPECT_EQ(arriving.sent, (std::vector<std::vector<uint8_t>>{{0xC0, 19}, {0xB0, 10, 64}}));
}

TEST(KeyboardCore, ClosingTheWindowReleasesTheUsersKeys) {
    Rig rig;
    for (int32_t key : {C4, E4}) {
        rig.core.PointerPress(key);
        rig.core.PointerMove(-1);
        rig.core.PointerRelease(-1);
    }
    rig.core.PointerPress(G4);
    rig.core.KbdNoteOn(2, 4);
    rig.core.ReleaseUserKeys();
    EXPECT_TRUE(rig.Held().empty());
    EXPECT_EQ(rig.Sounding(), (std::set<int32_t>{D4}));
}

}  // namespace
}  // namespace hq::kbd
