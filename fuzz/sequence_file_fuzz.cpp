// Arbitrary bytes as a sequence file: split into lines, validated as loading
// validates, every accepted record decoded, composed and arranged, and the
// whole sequence voiced.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/string_array.h"
#include "playback/arrangement.h"
#include "playback/voicing.h"
#include "sequencer/chord_record.h"
#include "sequencer/sequence_file.h"
#include "theory/composition.h"
#include "require.h"

using hq::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace hq;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = SplitLines(bytes);
    const std::optional<ChordSequence> sequence = ParseSequenceFile(lines);
    if (!sequence) return 0;
    Require(sequence->SequenceCount >= 1);
    Require(sequence->Records.size() == static_cast<size_t>(sequence->SequenceCount));

    // Saved again, the sequence loads as itself.
    const std::optional<ChordSequence> again = ParseSequenceFile(SequenceFileLines(*sequence));
    Require(again.has_value() && again->Records == sequence->Records);

    uint32_t seed = static_cast<uint32_t>(size);
    std::vector<ComposedChord> chords;
    for (const ChordRecord& record : sequence->Records) {
        ChordDefinition definition;
        ComposedChord texts;
        PlaySettings play;
        // Loading checked every closing marker, so every record decodes.
        Require(DecodeChordRecord(record, {definition, texts, play}));
        const Composition composed = Compose(definition);
        chords.push_back(composed.chord);
        const PitchList list = BuildPitchList(composed.chord, play);
        for (int32_t arrangement = 0; arrangement < 4; ++arrangement) {
            PlaySettings each = play;
            each.Arrangement = arrangement == 0 ? play.Arrangement : arrangement;
            // What the clock can give: nanosecond div (second + 1).
            const int32_t randomBase = RandomBaseOf(static_cast<int32_t>(seed % 60), static_cast<int32_t>(seed % 1'000'000'000));
            const std::vector<Placement> placements = ArrangeChord(list, composed.chord, each, randomBase);
            for (const Placement& p : placements) Require(p.pitchClass >= 0 && p.pitchClass < 12);
        }
        seed = seed * 2654435761u + 7u;
    }

    const std::vector<Voicing> voicings = VoiceSequence(chords);
    Require(voicings.size() == chords.size());
    for (size_t k = 0; k < chords.size(); ++k) {
        const Voicing& v = voicings[k];
        Require(v.bass >= kLowestBassNote && v.bass <= kHighestBassNote && v.bass % 12 == BassPitchClass(chords[k]));
        std::vector<int32_t> classes;
        for (size_t i = 0; i < v.upper.size(); ++i) {
            Require(v.upper[i] >= kLowestUpperNote && v.upper[i] <= kHighestUpperNote);
            Require(i == 0 || v.upper[i - 1] < v.upper[i]);
            classes.push_back(v.upper[i] % 12);
        }
        std::sort(classes.begin(), classes.end());
        Require(classes == VoicedPitchClasses(chords[k]));
    }
    return 0;
}
