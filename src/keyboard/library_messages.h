#pragma once
// What FluidSynth, ALSA and RtMidi would print on the console goes to one
// sink instead (the keyboard window's status line).

#include <functional>
#include <set>
#include <string>

namespace hq::kbd {

/// Passes each library message once: a line that differs from an earlier
/// one only in its numbers (a channel, a key) is a repeat.
class RepeatFilter {
public:
    /// True the first time a line's wording is seen.
    bool FirstTime(const std::string& line);

private:
    std::set<std::string> seen_;
};

/// Called from any thread with one message line.
using MessageSink = std::function<void(const std::string& line)>;

/// Installs the handlers (once) and sends every later message to `sink`.
/// Without a sink the last few messages wait for the next one. Nothing
/// reaches stderr either way.
void RouteLibraryMessages(MessageSink sink);

/// For the MIDI and audio code: one message to the current sink.
void ReportLibraryMessage(const std::string& line);

}  // namespace hq::kbd
