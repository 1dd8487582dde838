#pragma once
// The bytes of MIDI messages, for the keyboard that sends and receives them
// and for the file reader and writer.

#include <cstddef>
#include <cstdint>

namespace hq::midi {

// Status bytes of channel messages: the kind in the high nibble, the
// channel 0..15 in the low one.
inline constexpr uint8_t kNoteOff = 0x80;
inline constexpr uint8_t kNoteOn = 0x90;
inline constexpr uint8_t kControlChange = 0xB0;
inline constexpr uint8_t kProgramChange = 0xC0;
inline constexpr uint8_t kChannelPressure = 0xD0;
inline constexpr uint8_t kPitchBend = 0xE0;
/// Status bytes from here up are system messages.
inline constexpr uint8_t kSystem = 0xF0;
inline constexpr uint8_t kSysEx = 0xF0;
inline constexpr uint8_t kSysExEnd = 0xF7;
/// A meta event, in files only.
inline constexpr uint8_t kMeta = 0xFF;

// Meta event types.
inline constexpr uint8_t kTrackName = 0x03;
inline constexpr uint8_t kMarker = 0x06;
inline constexpr uint8_t kEndOfTrack = 0x2F;
inline constexpr uint8_t kTempo = 0x51;
inline constexpr uint8_t kTimeSignature = 0x58;

// Controllers.
inline constexpr uint8_t kDataEntry = 6;
inline constexpr uint8_t kPan = 10;
inline constexpr uint8_t kDataEntryFine = 38;
inline constexpr uint8_t kSustainPedal = 64;
inline constexpr uint8_t kRegisteredParameterFine = 100;
inline constexpr uint8_t kRegisteredParameter = 101;
inline constexpr uint8_t kAllSoundOff = 120;
inline constexpr uint8_t kAllNotesOff = 123;

/// A status byte: `kind` on `channel` (0..15, reduced).
constexpr uint8_t Status(uint8_t kind, int32_t channel) { return static_cast<uint8_t>(kind | (channel & 0x0F)); }
/// The kind of a channel message's status byte.
constexpr uint8_t KindOf(uint8_t status) { return static_cast<uint8_t>(status & 0xF0); }
/// 1 for a program change or channel pressure, else 2.
constexpr size_t DataBytesOf(uint8_t status) {
    return KindOf(status) == kProgramChange || KindOf(status) == kChannelPressure ? 1 : 2;
}

}  // namespace hq::midi
