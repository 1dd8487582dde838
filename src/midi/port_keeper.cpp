#include "midi/port_keeper.h"

#include <algorithm>
#include <cctype>

namespace hq::kbd {
namespace {

// "Name 20:0" → "Name"; a name without the numbers stays as it is.
std::string_view WithoutAddress(std::string_view name) {
    const size_t space = name.rfind(' ');
    if (space == std::string_view::npos) return name;
    const std::string_view tail = name.substr(space + 1);
    const size_t colon = tail.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon + 1 == tail.size()) return name;
    const auto digits = [](std::string_view s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
    };
    if (!digits(tail.substr(0, colon)) || !digits(tail.substr(colon + 1))) return name;
    return name.substr(0, space);
}

// An ALSA port chosen while ALSA was listed alone is the same port under
// its label beside JACK, and the other way round.
std::string_view WithoutAlsaLabel(std::string_view name) {
    constexpr std::string_view kLabel = "ALSA: ";
    return name.starts_with(kLabel) ? name.substr(kLabel.size()) : name;
}

}  // namespace

bool SamePort(std::string_view remembered, std::string_view listed) {
    if (remembered.empty() || listed.empty()) return false;
    remembered = WithoutAlsaLabel(remembered);
    listed = WithoutAlsaLabel(listed);
    return remembered == listed || WithoutAddress(remembered) == WithoutAddress(listed);
}

PortKeeper::PortKeeper(MidiPort* port, std::string label, std::string ownPrefix)
    : port_(port), label_(std::move(label)), ownPrefix_(std::move(ownPrefix)) {
    List();
}

void PortKeeper::SetHooks(std::function<void()> beforeClose, std::function<void()> afterOpen) {
    beforeClose_ = std::move(beforeClose);
    afterOpen_ = std::move(afterOpen);
}

void PortKeeper::List() {
    offered_.clear();
    if (port_ == nullptr) return;
    for (std::string& name : port_->PortNames()) {
        if (!ownPrefix_.empty() && name.starts_with(ownPrefix_)) continue;
        offered_.push_back(std::move(name));
    }
}

void PortKeeper::CloseOpen() {
    if (openName_.empty() || port_ == nullptr) return;
    if (beforeClose_) beforeClose_();
    port_->Close();
    openName_.clear();
}

bool PortKeeper::TryOpen() {
    const auto found = std::find_if(offered_.begin(), offered_.end(),
                                    [this](const std::string& n) { return SamePort(chosen_, n); });
    if (found == offered_.end() || !port_->Open(*found)) return false;
    openName_ = *found;
    if (afterOpen_) afterOpen_();
    return true;
}

void PortKeeper::SetStatus(std::string status, bool& changed) {
    if (status == status_) return;
    status_ = std::move(status);
    changed = true;
}

void PortKeeper::Choose(const std::string& name) {
    bool changed = false;
    CloseOpen();
    chosen_ = name;
    if (chosen_.empty() || port_ == nullptr) {
        SetStatus({}, changed);
        return;
    }
    List();
    if (TryOpen()) {
        SetStatus(label_ + ": " + chosen_, changed);
    } else {
        SetStatus(label_ + ": " + chosen_ + " is not there; it connects when it comes", changed);
    }
}

bool PortKeeper::Poll() {
    if (port_ == nullptr) return false;
    bool changed = false;
    List();
    if (chosen_.empty()) return false;
    const bool present = std::any_of(offered_.begin(), offered_.end(),
                                     [this](const std::string& n) { return SamePort(openName_.empty() ? chosen_ : openName_, n); });
    if (!openName_.empty() && !present) {
        CloseOpen();
        SetStatus(label_ + ": " + chosen_ + " is gone; it reconnects when it comes back", changed);
    } else if (openName_.empty() && TryOpen()) {
        SetStatus(label_ + ": " + chosen_ + " reconnected", changed);
    }
    return changed;
}

}  // namespace hq::kbd
