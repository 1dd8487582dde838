#pragma once
// Songs for the tests, written as Standard MIDI Files: parts of notes placed
// on beats, chords given by their MIDI keys.

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/midi_bytes.h"
#include "sequencer/smf.h"

namespace hq::test {

struct Placed {
    double beat = 0;    // in quarter notes from tick 0
    double length = 1;  // in quarter notes
    int32_t key = 60;
    int32_t channel = 0;
};

class SongBuilder {
public:
    explicit SongBuilder(int32_t ticksPerQuarter = 480) : tpq_(ticksPerQuarter) {}

    /// A new part, written as its own track (or merged for format 0).
    SongBuilder& Part() {
        parts_.emplace_back();
        return *this;
    }
    SongBuilder& Note(double beat, double length, int32_t key, int32_t channel = 0) {
        if (parts_.empty()) Part();
        parts_.back().push_back({beat, length, key, channel});
        return *this;
    }
    /// The keys together for `length` quarters from `beat`.
    SongBuilder& Chord(double beat, double length, std::initializer_list<int32_t> keys, int32_t channel = 0) {
        for (int32_t key : keys) Note(beat, length, key, channel);
        return *this;
    }
    /// The keys one after another, each `step` quarters, over `length`.
    SongBuilder& Arpeggio(double beat, double length, double step, std::initializer_list<int32_t> keys) {
        size_t i = 0;
        const std::vector<int32_t> order(keys);
        for (double at = beat; at < beat + length - 1e-9; at += step) Note(at, step, order[i++ % order.size()]);
        return *this;
    }
    SongBuilder& Tempo(double beat, int32_t bpm) {
        const int32_t micros = 60'000'000 / bpm;
        std::string payload{static_cast<char>(micros >> 16), static_cast<char>((micros >> 8) & 0xFF),
                            static_cast<char>(micros & 0xFF)};
        meta_.push_back(SmfMeta(Ticks(beat), midi::kTempo, payload));
        return *this;
    }
    SongBuilder& Meter(double beat, int32_t numerator, int32_t denominatorPower) {
        meta_.push_back(SmfMeta(Ticks(beat), midi::kTimeSignature,
                                std::string{static_cast<char>(numerator), static_cast<char>(denominatorPower), 24, 8}));
        return *this;
    }

    /// The file: format 1 has a tempo track then a track per part; format 0
    /// one track holding everything.
    std::string Bytes(uint16_t format = 1) const {
        SmfFile file;
        file.format = format;
        file.ticksPerQuarter = static_cast<uint16_t>(tpq_);
        std::vector<std::vector<SmfEvent>> tracks{meta_};
        for (const std::vector<Placed>& part : parts_) {
            std::vector<SmfEvent> events;
            for (const Placed& n : part) {
                const auto status = static_cast<uint8_t>(midi::kNoteOn | n.channel);
                events.push_back(SmfChannel(Ticks(n.beat), status, static_cast<uint8_t>(n.key), 90));
                // Half the releases as note-on with velocity 0, as many programs write them.
                const bool asNoteOn = (n.key % 2) == 0;
                const auto off = static_cast<uint8_t>((asNoteOn ? midi::kNoteOn : midi::kNoteOff) | n.channel);
                events.push_back(SmfChannel(Ticks(n.beat + n.length), off, static_cast<uint8_t>(n.key), asNoteOn ? 0 : 64));
            }
            tracks.push_back(std::move(events));
        }
        if (format == 0) {
            for (size_t i = 1; i < tracks.size(); ++i) tracks[0].insert(tracks[0].end(), tracks[i].begin(), tracks[i].end());
            tracks.resize(1);
        }
        for (std::vector<SmfEvent>& events : tracks) {
            // Releases before onsets at the same tick, as a sequencer writes them.
            std::stable_sort(events.begin(), events.end(), [](const SmfEvent& a, const SmfEvent& b) {
                if (a.tick != b.tick) return a.tick < b.tick;
                return IsRelease(a) && !IsRelease(b);
            });
            file.tracks.push_back(SmfTrack{std::move(events)});
        }
        return WriteSmf(file).value_or("");
    }

private:
    static bool IsRelease(const SmfEvent& e) {
        const uint8_t kind = e.status & 0xF0;
        return e.status != midi::kMeta && (kind == midi::kNoteOff || (kind == midi::kNoteOn && e.data.size() == 2 && e.data[1] == 0));
    }
    int64_t Ticks(double beat) const { return static_cast<int64_t>(beat * tpq_ + 0.5); }

    int32_t tpq_;
    std::vector<std::vector<Placed>> parts_;
    std::vector<SmfEvent> meta_;
};

}  // namespace hq::test
