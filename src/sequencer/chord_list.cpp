#include "sequencer/chord_list.h"

#include <utility>

#include "platform/controls.h"

namespace hq {
namespace {

// Records and ListTexts can disagree with SequenceCount only after Clear
// All, which keeps ["Empty List"]; every edit starts from SequenceCount.
void Trim(ChordSequence& s) {
    const auto count = static_cast<size_t>(s.SequenceCount < 0 ? 0 : s.SequenceCount);
    s.Records.resize(count);
    s.ListTexts.resize(count);
}

bool PositionInList(const ChordSequence& s, int32_t position) {
    return position >= 0 && position < s.SequenceCount;
}

}  // namespace

std::string AppendChord(ChordSequence& s, ChordRecord record) {
    Trim(s);
    s.ListTexts.push_back(record[kNotationField]);
    s.Records.push_back(std::move(record));
    s.SelectedPosition = s.SequenceCount;
    ++s.SequenceCount;
    return s.ListTexts.back();
}

std::string InsertChord(ChordSequence& s, ChordRecord record) {
    if (s.SequenceCount <= 0) return AppendChord(s, std::move(record));
    Trim(s);
    if (!PositionInList(s, s.SelectedPosition)) s.SelectedPosition = 0;
    const auto at = static_cast<size_t>(s.SelectedPosition);
    s.ListTexts.insert(s.ListTexts.begin() + static_cast<std::ptrdiff_t>(at), record[kNotationField]);
    s.Records.insert(s.Records.begin() + static_cast<std::ptrdiff_t>(at), std::move(record));
    ++s.SequenceCount;
    return s.ListTexts[at];
}

std::string RemoveChord(ChordSequence& s) {
    if (s.SequenceCount < 2) return ClearAllChords(s);
    Trim(s);
    if (PositionInList(s, s.SelectedPosition)) {
        const auto at = static_cast<std::ptrdiff_t>(s.SelectedPosition);
        s.Records.erase(s.Records.begin() + at);
        s.ListTexts.erase(s.ListTexts.begin() + at);
        --s.SequenceCount;
    }
    s.SelectedPosition = 0;
    return s.ListTexts.front();
}

std::string ClearAllChords(ChordSequence& s) {
    // The rows leave the sequence at once; nothing reads them again.
    s.Records.clear();
    s.ListTexts.assign(1, std::string(kEmptyListText));
    s.SequenceCount = 0;
    return std::string(kEmptyListText);
}

bool SelectChordsListLine(ChordSequence& s, int32_t line) {
    if (!PositionInList(s, line)) return false;
    s.SelectedPosition = line;
    return true;
}

void RefreshChordsList(const ChordSequence& s, std::string_view shown, Toolkit& toolkit, int32_t grid) {
    toolkit.SetTextArray(grid, kid::ChordsList, s.ListTexts);
    toolkit.SetTextString(grid, kid::ChordsList, shown);
    toolkit.Redraw(grid, kid::ChordsList);
}

}  // namespace hq
