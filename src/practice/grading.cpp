#include "practice/grading.h"

#include <algorithm>
#include <optional>

#include "practice/answer_names.h"
#include "theory/composition.h"
#include "theory/pitch.h"
#include "theory/symbol.h"

namespace hq::practice {
namespace {

using Mask = uint32_t;

struct Sounding {
    Mask pitchClasses = 0;
    int32_t bass = 0;
};

Mask MaskOf(const std::vector<int32_t>& pitchClasses) {
    Mask mask = 0;
    for (const int32_t pc : pitchClasses) mask |= 1u << Mod12(pc);
    return mask;
}

Mask Transposed(Mask mask, int32_t semitones) {
    Mask out = 0;
    for (int32_t pc = 0; pc < 12; ++pc) {
        if ((mask >> pc) & 1u) out |= 1u << Mod12(pc + semitones);
    }
    return out;
}

bool SameChord(const Sounding& answer, const Sounding& item, bool withBass) {
    for (int32_t t = 0; t < 12; ++t) {
        if (Transposed(answer.pitchClasses, t) != item.pitchClasses) continue;
        if (!withBass || Mod12(answer.bass + t) == item.bass) return true;
    }
    return false;
}

Sounding SoundingOf(const PracticeItem& item) {
    const PitchContent content = ItemPitchContent(item);
    return {MaskOf(content.pitchClasses), content.bass};
}

// The level's own name for a sounding chord, for the confusion table.
std::string NameOf(Level level, const Sounding& sounding) {
    for (const ChordType& type : LevelTypes(level)) {
        const int32_t positions = AsksInversions(level) ? type.positions : 1;
        for (int32_t inversion = 0; inversion < positions; ++inversion) {
            const PracticeItem model = *ChordItem(level, type.name, inversion, 0);
            if (SameChord(sounding, SoundingOf(model), AsksInversions(level))) {
                return AnswerText(level, type.name, inversion);
            }
        }
    }
    return std::string(kOtherAnswer);
}

Grade BySound(const PracticeItem& item, const Sounding& answer) {
    const bool withBass = AsksInversions(item.level);
    return {SameChord(answer, SoundingOf(item), withBass), ExpectedAnswer(item), NameOf(item.level, answer)};
}

std::optional<Sounding> SymbolSounding(std::string_view text) {
    const SymbolReading reading = ReadChordSymbol(text);
    if (!reading.definition) return std::nullopt;
    const ComposedChord chord = Compose(*reading.definition).chord;
    Sounding sounding;
    for (int32_t i = 0; i < kIntervalMarkCount; ++i) {
        if (chord.IntervalMarks[static_cast<size_t>(i)] != mark::None) {
            sounding.pitchClasses |= 1u << Mod12(chord.RootPitch + i);
        }
    }
    sounding.bass = chord.BassName.empty() ? chord.RootPitch : chord.BassPitch;
    return sounding;
}

Grade GradeNumerals(const PracticeItem& item, std::string_view text) {
    Grade grade{false, ExpectedAnswer(item), std::string(kOtherAnswer)};
    const std::optional<std::vector<std::string>> numerals = ReadNumerals(text);
    if (!numerals) return grade;
    for (const Progression& progression : Progressions()) {
        std::vector<std::string> plain;
        for (const std::string_view roman : SplitNumerals(progression.numerals)) plain.push_back(PlainNumeral(roman));
        if (plain != *numerals) continue;
        grade.given = std::string(progression.numerals);
        // Equal as plain numerals: "vii" and "vii°" are one answer.
        if (plain.size() == item.chords.size()) {
            grade.right = std::equal(plain.begin(), plain.end(), item.chords.begin(),
                                     [](const std::string& p, const ProgressionChord& c) { return p == PlainNumeral(c.roman); });
        }
        return grade;
    }
    return grade;
}

Grade ByName(const PracticeItem& item, const NamedChord& named) {
    const ChordType* type = FindType(item.level, named.type);
    Grade grade{false, ExpectedAnswer(item), std::string(kOtherAnswer)};
    if (type == nullptr) return grade;
    // A type asked in root position only sounds alike in every position.
    const bool positionMatters = AsksInversions(item.level) && type->positions > 1;
    const int32_t inversion = positionMatters ? named.inversion : 0;
    if (inversion >= type->toneCount) return grade;
    grade.given = AnswerText(item.level, type->name, inversion);
    grade.right = type->name == item.type && (!positionMatters || inversion == item.inversion);
    return grade;
}

}  // namespace

Grade GradeAnswer(const PracticeItem& item, std::string_view text) {
    const std::string normalized = NormalizeAnswer(text);
    if (item.level == Level::Progressions) return GradeNumerals(item, normalized);
    // With a root it is read as a symbol first: "Bbm6" is the notes it spells.
    if (StartsWithRoot(normalized)) {
        if (const std::optional<Sounding> sounding = SymbolSounding(normalized)) return BySound(item, *sounding);
    }
    if (const std::optional<NamedChord> named = ReadChordName(normalized)) return ByName(item, *named);
    return {false, ExpectedAnswer(item), std::string(kOtherAnswer)};
}

Grade GradePlayed(const PracticeItem& item, std::span<const int32_t> midiNotes) {
    if (midiNotes.empty() || item.level == Level::Progressions) return {false, ExpectedAnswer(item), std::string(kOtherAnswer)};
    Sounding sounding;
    for (const int32_t note : midiNotes) sounding.pitchClasses |= 1u << Mod12(note);
    sounding.bass = Mod12(*std::min_element(midiNotes.begin(), midiNotes.end()));
    return BySound(item, sounding);
}

}  // namespace hq::practice
