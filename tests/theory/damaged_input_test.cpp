// A damaged sequence file can put any 8-bit value into any field: composition
// must stay defined for all of them (run under the asan preset to prove it).

#include <gtest/gtest.h>

#include <random>

#include "headless/session.h"
#include "platform/controls.h"
#include "theory/compose_chord.h"
#include "theory/composition.h"

namespace hq {
namespace {

void ExpectSound(const Composition& c, const std::string& context) {
    const ComposedChord& chord = c.chord;
    EXPECT_GE(chord.RootPitch, 0) << context;
    EXPECT_LE(chord.RootPitch, 11) << context;
    EXPECT_GE(chord.BassPitch, 0) << context;
    EXPECT_LE(chord.BassPitch, 11) << context;
    EXPECT_GE(chord.BassIndex, 0) << context;
    EXPECT_LE(chord.BassIndex, 21) << context;
    EXPECT_EQ(chord.IntervalMarks[0], mark::Tone) << context;
    for (size_t i = 0; i < chord.IntervalMarks.size(); ++i) {
        const int32_t m = chord.IntervalMarks[i];
        EXPECT_TRUE(m >= 0 && m <= 3) << context << " mark " << i;
        if (i > 21) {
            EXPECT_EQ(m, 0) << context << " mark " << i;
        }
    }
    if (chord.BassIndex != 0) {
        EXPECT_GE(chord.IntervalMarks[static_cast<size_t>(chord.BassIndex)], 2) << context;
    }
    for (const ControlState& s : c.controls) EXPECT_FALSE(s.checked && !s.enabled) << context;
}

TEST(DamagedInput, EveryEightBitValueInEveryFieldComposes) {
    for (const NumericField& field : kNumericFields) {
        for (int32_t v = -128; v <= 127; ++v) {
            ChordDefinition d{.BassSelected = 1, .RootLetter = "C", .Extension = 7, .BassLetter = "/E"};
            d.*field.member = v;
            ExpectSound(Compose(d), std::string(field.name) + "=" + std::to_string(v));
        }
    }
}

TEST(DamagedInput, RandomDefinitionsCompose) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int32_t> byte(-128, 127);
    const std::string letters[] = {"", "C", "/G", "Xq", "\xff\xfe", std::string(300, 'A')};
    for (int i = 0; i < 20000; ++i) {
        ChordDefinition d;
        for (const NumericField& field : kNumericFields) d.*field.member = byte(random);
        d.RootLetter = letters[static_cast<size_t>(i) % std::size(letters)];
        d.BassLetter = letters[static_cast<size_t>(i / 7) % std::size(letters)];
        ExpectSound(Compose(d), "random definition " + std::to_string(i));
    }
}

// The rules settle in one pass: a composed definition composes to itself, so
// the window shows the same chord however often it is recomposed.
TEST(Composition, IsAFixedPointAfterOnePass) {
    std::mt19937 random(99);
    std::uniform_int_distribution<int32_t> byte(-128, 127);
    std::uniform_int_distribution<int32_t> small(-1, 14);
    for (int i = 0; i < 20000; ++i) {
        ChordDefinition d{.RootLetter = "G", .BassLetter = "/E"};
        for (const NumericField& field : kNumericFields) d.*field.member = i % 2 == 0 ? small(random) : byte(random);
        const Composition once = Compose(d);
        const Composition twice = Compose(once.definition);
        ASSERT_EQ(twice.definition, once.definition) << "definition " << i;
        ASSERT_EQ(twice.chord.Notation, once.chord.Notation) << "definition " << i;
        ASSERT_EQ(twice.chord.IntervalMarks, once.chord.IntervalMarks) << "definition " << i;
        ASSERT_EQ(twice.chord.BasicNotesText, once.chord.BasicNotesText) << "definition " << i;
        for (int32_t box : kComposedBoxes) {
            const auto k = static_cast<size_t>(box);
            ASSERT_EQ(twice.controls[k].checked, once.controls[k].checked) << "kid " << box;
            ASSERT_EQ(twice.controls[k].enabled, once.controls[k].enabled) << "kid " << box;
        }
    }
}

TEST(DamagedInput, PitchesReduceWithANonNegativeModulo) {
    struct Case {
        ChordDefinition d;
        int32_t rootPitch;
        int32_t bassPitch;
    };
    const Case cases[] = {
        {{.BassSelected = 1, .RootLetterPitch = -1, .BassLetterPitch = -13}, 11, 11},
        {{.BassSelected = 1, .RootLetterPitch = -128, .RootFlat = 1, .BassLetterPitch = 127, .BassSharp = 1}, 3, 8},
        {{.BassSelected = 1, .RootLetterPitch = 100, .RootSharp = 5, .BassLetterPitch = 12, .BassFlat = -7}, 5, 11},
        {{.BassSelected = -3, .RootLetterPitch = 12, .RootFlat = 1, .RootSharp = 1, .BassLetterPitch = 0}, 0, 0},
    };
    for (const Case& c : cases) {
        const Composition out = Compose(c.d);
        EXPECT_EQ(out.chord.RootPitch, c.rootPitch);
        EXPECT_EQ(out.chord.BassPitch, c.bassPitch);
    }
}

TEST(DamagedInput, OnlyTheSevenLetterPitchesCheckABassBox) {
    for (int32_t v = -128; v <= 127; ++v) {
        const Composition out = Compose({.BassSelected = 1, .RootLetter = "C", .BassLetterPitch = v});
        int checkedBoxes = 0;
        for (int32_t k = kid::BC; k <= kid::BB; ++k) checkedBoxes += out.controls[static_cast<size_t>(k)].checked;
        const bool letter = v == 0 || v == 2 || v == 4 || v == 5 || v == 7 || v == 9 || v == 11;
        EXPECT_EQ(checkedBoxes, letter ? 1 : 0) << v;
    }
}

TEST(DamagedInput, UnknownCodesMatchNoRow) {
    struct Case {
        const char* what;
        ChordDefinition d;
        const char* notation;
        const char* distances;
    };
    const Case cases[] = {
        {"unknown class: no third, no fifth, major spelling", {.RootLetter = "D", .ChordClass = 9, .Extension = 7},
         "D7", "0-10"},
        {"unknown extension", {.RootLetter = "C", .Extension = 5}, "C", "0-4-7"},
        {"odd extension is not a major one for augmented", {.RootLetter = "C", .ChordClass = 2, .Extension = 5},
         "C.aug", "0-4-8"},
        {"negative even extension is kept for diminished", {.RootLetter = "C", .ChordClass = 3, .Extension = -4},
         "C.dim", "0-3-6"},
        {"unknown additions", {.RootLetter = "C", .Extension = 7, .SecondAdd = 1, .FourthAdd = 5, .SixthAdd = 7},
         "C7", "0-4-7-10"},
        {"alteration codes other than -1 and +1",
         {.RootLetter = "C", .Extension = 7, .FifthAlteration = 2, .NinthAlteration = -2}, "C7", "0-4-7-10"},
        {"any nonzero flag counts", {.RootLetter = "C", .Extension = 9, .SharpEleventh = -5, .NoFifth = 77},
         "C9(#11)(no5)", "0-4-10-14-18"},
    };
    for (const Case& c : cases) {
        const Composition out = Compose(c.d);
        EXPECT_EQ(out.chord.Notation, c.notation) << c.what;
        EXPECT_EQ(out.chord.DistancesText, c.distances) << c.what;
    }
}

TEST(DamagedInput, KeepsStrangeValuesOnlyWhereNoRuleClearsThem) {
    const Composition out = Compose({.RootLetter = "C", .ChordClass = 3, .Extension = -4, .FifthAlteration = 9});
    EXPECT_EQ(out.definition.Extension, -4);       // not one of the even extension codes
    EXPECT_EQ(out.definition.FifthAlteration, 0);  // the diminished class clears it
}

TEST(DamagedInput, RenderedThroughTheWindowWithoutHarm) {
    HeadlessSession session;
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> byte(-128, 127);
    for (int i = 0; i < 2000; ++i) {
        for (const NumericField& field : kNumericFields) session.state.definition.*field.member = byte(random);
        ComposeChord(session.state.definition, session.state.chord, session.toolkit, session.Grid());
        for (int32_t box : kComposedBoxes) {
            const auto* control = session.toolkit.ControlOf(session.Grid(), box);
            EXPECT_FALSE(control->value != 0 && !control->enabled) << box;
        }
    }
}

}  // namespace
}  // namespace hq
