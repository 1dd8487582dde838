#include "sequencer/chord_record.h"

namespace hq {
namespace {

enum class FieldKind : uint8_t { Literal, Number8, Number16, DefinitionText, ChordText };

// One row per field, in field order. Numbers live in the definition or the
// play settings, texts in the definition or the composed chord.
struct FieldLayout {
    FieldKind kind;
    std::string_view literal = {};
    int32_t ChordDefinition::*definitionNumber = nullptr;
    int32_t PlaySettings::*playNumber = nullptr;
    std::string ChordDefinition::*definitionText = nullptr;
    std::string ComposedChord::*chordText = nullptr;
};

constexpr FieldLayout Literal(std::string_view text) { return {FieldKind::Literal, text}; }
constexpr FieldLayout Number(int32_t ChordDefinition::*member) { return {FieldKind::Number8, {}, member}; }
constexpr FieldLayout Number(int32_t PlaySettings::*member, FieldKind kind = FieldKind::Number8) {
    return {kind, {}, nullptr, member};
}
constexpr FieldLayout Text(std::string ChordDefinition::*member) {
    return {FieldKind::DefinitionText, {}, nullptr, nullptr, member};
}
constexpr FieldLayout Text(std::string ComposedChord::*member) {
    return {FieldKind::ChordText, {}, nullptr, nullptr, nullptr, member};
}

using D = ChordDefinition;
using C = ComposedChord;
using P = PlaySettings;

constexpr std::array<FieldLayout, kRecordFieldCount> kLayout{{
    Literal(kRecordMarker),                      // 0
    Literal("11"),                               // 1
    Number(&D::RootLetterPitch),                 // 2
    Text(&D::RootLetter),                        // 3
    Number(&D::RootFlat),                        // 4
    Number(&D::RootSharp),                       // 5
    Number(&D::ChordClass),                      // 6
    Number(&D::Extension),                       // 7
    Number(&D::SecondAdd),                       // 8
    Number(&D::FourthAdd),                       // 9
    Number(&D::SixthAdd),                        // 10
    Number(&D::BassSelected),                    // 11
    Number(&D::BassLetterPitch),                 // 12
    Text(&D::BassLetter),                        // 13
    Number(&D::BassFlat),                        // 14
    Number(&D::BassSharp),                       // 15
    Number(&D::NoThird),                         // 16
    Number(&D::NoFifth),                         // 17
    Number(&D::FifthAlteration),                 // 18
    Number(&D::NinthAlteration),                 // 19
    Number(&D::SharpEleventh),                   // 20
    Number(&D::FlatThirteenth),                  // 21
    Text(&C::Notation),                          // 22
    Text(&C::IntervalsText),                     // 23
    Text(&C::BasicNotesText),                    // 24
    Text(&C::DistancesText),                     // 25
    Number(&P::Arrangement),                     // 26
    Number(&P::RepeatRoot),                      // 27
    Number(&P::RepeatBass),                      // 28
    Number(&P::RepeatFifth),                     // 29
    Number(&P::RepeatAll),                       // 30
    Number(&P::Up),                              // 31
    Number(&P::Down),                            // 32
    Number(&P::Fill),                            // 33
    Number(&P::Tempo, FieldKind::Number16),      // 34
    Number(&P::NotesPerMeasure),                 // 35
    Literal("Reserva"),                          // 36
    Literal("Reserva"),                          // 37
    Literal("11"),                               // 38
    Literal(kRecordMarker),                      // 39
}};

}  // namespace

std::string RecordNumber(int32_t value) { return value < 0 ? std::to_string(value) : " " + std::to_string(value); }

int32_t ReadRecordNumber(std::string_view text, int bits) {
    size_t at = text.find_first_not_of(' ');
    if (at == std::string_view::npos) return 0;
    const bool negative = text[at] == '-';
    if (negative) ++at;
    // Unsigned arithmetic wraps, and only the low bits are kept in the end,
    // so any number of digits gives the same result as exact arithmetic.
    uint32_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10u + static_cast<uint32_t>(text[at] - '0');
    }
    if (negative) value = 0u - value;
    if (bits == 16) return static_cast<int16_t>(static_cast<uint16_t>(value));
    return static_cast<int8_t>(static_cast<uint8_t>(value));
}

ChordRecord EncodeChordRecord(const ChordDefinition& definition, const ComposedChord& chord,
                              const PlaySettings& play) {
    ChordRecord row;
    for (size_t i = 0; i < kRecordFieldCount; ++i) {
        const FieldLayout& f = kLayout[i];
        switch (f.kind) {
            case FieldKind::Literal: row[i] = f.literal; break;
            case FieldKind::Number8:
            case FieldKind::Number16:
                row[i] = RecordNumber(f.definitionNumber != nullptr ? definition.*f.definitionNumber
                                                                     : play.*f.playNumber);
                break;
            case FieldKind::DefinitionText: row[i] = definition.*f.definitionText; break;
            case FieldKind::ChordText: row[i] = chord.*f.chordText; break;
        }
    }
    return row;
}

bool DecodeChordRecord(const ChordRecord& row, RecordFields into) {
    if (row[kClosingMarkerField] != kRecordMarker) return false;
    for (size_t i = 0; i < kRecordFieldCount; ++i) {
        const FieldLayout& f = kLayout[i];
        switch (f.kind) {
            case FieldKind::Literal: break;
            case FieldKind::Number8:
            case FieldKind::Number16: {
                const int32_t value = ReadRecordNumber(row[i], f.kind == FieldKind::Number16 ? 16 : 8);
                if (f.definitionNumber != nullptr) {
                    into.definition.*f.definitionNumber = value;
                } else {
                    into.play.*f.playNumber = value;
                }
                break;
            }
            case FieldKind::DefinitionText: into.definition.*f.definitionText = row[i]; break;
            case FieldKind::ChordText: into.chord.*f.chordText = row[i]; break;
        }
    }
    return true;
}

}  // namespace hq
