#include "midi/rtmidi_ports.h"

#include <alsa/asoundlib.h>
#include <rtmidi/RtMidi.h>

#include <iostream>
#include <mutex>
#include <sstream>

#include "keyboard/library_messages.h"

namespace hq::kbd {
namespace {

void ToStatus(RtMidiError::Type, const std::string& text, void*) { ReportLibraryMessage("RtMidi: " + text); }

template <typename Port>
std::vector<std::string> NamesOf(Port& port) {
    std::vector<std::string> names;
    try {
        const unsigned count = port.getPortCount();
        for (unsigned i = 0; i < count; ++i) names.push_back(port.getPortName(i));
    } catch (const RtMidiError& e) {
        ReportLibraryMessage("RtMidi: " + e.getMessage());
    }
    return names;
}

template <typename Port>
bool OpenByName(Port& port, const std::string& name, const std::string& ownPortName) {
    try {
        if (port.isPortOpen()) port.closePort();
        const unsigned count = port.getPortCount();
        for (unsigned i = 0; i < count; ++i) {
            if (port.getPortName(i) != name) continue;
            port.openPort(i, ownPortName);
            return port.isPortOpen();
        }
    } catch (const RtMidiError& e) {
        ReportLibraryMessage("RtMidi: " + e.getMessage());
    }
    return false;
}

struct RtPortNames {
    std::string in;
    std::string out;
    std::string virtualOut;
};

void SendOn(RtMidiOut& port, std::span<const uint8_t> message) {
    if (message.empty()) return;
    try {
        port.sendMessage(message.data(), message.size());
    } catch (const RtMidiError& e) {
        ReportLibraryMessage("RtMidi: " + e.getMessage());
    }
}

// What an input and an output port share: opening and closing by name.
template <typename Rt, typename Base>
class RtPort : public Base {
public:
    RtPort(std::unique_ptr<Rt> port, std::string ownPortName)
        : port_(std::move(port)), ownPortName_(std::move(ownPortName)) {}
    std::vector<std::string> PortNames() override { return NamesOf(*port_); }
    bool Open(const std::string& name) override { return OpenByName(*port_, name, ownPortName_); }
    void Close() override {
        try {
            port_->closePort();
        } catch (const RtMidiError& e) {
            ReportLibraryMessage("RtMidi: " + e.getMessage());
        }
    }
    bool IsOpen() const override { return port_->isPortOpen(); }

protected:
    std::unique_ptr<Rt> port_;
    std::string ownPortName_;
};

class RtOutPort final : public RtPort<RtMidiOut, MidiOutPort> {
public:
    using RtPort::RtPort;
    void Send(std::span<const uint8_t> message) override {
        if (port_->isPortOpen()) SendOn(*port_, message);
    }
};

class RtVirtualOut final : public MidiOutput {
public:
    explicit RtVirtualOut(std::unique_ptr<RtMidiOut> port) : port_(std::move(port)) {}
    void Send(std::span<const uint8_t> message) override { SendOn(*port_, message); }

private:
    std::unique_ptr<RtMidiOut> port_;
};

class RtInPort final : public RtPort<RtMidiIn, MidiInPort> {
public:
    RtInPort(std::unique_ptr<RtMidiIn> port, std::string ownPortName) : RtPort(std::move(port), std::move(ownPortName)) {
        port_->ignoreTypes(true, true, true);
        port_->setCallback(&RtInPort::Received, this);
    }
    ~RtInPort() override {
        Close();
        port_->cancelCallback();
    }
    void SetReceiver(MidiReceiver receiver) override {
        std::lock_guard lock(mutex_);
        receiver_ = std::move(receiver);
    }

private:
    static void Received(double, std::vector<unsigned char>* message, void* self) {
        if (message == nullptr || self == nullptr) return;
        auto* in = static_cast<RtInPort*>(self);
        std::lock_guard lock(in->mutex_);
        if (in->receiver_) in->receiver_(std::span<const uint8_t>(message->data(), message->size()));
    }

    std::mutex mutex_;
    MidiReceiver receiver_;
};

// RtMidi writes a failing constructor's reason on std::cerr before it
// throws; while one runs, the text is caught for the status line instead.
class CaughtConsole {
public:
    CaughtConsole() : saved_(std::cerr.rdbuf(text_.rdbuf())) {}
    ~CaughtConsole() {
        std::cerr.rdbuf(saved_);
        std::string line;
        while (std::getline(text_, line)) {
            if (!line.empty()) ReportLibraryMessage("RtMidi: " + line);
        }
    }
    CaughtConsole(const CaughtConsole&) = delete;
    CaughtConsole& operator=(const CaughtConsole&) = delete;

private:
    std::stringstream text_;
    std::streambuf* saved_;
};

// Asked first, so that RtMidi is only built where it can work.
bool SequencerOpens() {
    snd_seq_t* sequencer = nullptr;
    if (snd_seq_open(&sequencer, "default", SND_SEQ_OPEN_DUPLEX, 0) < 0) return false;
    snd_seq_close(sequencer);
    return true;
}

// One API's ports: `names` gives the port names this program's ports carry.
MidiSystem OpenApi(RtMidi::Api api, const std::string& clientName, const RtPortNames& names) {
    MidiSystem system;
    const CaughtConsole quiet;
    try {
        // The virtual port first: on JACK, its client takes the plain name.
        auto virtualOut = std::make_unique<RtMidiOut>(api, clientName);
        virtualOut->setErrorCallback(ToStatus);
        virtualOut->openVirtualPort(names.virtualOut);
        auto in = std::make_unique<RtMidiIn>(api, clientName);
        in->setErrorCallback(ToStatus);
        auto out = std::make_unique<RtMidiOut>(api, clientName);
        out->setErrorCallback(ToStatus);
        system.input = std::make_unique<RtInPort>(std::move(in), names.in);
        system.output = std::make_unique<RtOutPort>(std::move(out), names.out);
        system.virtualOutput = std::make_unique<RtVirtualOut>(std::move(virtualOut));
    } catch (const RtMidiError&) {
        // Its text is already on its way to the status line.
        system = MidiSystem{};
        system.problem = kNoMidiSystem;
    }
    return system;
}

}  // namespace

MidiSystem OpenRtMidi(const std::string& clientName) {
    if (!SequencerOpens()) {
        MidiSystem system;
        system.problem = kNoMidiSystem;
        return system;
    }
    return OpenApi(RtMidi::LINUX_ALSA, clientName, {clientName, clientName, clientName});
}

MidiSystem OpenRtMidiJack(const std::string& clientName) {
    return OpenApi(RtMidi::UNIX_JACK, clientName, {"in", "out", "out"});
}

}  // namespace hq::kbd
