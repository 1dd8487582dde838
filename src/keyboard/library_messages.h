#pragma once
// What the sound and MIDI libraries would print on the console goes to one
// sink instead (the keyboard window's status line); sound/ and midi/ catch
// their libraries' messages and report them here.

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

/// Sends every later message to `sink`. Without a sink the last few
/// messages wait for the next one.
void RouteLibraryMessages(MessageSink sink);

/// For the MIDI and sound code: one message to the current sink.
void ReportLibraryMessage(const std::string& line);

}  // namespace hq::kbd
