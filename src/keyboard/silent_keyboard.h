#pragma once
// A keyboard component without sound or keys: every note is accepted and
// nothing is ever held.

#include "platform/keyboard.h"

namespace hq {

class SilentKeyboard final : public Keyboard {
public:
    void Start() override {}
    void KbdNoteOn(int32_t, int32_t) override {}
    void KbdNoteOff(int32_t, int32_t) override {}
    int32_t KbdGetNote(int32_t, int32_t) override { return 0; }
    void KbdAllNotesOff() override {}
    int32_t KbdGetParam(int32_t) override { return 0; }
    void KbdSetParam(int32_t, int32_t) override {}
    void KbdClose() override {}
};

}  // namespace hq
