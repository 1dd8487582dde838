#pragma once
// Chords for the chart tests: read from symbols, and every chord the Step
// panels can make on C, found by walking each field's values.

#include <gtest/gtest.h>

#include <span>
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

/// Every definition rooted on C, without a bass, that composes as it is and
/// that a click can make (b5 clears #11, #5 clears b13, no5 any fifth alteration).
inline const std::vector<ChordDefinition>& EveryPanelChordOnC() {
    static const std::vector<ChordDefinition> chords = [] {
    using Field = int32_t ChordDefinition::*;
    struct Values {
        Field field;
        std::vector<int32_t> values;
    };
    const std::vector<Values> fields{
        {&ChordDefinition::ChordClass, {0, 1, 2, 3}},
        {&ChordDefinition::Extension, {0, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        {&ChordDefinition::SecondAdd, {0, 2, 3, 9}},
        {&ChordDefinition::FourthAdd, {0, 3, 4, 11}},
        {&ChordDefinition::SixthAdd, {0, 6, 13}},
        {&ChordDefinition::FifthAlteration, {0, -1, 1}},
        {&ChordDefinition::NinthAlteration, {0, -1, 1}},
        {&ChordDefinition::SharpEleventh, {0, 1}},
        {&ChordDefinition::FlatThirteenth, {0, 1}},
        {&ChordDefinition::NoThird, {0, 1}},
        {&ChordDefinition::NoFifth, {0, 1}},
    };
    std::vector<ChordDefinition> out;
    ChordDefinition d;
    d.RootLetter = "C";
    auto walk = [&](auto& self, size_t f) -> void {
        if (f == fields.size()) {
            if (d.FifthAlteration == -1 && d.SharpEleventh != 0) return;
            if (d.FifthAlteration == 1 && d.FlatThirteenth != 0) return;
            if (d.NoFifth != 0 && d.FifthAlteration != 0) return;
            if (Compose(d).definition == d) out.push_back(d);
            return;
        }
        for (int32_t v : fields[f].values) {
            d.*fields[f].field = v;
            self(self, f + 1);
        }
        d.*fields[f].field = 0;
    };
    walk(walk, 0);
    return out;
    }();
    return chords;
}

}  // namespace hq::testing
