#include "playback/note_player.h"

#include <algorithm>
#include <array>
#include <string>

#include "platform/controls.h"
#include "playback/arrangement.h"
#include "playback/step_timing.h"

namespace hq {
namespace {

// Below this the keyboard component's parameter 23 needs 33 set to 1 before
// an arpeggio; the meaning of both is the component's.
constexpr int32_t kArpeggioCheckParam = 23;
constexpr int32_t kArpeggioCheckLimit = 16;
constexpr int32_t kArpeggioSetParam = 33;

constexpr int32_t kLastBarPosition = 49;

struct FlagControl {
    int32_t kid;
    int32_t PlaySettings::*flag;
    bool restartsPlay;  // a change takes effect at once, with a fresh step list
};

constexpr std::array<FlagControl, 7> kFlagControls{{
    {kid::RepeatRoot, &PlaySettings::RepeatRoot, false},
    {kid::RepeatBass, &PlaySettings::RepeatBass, false},
    {kid::RepeatFifth, &PlaySettings::RepeatFifth, false},
    {kid::RepeatAll, &PlaySettings::RepeatAll, false},
    {kid::Up, &PlaySettings::Up, true},
    {kid::Down, &PlaySettings::Down, true},
    {kid::Fill, &PlaySettings::Fill, false},
}};

int32_t RandomBaseNow(Toolkit& toolkit) {
    const DateAndTime now = toolkit.GetDateAndTime();
    return RandomBaseOf(now.second, now.nanosecond);
}

// Stored numbers are cleared once killed, so a later stop never kills a
// number the toolkit may have handed out again.
void KillStepTimers(PlayerParts parts) {
    PlayerState& p = parts.player;
    for (int32_t* timer : {&p.ArpeggioTimer, &p.ChordTimer}) {
        if (*timer != 0) parts.toolkit.KillTimer(*timer);
        *timer = 0;
    }
}

const Placement& Row(const PlayerState& p, int32_t row) { return p.StepList[static_cast<size_t>(row)]; }

}  // namespace

std::vector<Placement> CurrentPlacements(PlayerParts parts) {
    const PitchList list = BuildPitchList(parts.chord, parts.settings);
    const int32_t randomBase =
        parts.settings.Arrangement == arrangement::Random ? RandomBaseNow(parts.toolkit) : 0;
    return ArrangeChord(list, parts.chord, parts.settings, randomBase);
}

void PlayNote(PlayerParts parts, Placement note, int32_t ticks110ms) {
    const int32_t timer = parts.toolkit.StartTimer(
        ticks110ms, kNoteTickMs,
        [parts](int32_t number, int32_t& count, int32_t, int64_t) { NoteOffTimeout(parts, number, count); });
    parts.player.NoteOffs[timer] = note;
    parts.keyboard.KbdNoteOn(note.pitchClass, note.octave);
}

void NoteOffTimeout(PlayerParts parts, int32_t timerNumber, int32_t& count) {
    if (count != 0) return;
    auto it = parts.player.NoteOffs.find(timerNumber);
    if (it == parts.player.NoteOffs.end()) return;
    const Placement note = it->second;
    parts.player.NoteOffs.erase(it);
    parts.keyboard.KbdNoteOff(note.pitchClass, note.octave);
}

void PlayChordOnce(PlayerParts parts) {
    for (const Placement& note : CurrentPlacements(parts)) PlayNote(parts, note, kPlayOnceTicks);
}

void StartRepeatedPlay(PlayerParts parts) {
    PlayerState& p = parts.player;
    const PlaySettings& s = parts.settings;
    KillStepTimers(parts);  // a start without a stop must not leave a step timer behind
    p.ArpeggioPlaying = 1;
    const std::vector<Placement> placements = p.Voiced ? *p.Voiced : CurrentPlacements(parts);
    if (parts.keyboard.KbdGetParam(kArpeggioCheckParam) < kArpeggioCheckLimit) {
        parts.keyboard.KbdSetParam(kArpeggioSetParam, 1);
    }

    p.StepList.fill({});
    const size_t rows = std::min(placements.size(), p.StepList.size());
    std::copy_n(placements.begin(), rows, p.StepList.begin());
    p.LastStep = static_cast<int32_t>(rows) - 1;

    if (s.Down != 0 && s.Up == 0) {
        p.StepDirection = -1;
        p.StepPosition = p.LastStep;
    } else {
        p.StepDirection = 1;
        p.StepPosition = 0;
    }

    if (s.Up != 0 || s.Down != 0) {
        p.ArpeggioTimer = parts.toolkit.StartTimer(
            1, kStepTickMs, [parts](int32_t, int32_t& count, int32_t, int64_t) { ArpeggioStep(parts, count); });
    } else {
        p.ChordTimer = parts.toolkit.StartTimer(
            1, kChordTickMs, [parts](int32_t, int32_t& count, int32_t, int64_t) { ChordRepeatStep(parts, count); });
    }
}

void StopRepeatedPlay(PlayerParts parts) {
    KillStepTimers(parts);
    parts.player.ArpeggioPlaying = 0;
}

void ArpeggioStep(PlayerParts parts, int32_t& count) {
    if (count >= 1) return;
    PlayerState& p = parts.player;
    const PlaySettings& s = parts.settings;
    const int32_t stepTicks = StepTicks(s.Tempo, s.NotesPerMeasure);
    const int32_t noteTicks = ArpeggioNoteTicks(stepTicks, s.Fill != 0);
    count = stepTicks;
    if (p.LastStep < 0) return;  // nothing to play, and no unfilled row either

    if (p.StepPosition > p.LastStep) {
        if (s.Down != 0) {
            p.StepPosition = p.LastStep - 1;
            p.StepDirection = -1;
        } else {
            p.StepPosition = 0;
            p.StepDirection = 1;
        }
    }
    if (p.StepPosition < 0) {
        if (s.Up != 0) {
            p.StepPosition = 1;
            p.StepDirection = 1;
        } else {
            p.StepPosition = p.LastStep;
            p.StepDirection = -1;
        }
    }
    // A one-row list turning at both ends would otherwise step onto row 1.
    p.StepPosition = std::clamp(p.StepPosition, 0, p.LastStep);

    PlayNote(parts, Row(p, p.StepPosition), noteTicks);
    p.StepPosition += p.StepDirection;
}

void ChordRepeatStep(PlayerParts parts, int32_t& count) {
    if (count >= 1) return;
    const PlayerState& p = parts.player;
    const int32_t stepTicks = StepTicks(parts.settings.Tempo, parts.settings.NotesPerMeasure);
    const int32_t noteTicks = ChordNoteTicks(stepTicks);
    count = stepTicks;
    for (int32_t row = 0; row <= p.LastStep; ++row) PlayNote(parts, Row(p, row), noteTicks);
}

void UpdatePlayDisplays(PlayerParts parts, int32_t barKid) {
    Toolkit& toolkit = parts.toolkit;
    if (barKid == kid::TempoBar) {
        const int32_t tempo = parts.settings.Tempo;
        parts.player.TempoText = std::to_string(tempo);
        toolkit.SetPosition(parts.grid, kid::TempoBar, kLowestTempo, tempo, tempo, kHighestTempo);
        toolkit.SetTextString(parts.grid, kid::TempoDisplay, parts.player.TempoText);
        toolkit.Redraw(parts.grid, kid::TempoDisplay);
    } else if (barKid == kid::NotesMeasureBar) {
        parts.player.NotesPerMeasureText = std::to_string(parts.settings.NotesPerMeasure);
        toolkit.SetTextString(parts.grid, kid::NotesMeasureDisplay, parts.player.NotesPerMeasureText);
        toolkit.Redraw(parts.grid, kid::NotesMeasureDisplay);
    }
}

void DragPlayBar(PlayerParts parts, int32_t barKid, int32_t position0to49) {
    const int32_t p = std::clamp(position0to49, 0, kLastBarPosition);
    if (barKid == kid::TempoBar) {
        parts.settings.Tempo = kLowestTempo + (kHighestTempo - kLowestTempo) * p / kLastBarPosition;
    } else if (barKid == kid::NotesMeasureBar) {
        parts.settings.NotesPerMeasure =
            kFewestNotesPerMeasure + (kMostNotesPerMeasure - kFewestNotesPerMeasure) * p / kLastBarPosition;
    } else {
        return;
    }
    UpdatePlayDisplays(parts, barKid);
}

void StepPlayBar(PlayerParts parts, int32_t barKid, int32_t step) {
    PlaySettings& s = parts.settings;
    if (barKid == kid::TempoBar) {
        if (step > 0 && s.Tempo < kHighestTempo) ++s.Tempo;
        if (step < 0 && s.Tempo > kLowestTempo) --s.Tempo;
    } else if (barKid == kid::NotesMeasureBar) {
        const int32_t before = s.NotesPerMeasure;
        if (step > 0 && s.NotesPerMeasure < kMostNotesPerMeasure) ++s.NotesPerMeasure;
        if (step < 0 && s.NotesPerMeasure > kFewestNotesPerMeasure) --s.NotesPerMeasure;
        if (s.NotesPerMeasure != before) {
            const int32_t n = s.NotesPerMeasure;
            parts.toolkit.SetPosition(parts.grid, kid::NotesMeasureBar, kFewestNotesPerMeasure, n, n,
                                      kMostNotesPerMeasure);
        }
    } else {
        return;
    }
    UpdatePlayDisplays(parts, barKid);
}

void SelectPlayControl(PlayerParts parts, int32_t kidNumber, int32_t value1) {
    if (kidNumber >= kid::ArrangeClosest && kidNumber <= kid::ArrangeRandom) {
        parts.settings.Arrangement = kidNumber - kid::ArrangeClosest;
        return;
    }
    if (kidNumber == kid::PlayOnce) {
        PlayChordOnce(parts);
        return;
    }
    if (kidNumber == kid::PlayRep) {
        if (parts.player.ArpeggioPlaying != 0) StopRepeatedPlay(parts);
        parts.player.Voiced.reset();  // REP.PLAY plays the panels' chord as arranged
        StartRepeatedPlay(parts);
        return;
    }
    if (kidNumber == kid::StopRep) {
        StopRepeatedPlay(parts);
        return;
    }
    for (const FlagControl& control : kFlagControls) {
        if (control.kid != kidNumber) continue;
        // A check box reports -1 when checked; the flag stores 1.
        parts.settings.*control.flag = value1 != 0 ? 1 : 0;
        if (control.restartsPlay && parts.player.ArpeggioPlaying != 0) {
            StopRepeatedPlay(parts);
            StartRepeatedPlay(parts);
        }
        return;
    }
}

}  // namespace hq
