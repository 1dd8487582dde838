#pragma once
// MIDI ports behind small interfaces: the keyboard sends and receives raw
// MIDI messages and never sees the MIDI system.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace hq::kbd {

class MidiOutput {
public:
    virtual ~MidiOutput() = default;
    /// One complete channel message (status byte first).
    virtual void Send(std::span<const uint8_t> message) = 0;
};

/// A port of the MIDI system that is opened by name.
class MidiPort {
public:
    virtual ~MidiPort() = default;
    /// The ports there are now, as the MIDI system names them.
    virtual std::vector<std::string> PortNames() = 0;
    /// `name` as PortNames gives it; false when it cannot be opened.
    virtual bool Open(const std::string& name) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
};

class MidiOutPort : public MidiPort, public MidiOutput {};

/// Receives one message; called on the MIDI system's own thread.
using MidiReceiver = std::function<void(std::span<const uint8_t> message)>;

class MidiInPort : public MidiPort {
public:
    /// Set before Open; it stays in force for every port opened later.
    virtual void SetReceiver(MidiReceiver receiver) = 0;
};

/// What the MIDI system offers; with no system, every pointer is null and
/// `problem` says why.
struct MidiSystem {
    std::unique_ptr<MidiInPort> input;
    std::unique_ptr<MidiOutPort> output;
    /// The port other programs connect to; it is always open.
    std::unique_ptr<MidiOutput> virtualOutput;
    std::string problem;
};

}  // namespace hq::kbd
