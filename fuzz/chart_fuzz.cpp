// Arbitrary bytes as a chord chart: every one is read or refused with its
// bar and chord, and what is read writes out as a chart that reads back to
// the same chords, in any key.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "sequencer/chart_reader.h"
#include "sequencer/chart_writer.h"
#include "sequencer/transpose.h"
#include "theory/composition.h"
#include "require.h"

namespace {

// Past this many chords the round trip is slow and proves nothing more.
constexpr size_t kRoundTripChords = 64;

/// The bass that sounds apart from the root, or -1 ("F/F" is F).
int32_t BassOf(const hq::ChordDefinition& d, const hq::ComposedChord& c) {
    return d.BassSelected != 0 && c.BassPitch != c.RootPitch ? c.BassPitch : -1;
}

}  // namespace

using hq::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace hq;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ChartReading reading = ReadChart(text);
    if (!reading.chords) {
        Require(reading.reason.starts_with("bar "));
        return 0;
    }
    Require(reading.reason.empty() && reading.chords->size() <= kMostChartChords);
    if (reading.chords->size() > kRoundTripChords) return 0;
    const ChordSequence sequence = SequenceOfChords(*reading.chords, {});
    const ChartReading again = ReadChart(ChartText(sequence.Records));
    Require(again.chords.has_value() && again.chords->size() == reading.chords->size());
    for (size_t i = 0; i < reading.chords->size(); ++i) {
        const ChordDefinition& d = (*reading.chords)[i];
        const ComposedChord before = Compose(d).chord;
        const ComposedChord after = Compose((*again.chords)[i]).chord;
        Require(before.RootPitch == after.RootPitch && BassOf(d, before) == BassOf((*again.chords)[i], after));
        const int32_t semitones = static_cast<int32_t>(size % 25) - 12;
        const ChordDefinition moved = TransposeDefinition(d, semitones, TransposeSpelling::Auto);
        Require(Compose(moved).chord.RootPitch == (before.RootPitch + semitones + 24) % 12);
        Require(Compose(moved).definition == moved);
    }
    return 0;
}
