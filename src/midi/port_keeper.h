#pragma once
// Keeps the MIDI port the user chose for the run: by name, so a device
// unplugged and plugged in again is found again and reconnected.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "keyboard/midi_port.h"

namespace hq::kbd {

/// The same port, allowing for the "client:port" numbers the MIDI system
/// appends, which change when a device comes back.
bool SamePort(std::string_view remembered, std::string_view listed);

class PortKeeper {
public:
    /// `port` may be null (no MIDI system); `label` starts each status, as
    /// "MIDI in". `ownPrefix` names this program's own ports, never offered.
    PortKeeper(MidiPort* port, std::string label, std::string ownPrefix);

    /// The user's choice, empty for none: the old port is closed and the new
    /// one opened if it is there.
    void Choose(const std::string& name);
    /// Looks at the ports again; true when the status changed.
    bool Poll();
    /// The port just before it closes, or just after it opens.
    void SetHooks(std::function<void()> beforeClose, std::function<void()> afterOpen);

    const std::string& Chosen() const { return chosen_; }
    bool Connected() const { return port_ != nullptr && port_->IsOpen() && !openName_.empty(); }
    /// The ports offered to the user, as last listed.
    const std::vector<std::string>& Offered() const { return offered_; }
    /// Empty when nothing is chosen.
    const std::string& Status() const { return status_; }

private:
    void List();
    void CloseOpen();
    bool TryOpen();
    void SetStatus(std::string status, bool& changed);

    MidiPort* port_;
    std::string label_;
    std::string ownPrefix_;
    std::string chosen_;
    std::string openName_;
    std::vector<std::string> offered_;
    std::string status_;
    std::function<void()> beforeClose_;
    std::function<void()> afterOpen_;
};

}  // namespace hq::kbd
