#include "ui/practice/practice_sound.h"

namespace hq::ui {
namespace {

int32_t AddBlock(std::vector<TimedNote>& phrase, const std::vector<int32_t>& notes, int32_t at) {
    for (const int32_t n : notes) phrase.push_back({PlacementOfMidi(n), at, kBlockTicks});
    return at + kBlockTicks + kRestTicks;
}

}  // namespace

std::vector<std::vector<int32_t>> ItemChords(const practice::PracticeItem& item) {
    if (item.level != practice::Level::Progressions) return {item.notes};
    std::vector<std::vector<int32_t>> chords;
    for (const practice::ProgressionChord& chord : item.chords) chords.push_back(chord.notes);
    return chords;
}

std::vector<TimedNote> ChordsInTurn(const std::vector<std::vector<int32_t>>& chords) {
    std::vector<TimedNote> phrase;
    int32_t at = 0;
    for (const std::vector<int32_t>& chord : chords) at = AddBlock(phrase, chord, at);
    return phrase;
}

std::vector<TimedNote> ItemPhrase(const practice::PracticeItem& item) {
    if (item.level == practice::Level::Progressions) return ChordsInTurn(ItemChords(item));
    std::vector<TimedNote> phrase;
    int32_t at = AddBlock(phrase, item.notes, 0);
    for (size_t i = 0; i < item.notes.size(); ++i) {
        const bool last = i + 1 == item.notes.size();
        phrase.push_back({PlacementOfMidi(item.notes[i]), at, last ? kBlockTicks : kArpeggioStepTicks});
        at += kArpeggioStepTicks;
    }
    return phrase;
}

}  // namespace hq::ui
