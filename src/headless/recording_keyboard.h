#pragma once
// A keyboard component without sound: it logs every call with the time it
// was made and lets a caller hold keys as a player would.

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "platform/keyboard.h"

namespace hq {

class RecordingKeyboard final : public Keyboard {
public:
    enum class CallKind : uint8_t { Start, NoteOn, NoteOff, GetNote, AllNotesOff, GetParam, SetParam, Close };

    /// `a`, `b`: pitch class and octave, or parameter and value (for
    /// GetParam, the value it answered).
    struct Call {
        int64_t timeMs;
        CallKind kind;
        int32_t a = 0;
        int32_t b = 0;
        bool afterClose = false;
        bool operator==(const Call&) const = default;
    };

    /// `clockMs` stamps each call; without it every call is at 0 ms.
    explicit RecordingKeyboard(std::function<int64_t()> clockMs = {});

    void Start() override;
    void KbdNoteOn(int32_t pitchClass, int32_t octave) override;
    void KbdNoteOff(int32_t pitchClass, int32_t octave) override;
    int32_t KbdGetNote(int32_t pitchClass, int32_t octave) override;
    void KbdAllNotesOff() override;
    int32_t KbdGetParam(int32_t param) override;
    void KbdSetParam(int32_t param, int32_t value) override;
    void KbdClose() override;

    /// Keys the user holds or locks, seen by KbdGetNote.
    void Hold(int32_t pitchClass, int32_t octave) { held_.insert({pitchClass, octave}); }
    void Release(int32_t pitchClass, int32_t octave) { held_.erase({pitchClass, octave}); }
    void ReleaseAll() { held_.clear(); }

    const std::vector<Call>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }
    /// Notes the program has switched on and not yet off, by how many times.
    const std::map<std::pair<int32_t, int32_t>, int32_t>& Sounding() const { return sounding_; }
    bool Closed() const { return closed_; }

private:
    void Record(CallKind kind, int32_t a = 0, int32_t b = 0);

    std::function<int64_t()> clockMs_;
    std::vector<Call> calls_;
    std::set<std::pair<int32_t, int32_t>> held_;
    std::map<std::pair<int32_t, int32_t>, int32_t> sounding_;
    std::map<int32_t, int32_t> params_;
    bool closed_ = false;
};

}  // namespace hq
