#pragma once
// A chord sequence as a MusicXML 4.0 score (uncompressed, partwise): one
// part "Chords" on a grand staff in 4/4, two measures a record, each
// record's chord symbol as a harmony and its notes as whole notes tied
// across the two measures. Pure: records and notes in, the file's bytes out.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sequencer/chord_record.h"

namespace hq {

/// `keysPerRecord[i]`: the MIDI keys (60 is middle C) record i sounds, in
/// any order and with repeats; missing entries and keys outside 12..127 give
/// no note. `title` becomes the work title; `tempoBpm` below 1 is taken as 1.
std::string MusicXmlOf(std::span<const ChordRecord> records, std::span<const std::vector<int32_t>> keysPerRecord,
                       std::string_view title, int32_t tempoBpm);

/// The harmony's tones, by IntervalMarks index, as its kind and degrees
/// give them.
struct HarmonyDegree {
    int32_t value = 0;  // 1..13
    int32_t alter = 0;
    std::string_view type;  // "add", "alter", "subtract"
};
struct HarmonyChoice {
    std::string_view kind;
    std::vector<HarmonyDegree> degrees;
};

/// The kind and degrees whose tones are exactly the IntervalMarks indices
/// in `tones` (bit i), for a chord of `definition`.
HarmonyChoice HarmonyOf(const ChordDefinition& definition, uint32_t tones);

}  // namespace hq
