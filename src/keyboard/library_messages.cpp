#include "keyboard/library_messages.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include <cstdarg>
#include <cstdio>
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

std::deque<std::string>& Backlog() {
    static std::deque<std::string> lines;
    return lines;
}

void FromFluid(int level, const char* message, void*) {
    if (message == nullptr || level > FLUID_WARN) return;
    ReportLibraryMessage(std::string("FluidSynth: ") + message);
}

void FromAlsa(const char*, int, const char*, int, const char* format, ...) {
    if (format == nullptr) return;
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    ReportLibraryMessage(std::string("ALSA: ") + text);
}

}  // namespace

void RouteLibraryMessages(MessageSink sink) {
    static std::once_flag installed;
    std::call_once(installed, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
            fluid_set_log_function(level, FromFluid, nullptr);
        }
        snd_lib_error_set_handler(FromAlsa);
    });
    std::lock_guard lock(SinkMutex());
    Sink() = std::move(sink);
    if (!Sink()) return;
    for (const std::string& line : Backlog()) Sink()(line);
    Backlog().clear();
}

void ReportLibraryMessage(const std::string& line) {
    std::lock_guard lock(SinkMutex());
    if (Sink()) {
        Sink()(line);
        return;
    }
    Backlog().push_back(line);
    if (Backlog().size() > kBacklog) Backlog().pop_front();
}

}  // namespace hq::kbd
