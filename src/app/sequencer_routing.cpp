#include "app/chord_steps.h"
#include "app/chords_callback.h"
#include "app/list_loading.h"
#include "app/player_parts.h"
#include "app/routing.h"
#include "platform/controls.h"
#include "sequencer/chord_list.h"
#include "sequencer/export.h"
#include "sequencer/sequence_file.h"
#include "sequencer/sequence_player.h"

namespace hq {
namespace {

SequencerParts SequencerPartsOf(Program& program) {
    SharedState& s = program.state;
    return {s.sequencer, s.definition, s.chord, PlayerPartsOf(program),
            [&program](const ToolkitMessage& m) { ChordsWindowCallback(program, m); }};
}

ChordRecord CurrentRecord(const SharedState& s) { return EncodeChordRecord(s.definition, s.chord, s.play); }

// The note timers would end their notes after the keyboard is closed; each
// note gets its note-off now instead.
void EndSoundingNotes(Program& program) {
    PlayerState& player = program.state.player;
    for (const auto& [timer, note] : player.NoteOffs) {
        program.toolkit.KillTimer(timer);
        program.keyboard.KbdNoteOff(note.pitchClass, note.octave);
    }
    player.NoteOffs.clear();
}

// The whole play, from PLAY to STOP, is one step from the chord the panels
// held before it.
void EndPlayStep(Program& program) {
    SharedState& s = program.state;
    if (s.sequencer.play.SequencePlaying != 0 || !s.comforts.beforePlay) return;
    RecordChordStep(s.comforts.history, *s.comforts.beforePlay, s.definition);
    s.comforts.beforePlay.reset();
}

void PlayAsOneStep(Program& program) {
    SharedState& s = program.state;
    if (!s.comforts.beforePlay) s.comforts.beforePlay = s.definition;
    PlaySequence(SequencerPartsOf(program));
    EndPlayStep(program);
}

}  // namespace

void SelectSequencerControl(Program& program, const ToolkitMessage& message) {
    SharedState& s = program.state;
    ChordSequence& sequence = s.sequencer.sequence;
    Toolkit& toolkit = program.toolkit;
    const int32_t grid = s.windows.chords;
    switch (message.kid) {
        case kid::AppendChord:
            AsListStep(program, [&] {
                RefreshChordsList(sequence, AppendChord(sequence, CurrentRecord(s)), toolkit, grid);
            });
            break;
        case kid::InsertChord:
            AsListStep(program, [&] {
                RefreshChordsList(sequence, InsertChord(sequence, CurrentRecord(s)), toolkit, grid);
            });
            break;
        case kid::RemoveChord:
            AsListStep(program, [&] { RefreshChordsList(sequence, RemoveChord(sequence), toolkit, grid); });
            break;
        case kid::ClearAllChords:
            AsListStep(program, [&] { RefreshChordsList(sequence, ClearAllChords(sequence), toolkit, grid); });
            break;
        case kid::ChordsList: SelectChordsListLine(sequence, message.value1); break;
        case kid::SaveSequence:
            SaveOrExportSequence(sequence, s.play.Tempo, toolkit, grid, program.exporter, s.sequencer.play.VoiceLed);
            break;
        case kid::LoadSequence: AsListStep(program, [&] { LoadAnyList(program); }); break;
        case kid::PlaySequence: PlayAsOneStep(program); break;
        case kid::StopSequence:
            StopSequence(SequencerPartsOf(program));
            EndPlayStep(program);
            break;
        default: break;
    }
}

void ResetSequencer(Program& program) { program.state.sequencer.sequence = ChordSequence{}; }

void StopSequence(Program& program) {
    EndSoundingNotes(program);
    StopSequence(SequencerPartsOf(program));
    EndPlayStep(program);
}

}  // namespace hq
