#include "headless/session.h"

#include "app/startup.h"

namespace hq {

HeadlessSession::HeadlessSession() : keyboard([this] { return toolkit.NowMs(); }) { StartProgram(program); }

HeadlessSession::HeadlessSession(DateAndTime clockStart)
    : toolkit(clockStart), keyboard([this] { return toolkit.NowMs(); }) {
    StartProgram(program);
}

}  // namespace hq
