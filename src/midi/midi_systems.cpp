#include "midi/midi_systems.h"

#include <algorithm>
#include <cctype>

#include "midi/rtmidi_ports.h"

namespace hq::kbd {
namespace {

template <typename Base>
class LabelledPort : public Base {
public:
    struct Member {
        std::string label;
        std::unique_ptr<Base> port;
    };

    LabelledPort(std::vector<Member> members, std::string ownClient)
        : members_(std::move(members)), ownClient_(std::move(ownClient)) {}

    std::vector<std::string> PortNames() override {
        std::vector<std::string> names;
        for (Member& m : members_) {
            for (const std::string& name : m.port->PortNames()) {
                if (!IsOwnPort(name, ownClient_)) names.push_back(m.label + name);
            }
        }
        return names;
    }
    bool Open(const std::string& name) override {
        Close();
        for (Member& m : members_) {
            if (!name.starts_with(m.label)) continue;
            if (!m.port->Open(name.substr(m.label.size()))) return false;
            open_ = m.port.get();
            return true;
        }
        return false;
    }
    void Close() override {
        if (open_ != nullptr) open_->Close();
        open_ = nullptr;
    }
    bool IsOpen() const override { return open_ != nullptr && open_->IsOpen(); }

protected:
    std::vector<Member> members_;
    std::string ownClient_;
    Base* open_ = nullptr;
};

class LabelledIn final : public LabelledPort<MidiInPort> {
public:
    using LabelledPort::LabelledPort;
    void SetReceiver(MidiReceiver receiver) override {
        for (Member& m : members_) m.port->SetReceiver(receiver);
    }
};

class LabelledOut final : public LabelledPort<MidiOutPort> {
public:
    using LabelledPort::LabelledPort;
    void Send(std::span<const uint8_t> message) override {
        if (open_ != nullptr) open_->Send(message);
    }
};

class EveryOutput final : public MidiOutput {
public:
    explicit EveryOutput(std::vector<std::unique_ptr<MidiOutput>> outputs) : outputs_(std::move(outputs)) {}
    void Send(std::span<const uint8_t> message) override {
        for (auto& out : outputs_) out->Send(message);
    }

private:
    std::vector<std::unique_ptr<MidiOutput>> outputs_;
};

}  // namespace

bool IsOwnPort(std::string_view port, std::string_view client) {
    if (client.empty() || !port.starts_with(client)) return false;
    const std::string_view rest = port.substr(client.size());
    if (rest.starts_with(':')) return true;
    if (!rest.starts_with('-')) return false;
    const size_t colon = rest.find(':');
    if (colon == std::string_view::npos || colon < 2) return false;
    return std::all_of(rest.begin() + 1, rest.begin() + static_cast<std::ptrdiff_t>(colon),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

MidiSystem CombineMidiSystems(std::vector<LabelledSystem> systems, const std::string& ownClient) {
    std::vector<LabelledIn::Member> ins;
    std::vector<LabelledOut::Member> outs;
    std::vector<std::unique_ptr<MidiOutput>> virtuals;
    for (LabelledSystem& s : systems) {
        if (!s.system.problem.empty()) continue;
        if (s.system.input) ins.push_back({s.label, std::move(s.system.input)});
        if (s.system.output) outs.push_back({s.label, std::move(s.system.output)});
        if (s.system.virtualOutput) virtuals.push_back(std::move(s.system.virtualOutput));
    }
    MidiSystem combined;
    if (ins.empty() && outs.empty() && virtuals.empty()) {
        combined.problem = systems.empty() || systems.front().system.problem.empty() ? kNoMidiSystem
                                                                                     : systems.front().system.problem;
        return combined;
    }
    if (!ins.empty()) combined.input = std::make_unique<LabelledIn>(std::move(ins), ownClient);
    if (!outs.empty()) combined.output = std::make_unique<LabelledOut>(std::move(outs), ownClient);
    if (!virtuals.empty()) combined.virtualOutput = std::make_unique<EveryOutput>(std::move(virtuals));
    return combined;
}

MidiSystem OpenMidiSystems(const std::string& clientName, bool jackAnswered) {
    MidiSystem alsa = OpenRtMidi(clientName);
    if (!jackAnswered) return alsa;
    std::vector<LabelledSystem> systems;
    systems.push_back({std::string(kAlsaLabel), std::move(alsa)});
    systems.push_back({std::string(kJackLabel), OpenRtMidiJack(clientName)});
    return CombineMidiSystems(std::move(systems), clientName);
}

}  // namespace hq::kbd
