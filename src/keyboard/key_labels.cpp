#include "keyboard/key_labels.h"

#include "theory/pitch.h"
#include "theory/spelling.h"

namespace hq::kbd {

KeyNames FlatKeyNames() {
    KeyNames names;
    // With no preference each black key takes its flat.
    for (int32_t pitch = 0; pitch < 12; ++pitch) names[static_cast<size_t>(pitch)] = NoteName(pitch, {});
    return names;
}

KeyNames KeyNamesOf(const ChordDefinition& definition, const ComposedChord& chord) {
    KeyNames names = FlatKeyNames();
    std::array<bool, 12> taken{};
    const auto name = [&](int32_t pitch, std::string_view text) {
        const auto pc = static_cast<size_t>(Mod12(pitch));
        if (taken[pc]) return;
        taken[pc] = true;
        names[pc] = std::string(text);
    };
    name(chord.RootPitch, chord.RootName);
    const SpellingPreference preference = PreferenceFor(definition, chord.RootPitch);
    for (int32_t i = 1; i < kIntervalMarkCount; ++i) {
        if (chord.IntervalMarks[static_cast<size_t>(i)] >= mark::Tone) {
            name(chord.RootPitch + i, NoteName(Mod12(chord.RootPitch + i), preference));
        }
    }
    return names;
}

std::string KeyLabel(const KeyboardCore& core, int32_t key, NoteNaming naming, const KeyNames& names) {
    if (naming == NoteNaming::None || key < 0 || key >= kKeyCount) return {};
    const bool inUse = core.ProgramCount(key) > 0 || core.UserHoldOf(key) != UserHold::None || core.MidiHeld(key);
    if (naming == NoteNaming::All && inUse) return names[static_cast<size_t>(key % 12)];
    if (key % 12 == 0) return "C" + std::to_string(key / 12 - 1);
    return {};
}

}  // namespace hq::kbd
