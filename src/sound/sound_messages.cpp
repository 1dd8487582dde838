#include "sound/sound_messages.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string>

#include "keyboard/library_messages.h"

namespace hq::kbd {
namespace {

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

void CatchSoundLibraryMessages() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
            fluid_set_log_function(level, FromFluid, nullptr);
        }
        snd_lib_error_set_handler(FromAlsa);
    });
}

}  // namespace hq::kbd
