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
    // Each tone by its interval from the root (the major seventh of Am is G#);
    // a bass outside the chord as the chord names it.
    const SpellingPreference preference = PreferenceFor(definition, chord.RootPitch);
    for (int32_t i = 1; i < kIntervalMarkCount; ++i) {
        const int32_t m = chord.IntervalMarks[static_cast<size_t>(i)];
        if (m < mark::Tone) continue;
        const int32_t pitch = chord.RootPitch + i;
        std::string text = m == mark::ForeignBass ? chord.BassName.substr(chord.BassName.starts_with('/') ? 1 : 0)
                                                  : SpellInterval(chord.RootName, pitch, IntervalName(i, definition));
        if (text.empty()) text = NoteName(Mod12(pitch), preference);
        name(pitch, text);
    }
    return names;
}

}  // namespace hq
