#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace hq {

/// A key of the keyboard component.
struct HeldKey {
    int32_t pitchClass;  // 0..11
    int32_t octave;      // -1..10; the capture reads only 1..7
};

/// "C4", "Eb4", "F#3" (a capital A-G, an optional b or #, an octave digit;
/// "Cb4" is B3) or a MIDI note number 0..127 (60 is C4); nothing otherwise.
std::optional<HeldKey> ParseHeldKey(std::string_view text);

/// `harmoniqua-cli analyze NOTE... [--use N]`: holds the notes, presses
/// "Capture & Solve" and prints the solutions as JSON; with --use, selects
/// line N of the solutions list, presses "Use this solution" and adds the
/// composed chord. "ranked" lists the names of the capture best first; with
/// --use-ranked N, entry N is taken into the panels and shown as "used"
/// (null when there is no entry N). Returns 2 for a bad argument, 0 otherwise.
int AnalyzeCommand(std::span<const std::string> args, std::string& out, std::string& err);

}  // namespace hq
