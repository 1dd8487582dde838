#include "keyboard/keyboard_settings.h"

#include <algorithm>
#include <charconv>

namespace hq::kbd {
namespace {

std::optional<int32_t> Number(const SettingsText& stored, const char* key, int32_t lowest, int32_t highest) {
    const auto found = stored.find(key);
    if (found == stored.end()) return std::nullopt;
    const std::string& text = found->second;
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < lowest || value > highest) {
        return std::nullopt;
    }
    return value;
}

bool Printable(const std::string& text) {
    return text.size() <= kLongestName &&
           std::none_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

}  // namespace

KeyboardSettings ReadKeyboardSettings(const SettingsText& stored) {
    KeyboardSettings settings;
    for (const NumberSetting& row : kNumberSettings) {
        if (const auto value = Number(stored, row.key, row.lowest, row.highest)) settings.*row.field = *value;
    }
    for (const TextSetting& row : kTextSettings) {
        const auto found = stored.find(row.key);
        if (found != stored.end() && Printable(found->second)) settings.*row.field = found->second;
    }
    // An empty audio output would match no item of the list.
    if (settings.audioOutput.empty()) settings.audioOutput = KeyboardSettings{}.audioOutput;
    const auto x = Number(stored, "x", -kFarthestPositionPx, kFarthestPositionPx);
    const auto y = Number(stored, "y", -kFarthestPositionPx, kFarthestPositionPx);
    if (x && y) settings.position = WindowPoint{*x, *y};
    return settings;
}

SettingsText WriteKeyboardSettings(const KeyboardSettings& settings) {
    SettingsText stored;
    for (const NumberSetting& row : kNumberSettings) stored[row.key] = std::to_string(settings.*row.field);
    for (const TextSetting& row : kTextSettings) stored[row.key] = settings.*row.field;
    if (settings.position) {
        stored["x"] = std::to_string(settings.position->x);
        stored["y"] = std::to_string(settings.position->y);
    }
    return stored;
}

std::string KeyboardSettingsPath(const char* xdgConfigHome, const char* home) {
    constexpr const char* kFile = "/harmoniqua/keyboard.conf";
    if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') return std::string(xdgConfigHome) + kFile;
    if (home != nullptr && home[0] == '/') return std::string(home) + "/.config" + kFile;
    return {};
}

}  // namespace hq::kbd
