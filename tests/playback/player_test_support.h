#pragma once
// Reading what the note player did from the recording keyboard.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "headless/session.h"
#include "playback/placement.h"

namespace hq::testing {

struct PlayedNote {
    int64_t onMs;
    Placement note;
    int64_t lengthMs;  // -1: never switched off
};

/// Every note-on since the keyboard's log began, paired with the first later
/// unpaired note-off of the same pitch class and octave; a note-off without
/// its note-on fails the test.
inline std::vector<PlayedNote> PlayedNotes(const RecordingKeyboard& keyboard) {
    using K = RecordingKeyboard::CallKind;
    std::vector<PlayedNote> notes;
    for (const RecordingKeyboard::Call& call : keyboard.Calls()) {
        const Placement note{call.a, call.b};
        if (call.kind == K::NoteOn) notes.push_back({call.timeMs, note, -1});
        if (call.kind != K::NoteOff) continue;
        bool paired = false;
        for (PlayedNote& n : notes) {
            if (n.lengthMs < 0 && n.note == note) {
                n.lengthMs = call.timeMs - n.onMs;
                paired = true;
                break;
            }
        }
        EXPECT_TRUE(paired) << "note-off of " << note.pitchClass << "/" << note.octave << " at " << call.timeMs;
    }
    return notes;
}

/// Runs every timer left (after a stop only the note timers).
inline void RunToEnd(HeadlessSession& session) {
    while (const std::optional<int64_t> due = session.toolkit.NextDueMs()) session.toolkit.AdvanceTo(*due);
}

inline void Press(HeadlessSession& session, int32_t kidNumber) { session.Select(kidNumber, 0); }

}  // namespace hq::testing
