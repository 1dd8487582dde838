#pragma once
// Standard MIDI Files in memory: a small writer and a reader, over bytes.
// Events carry absolute ticks; delta times exist only in the bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/midi_bytes.h"

namespace hq {

namespace smf {
/// The largest delta time the format can hold.
inline constexpr int64_t kLongestDelta = 0x0FFFFFFF;
}  // namespace smf

/// One event. A channel message keeps its status byte (kind | channel) and
/// its one or two data bytes; a meta event midi::kMeta, its type and its payload;
/// a system-exclusive event 0xF0 or 0xF7 and its payload.
struct SmfEvent {
    int64_t tick = 0;
    uint8_t status = 0;
    uint8_t metaType = 0;
    std::string data;
    bool operator==(const SmfEvent&) const = default;
};

/// The events of one track in time order, without its end-of-track event.
struct SmfTrack {
    std::vector<SmfEvent> events;
    bool operator==(const SmfTrack&) const = default;
};

struct SmfFile {
    uint16_t format = 1;
    uint16_t ticksPerQuarter = 960;
    std::vector<SmfTrack> tracks;
    bool operator==(const SmfFile&) const = default;
};

SmfEvent SmfMeta(int64_t tick, uint8_t type, std::string payload);
SmfEvent SmfChannel(int64_t tick, uint8_t status, uint8_t data1, std::optional<uint8_t> data2 = std::nullopt);

/// The file's bytes: every track closed by its end-of-track event, no running
/// status. Nothing when a track is out of time order or a gap between two
/// events is longer than the format allows.
std::optional<std::string> WriteSmf(const SmfFile& file);

/// The file read back; running status and system-exclusive events are
/// understood, chunks of other kinds skipped. Nothing when the bytes are not
/// a complete Standard MIDI File.
std::optional<SmfFile> ReadSmf(std::string_view bytes);

}  // namespace hq
