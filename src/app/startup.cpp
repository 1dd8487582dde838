#include "app/startup.h"

#include <array>
#include <string_view>
#include <utility>

#include "app/chords_callback.h"
#include "app/routing.h"
#include "platform/controls.h"

namespace hq {
namespace {

// Channel 0, sound on, velocity 100, volume 64, the visible range: see the
// keyboard component for each parameter's meaning.
constexpr std::array<std::pair<int32_t, int32_t>, 7> kStartUpKeyboardParams{{
    {6, 2}, {23, 0}, {25, 100}, {26, 64}, {33, 1}, {11, 60}, {10, 3},
}};

constexpr int32_t kStartUpTempo = 180;
constexpr int32_t kStartUpNotesPerMeasure = 6;

struct WindowTypeNames {
    WindowType type;
    std::string_view diagnostic;
};

constexpr std::array<WindowTypeNames, 3> kWindowTypes{{
    {WindowType::Chords, "Chords() : Initialize : error ::: (undefined message)"},
    {WindowType::Fifths, "Fifths() : Initialize : error ::: (undefined message)"},
    {WindowType::Tmap, "Tmap() : Initialize : error ::: (undefined message)"},
}};

// The messages each window type handles itself, and the one it has the
// toolkit pass on to its callback.
constexpr std::array<std::string_view, 5> kOwnMessages{"Create", "CreateWindow", "Redrawn", "Selection",
                                                       "LastMessage"};
constexpr std::string_view kPassedOnMessage = "Callback";

// A window whose messages the toolkit does not know would never hear from
// its controls: the one diagnostic the program prints.
void CheckWindowMessages(Toolkit& toolkit) {
    bool ownUnknown = false;
    for (std::string_view name : kOwnMessages) ownUnknown = ownUnknown || toolkit.RegisterMessage(name) == 0;
    const bool passedOnUnknown = toolkit.RegisterMessage(kPassedOnMessage) == 0;
    for (const WindowTypeNames& w : kWindowTypes) {
        if (ownUnknown) toolkit.ConsoleLine(w.diagnostic);
        if (passedOnUnknown) toolkit.ConsoleLine(w.diagnostic);
    }
}

void RegisterGuiNames(Toolkit& toolkit) {
    for (const MessageName& m : kMessageNames) toolkit.RegisterMessage(m.name);
}

int32_t BuildWindow(Program& program, WindowType type, WindowCallback callback) {
    const int32_t grid = program.toolkit.CreateWindow(type);
    program.toolkit.SetCallback(grid, std::move(callback));
    program.toolkit.ShowWindow(grid);
    return grid;
}

}  // namespace

bool StartProgram(Program& program) {
    SharedState& state = program.state;
    if (state.started) return false;
    state.started = true;

    program.keyboard.Start();
    RegisterGuiNames(program.toolkit);
    CheckWindowMessages(program.toolkit);

    state.windows.chords =
        BuildWindow(program, WindowType::Chords, [&program](const ToolkitMessage& m) { ChordsWindowCallback(program, m); });
    state.windows.fifths =
        BuildWindow(program, WindowType::Fifths, [&program](const ToolkitMessage& m) { PictureWindowCallback(program, m); });
    state.windows.tmap =
        BuildWindow(program, WindowType::Tmap, [&program](const ToolkitMessage& m) { PictureWindowCallback(program, m); });

    program.toolkit.HideWindow(state.windows.fifths);
    program.toolkit.HideWindow(state.windows.tmap);
    ChordsWindowCallback(program, {state.windows.chords, kStartUpMessage, 0, 0, 0, 0, -1, state.windows.chords});
    return true;
}

void InitialiseChordsWindow(Program& program) {
    SharedState& state = program.state;
    Toolkit& toolkit = program.toolkit;
    const int32_t grid = state.windows.chords;
    for (const auto& [param, value] : kStartUpKeyboardParams) program.keyboard.KbdSetParam(param, value);

    state.play.Tempo = kStartUpTempo;
    state.play.NotesPerMeasure = kStartUpNotesPerMeasure;
    toolkit.SetPosition(grid, kid::TempoBar, 60, kStartUpTempo, kStartUpTempo, 300);
    toolkit.SetPosition(grid, kid::NotesMeasureBar, 1, kStartUpNotesPerMeasure, kStartUpNotesPerMeasure, 12);

    for (int32_t on : {kid::RC, kid::Major, kid::ArrangeClosest, kid::E7, kid::Up, kid::Down}) {
        toolkit.SetValue(grid, on, -1);
    }

    state.chord.RootPitch = 0;
    state.definition.ChordClass = chord_class::Major;
    state.play.Arrangement = arrangement::Closest;
    state.definition.Extension = 7;
    state.play.Up = 1;
    state.play.Down = 1;

    ChordsWindowCallback(program, {grid, ToNumber(Msg::Selection), -1, 0, 0, 0, kid::RC, 0});

    ResetSequencer(program);
    ResetAnalyzer(program);
    // The start-up chord is where undo ends, not a step of its own.
    state.comforts.history = ChordHistory{};
}

}  // namespace hq
