// The synthesiser's event gate: what passes at once, what waits for the
// soundfont or an instrument's samples, and the order it is replayed in.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sound/event_gate.h"
#include "tests/keyboard/fakes.h"

namespace hq::kbd {
namespace {

using testing::FakeSynth;
using Event = FakeSynth::Event;

struct Step {
    // n note-on, f note-off, c controller, p program, x release channel,
    // b bend, r bend range, v volume; L soundfont in, M none, W a worker
    // runs, T take and replay what waits.
    char op;
    int32_t channel = 0;
    int32_t a = 0;
    int32_t b = 0;
};

struct Case {
    const char* name;
    std::vector<Step> steps;
    std::vector<Event> now;       // what passed at once
    std::vector<Event> replayed;  // what waited, as replayed
    int32_t wakes = 0;
};

TEST(EventGate, PassesWaitsAndReplaysInOrder) {
    const std::vector<Case> cases{
        {"before the soundfont everything waits, the last value of each kind",
         {{'n', 0, 60, 100}, {'c', 0, 7, 90}, {'p', 0, 5}, {'b', 0, 9000}, {'r', 0, 2}, {'v', 0, 50}, {'v', 0, 150},
          {'L'}, {'T'}},
         {},
         {{'p', 0, 5, 0}, {'r', 0, 2, 0}, {'b', 0, 9000, 0}, {'c', 0, 7, 90}, {'n', 0, 60, 100}, {'v', 0, 100, 0}}},
        {"a note let go before the soundfont is never played nor ended",
         {{'n', 3, 60, 100}, {'f', 3, 60}, {'c', 3, 123, 0}, {'L'}, {'T'}},
         {},
         {{'p', 3, 0, 0}}},
        {"offline after the load, calls pass at once; a silent channel takes the first instrument",
         {{'L'}, {'T'}, {'n', 1, 64, 90}, {'f', 1, 64}, {'x', 1}, {'v', 0, 30}},
         {{'p', 1, 0, 0}, {'n', 1, 64, 90}, {'f', 1, 64, 0}, {'u', 1, 0, 0}, {'v', 0, 30, 0}},
         {}},
        {"with a worker an instrument waits for it, and so does what follows",
         {{'W'}, {'L'}, {'T'}, {'p', 2, 7}, {'n', 2, 60, 80}, {'T'}, {'p', 2, 8}, {'T'}, {'n', 2, 62, 80}},
         {{'n', 2, 62, 80}},
         {{'p', 2, 7, 0}, {'n', 2, 60, 80}, {'p', 2, 8, 0}},
         2},
        {"during a wait all-notes-off drops the notes struck in it and still ends older ones",
         {{'L'}, {'T'}, {'n', 0, 60, 100}, {'W'}, {'p', 0, 3}, {'n', 0, 62, 100}, {'f', 0, 60}, {'c', 0, 123, 0},
          {'T'}},
         {{'p', 0, 0, 0}, {'n', 0, 60, 100}},
         {{'p', 0, 3, 0}, {'c', 0, 123, 0}, {'f', 0, 60, 0}},
         1},
        {"without a soundfont only the volume reaches the synthesiser",
         {{'n', 0, 60, 100}, {'M'}, {'T'}, {'n', 0, 60, 100}, {'c', 0, 7, 1}, {'p', 0, 1}, {'b', 0, 1}, {'v', 0, 30}},
         {{'v', 0, 30, 0}},
         {}},
        {"values out of range are dropped",
         {{'L'}, {'T'}, {'n', 16, 60, 100}, {'n', 0, 128, 1}, {'n', 0, 60, 0}, {'c', 0, 128, 0}, {'b', 0, 16384},
          {'r', 0, 73}, {'p', -1, 0}, {'f', 0, -1}},
         {},
         {}},
    };
    for (const Case& c : cases) {
        FakeSynth now;
        FakeSynth replayed;
        EventGate gate(now);
        int32_t wakes = 0;
        for (const Step& s : c.steps) {
            switch (s.op) {
            case 'n': wakes += gate.NoteOn(s.channel, s.a, s.b) ? 1 : 0; break;
            case 'f': gate.NoteOff(s.channel, s.a); break;
            case 'c': gate.ControlChange(s.channel, s.a, s.b); break;
            case 'p': wakes += gate.SelectProgram(s.channel, s.a) ? 1 : 0; break;
            case 'x': wakes += gate.SelectProgram(s.channel, EventGate::kNoProgram) ? 1 : 0; break;
            case 'b': gate.PitchBend(s.channel, s.a); break;
            case 'r': gate.PitchBendRange(s.channel, s.a); break;
            case 'v': gate.SetVolume(s.a); break;
            case 'L': gate.FontLoaded(); break;
            case 'M': gate.FontMissing(); break;
            case 'W': gate.SetWorker(true); break;
            case 'T':
                while (const auto batch = gate.Take()) EventGate::Apply(*batch, replayed);
                break;
            }
        }
        EXPECT_EQ(now.events, c.now) << c.name;
        EXPECT_EQ(replayed.events, c.replayed) << c.name;
        EXPECT_EQ(wakes, c.wakes) << c.name;
        EXPECT_EQ(gate.Settled(), gate.FontState() != EventGate::Font::Waiting) << c.name;
    }
}

}  // namespace
}  // namespace hq::kbd
