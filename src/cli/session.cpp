#include "cli/session.h"

#include "app/startup.h"
#include "platform/messages.h"
#include "theory/chord_definition.h"

namespace hq {

HeadlessSession::HeadlessSession() : keyboard([this] { return toolkit.NowMs(); }) {
    keyboard.Start();
    state.windows.chords = toolkit.CreateWindow(WindowType::Chords);
    toolkit.SetCallback(state.windows.chords, [this](const ToolkitMessage& m) {
        if (m.message == ToNumber(Msg::Selection) && IsStepSelectionKid(m.kid)) {
            SelectStepControl(state, toolkit, m.kid, m.value1);
        }
    });
    toolkit.ShowWindow(state.windows.chords);
    InitialiseChordsWindow(state, toolkit, keyboard);
}

}  // namespace hq
