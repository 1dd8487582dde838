#include "app/chords_callback.h"

#include "app/chord_steps.h"
#include "app/routing.h"
#include "app/startup.h"
#include "platform/controls.h"
#include "theory/chord_definition.h"
#include "theory/compose_chord.h"

namespace hq {
namespace {

bool IsCommandKid(int32_t k) {
    return (k >= kid::AppendChord && k <= kid::ChordsList) || (k >= kid::SolutionsList && k <= kid::UseSolution) ||
           (k >= kid::ArrangeClosest && k <= kid::RepeatAll) || k == kid::Up || k == kid::Down ||
           k == kid::Fill;
}

void RouteCommand(Program& program, const ToolkitMessage& m) {
    if (m.kid <= kid::ChordsList) {
        SelectSequencerControl(program, m);
    } else if (m.kid <= kid::UseSolution) {
        SelectAnalyzerControl(program, m);
    } else {
        SelectPlaybackControl(program, m);
    }
}

void RouteSelection(Program& program, const ToolkitMessage& m) {
    SharedState& state = program.state;
    if (m.kid == 0) return;
    if (m.kid == kid::ExtraButton1) {
        program.toolkit.ShowWindow(state.windows.tmap);
        return;
    }
    if (m.kid == kid::ExtraButton2) {
        program.toolkit.ShowWindow(state.windows.fifths);
        return;
    }
    if (IsCommandKid(m.kid)) {
        RouteCommand(program, m);
        return;
    }
    // Step controls change the definition; every other kid (labels,
    // displays, the scroll bars, unknown numbers) only recomposes.
    if (!IsStepSelectionKid(m.kid)) {
        ComposeChord(state.definition, state.chord, program.toolkit, state.windows.chords);
        return;
    }
    AsUserStep(program, [&] {
        ApplyStepSelection(state.definition, m.kid, m.value1);
        ComposeChord(state.definition, state.chord, program.toolkit, state.windows.chords);
    });
}

void ClosePath(Program& program) {
    StopSequence(program);
    program.keyboard.KbdClose();
    program.toolkit.Quit(0);
}

}  // namespace

void ChordsWindowCallback(Program& program, const ToolkitMessage& received) {
    ToolkitMessage m = received;
    if (m.message == ToNumber(Msg::Callback)) m.message = m.extra;

    if (m.message == ToNumber(Msg::Selection)) {
        RouteSelection(program, m);
    } else if (m.message == ToNumber(Msg::CloseWindow)) {
        ClosePath(program);
    } else if (m.message == kStartUpMessage) {
        InitialiseChordsWindow(program);
    } else if (m.message == ToNumber(Msg::Change) || m.message == ToNumber(Msg::OneMore) ||
               m.message == ToNumber(Msg::OneLess)) {
        MovePlaybackBar(program, m);
    } else if (m.message == ToNumber(Msg::Update)) {
        ComposeChord(program.state.definition, program.state.chord, program.toolkit,
                     program.state.windows.chords);
    } else if (m.message == kPlayChordMessage) {
        RestartChordPlay(program);
    }
    AnnounceChord(program);
}

void PictureWindowCallback(Program& program, const ToolkitMessage& received) {
    const int32_t message = received.message == ToNumber(Msg::Callback) ? received.extra : received.message;
    if (message == ToNumber(Msg::CloseWindow)) program.toolkit.HideWindow(received.grid);
}

}  // namespace hq
