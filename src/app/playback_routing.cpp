#include "app/player_parts.h"
#include "app/routing.h"

namespace hq {

void SelectPlaybackControl(Program& program, const ToolkitMessage& message) {
    SelectPlayControl(PlayerPartsOf(program), message.kid, message.value1);
}

void MovePlaybackBar(Program& program, const ToolkitMessage& message) {
    const PlayerParts parts = PlayerPartsOf(program);
    if (message.message == ToNumber(Msg::Change)) {
        DragPlayBar(parts, message.kid, message.value2);
    } else if (message.message == ToNumber(Msg::OneMore)) {
        StepPlayBar(parts, message.kid, 1);
    } else if (message.message == ToNumber(Msg::OneLess)) {
        StepPlayBar(parts, message.kid, -1);
    }
}

void RestartChordPlay(Program& program) {
    const PlayerParts parts = PlayerPartsOf(program);
    StopRepeatedPlay(parts);
    StartRepeatedPlay(parts);
}

}  // namespace hq
