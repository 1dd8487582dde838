#include "sound/jack_probe.h"

#include <jack/jack.h>

#include <atomic>
#include <mutex>

#include "keyboard/library_messages.h"

namespace hq::kbd {
namespace {

// With no server, libjack's complaints say only that: nobody needs them.
std::atomic<bool> g_serverAnswered = false;

void FromJack(const char* text) {
    if (text != nullptr && g_serverAnswered) ReportLibraryMessage(std::string("JACK: ") + text);
}

void DropJackInfo(const char*) {}

}  // namespace

bool JackServerAnswers(const std::string& clientName) {
    static std::once_flag installed;
    std::call_once(installed, [] {
        jack_set_error_function(FromJack);
        jack_set_info_function(DropJackInfo);
    });
    jack_status_t status{};
    jack_client_t* client = jack_client_open(clientName.c_str(), JackNoStartServer, &status);
    if (client == nullptr) return false;
    jack_client_close(client);
    g_serverAnswered = true;
    return true;
}

}  // namespace hq::kbd
