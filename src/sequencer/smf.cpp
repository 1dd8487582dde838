#include "sequencer/smf.h"

#include <array>

#include "sequencer/smf_bytes.h"

namespace hq {
namespace {

constexpr std::string_view kHeaderId = "MThd";
constexpr std::string_view kTrackId = "MTrk";
constexpr uint32_t kHeaderLength = 6;

void PutBigEndian(std::string& out, uint32_t value, int bytes) {
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void PutVariable(std::string& out, uint32_t value) {
    std::array<char, 4> groups{};
    size_t count = 0;
    do {
        groups[count++] = static_cast<char>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) out += static_cast<char>(groups[--count] | 0x80);
    out += groups[0];
}


std::optional<SmfTrack> ReadTrack(std::string_view chunk) {
    SmfReader r(chunk);
    SmfTrack track;
    int64_t tick = 0;
    uint8_t running = 0;
    while (!r.AtEnd()) {
        const std::optional<uint32_t> delta = r.Variable();
        std::optional<uint8_t> first = r.Byte();
        if (!delta || !first) return std::nullopt;
        tick += *delta;
        SmfEvent event;
        event.tick = tick;
        if (*first == midi::kMeta) {
            const std::optional<uint8_t> type = r.Byte();
            const std::optional<uint32_t> length = type ? r.Variable() : std::nullopt;
            const std::optional<std::string_view> payload = length ? r.Take(*length) : std::nullopt;
            if (!payload) return std::nullopt;
            if (*type == midi::kEndOfTrack) return track;
            event.status = midi::kMeta;
            event.metaType = *type;
            event.data = *payload;
            running = 0;
        } else if (*first == midi::kSysEx || *first == midi::kSysExEnd) {
            const std::optional<uint32_t> length = r.Variable();
            const std::optional<std::string_view> payload = length ? r.Take(*length) : std::nullopt;
            if (!payload) return std::nullopt;
            event.status = *first;
            event.data = *payload;
            running = 0;
        } else {
            std::optional<uint8_t> data1 = first;
            if ((*first & 0x80) != 0) {
                if (*first > 0xEF) return std::nullopt;  // a system message other than those above
                running = *first;
                data1 = r.Byte();
            } else if (running == 0) {
                return std::nullopt;  // data without a status to run on
            }
            event.status = running;
            if (!data1 || (*data1 & 0x80) != 0) return std::nullopt;
            event.data += static_cast<char>(*data1);
            if (midi::DataBytesOf(running) == 2) {
                const std::optional<uint8_t> data2 = r.Byte();
                if (!data2 || (*data2 & 0x80) != 0) return std::nullopt;
                event.data += static_cast<char>(*data2);
            }
        }
        track.events.push_back(std::move(event));
    }
    return std::nullopt;  // no end-of-track event
}

}  // namespace

SmfEvent SmfMeta(int64_t tick, uint8_t type, std::string payload) {
    return SmfEvent{tick, midi::kMeta, type, std::move(payload)};
}

SmfEvent SmfChannel(int64_t tick, uint8_t status, uint8_t data1, std::optional<uint8_t> data2) {
    SmfEvent event{tick, status, 0, std::string(1, static_cast<char>(data1))};
    if (data2) event.data += static_cast<char>(*data2);
    return event;
}

std::optional<std::string> WriteSmf(const SmfFile& file) {
    std::string out(kHeaderId);
    PutBigEndian(out, kHeaderLength, 4);
    PutBigEndian(out, file.format, 2);
    PutBigEndian(out, static_cast<uint32_t>(file.tracks.size()), 2);
    PutBigEndian(out, file.ticksPerQuarter, 2);
    for (const SmfTrack& track : file.tracks) {
        std::string body;
        int64_t previous = 0;
        for (const SmfEvent& event : track.events) {
            const int64_t delta = event.tick - previous;
            if (delta < 0 || delta > smf::kLongestDelta) return std::nullopt;
            previous = event.tick;
            PutVariable(body, static_cast<uint32_t>(delta));
            body += static_cast<char>(event.status);
            if (event.status == midi::kMeta) body += static_cast<char>(event.metaType);
            if (event.status >= midi::kSystem) PutVariable(body, static_cast<uint32_t>(event.data.size()));
            body += event.data;
        }
        body += std::string("\x00\xFF\x2F\x00", 4);
        out += kTrackId;
        PutBigEndian(out, static_cast<uint32_t>(body.size()), 4);
        out += body;
    }
    return out;
}

std::optional<SmfFile> ReadSmf(std::string_view bytes) {
    SmfReader r(bytes);
    const std::optional<std::string_view> id = r.Take(4);
    const std::optional<uint32_t> length = r.BigEndian(4);
    if (!id || *id != kHeaderId || !length || *length < kHeaderLength) return std::nullopt;
    const std::optional<uint32_t> format = r.BigEndian(2);
    const std::optional<uint32_t> tracks = r.BigEndian(2);
    const std::optional<uint32_t> division = r.BigEndian(2);
    if (!division || !r.Take(*length - kHeaderLength)) return std::nullopt;
    SmfFile file;
    file.format = static_cast<uint16_t>(*format);
    file.ticksPerQuarter = static_cast<uint16_t>(*division);
    while (file.tracks.size() < *tracks) {
        const std::optional<std::string_view> chunkId = r.Take(4);
        const std::optional<uint32_t> chunkLength = r.BigEndian(4);
        const std::optional<std::string_view> chunk = chunkLength ? r.Take(*chunkLength) : std::nullopt;
        if (!chunkId || !chunk) return std::nullopt;
        if (*chunkId != kTrackId) continue;
        std::optional<SmfTrack> track = ReadTrack(*chunk);
        if (!track) return std::nullopt;
        file.tracks.push_back(std::move(*track));
    }
    return file;
}

}  // namespace hq
