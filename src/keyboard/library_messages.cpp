#include "keyboard/library_messages.h"

#include <deque>
#include <mutex>

namespace hq::kbd {
namespace {

std::mutex& SinkMutex() {
    static std::mutex mutex;
    return mutex;
}

MessageSink& Sink() {
    static MessageSink sink;
    return sink;
}

constexpr size_t kBacklog = 8;
// A library in a loop can say endless different things; past this many the
// old wordings are forgotten.
constexpr size_t kWordingsKept = 256;

RepeatFilter& Repeats() {
    static RepeatFilter filter;
    return filter;
}

std::deque<std::string>& Backlog() {
    static std::deque<std::string> lines;
    return lines;
}

}  // namespace

void RouteLibraryMessages(MessageSink sink) {
    std::lock_guard lock(SinkMutex());
    Sink() = std::move(sink);
    if (!Sink()) return;
    for (const std::string& line : Backlog()) Sink()(line);
    Backlog().clear();
}

bool RepeatFilter::FirstTime(const std::string& line) {
    std::string wording;
    for (char c : line) {
        const bool digit = c >= '0' && c <= '9';
        if (!digit) wording += c;
        else if (wording.empty() || wording.back() != '#') wording += '#';
    }
    if (seen_.size() >= kWordingsKept && !seen_.contains(wording)) seen_.clear();
    return seen_.insert(std::move(wording)).second;
}

void ReportLibraryMessage(const std::string& line) {
    std::lock_guard lock(SinkMutex());
    if (!Repeats().FirstTime(line)) return;
    if (Sink()) {
        Sink()(line);
        return;
    }
    Backlog().push_back(line);
    if (Backlog().size() > kBacklog) Backlog().pop_front();
}

}  // namespace hq::kbd
