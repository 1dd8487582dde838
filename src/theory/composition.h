#pragma once
// Composing a chord definition into the chord that sounds and is shown, with
// the rules between the Step panels. Pure: no toolkit, no I/O.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "theory/chord_definition.h"

namespace hq {

inline constexpr int32_t kIntervalMarkCount = 25;

namespace mark {
inline constexpr int32_t None = 0, Tone = 1, ToneAndBass = 2, ForeignBass = 3;
}

struct ComposedChord {
    /// Index = semitones above the root, 0..24; values from mark::. Index 0 is
    /// always a tone; indices above 21 are never marked.
    std::array<int32_t, kIntervalMarkCount> IntervalMarks{};
    int32_t RootPitch = 0;  // 0..11
    std::string RootName;
    std::string Notation;
    int32_t BassPitch = 0;  // 0..11; 0 while no bass is selected
    std::string BassName;   // empty while no bass is selected
    int32_t BassIndex = 0;  // 0..21; 0 without a separate bass
    std::string DistancesText;
    std::string IntervalsText;
    std::string BasicNotesText;
};

/// The Step-panel check boxes that composition re-derives, in KidNumber order.
/// Root letters and chord classes are radio buttons the user sets; composition
/// never changes them.
inline constexpr int32_t kComposedBoxCount = 36;
extern const std::array<int32_t, kComposedBoxCount> kComposedBoxes;

struct ControlState {
    bool checked = false;
    bool enabled = true;
    /// One text per rule row that disabled the box, in the order the rules
    /// ran; empty while it is enabled.
    std::vector<std::string_view> disabledBy;
};

/// Indexed by KidNumber 0..57; only the entries of kComposedBoxes are meaningful.
using StepControls = std::array<ControlState, 58>;

inline constexpr std::string_view kBassAnomalyAlert =
    "The selected Bass Note is not part\n"
    "of the chord being defined.\n"
    "It may result in an inconsistent chord.\n"
    "Change the Bass Note or the chord\n"
    "definition, or leave it at your own risk.\n"
    "The // signals the Bass Note anomaly.";

struct Composition {
    ChordDefinition definition;  // the input with the fields the rules cleared
    ComposedChord chord;
    StepControls controls;
    bool bassAnomaly = false;  // the bass is neither a chord tone nor its octave
};

/// Defined for every field value: damaged definitions compose to something.
Composition Compose(const ChordDefinition& definition);

/// The interval name of an IntervalMarks index 0..21 ("1" for the root).
std::string_view IntervalName(int32_t index, const ChordDefinition& definition);

}  // namespace hq
