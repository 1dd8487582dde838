#include "sequencer/smf_song.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "platform/midi_bytes.h"
#include "sequencer/smf.h"
#include "sequencer/smf_bytes.h"

namespace hq {
namespace {

constexpr int32_t kPercussionChannel = 9;  // channel 10 as players count


struct Builder {
    Song song;
    size_t events = 0;
    // Onsets of sounding notes by voice-less key: channel * 128 + pitch.
    std::array<int64_t, 16 * 128> onAt{};
    std::array<int32_t, 16 * 128> velocityOf{};
    std::array<bool, 16 * 128> sounding{};

    void EndNote(size_t key, int64_t tick, int32_t voice) {
        if (!sounding[key]) return;
        sounding[key] = false;
        if (tick <= onAt[key]) return;  // nothing heard
        song.notes.push_back({onAt[key], tick, static_cast<int32_t>(key % 128), velocityOf[key], voice});
    }
};

std::string TrackReason(size_t track, std::string_view what) {
    return "track " + std::to_string(track + 1) + ": " + std::string(what);
}

std::optional<std::string> ReadTrackInto(std::string_view chunk, size_t track, Builder& b) {
    SmfReader r(chunk);
    int64_t tick = 0;
    uint8_t running = 0;
    const auto voiceOf = [track](uint8_t status) { return static_cast<int32_t>(track * 16 + (status & 0x0F)); };
    const auto closeAll = [&b, &tick, track]() {
        for (size_t key = 0; key < b.sounding.size(); ++key) {
            b.EndNote(key, tick, static_cast<int32_t>(track * 16 + key / 128));
        }
    };
    while (!r.AtEnd()) {
        if (++b.events > kMaxSongEvents) return std::string("too many events (more than 4000000)");
        const std::optional<uint32_t> delta = r.Variable();
        if (!delta) return TrackReason(track, "a bad or cut-off delta time");
        tick += *delta;
        const std::optional<uint8_t> first = r.Byte();
        if (!first) return TrackReason(track, "cut off after a delta time");
        if (*first == midi::kMeta) {
            const std::optional<uint8_t> type = r.Byte();
            const std::optional<uint32_t> length = type ? r.Variable() : std::nullopt;
            const std::optional<std::string_view> payload = length ? r.Take(*length) : std::nullopt;
            if (!payload) return TrackReason(track, "a meta event runs past the end of its chunk");
            running = 0;
            if (*type == midi::kEndOfTrack) break;
            if (*type == midi::kTempo && payload->size() >= 3) {
                const auto at = [&payload](size_t i) { return static_cast<uint8_t>((*payload)[i]); };
                const int32_t micros = (at(0) << 16) | (at(1) << 8) | at(2);
                if (micros > 0) b.song.tempos.push_back({tick, micros, 0.0});
            } else if (*type == midi::kTimeSignature && payload->size() >= 2) {
                const int32_t numerator = static_cast<uint8_t>((*payload)[0]);
                const int32_t power = static_cast<uint8_t>((*payload)[1]);
                if (numerator > 0 && power <= 6) b.song.meters.push_back({tick, numerator, 1 << power});
            }
            continue;
        }
        if (*first == 0xF0 || *first == 0xF7) {
            const std::optional<uint32_t> length = r.Variable();
            if (!length || !r.Take(*length)) return TrackReason(track, "a system-exclusive event runs past the end of its chunk");
            running = 0;
            continue;
        }
        std::optional<uint8_t> data1 = first;
        if ((*first & 0x80) != 0) {
            if (*first > 0xEF) return TrackReason(track, "a system message that does not belong in a file");
            running = *first;
            data1 = r.Byte();
        } else if (running == 0) {
            return TrackReason(track, "data without a status byte");
        }
        const uint8_t kind = running & 0xF0;
        std::optional<uint8_t> data2 = 0;
        if (kind != midi::kProgramChange && kind != midi::kChannelPressure) data2 = r.Byte();
        if (!data1 || !data2) return TrackReason(track, "cut off inside an event");
        if ((*data1 & 0x80) != 0 || (*data2 & 0x80) != 0) return TrackReason(track, "a status byte where data belongs");
        const int32_t channel = running & 0x0F;
        if (channel == kPercussionChannel || (kind != midi::kNoteOn && kind != midi::kNoteOff)) continue;
        const size_t key = static_cast<size_t>(channel) * 128 + *data1;
        b.EndNote(key, tick, voiceOf(running));  // a repeated key ends the note before it
        if (kind == midi::kNoteOn && *data2 > 0) {
            if (b.song.notes.size() >= kMaxSongNotes) return std::string("too many notes (more than 400000)");
            b.sounding[key] = true;
            b.onAt[key] = tick;
            b.velocityOf[key] = *data2;
        }
    }
    closeAll();  // notes never released end with their track
    b.song.endTick = std::max(b.song.endTick, tick);
    return std::nullopt;
}

}  // namespace

SongReading ReadSong(std::string_view bytes) {
    if (bytes.size() > kMaxSongBytes) return std::string("larger than 16 MiB");
    SmfReader r(bytes);
    const std::optional<std::string_view> id = r.Take(4);
    const std::optional<uint32_t> length = r.BigEndian(4);
    if (!id || *id != "MThd") return std::string("not a Standard MIDI File (no MThd header)");
    if (!length || *length < 6) return std::string("the header is cut short");
    const std::optional<uint32_t> format = r.BigEndian(2);
    const std::optional<uint32_t> tracks = r.BigEndian(2);
    const std::optional<uint32_t> division = r.BigEndian(2);
    if (!division || !r.Take(*length - 6)) return std::string("the header is cut short");
    if ((*division & 0x8000u) != 0) return std::string("SMPTE time is not supported, only ticks per quarter note");
    if (*format == 2) return std::string("format 2 (independent patterns) is not supported");
    if (*format > 2) return "unknown format " + std::to_string(*format);
    if (*division == 0) return std::string("zero ticks per quarter note");
    if (*tracks == 0) return std::string("no tracks");
    if (*format == 0 && *tracks != 1) return std::string("format 0 with more than one track");

    Builder b;
    b.song.format = static_cast<int32_t>(*format);
    b.song.ticksPerQuarter = static_cast<int32_t>(*division);
    size_t read = 0;
    while (read < *tracks) {
        if (r.AtEnd()) {
            return "the header promises " + std::to_string(*tracks) + " tracks, the file holds " + std::to_string(read);
        }
        const std::optional<std::string_view> chunkId = r.Take(4);
        const std::optional<uint32_t> chunkLength = r.BigEndian(4);
        if (!chunkId || !chunkLength) return std::string("a chunk header is cut short");
        const std::optional<std::string_view> chunk = r.Take(*chunkLength);
        if (!chunk) return "a chunk length runs past the end of the file (track " + std::to_string(read + 1) + ")";
        if (*chunkId != "MTrk") continue;  // chunks of other kinds are skipped
        if (std::optional<std::string> reason = ReadTrackInto(*chunk, read, b)) return std::move(*reason);
        ++read;
    }
    Song& song = b.song;
    if (song.endTick / song.ticksPerQuarter > kMaxSongQuarters) return std::string("longer than 50000 quarter notes");
    int64_t sounding = 0;
    for (const SongNote& n : song.notes) sounding += (n.end - n.start) / song.ticksPerQuarter;
    if (sounding > kMaxSoundingQuarters) return std::string("too many notes held too long (more than 4000000 quarter notes in all)");
    std::stable_sort(song.notes.begin(), song.notes.end(), [](const SongNote& x, const SongNote& y) {
        return x.start != y.start ? x.start < y.start : x.pitch < y.pitch;
    });
    std::stable_sort(song.tempos.begin(), song.tempos.end(),
                     [](const SongTempo& x, const SongTempo& y) { return x.tick < y.tick; });
    if (song.tempos.size() > kMaxSongTempos || song.meters.size() > kMaxSongMeters) {
        return std::string("too many tempo changes or time signatures");
    }
    if (song.tempos.empty() || song.tempos.front().tick > 0) song.tempos.insert(song.tempos.begin(), SongTempo{});
    for (size_t i = 1; i < song.tempos.size(); ++i) {
        const SongTempo& before = song.tempos[i - 1];
        song.tempos[i].seconds = before.seconds + static_cast<double>(song.tempos[i].tick - before.tick) /
                                                      song.ticksPerQuarter * before.microsPerQuarter * 1e-6;
    }
    std::stable_sort(song.meters.begin(), song.meters.end(),
                     [](const SongMeter& x, const SongMeter& y) { return x.tick < y.tick; });
    return std::move(song);
}

double SecondsAtTick(const Song& song, double tick) {
    const double perQuarter = static_cast<double>(std::max(song.ticksPerQuarter, 1));
    // The last tempo change at or before the tick.
    const auto after = std::upper_bound(song.tempos.begin(), song.tempos.end(), tick,
                                        [](double t, const SongTempo& tempo) { return t < static_cast<double>(tempo.tick); });
    if (after == song.tempos.begin()) return tick / perQuarter * 0.5;
    const SongTempo& tempo = *(after - 1);
    return tempo.seconds + (tick - static_cast<double>(tempo.tick)) / perQuarter * tempo.microsPerQuarter * 1e-6;
}

int32_t FirstTempoBpm(const Song& song) {
    if (song.tempos.empty() || song.tempos.front().microsPerQuarter <= 0) return 120;
    return static_cast<int32_t>(std::lround(60e6 / song.tempos.front().microsPerQuarter));
}

}  // namespace hq
