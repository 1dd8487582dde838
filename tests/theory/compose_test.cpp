#include "theory/composition.h"

#include <gtest/gtest.h>

#include "platform/controls.h"
#include "theory/spelling.h"

namespace hq {
namespace {

struct Example {
    const char* what;
    ChordDefinition definition;
    const char* notation;
    const char* distances;
    const char* intervals;
    const char* notes;
    bool anomaly;
    friend void PrintTo(const Example& e, std::ostream* os) { *os << e.what; }
};

class WorkedExamples : public ::testing::TestWithParam<Example> {};

TEST_P(WorkedExamples, ComposeToTheirExactTexts) {
    const Example& e = GetParam();
    const Composition c = Compose(e.definition);
    EXPECT_EQ(c.chord.Notation, e.notation);
    EXPECT_EQ(c.chord.DistancesText, e.distances);
    EXPECT_EQ(c.chord.IntervalsText, e.intervals);
    EXPECT_EQ(c.chord.BasicNotesText, e.notes);
    EXPECT_EQ(c.bassAnomaly, e.anomaly);
}

INSTANTIATE_TEST_SUITE_P(
    Composition, WorkedExamples,
    ::testing::Values(
        Example{"start-up C7", {.RootLetter = "C", .Extension = 7}, "C7", "0-4-7-10", "1-3-5-b7", "C,E,G,Bb", false},
        Example{"maj13 b5 over G flat",
                {.BassSelected = 1, .RootLetter = "C", .Extension = 14, .BassLetterPitch = 7, .BassLetter = "/G",
                 .BassFlat = 1, .FifthAlteration = -1},
                "C.maj13(b5)/Gb", "0-4-/6-11-14-17-21", "1-3-/b5-7-9-11-13", "C,E,/Gb,B,D,F,A", false},
        Example{"C sharp maj7 uses both preferences", {.RootLetter = "C", .RootSharp = 1, .Extension = 8},
                "C#.maj7", "0-4-7-11", "1-3-5-7", "C#,E#,G#,B#", false},
        Example{"half-diminished", {.RootLetter = "C", .ChordClass = 1, .Extension = 7, .FifthAlteration = -1},
                "Cm7(b5)", "0-3-6-10", "1-b3-b5-b7", "C,Eb,Gb,Bb", false},
        Example{"diminished seventh", {.RootLetter = "C", .ChordClass = 3, .Extension = 7}, "C.dim7", "0-3-6-9",
                "1-b3-b5-bb7", "C,Eb,Gb,A", false},
        Example{"augmented triad", {.RootLetter = "C", .ChordClass = 2}, "C.aug", "0-4-8", "1-3-#5", "C,E,Ab", false},
        Example{"E minor seventh", {.RootLetterPitch = 4, .RootLetter = "E", .ChordClass = 1, .Extension = 7}, "Em7",
                "0-3-7-10", "1-b3-5-b7", "E,G,B,D", false},
        Example{"sharp eleventh", {.RootLetter = "C", .Extension = 7, .SharpEleventh = 1}, "C7(#11)",
                "0-4-7-10-18", "1-3-5-b7-#11", "C,E,G,Bb,Gb", false},
        Example{"bass on the upper ninth",
                {.BassSelected = 1, .RootLetter = "C", .SecondAdd = 9, .BassLetterPitch = 2, .BassLetter = "/D"},
                "C.add9/D", "0-4-7-/14", "1-3-5-/9", "C,E,G,/D", false},
        Example{"foreign bass",
                {.BassSelected = 1, .RootLetter = "C", .BassLetterPitch = 2, .BassLetter = "/D"}, "C/D",
                "0-//2-4-7", "1-//2-3-5", "C,//D,E,G", true},
        Example{"first inversion", {.BassSelected = 1, .RootLetter = "C", .BassLetterPitch = 4, .BassLetter = "/E"},
                "C/E", "0-/4-7", "1-/3-5", "C,/E,G", false},
        Example{"bass equal to the root", {.BassSelected = 1, .RootLetter = "C", .BassLetter = "/C"}, "C", "0-4-7",
                "1-3-5", "C,E,G", false},
        Example{"B sharp bass under C adds nothing",
                {.BassSelected = 1, .RootLetter = "C", .Extension = 7, .BassLetterPitch = 11, .BassLetter = "/B",
                 .BassSharp = 1},
                "C7", "0-4-7-10", "1-3-5-b7", "C,E,G,Bb", false},
        Example{"sus2 and sus4 together", {.RootLetter = "C", .SecondAdd = 3, .FourthAdd = 3}, "C.sus2.sus4",
                "0-2-5-7", "1-2-4-5", "C,D,F,G", false},
        Example{"minor major seventh", {.RootLetter = "C", .ChordClass = 1, .Extension = 8}, "Cm.maj7", "0-3-7-11",
                "1-b3-5-7", "C,Eb,G,B", false},
        Example{"notation order of every part",
                {.RootLetterPitch = 7, .RootLetter = "G", .Extension = 7, .SecondAdd = 3, .FourthAdd = 11,
                 .SixthAdd = 13, .FlatThirteenth = 0, .FifthAlteration = 1, .NinthAlteration = -1},
                "G7.sus2.add11.add13(#5)", "0-2-8-10-17-21", "1-2-#5-b7-11-13", "G,A,D#,F,C,E", false}));

TEST(CompositionMarks, SlashChordMarksAndIndex) {
    struct Case {
        ChordDefinition definition;
        int32_t bassIndex;
        std::vector<std::pair<size_t, int32_t>> marks;
    };
    const Case cases[] = {
        {{.BassSelected = 1, .RootLetter = "C", .SecondAdd = 9, .BassLetterPitch = 2, .BassLetter = "/D"}, 14,
         {{2, 0}, {14, 2}}},
        {{.BassSelected = 1, .RootLetter = "C", .BassLetterPitch = 2, .BassLetter = "/D"}, 2, {{2, 3}, {14, 0}}},
        {{.BassSelected = 1, .RootLetter = "C", .BassLetterPitch = 4, .BassLetter = "/E"}, 4, {{4, 2}}},
        {{.BassSelected = 1, .RootLetter = "C", .BassLetter = "/C"}, 0, {{0, 1}}},
        {{.BassSelected = 0, .RootLetter = "C", .BassLetterPitch = 4, .BassLetter = "/E", .BassFlat = 1}, 0, {{4, 1}}},
    };
    for (const Case& c : cases) {
        const Composition out = Compose(c.definition);
        EXPECT_EQ(out.chord.BassIndex, c.bassIndex) << out.chord.Notation;
        for (auto [index, value] : c.marks) EXPECT_EQ(out.chord.IntervalMarks[index], value) << index;
    }
}

TEST(CompositionRules, ClassAndExtensionClearConflictingFields) {
    struct Case {
        const char* what;
        ChordDefinition in;
        const char* notation;
        std::vector<int32_t> disabled;  // also unchecked
    };
    const Case cases[] = {
        {"diminished drops the thirteenth", {.RootLetter = "C", .ChordClass = 3, .Extension = 13}, "C.dim",
         {kid::E13, kid::sus2, kid::sus4, kid::As9, kid::As11, kid::add6, kid::add13}},
        {"augmented drops a major extension", {.RootLetter = "C", .ChordClass = 2, .Extension = 8}, "C.aug",
         {kid::Emaj7, kid::E6, kid::Ab5, kid::As5, kid::Ano3, kid::Ano5, kid::Ab13}},
        {"minor drops the suspensions, keeps additions",
         {.RootLetter = "C", .ChordClass = 1, .SecondAdd = 3, .FourthAdd = 11}, "Cm.add11", {kid::sus2, kid::As9}},
        {"ninth drops add9", {.RootLetter = "C", .Extension = 9, .SecondAdd = 9}, "C9",
         {kid::add9, kid::add2, kid::sus2, kid::Ab9, kid::As9}},
        {"no extension drops the upper alterations",
         {.RootLetter = "C", .FlatThirteenth = 1, .SharpEleventh = 1, .NinthAlteration = 1}, "C",
         {kid::Ab9, kid::As9, kid::As11, kid::Ab13}},
        {"sixth drops the upper alterations and sixth additions",
         {.RootLetter = "C", .Extension = 6, .SixthAdd = 13, .NinthAlteration = -1}, "C6",
         {kid::add6, kid::add13, kid::Ab13, kid::Ab9, kid::As9, kid::As11}},
        {"eleventh drops fourth additions and #11",
         {.RootLetter = "C", .Extension = 11, .FourthAdd = 4, .SharpEleventh = 1}, "C11",
         {kid::add4, kid::sus4, kid::add11, kid::As11}},
        {"sus4 suppresses no3", {.RootLetter = "C", .Extension = 7, .FourthAdd = 3, .NoThird = 1}, "C7.sus4",
         {kid::Ano3, kid::As11}},
    };
    for (const Case& c : cases) {
        const Composition out = Compose(c.in);
        EXPECT_EQ(out.chord.Notation, c.notation) << c.what;
        for (int32_t k : c.disabled) {
            const ControlState& s = out.controls[static_cast<size_t>(k)];
            EXPECT_FALSE(s.enabled) << c.what << ": kid " << k;
            EXPECT_FALSE(s.checked) << c.what << ": kid " << k;
        }
    }
}

TEST(CompositionRules, ClearedFieldsStayCleared) {
    const Composition out = Compose({.RootLetter = "C", .ChordClass = 3, .Extension = 13, .SecondAdd = 3,
                                     .SixthAdd = 6, .SharpEleventh = 1, .NinthAlteration = 1});
    EXPECT_EQ(out.definition.Extension, 0);
    EXPECT_EQ(out.definition.SecondAdd, 0);
    EXPECT_EQ(out.definition.SixthAdd, 0);
    EXPECT_EQ(out.definition.SharpEleventh, 0);
    EXPECT_EQ(out.definition.NinthAlteration, 0);
    EXPECT_EQ(out.definition.ChordClass, 3);
}

TEST(CompositionRules, CheckedBoxesFollowTheFields) {
    const Composition out = Compose({.BassSelected = 1, .RootLetterPitch = 9, .RootLetter = "A", .RootFlat = 1,
                                     .Extension = 10, .FourthAdd = 4, .BassLetterPitch = 5, .BassLetter = "/F",
                                     .BassSharp = 1, .FifthAlteration = 1});
    for (int32_t box : kComposedBoxes) {
        const bool expected = box == kid::Rb || box == kid::Emaj9 || box == kid::add4 || box == kid::BF ||
                              box == kid::Bs || box == kid::As5;
        EXPECT_EQ(out.controls[static_cast<size_t>(box)].checked, expected) << "kid " << box;
    }
    EXPECT_EQ(out.chord.Notation, "Ab.maj9.add4(#5)/F#");
}

TEST(Spelling, EveryPitchUnderEveryPreference) {
    struct Case {
        SpellingPreference p;
        std::array<std::string_view, 12> names;
    };
    const Case cases[] = {
        {{.flats = true}, {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"}},
        {{.sharps = true}, {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"}},
        {{.flats = true, .sharps = true}, {"B#", "C#", "D", "D#", "Fb", "E#", "F#", "G", "G#", "A", "A#", "Cb"}},
        {{.flats = true, .sharps = true, .rootSharp = true},
         {"B#", "C#", "D", "D#", "E", "E#", "F#", "G", "G#", "A", "A#", "B"}},
        {{.flats = true, .sharps = true, .rootFlat = true},
         {"C", "Db", "D", "Eb", "Fb", "F", "Gb", "G", "Ab", "A", "Bb", "Cb"}},
        {{.sharps = true, .rootFlat = true}, {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"}},
    };
    for (const Case& c : cases) {
        for (int32_t p = 0; p < 12; ++p) EXPECT_EQ(NoteName(p, c.p), c.names[static_cast<size_t>(p)]) << p;
    }
}

TEST(Spelling, KeyCountChoosesFlatsOrSharps) {
    struct Case {
        ChordDefinition d;
        int32_t rootPitch;
        bool flats, sharps;
    };
    const Case cases[] = {
        {{.ChordClass = 0}, 0, true, false},   // C: k 0
        {{.ChordClass = 0}, 7, false, true},   // G: k 11
        {{.ChordClass = 0}, 6, true, false},   // Gb: k 6, the last flat key
        {{.ChordClass = 2}, 2, false, true},   // D augmented spells like D major: k 10
        {{.ChordClass = 1}, 9, true, false},   // A minor: relative C, k 0
        {{.ChordClass = 3}, 4, false, true},   // E diminished: relative G, k 11
        {{.ChordClass = 7}, 7, false, true},   // an unknown class spells like major
        {{.RootSharp = 1}, 1, true, true},     // C sharp: k 5 and the sharp
        {{.RootFlat = 1}, 11, true, true},     // C flat: k 7 and the flat
    };
    for (const Case& c : cases) {
        const SpellingPreference p = PreferenceFor(c.d, c.rootPitch);
        EXPECT_EQ(p.flats, c.flats) << c.rootPitch;
        EXPECT_EQ(p.sharps, c.sharps) << c.rootPitch;
    }
}

TEST(IntervalNames, NinthIndexIsDoubleFlatSeventhOnlyInDiminishedSevenths) {
    EXPECT_EQ(IntervalName(9, {.ChordClass = 3, .Extension = 7}), "bb7");
    EXPECT_EQ(IntervalName(9, {.ChordClass = 3, .Extension = 0}), "6");
    EXPECT_EQ(IntervalName(9, {.ChordClass = 1, .Extension = 7}), "6");
    EXPECT_EQ(IntervalName(0, {}), "1");
    EXPECT_EQ(IntervalName(21, {}), "13");
}

}  // namespace
}  // namespace hq
