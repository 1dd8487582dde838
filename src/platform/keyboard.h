#pragma once
// The keyboard component: a piano panel that sounds notes and reports held
// keys. A note is a pitch class 0..11 (C..B) and an octave; the program plays
// octaves 1 to 7.

#include <cstdint>

namespace hq {

class Keyboard {
public:
    virtual ~Keyboard() = default;

    /// Runs once, before any window exists.
    virtual void Start() = 0;
    /// The key shows pressed and the note sounds until its matching note-off.
    virtual void KbdNoteOn(int32_t pitchClass, int32_t octave) = 0;
    virtual void KbdNoteOff(int32_t pitchClass, int32_t octave) = 0;
    /// Nonzero while the key is held or locked by the user.
    virtual int32_t KbdGetNote(int32_t pitchClass, int32_t octave) = 0;
    virtual void KbdAllNotesOff() = 0;
    /// Unknown parameter numbers read as 0.
    virtual int32_t KbdGetParam(int32_t param) = 0;
    virtual void KbdSetParam(int32_t param, int32_t value) = 0;
    /// The last call; every later call does nothing.
    virtual void KbdClose() = 0;
};

}  // namespace hq
