#include "headless/recording_keyboard.h"

namespace hq {

RecordingKeyboard::RecordingKeyboard(std::function<int64_t()> clockMs) : clockMs_(std::move(clockMs)) {}

void RecordingKeyboard::Record(CallKind kind, int32_t a, int32_t b) {
    calls_.push_back({clockMs_ ? clockMs_() : 0, kind, a, b, closed_});
}

void RecordingKeyboard::Start() { Record(CallKind::Start); }

void RecordingKeyboard::KbdNoteOn(int32_t pitchClass, int32_t octave) {
    Record(CallKind::NoteOn, pitchClass, octave);
    if (!closed_) ++sounding_[{pitchClass, octave}];
}

void RecordingKeyboard::KbdNoteOff(int32_t pitchClass, int32_t octave) {
    Record(CallKind::NoteOff, pitchClass, octave);
    auto it = sounding_.find({pitchClass, octave});
    if (closed_ || it == sounding_.end()) return;
    if (--it->second == 0) sounding_.erase(it);
}

int32_t RecordingKeyboard::KbdGetNote(int32_t pitchClass, int32_t octave) {
    Record(CallKind::GetNote, pitchClass, octave);
    return !closed_ && held_.contains({pitchClass, octave}) ? 1 : 0;
}

void RecordingKeyboard::KbdAllNotesOff() {
    Record(CallKind::AllNotesOff);
    if (!closed_) sounding_.clear();
}

int32_t RecordingKeyboard::KbdGetParam(int32_t param) {
    auto it = params_.find(param);
    const int32_t value = closed_ || it == params_.end() ? 0 : it->second;
    Record(CallKind::GetParam, param, value);
    return value;
}

void RecordingKeyboard::KbdSetParam(int32_t param, int32_t value) {
    Record(CallKind::SetParam, param, value);
    if (!closed_) params_[param] = value;
}

void RecordingKeyboard::KbdClose() {
    Record(CallKind::Close);
    sounding_.clear();
    closed_ = true;
}

}  // namespace hq
