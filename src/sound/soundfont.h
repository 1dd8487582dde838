#pragma once
// Where the General MIDI soundfont is looked for.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hq::kbd {

/// Best first: each name is looked for in every folder before the next name.
inline constexpr std::array<std::string_view, 3> kSoundfontNames{"FluidR3_GM.sf2", "TimGM6mb.sf2", "default-GM.sf2"};

/// What the keyboard window says when FindSoundfont finds nothing.
inline constexpr std::string_view kNoSoundfontMessage = "no General MIDI soundfont found (install fluid-soundfont-gm)";

/// The system's soundfont folders, then `programFolder` (may be empty).
std::vector<std::string> SoundfontFolders(const std::string& programFolder);

/// The first soundfont that exists as a regular file, or nothing.
std::optional<std::string> FindSoundfont(const std::vector<std::string>& folders);

}  // namespace hq::kbd
