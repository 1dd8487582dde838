#pragma once
// Practice items: a chord of a level's vocabulary on a random root, or a
// progression in a random key, chosen by the Leitner boxes. Pure.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "practice/random.h"
#include "practice/vocabulary.h"

namespace hq::practice {

inline constexpr int32_t kLowestNote = 48;
inline constexpr int32_t kHighestNote = 84;
inline constexpr int32_t kBoxCount = 5;

struct ProgressionChord {
    std::vector<int32_t> notes;  // MIDI, ascending
    std::string roman;
};

struct PracticeItem {
    Level level = Level::Triads;
    std::string type;        // a ChordType name; the numerals ("ii-V-I") for progressions
    int32_t inversion = 0;   // 0..3; 0 for progressions
    int32_t root = 0;        // pitch class 0..11; the tonic for progressions
    bool minorKey = false;   // progressions only
    std::vector<int32_t> notes;  // MIDI kLowestNote..kHighestNote, ascending; empty for progressions
    std::vector<ProgressionChord> chords;  // progressions only
};

/// Box 1..5 by item kind (see LevelKinds); a kind not held is in box 1.
using LeitnerBoxes = std::map<std::string, int32_t, std::less<>>;

/// A kind in box k comes up half as often as one in box k-1.
PracticeItem NextItem(Level level, const LeitnerBoxes& boxes, PracticeRandom& random);

/// `count` items from fresh boxes: the same seed gives the same items.
std::vector<PracticeItem> GenerateItems(Level level, int32_t count, uint64_t seed);

/// The answer expected, which is also the item's kind: "m7, first inversion", "ii-V-I".
std::string ExpectedAnswer(const PracticeItem& item);

/// A chord item of the level from its type, inversion and root, voiced
/// from its lowest bass in range; nothing when the level does not ask it.
std::optional<PracticeItem> ChordItem(Level level, std::string_view type, int32_t inversion, int32_t root0to11);

/// A progression item of the level's list in the key of `tonic0to11`; nothing when not listed.
std::optional<PracticeItem> ProgressionItem(std::string_view numerals, int32_t tonic0to11);

/// The chord played for "Reference": C major, or the key's tonic chord.
std::vector<int32_t> ReferenceNotes(const PracticeItem& item);

/// The item's pitch classes and its bass pitch class (chord items).
struct PitchContent {
    std::vector<int32_t> pitchClasses;  // sorted, distinct
    int32_t bass = 0;
};
PitchContent ItemPitchContent(const PracticeItem& item);

}  // namespace hq::practice
