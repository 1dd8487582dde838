#pragma once
// Chords for the chart tests: read from symbols, and every chord the Step
// panels can make on C, found by walking each field's values.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "theory/composition.h"
#include "theory/symbol.h"

namespace hq::testing {

inline ChordDefinition Chord(const std::string& symbol) {
    const SymbolReading r = ReadChordSymbol(symbol);
    EXPECT_TRUE(r.definition.has_value()) << symbol << ": " << r.reason;
    return r.definition.value_or(ChordDefinition{});
}

inline std::string Notation(const ChordDefinition& d) { return Compose(d).chord.Notation; }

/// Every definition on C without a bass that composes as it is and that a
/// click can make (b5 clears #11, #5 clears b13, no5 any fifth alteration).
inline const std::vector<ChordDefinition>& EveryPanelChordOnC() {
    using D = ChordDefinition;
    static const std::vector<std::pair<int32_t D::*, std::vector<int32_t>>> kFields{
        {&D::ChordClass, {0, 1, 2, 3}}, {&D::Extension, {0, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        {&D::SecondAdd, {0, 2, 3, 9}},  {&D::FourthAdd, {0, 3, 4, 11}}, {&D::SixthAdd, {0, 6, 13}},
        {&D::FifthAlteration, {0, -1, 1}}, {&D::NinthAlteration, {0, -1, 1}}, {&D::SharpEleventh, {0, 1}},
        {&D::FlatThirteenth, {0, 1}},   {&D::NoThird, {0, 1}},      {&D::NoFifth, {0, 1}}};
    static const std::vector<D> chords = [] {
        std::vector<D> out;
        D d;
        d.RootLetter = "C";
        auto walk = [&](auto& self, size_t f) -> void {
            if (f < kFields.size()) {
                for (int32_t v : kFields[f].second) (d.*kFields[f].first = v, self(self, f + 1));
                d.*kFields[f].first = 0;
            } else if ((d.FifthAlteration != -1 || d.SharpEleventh == 0) && (d.FifthAlteration != 1 || d.FlatThirteenth == 0) &&
                       (d.NoFifth == 0 || d.FifthAlteration == 0) && Compose(d).definition == d) {
                out.push_back(d);
            }
        };
        walk(walk, 0);
        return out;
    }();
    return chords;
}

/// The tones' pitch classes (bit p) and the bass pitch (-1: none) a chord sounds.
inline std::pair<uint16_t, int32_t> SoundOf(const ChordDefinition& d) {
    const ComposedChord c = Compose(d).chord;
    uint16_t tones = 0;
    for (size_t i = 0; i < c.IntervalMarks.size(); ++i) {
        const int32_t m = c.IntervalMarks[i];
        if (m == mark::Tone || m == mark::ToneAndBass) tones |= static_cast<uint16_t>(1u << ((static_cast<size_t>(c.RootPitch) + i) % 12));
    }
    return {tones, d.BassSelected != 0 && c.BassPitch != c.RootPitch ? c.BassPitch : -1};
}

}  // namespace hq::testing
