#pragma once
// A synthesiser and MIDI ports that only remember what they were asked, for
// testing the keyboard without a sound card or a MIDI system.

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "keyboard/library_messages.h"
#include "keyboard/midi_port.h"
#include "keyboard/synth.h"

namespace hq::kbd::testing {

class FakeSynth final : public AudioSynth {
public:
    struct Event {
        char kind;  // 'n' note-on, 'f' note-off, 'c' controller, 'p' program, 'b' bend, 'r' bend range, 'v' volume,
                    // 'u' channel released
        int32_t channel;
        int32_t a;
        int32_t b;
        bool operator==(const Event&) const = default;
    };

    void NoteOn(int32_t channel, int32_t key, int32_t velocity) override {
        events.push_back({'n', channel, key, velocity});
        ++noteOns;
        sounding.insert({channel, key});
    }
    void NoteOff(int32_t channel, int32_t key) override {
        events.push_back({'f', channel, key, 0});
        ++noteOffs;
        sounding.erase({channel, key});
    }
    void ControlChange(int32_t channel, int32_t controller, int32_t value) override {
        events.push_back({'c', channel, controller, value});
        if (controller == 123) {
            std::erase_if(sounding, [channel](const auto& note) { return note.first == channel; });
        }
    }
    void ProgramChange(int32_t channel, int32_t program) override { events.push_back({'p', channel, program, 0}); }
    void ReleaseChannel(int32_t channel) override { events.push_back({'u', channel, 0, 0}); }
    void PitchBend(int32_t channel, int32_t value) override { events.push_back({'b', channel, value, 0}); }
    void PitchBendRange(int32_t channel, int32_t semitones) override { events.push_back({'r', channel, semitones, 0}); }
    void SetVolume(int32_t percent) override { events.push_back({'v', 0, percent, 0}); }
    void StartAudio(AudioChoice choice, StatusReport report) override {
        audioChoices.push_back(choice);
        const auto failure = failures.find(choice);
        running = choice != AudioChoice::None && failure == failures.end();
        // As a real library does: its own complaint first, then the status.
        if (failure != failures.end()) ReportLibraryMessage(failure->second);
        if (!report) return;
        if (failure != failures.end()) return report("No audio output: " + failure->second);
        report(running ? "Sound: fake" : "No audio output: turned off");
    }
    void StopAudio() override { running = false; }
    bool AudioOpen() const override { return running; }

    /// The last event of a kind, or a zero event.
    Event Last(char kind) const {
        const auto it = std::find_if(events.rbegin(), events.rend(), [kind](const Event& e) { return e.kind == kind; });
        return it == events.rend() ? Event{0, 0, 0, 0} : *it;
    }

    std::vector<Event> events;
    std::set<std::pair<int32_t, int32_t>> sounding;
    int32_t noteOns = 0;
    int32_t noteOffs = 0;
    std::vector<AudioChoice> audioChoices;
    std::map<AudioChoice, std::string> failures;  // outputs that do not open, with what the library says
    bool running = false;
};

class FakeMidiOut final : public MidiOutput {
public:
    void Send(std::span<const uint8_t> message) override { sent.emplace_back(message.begin(), message.end()); }
    std::vector<std::vector<uint8_t>> sent;
};

/// Ports come and go as the test lists them in `present`.
template <typename Base>
class FakePort : public Base {
public:
    std::vector<std::string> PortNames() override { return present; }
    bool Open(const std::string& name) override {
        if (std::find(present.begin(), present.end(), name) == present.end()) return false;
        open = name;
        opens.push_back(name);
        return true;
    }
    void Close() override { open.clear(); }
    bool IsOpen() const override { return !open.empty(); }

    std::vector<std::string> present;
    std::string open;
    std::vector<std::string> opens;
};

class FakeOutPort final : public FakePort<MidiOutPort> {
public:
    void Send(std::span<const uint8_t> message) override {
        if (IsOpen()) sent.emplace_back(message.begin(), message.end());
    }
    std::vector<std::vector<uint8_t>> sent;
};

class FakeInPort final : public FakePort<MidiInPort> {
public:
    void SetReceiver(MidiReceiver r) override { receiver = std::move(r); }
    /// As the MIDI system would deliver it, if the port is open.
    void Play(std::vector<uint8_t> message) {
        if (IsOpen() && receiver) receiver(message);
    }
    MidiReceiver receiver;
};

}  // namespace hq::kbd::testing
