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

/// What ParseSelection refused, with the control meant where one is near:
/// "major (did you mean Major?)", "Minor=on (a radio button is named alone: Minor)".
std::string DescribeBadSelection(std::string_view arg);

/// --voicing's value: "stored" (false, each record in its own arrangement)
/// or "smooth" (true, voice-led); nothing for any other.
std::optional<bool> VoiceLedOf(std::string_view voicing);
inline constexpr std::string_view kBadVoicing = "bad value for --voicing (stored or smooth)";

/// "unknown option: --bogus" for "--bogus" or "--bogus=1".
std::string UnknownOption(std::string_view arg);

/// The system's reason why `path` cannot be opened for reading ("No such
/// file or directory"), or nothing when it opens.
std::optional<std::string> WhyUnopenable(const std::string& path);

/// Writes "harmoniqua-cli COMMAND: FILE: REASON" when `path` cannot be
/// opened and says so; the command then exits 1.
bool ReportUnopenable(std::string_view command, const std::string& path, std::string& err);

}  // namespace hq
