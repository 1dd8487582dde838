#pragma once
// Whether a JACK server runs, asked without starting one. libjack's own
// messages never reach the console: before a server has answered they are
// dropped, afterwards its errors go to the status line.

#include <string>

namespace hq::kbd {

/// Opens and closes a client named `clientName` if a server is there.
bool JackServerAnswers(const std::string& clientName);

}  // namespace hq::kbd
