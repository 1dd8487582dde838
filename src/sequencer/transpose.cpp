#include "sequencer/transpose.h"

#include <array>
#include <cstdlib>

#include "theory/composition.h"
#include "theory/pitch.h"

namespace hq {
namespace {

/// Letters an interval of 0..11 semitones moves, as a musician counts them.
constexpr std::array<int32_t, 12> kLetterSteps{0, 1, 1, 2, 2, 3, 3, 4, 5, 5, 6, 6};

// Record fields of the root and the bass, each letter pitch, letter, flat, sharp.
constexpr size_t kRootFields = 2;
constexpr size_t kBassFields = 12;
constexpr size_t kIntervalsField = 23;
constexpr size_t kBasicNotesField = 24;
constexpr size_t kDistancesField = 25;

int32_t Wrap7(int32_t value) { return ((value % 7) + 7) % 7; }

/// -6..5: the accidental that takes `letter` to `pitch`.
int32_t Centered(int32_t semitones) {
    const int32_t r = Mod12(semitones);
    return r > 5 ? r - 12 : r;
}

bool IsWhite(int32_t pitch) {
    for (int32_t p : kLetterPitches) {
        if (p == pitch) return true;
    }
    return false;
}

SpelledNote Plain(int32_t pitch, bool sharps) {
    pitch = Mod12(pitch);
    for (int32_t letter = 0; letter < 7; ++letter) {
        const int32_t accidental = Centered(pitch - kLetterPitches[static_cast<size_t>(letter)]);
        if (accidental == 0) return {letter, 0};
    }
    // A black key lies a semitone from two letters.
    for (int32_t letter = 0; letter < 7; ++letter) {
        const int32_t accidental = Centered(pitch - kLetterPitches[static_cast<size_t>(letter)]);
        if (accidental == (sharps ? 1 : -1)) return {letter, accidental};
    }
    return {};
}

SpelledNote Spelled(int32_t letter, int32_t pitch) {
    const int32_t accidental = Centered(pitch - kLetterPitches[static_cast<size_t>(Wrap7(letter))]);
    return {Wrap7(letter), accidental};
}

/// Fb, Cb, E#, B# and doubles to a white key are named by that key; E##,
/// B##, Fbb and Cbb by the black key one letter away.
SpelledNote Respelled(int32_t letter, int32_t pitch) {
    if (IsWhite(Mod12(pitch))) return Plain(pitch, false);
    const SpelledNote note = Spelled(letter, pitch);
    if (std::abs(note.accidental) == 1) return note;
    if (std::abs(note.accidental) == 2) {
        const SpelledNote neighbour = Spelled(letter + (note.accidental > 0 ? 1 : -1), pitch);
        if (std::abs(neighbour.accidental) == 1) return neighbour;
    }
    return Plain(pitch, false);
}

/// The note a letter text ("C", "/C") and its fields sound, spelled by the
/// letter where the letter is one and lies within a semitone of it.
SpelledNote NoteOf(std::string_view letterText, int32_t letterPitch, int32_t flat, int32_t sharp) {
    const int32_t pitch = Mod12(letterPitch - (flat != 0 ? 1 : 0) + (sharp != 0 ? 1 : 0));
    if (letterText.size() == 1) {
        const size_t letter = kLetters.find(letterText[0]);
        if (letter != std::string_view::npos) {
            const SpelledNote note = Spelled(static_cast<int32_t>(letter), pitch);
            if (std::abs(note.accidental) <= 1) return note;
        }
    }
    return Plain(pitch, false);
}

void Store(const SpelledNote& note, int32_t& letterPitch, std::string& letterText, std::string_view prefix,
           int32_t& flat, int32_t& sharp) {
    letterPitch = kLetterPitches[static_cast<size_t>(note.letter)];
    letterText = std::string(prefix) + kLetters[static_cast<size_t>(note.letter)];
    flat = note.accidental < 0 ? 1 : 0;
    sharp = note.accidental > 0 ? 1 : 0;
}

void StoreFields(ChordRecord& record, size_t first, int32_t letterPitch, const std::string& letter, int32_t flat,
                 int32_t sharp) {
    record[first] = RecordNumber(letterPitch);
    record[first + 1] = letter;
    record[first + 2] = RecordNumber(flat);
    record[first + 3] = RecordNumber(sharp);
}

}  // namespace

int32_t SpelledNote::Pitch() const { return Mod12(kLetterPitches[static_cast<size_t>(Wrap7(letter))] + accidental); }

SpelledNote RootNoteOf(const ChordDefinition& d) {
    return NoteOf(d.RootLetter, d.RootLetterPitch, d.RootFlat, d.RootSharp);
}

SpelledNote BassNoteOf(const ChordDefinition& d) {
    std::string_view letter = d.BassLetter;
    if (letter.starts_with('/')) letter.remove_prefix(1);
    return NoteOf(letter, d.BassLetterPitch, d.BassFlat, d.BassSharp);
}

std::string NoteText(const SpelledNote& note) {
    std::string text(1, kLetters[static_cast<size_t>(Wrap7(note.letter))]);
    if (note.accidental < 0) text.append(static_cast<size_t>(-note.accidental), 'b');
    if (note.accidental > 0) text.append(static_cast<size_t>(note.accidental), '#');
    return text;
}

SpelledNote TransposeNote(const SpelledNote& note, int32_t semitones, TransposeSpelling spelling) {
    const int32_t pitch = Mod12(note.Pitch() + semitones);
    if (spelling != TransposeSpelling::Auto) return Plain(pitch, spelling == TransposeSpelling::Sharps);
    const int32_t size = std::abs(semitones) % 12;
    const int32_t steps = kLetterSteps[static_cast<size_t>(size)];
    return Respelled(note.letter + (semitones < 0 ? -steps : steps), pitch);
}

ChordDefinition TransposeDefinition(const ChordDefinition& definition, int32_t semitones,
                                    TransposeSpelling spelling) {
    ChordDefinition d = definition;
    const SpelledNote root = TransposeNote(RootNoteOf(definition), semitones, spelling);
    Store(root, d.RootLetterPitch, d.RootLetter, "", d.RootFlat, d.RootSharp);
    if (d.BassSelected != 0) {
        const SpelledNote bass = TransposeNote(BassNoteOf(definition), semitones, spelling);
        Store(bass, d.BassLetterPitch, d.BassLetter, "/", d.BassFlat, d.BassSharp);
    }
    return d;
}

ChordRecord TransposeRecord(const ChordRecord& record, int32_t semitones, TransposeSpelling spelling) {
    ChordDefinition definition;
    ComposedChord chord;
    PlaySettings play;
    if (!DecodeChordRecord(record, {definition, chord, play})) return record;
    const ChordDefinition moved = TransposeDefinition(definition, semitones, spelling);
    const ComposedChord composed = Compose(moved).chord;
    ChordRecord out = record;
    StoreFields(out, kRootFields, moved.RootLetterPitch, moved.RootLetter, moved.RootFlat, moved.RootSharp);
    if (moved.BassSelected != 0) {
        StoreFields(out, kBassFields, moved.BassLetterPitch, moved.BassLetter, moved.BassFlat, moved.BassSharp);
    }
    out[kNotationField] = composed.Notation;
    out[kIntervalsField] = composed.IntervalsText;
    out[kBasicNotesField] = composed.BasicNotesText;
    out[kDistancesField] = composed.DistancesText;
    return out;
}

std::optional<ChordSequence> TransposeSequence(const ChordSequence& sequence, int32_t semitones,
                                               TransposeSpelling spelling) {
    if (semitones < kLowestTransposition || semitones > kHighestTransposition) return std::nullopt;
    ChordSequence out;
    out.Records.reserve(sequence.Records.size());
    out.ListTexts = sequence.ListTexts;
    out.SequenceCount = sequence.SequenceCount;
    out.SelectedPosition = sequence.SelectedPosition;
    for (size_t i = 0; i < sequence.Records.size(); ++i) {
        out.Records.push_back(TransposeRecord(sequence.Records[i], semitones, spelling));
        if (i < out.ListTexts.size() && out.ListTexts[i] == sequence.Records[i][kNotationField]) {
            out.ListTexts[i] = out.Records[i][kNotationField];
        }
    }
    return out;
}

}  // namespace hq
