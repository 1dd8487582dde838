#include "playback/phrase_player.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/player_parts.h"
#include "headless/session.h"
#include "playback/player_test_support.h"
#include "playback/step_timing.h"

namespace hq::testing {
namespace {

struct Heard {
    int64_t onMs;
    Placement note;
    int64_t lengthMs;
    bool operator==(const Heard&) const = default;
};

std::vector<Heard> Played(const RecordingKeyboard& keyboard, int64_t startMs) {
    std::vector<Heard> heard;
    for (const PlayedNote& n : PlayedNotes(keyboard)) heard.push_back({n.onMs - startMs, n.note, n.lengthMs});
    return heard;
}

TEST(PhrasePlayer, EveryNoteSoundsAtItsTickForItsLength) {
    const Placement c4 = PlacementOfMidi(60), e4 = PlacementOfMidi(64), g4 = PlacementOfMidi(67);
    const struct {
        const char* name;
        std::vector<TimedNote> phrase;
        std::vector<Heard> heard;
    } cases[] = {
        {"a chord held", {{c4, 0, 8}, {e4, 0, 8}}, {{0, c4, 880}, {0, e4, 880}}},
        {"then broken upwards",
         {{c4, 0, 2}, {c4, 3, 1}, {e4, 4, 1}, {g4, 5, 4}},
         {{0, c4, 220}, {330, c4, 110}, {440, e4, 110}, {550, g4, 440}}},
        {"a rest first, and a length of 0 lasts one tick", {{g4, 2, 0}}, {{220, g4, 110}}},
        {"notes out of order", {{e4, 3, 1}, {c4, 1, 1}}, {{110, c4, 110}, {330, e4, 110}}},
    };
    for (const auto& c : cases) {
        HeadlessSession session;
        session.keyboard.ClearCalls();
        const int64_t start = session.toolkit.NowMs();
        PlayPhrase(PlayerPartsOf(session.program), c.phrase);
        RunToEnd(session);
        EXPECT_EQ(Played(session.keyboard, start), c.heard) << c.name;
        EXPECT_TRUE(session.keyboard.Sounding().empty()) << c.name;
    }
}

TEST(PhrasePlayer, KillingItsTimerCutsThePhraseButEndsWhatSounds) {
    HeadlessSession session;
    session.keyboard.ClearCalls();
    const Placement c4 = PlacementOfMidi(60), e4 = PlacementOfMidi(64);
    const int32_t timer = PlayPhrase(PlayerPartsOf(session.program), {{c4, 0, 4}, {e4, 1, 4}, {c4, 6, 1}});
    ASSERT_NE(timer, 0);
    session.toolkit.AdvanceBy(kNoteTickMs);
    session.toolkit.KillTimer(timer);
    RunToEnd(session);
    EXPECT_EQ(Played(session.keyboard, 0).size(), 2u);
    EXPECT_TRUE(session.keyboard.Sounding().empty());
    EXPECT_EQ(PlayPhrase(PlayerPartsOf(session.program), {{e4, 0, 1}}), 0) << "nothing left to walk";
}

TEST(PhrasePlayer, MidiNotesAreThePianosPitchClassAndOctave) {
    const struct {
        int32_t midi;
        Placement placement;
    } cases[] = {{60, {0, 4}}, {48, {0, 3}}, {59, {11, 3}}, {84, {0, 6}}, {0, {0, -1}}, {127, {7, 9}}};
    for (const auto& c : cases) EXPECT_EQ(PlacementOfMidi(c.midi), c.placement) << c.midi;
}

}  // namespace
}  // namespace hq::testing
