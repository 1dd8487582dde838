#pragma once
// What the keyboard window remembers between runs, as plain values, and how
// stored text becomes those values: each one on its own, a missing, damaged
// or out-of-range value giving that value's default and nothing else.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace hq::kbd {

struct WindowPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const WindowPoint&) const = default;
};

struct KeyboardSettings {
    int32_t instrument0to127 = 0;
    int32_t volumePercent = 40;
    /// The audio output as the window's list names it.
    std::string audioOutput = "Automatic";
    /// MIDI ports by name; empty for none.
    std::string midiIn;
    std::string midiOut;
    /// "Play each chord" (1) or not (0); the note names, None 0, C only 1, All 2.
    int32_t playEachChord = 0;
    int32_t noteNames = 1;
    /// "Voice-led sequence" (1) or not (0).
    int32_t voiceLed = 0;
    /// The window's top left corner; none: placed beside the main window.
    std::optional<WindowPoint> position;
    bool operator==(const KeyboardSettings&) const = default;
};

/// Stored values by key, as text.
using SettingsText = std::map<std::string, std::string>;

struct NumberSetting {
    const char* key;
    int32_t KeyboardSettings::*field;
    int32_t lowest;
    int32_t highest;
};
struct TextSetting {
    const char* key;
    std::string KeyboardSettings::*field;
};

// A new remembered choice of the window is one row in one of these tables.
inline constexpr std::array<NumberSetting, 5> kNumberSettings{{
    {"instrument", &KeyboardSettings::instrument0to127, 0, 127},
    {"volume", &KeyboardSettings::volumePercent, 0, 100},
    {"playEachChord", &KeyboardSettings::playEachChord, 0, 1},
    {"noteNames", &KeyboardSettings::noteNames, 0, 2},
    {"voiceLed", &KeyboardSettings::voiceLed, 0, 1},
}};
inline constexpr std::array<TextSetting, 3> kTextSettings{{
    {"audio", &KeyboardSettings::audioOutput},
    {"midiIn", &KeyboardSettings::midiIn},
    {"midiOut", &KeyboardSettings::midiOut},
}};
/// Farther from the screen origin than this, a position is taken as damage.
inline constexpr int32_t kFarthestPositionPx = 100000;
/// A stored name longer than this, or with control characters, is damage.
inline constexpr size_t kLongestName = 512;

KeyboardSettings ReadKeyboardSettings(const SettingsText& stored);
SettingsText WriteKeyboardSettings(const KeyboardSettings& settings);

/// $XDG_CONFIG_HOME/harmoniqua/keyboard.conf, or ~/.config/... when it is
/// unset, empty or relative; empty when neither it nor `home` is usable.
std::string KeyboardSettingsPath(const char* xdgConfigHome, const char* home);

}  // namespace hq::kbd
