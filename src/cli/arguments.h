#pragma once
// Argument parsing that the harmoniqua-cli commands share.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace hq {

/// A decimal integer within lowest..highest (a leading + allowed), or nothing.
std::optional<int32_t> ParseInt(std::string_view text, int32_t lowest, int32_t highest);

/// An option at args[i], as "--name=value" or "--name value"; `i` moves
/// past a value taken from the next argument.
struct Option {
    std::string_view name;
    std::optional<std::string_view> value;
};
Option TakeOption(std::span<const std::string> args, size_t& i);

/// Any decimal integer, however long, held to 60..300; nothing when it is
/// not one.
std::optional<int32_t> ClampedTempo(std::string_view text);

/// A Step-panel radio button or check box (kids 2 to 57).
struct StepSelection {
    int32_t kid;
    int32_t value1;
};

/// NAME (select, or check) or NAME=on|off (check boxes only), as `select` takes it.
std::optional<StepSelection> ParseSelection(std::string_view arg);

}  // namespace hq
