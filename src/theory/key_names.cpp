#include "theory/key_names.h"

#include "theory/pitch.h"
#include "theory/spelling.h"

namespace hq {

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

}  // namespace hq
