#pragma once
// One chord with the play settings in force when it was taken, as a fixed
// row of 40 text fields: the unit of the chord list and of sequence files.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "playback/play_settings.h"
#include "theory/chord_definition.h"
#include "theory/composition.h"

namespace hq {

inline constexpr size_t kRecordFieldCount = 40;
using ChordRecord = std::array<std::string, kRecordFieldCount>;

inline constexpr std::string_view kRecordMarker = "567765";
inline constexpr size_t kNotationField = 22;
inline constexpr size_t kClosingMarkerField = 39;

inline constexpr std::string_view kCorruptedRecordAlert =
    "Warning: The selected chord is corrupted or empty\nand will not be considered for loading.";

/// What a record carries: the definition, the four composed texts and the
/// play settings.
struct RecordFields {
    ChordDefinition& definition;
    ComposedChord& chord;
    PlaySettings& play;
};

/// The row for the current chord and settings, fields 0 to 39.
ChordRecord EncodeChordRecord(const ChordDefinition& definition, const ComposedChord& chord,
                              const PlaySettings& play);

/// True when field 39 is exactly the marker; then fields 2 to 35 are stored
/// into `into`. False leaves `into` untouched.
bool DecodeChordRecord(const ChordRecord& row, RecordFields into);

/// A number as a record writes it: a blank before zero and positive values.
std::string RecordNumber(int32_t value);

/// A record's number read back: leading blanks, an optional '-', the digits
/// up to the first other character (none reads as 0), wrapped to signed
/// `bits` (8 or 16).
int32_t ReadRecordNumber(std::string_view text, int bits);

}  // namespace hq
