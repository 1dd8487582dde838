#pragma once
// Voice leading over a chord sequence: every chord voiced so that, over the
// whole sequence, the voices move as little as possible. Pure.

#include <cstdint>
#include <span>
#include <vector>

#include "playback/placement.h"
#include "theory/composition.h"

namespace hq {

inline constexpr int32_t kLowestBassNote = 36;   // C2
inline constexpr int32_t kHighestBassNote = 52;  // E3
inline constexpr int32_t kLowestUpperNote = 55;  // G3
inline constexpr int32_t kHighestUpperNote = 79; // G5

/// One chord's notes as MIDI note numbers.
struct Voicing {
    int32_t bass = 0;            // kLowestBassNote..kHighestBassNote
    std::vector<int32_t> upper;  // kLowestUpperNote..kHighestUpperNote, ascending, one per pitch class
    bool operator==(const Voicing&) const = default;
};

/// The chord's sounding pitch classes 0..11, ascending: those of the marks
/// Tone and ToneAndBass, the root always among them. A bass that is not a
/// chord tone is not one of them.
std::vector<int32_t> VoicedPitchClasses(const ComposedChord& chord);

/// 0..11: the bass note when one is set, else the root.
int32_t BassPitchClass(const ComposedChord& chord);

/// How far the voices move from one voicing to the next: the bass difference
/// plus the least sum of joins between the two upper lists (every note joined
/// to at least one of the other list, joins never crossing). 0 when either
/// upper list is empty and the basses agree.
int64_t VoicingCost(const Voicing& from, const Voicing& to);

/// The sum of VoicingCost over consecutive voicings; 0 for fewer than two.
int64_t SequenceCost(std::span<const Voicing> voicings);

/// One voicing per chord, in order, with the least SequenceCost there is (the
/// first voicing is free; nothing is counted from the last back to the first).
///
/// Ties: the bass line and the upper voices are costed apart, so each is
/// chosen on its own. Of the least-cost bass lines, the one chosen is lower at
/// the first record where two of them differ; of the least-cost upper-voice
/// lines, the one chosen is lower at the first record where two differ, the
/// voicings of that record compared from their lowest note up.
std::vector<Voicing> VoiceSequence(std::span<const ComposedChord> chords);

/// The voicing's notes as they are played: the bass, then the upper voices
/// from low to high.
std::vector<int32_t> PlayOrder(const Voicing& voicing);

/// PlayOrder as the keyboard's pitch classes and octaves (MIDI 60 is C in
/// octave 4).
std::vector<Placement> PlayOrderPlacements(const Voicing& voicing);

}  // namespace hq
