#include "sequencer/sequence_player.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "platform/controls.h"
#include "playback/step_timing.h"
#include "theory/compose_chord.h"

namespace hq {
namespace {

constexpr uint32_t kEightBeatsMs = 480000;
constexpr int32_t kStoppedNotesPerMeasure = 6;

constexpr std::array<int32_t, 4> kCheckedAtStop{kid::RC, kid::Major, kid::E7, kid::ArrangeClosest};
constexpr std::array<int32_t, 7> kClearedAtStop{kid::RepeatRoot, kid::RepeatBass, kid::RepeatFifth, kid::RepeatAll,
                                                 kid::Up,         kid::Down,       kid::Fill};
constexpr std::array<int32_t PlaySettings::*, 7> kFlagsClearedAtStop{
    &PlaySettings::RepeatRoot, &PlaySettings::RepeatBass, &PlaySettings::RepeatFifth, &PlaySettings::RepeatAll,
    &PlaySettings::Up,         &PlaySettings::Down,       &PlaySettings::Fill};

// The list may have been edited or replaced since the position was set.
bool BringPositionIntoList(SequencePlay& play, const ChordSequence& sequence) {
    if (sequence.SequenceCount <= 0 || sequence.Records.size() < static_cast<size_t>(sequence.SequenceCount)) {
        return false;
    }
    if (play.SequencePosition < 0 || play.SequencePosition >= sequence.SequenceCount) play.SequencePosition = 0;
    return true;
}

bool DecodeAt(SequencerParts& parts, int32_t position) {
    const ChordRecord& row = parts.sequencer.sequence.Records[static_cast<size_t>(position)];
    if (DecodeChordRecord(row, {parts.definition, parts.chord, parts.player.settings})) return true;
    parts.player.toolkit.Alert(kCorruptedRecordAlert);
    return false;
}

void Advance(SequencePlay& play, const ChordSequence& sequence) {
    ++play.SequencePosition;
    if (play.SequencePosition >= sequence.SequenceCount) play.SequencePosition = 0;
}

void TellComposed(const SequencerParts& parts) {
    if (parts.sequencer.play.ChordComposed) parts.sequencer.play.ChordComposed(parts.chord);
}

// Voice-led, the record about to play takes its voicing; the whole list is
// voiced again only when it differs from the one last voiced.
void TakeVoicing(SequencerParts& parts, int32_t position) {
    SequencePlay& play = parts.sequencer.play;
    std::optional<std::vector<Placement>>& voiced = parts.player.player.Voiced;
    if (!play.VoiceLed) {
        voiced.reset();
        return;
    }
    const std::span<const ChordRecord> listed(parts.sequencer.sequence.Records.data(),
                                              static_cast<size_t>(parts.sequencer.sequence.SequenceCount));
    if (!std::ranges::equal(listed, play.VoicedRecords)) {
        play.VoicedRecords.assign(listed.begin(), listed.end());
        play.Voicings = VoiceSequence(ComposeRecords(listed));
    }
    voiced = PlayOrderPlacements(play.Voicings[static_cast<size_t>(position)]);
}

void TellPlayed(const SequencerParts& parts, int32_t position) {
    const SequencePlay& play = parts.sequencer.play;
    const PlayerState& player = parts.player.player;
    if (!play.RecordPlayed || player.ArpeggioPlaying == 0) return;
    const auto rows = static_cast<std::ptrdiff_t>(player.LastStep + 1);
    play.RecordPlayed(position, std::vector<Placement>(player.StepList.begin(), player.StepList.begin() + rows));
}

void ForgetVoicings(SequencerParts& parts) {
    parts.sequencer.play.Voicings.clear();
    parts.sequencer.play.VoicedRecords.clear();
    parts.player.player.Voiced.reset();
}

void ResetAfterPlay(SequencerParts& parts) {
    PlaySettings& settings = parts.player.settings;
    Toolkit& toolkit = parts.player.toolkit;
    const int32_t grid = parts.player.grid;

    settings.Tempo = parts.sequencer.play.SavedTempo;
    settings.NotesPerMeasure = kStoppedNotesPerMeasure;
    UpdatePlayDisplays(parts.player, kid::TempoBar);
    parts.player.player.NotesPerMeasureText = std::to_string(settings.NotesPerMeasure);
    toolkit.SetPosition(grid, kid::NotesMeasureBar, kFewestNotesPerMeasure, settings.NotesPerMeasure,
                        settings.NotesPerMeasure, kMostNotesPerMeasure);
    toolkit.SetTextString(grid, kid::NotesMeasureDisplay, parts.player.player.NotesPerMeasureText);
    toolkit.Redraw(grid, kid::NotesMeasureDisplay);

    for (int32_t k : kCheckedAtStop) toolkit.SetValue(grid, k, -1);
    for (int32_t k : kClearedAtStop) toolkit.SetValue(grid, k, 0);

    parts.definition.ChordClass = chord_class::Major;
    parts.definition.Extension = 7;
    settings.Arrangement = arrangement::Closest;
    for (int32_t PlaySettings::*flag : kFlagsClearedAtStop) settings.*flag = 0;

    ApplyStepSelection(parts.definition, kid::RC, -1);
    ComposeChord(parts.definition, parts.chord, toolkit, grid);
}

}  // namespace

std::vector<ComposedChord> ComposeRecords(std::span<const ChordRecord> records) {
    std::vector<ComposedChord> chords;
    chords.reserve(records.size());
    for (const ChordRecord& row : records) {
        ChordDefinition definition;
        ComposedChord stored;
        PlaySettings play;
        DecodeChordRecord(row, {definition, stored, play});
        chords.push_back(Compose(definition).chord);
    }
    return chords;
}

uint32_t ChordPeriodMs(int32_t tempo) {
    return kEightBeatsMs / static_cast<uint32_t>(std::clamp(tempo, kLowestTempo, kHighestTempo));
}

void PlaySequence(SequencerParts parts) {
    SequencePlay& play = parts.sequencer.play;
    const ChordSequence& sequence = parts.sequencer.sequence;
    if (play.SequencePlaying != 0 || parts.player.player.ArpeggioPlaying != 0) StopSequence(parts);
    if (sequence.SequenceCount <= 0) {
        parts.player.toolkit.Alert(kNoSequenceAlert);
        return;
    }
    play.ChordPeriodMs = ChordPeriodMs(parts.player.settings.Tempo);
    play.SavedTempo = parts.player.settings.Tempo;
    play.SequencePosition = 0;
    play.SequencePlaying = 1;
    ForgetVoicings(parts);
    if (!BringPositionIntoList(play, sequence) || !DecodeAt(parts, 0)) return;
    ComposeChord(parts.definition, parts.chord, parts.player.toolkit, parts.player.grid);
    TellComposed(parts);
    TakeVoicing(parts, 0);
    StartRepeatedPlay(parts.player);
    TellPlayed(parts, 0);
    Advance(play, sequence);
    play.SequenceTimer = parts.player.toolkit.StartRepeatingTimer(
        static_cast<int32_t>(play.ChordPeriodMs),
        [parts](int32_t, int32_t&, int32_t, int64_t) { SequenceTick(parts); });
}

void SequenceTick(SequencerParts parts) {
    SequencePlay& play = parts.sequencer.play;
    const ChordSequence& sequence = parts.sequencer.sequence;
    // A modal alert of the tick before lets the toolkit run timers meanwhile;
    // that tick is not finished, so this one is dropped.
    if (play.InTick || !BringPositionIntoList(play, sequence)) return;
    play.InTick = true;
    const int32_t position = play.SequencePosition;
    if (DecodeAt(parts, position)) {
        const int32_t grid = parts.player.grid;
        parts.callback({grid, ToNumber(Msg::Update), 0, 0, 0, 0, 0, 0});
        TellComposed(parts);
        // Closing the window from inside an alert of Update has stopped
        // everything; nothing may start again.
        if (play.SequenceTimer != 0) {
            TakeVoicing(parts, position);
            parts.callback({grid, kPlayChordMessage, 0, 0, 0, 0, 0, 0});
            TellPlayed(parts, position);
            Advance(play, sequence);
        }
    }
    play.InTick = false;
}

void StopSequence(SequencerParts parts) {
    SequencePlay& play = parts.sequencer.play;
    StopRepeatedPlay(parts.player);
    if (play.SequenceTimer != 0) parts.player.toolkit.KillTimer(play.SequenceTimer);
    play.SequenceTimer = 0;
    parts.player.keyboard.KbdAllNotesOff();
    ForgetVoicings(parts);
    if (play.SequencePlaying != 0) ResetAfterPlay(parts);
    play.SequencePlaying = 0;
}

}  // namespace hq
