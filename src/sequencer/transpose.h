#pragma once
// Moving chords by semitones with a musician's spelling: the letter moves by
// the interval's letter count, then awkward names give way to plain ones.
// Pure: definitions and records in, definitions and records out.

#include <cstdint>
#include <optional>

#include "sequencer/chord_record.h"
#include "sequencer/sequencer_state.h"
#include "theory/chord_definition.h"

namespace hq {

enum class TransposeSpelling : uint8_t {
    Auto,    // letters follow the interval, then the plain respellings
    Flats,   // every black key a flat, every white key natural
    Sharps,  // every black key a sharp, every white key natural
};

inline constexpr int32_t kLowestTransposition = -12;
inline constexpr int32_t kHighestTransposition = 12;

/// A note as a letter and one accidental at most, as the panels hold it.
struct SpelledNote {
    int32_t letter = 0;      // 0 C, 1 D, .. 6 B
    int32_t accidental = 0;  // -1 flat, 0, +1 sharp
    int32_t Pitch() const;   // 0..11
    bool operator==(const SpelledNote&) const = default;
};

/// The root and the bass as the definition spells them; fields a damaged
/// file filled with nonsense are read as composition sounds them.
SpelledNote RootNoteOf(const ChordDefinition& definition);
SpelledNote BassNoteOf(const ChordDefinition& definition);

/// "C", "Eb", "F#".
std::string NoteText(const SpelledNote& note);

/// `semitones` may be any number; the interval's letter count is taken from
/// its size within an octave, upwards or downwards.
SpelledNote TransposeNote(const SpelledNote& note, int32_t semitones, TransposeSpelling spelling);

/// The root and, with a bass selected, the bass moved; every other field kept.
ChordDefinition TransposeDefinition(const ChordDefinition& definition, int32_t semitones,
                                    TransposeSpelling spelling);

/// The record with its root and bass fields moved and its four composed
/// texts written again; every other field as it was. A record that does not
/// decode comes back unchanged.
ChordRecord TransposeRecord(const ChordRecord& record, int32_t semitones, TransposeSpelling spelling);

/// Every record moved; nothing for `semitones` outside -12..12.
std::optional<ChordSequence> TransposeSequence(const ChordSequence& sequence, int32_t semitones,
                                               TransposeSpelling spelling);

}  // namespace hq
