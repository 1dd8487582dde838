#include "theory/symbol.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "analyzer/solve.h"
#include "theory/composition.h"
#include "theory/chord_space.h"

namespace hq {
namespace {

struct Spelled {
    const char* symbol;
    const char* notation;  // what the panels show after taking the reading
};

// The notation, or the reason prefixed with "rejected: ".
std::string Shown(std::string_view symbol) {
    const SymbolReading r = ReadChordSymbol(symbol);
    if (!r.definition) return "rejected: " + r.reason;
    return Compose(*r.definition).chord.Notation;
}

void ExpectReadings(const std::vector<Spelled>& cases) {
    for (const Spelled& c : cases) EXPECT_EQ(Shown(c.symbol), c.notation) << c.symbol;
}

TEST(ChordSymbol, RootTakesOneFlatOrSharpWhateverFollows) {
    ExpectReadings({
        {"C", "C"}, {"Eb9", "Eb9"}, {"Bb5", "Bb(no3)"}, {"C#9", "C#9"}, {"F#m7b5", "F#m7(b5)"},
        {"B\u266d7", "Bb7"}, {"C\u266fm", "C#m"}, {"Cb", "Cb"}, {"E#7", "E#7"},
    });
}

TEST(ChordSymbol, MajorSeventhSpellings) {
    ExpectReadings({
        {"Cmaj7", "C.maj7"}, {"CMaj7", "C.maj7"}, {"Cma7", "C.maj7"}, {"CM7", "C.maj7"},
        {"C\u0394", "C.maj7"}, {"C\u03947", "C.maj7"}, {"C^", "C.maj7"}, {"C^7", "C.maj7"},
        {"Cj7", "C.maj7"}, {"C\u2206", "C.maj7"}, {"C7M", "C.maj7"}, {"Cmaj9", "C.maj9"},
        {"CM9", "C.maj9"}, {"C\u03949", "C.maj9"}, {"Cmaj11", "C.maj11"}, {"CM13", "C.maj13"},
        {"Cmaj", "C"}, {"CM", "C"}, {"Cmaj7(9)", "C.maj7.add9"}, {"Cmaj#11", "C.maj7(#11)"},
        {"CM(b5)", "C.maj7(b5)"},
    });
}

TEST(ChordSymbol, MinorAndMinorMajorSpellings) {
    ExpectReadings({
        {"Cm", "Cm"}, {"Cmin", "Cm"}, {"Cmi7", "Cm7"}, {"C-", "Cm"}, {"C-7", "Cm7"}, {"Cm9", "Cm9"},
        {"Cm11", "Cm11"}, {"C-6", "Cm6"}, {"CmMaj7", "Cm.maj7"}, {"Cm(maj7)", "Cm.maj7"},
        {"CmM7", "Cm.maj7"}, {"Cm/maj7", "Cm.maj7"}, {"C-\u03947", "Cm.maj7"}, {"C-^7", "Cm.maj7"},
        {"CmMaj9", "Cm.maj9"}, {"Cm9(maj7)", "Cm.maj9"}, {"Cm#7", "Cm.maj7"}, {"Cmadd9", "Cm.add9"},
        {"CMI7", "Cm7"}, {"Cm6(maj7)", "Cm.maj7.add6"},
    });
}

TEST(ChordSymbol, DiminishedAndHalfDiminishedSpellings) {
    ExpectReadings({
        {"Cdim", "C.dim"}, {"Co", "C.dim"}, {"C\u00b0", "C.dim"}, {"C0", "C.dim"}, {"Cdim7", "C.dim7"},
        {"Co7", "C.dim7"}, {"C\u00b07", "C.dim7"}, {"C07", "C.dim7"}, {"C\u00f8", "Cm7(b5)"},
        {"C\u00f87", "Cm7(b5)"}, {"Ch", "Cm7(b5)"}, {"Ch7", "Cm7(b5)"}, {"Cm7b5", "Cm7(b5)"},
        {"Cm7(b5)", "Cm7(b5)"}, {"C-7b5", "Cm7(b5)"}, {"C\u00f89", "Cm9(b5)"}, {"Cdim(maj7)", "Cm.maj7(b5)"},
    });
}

TEST(ChordSymbol, AugmentedSpellings) {
    ExpectReadings({
        {"C+", "C.aug"}, {"Caug", "C.aug"}, {"C+7", "C.aug7"}, {"C7+", "C.aug7"}, {"Caug7", "C.aug7"},
        {"C7#5", "C7(#5)"}, {"C7+5", "C7(#5)"}, {"C7(#5)", "C7(#5)"}, {"C+9", "C.aug9"}, {"C9#5", "C9(#5)"},
        {"C+maj7", "C.maj7(#5)"}, {"Cmaj7#5", "C.maj7(#5)"}, {"C+5", "C(#5)"}, {"G7+", "G.aug7"},
    });
}

TEST(ChordSymbol, SuspensionSpellings) {
    ExpectReadings({
        {"Csus", "C.sus4"}, {"Csus4", "C.sus4"}, {"Csus2", "C.sus2"}, {"C7sus", "C7.sus4"},
        {"C7sus4", "C7.sus4"}, {"C9sus4", "C9.sus4"}, {"Csus24", "C.sus2.sus4"},
        {"Csus2sus4", "C.sus2.sus4"}, {"C7sus4(b9)", "C7.sus4(b9)"}, {"C13sus", "C9.sus4.add13"},
        {"C7susadd3", "C7.add4"},
    });
}

TEST(ChordSymbol, AdditionSpellings) {
    ExpectReadings({
        {"Cadd9", "C.add9"}, {"Cadd2", "C.add2"}, {"Cadd4", "C.add4"}, {"Cadd11", "C.add11"},
        {"Cadd6", "C.add6"}, {"Cadd13", "C.add13"}, {"C2", "C.add2"}, {"Cm2", "Cm.add2"},
        {"C6/9", "C6.add9"}, {"C69", "C6.add9"}, {"Cm6/9", "Cm6.add9"}, {"C(add9)", "C.add9"},
        {"C7(9,13)", "C7.add9.add13"}, {"C7(11)", "C7.add11"},
    });
}

TEST(ChordSymbol, PowerChordsAndOmissions) {
    ExpectReadings({
        {"C5", "C(no3)"}, {"Cno3", "C(no3)"}, {"C(no5)", "C(no5)"}, {"Comit3", "C(no3)"},
        {"C7omit5", "C7(no5)"}, {"C7(no3rd)", "C7(no3)"}, {"C5/G", "C(no3)/G"},
    });
}

TEST(ChordSymbol, AlterationsInAnyOrderAndDress) {
    ExpectReadings({
        {"C7b9", "C7(b9)"}, {"C7-9", "C7(b9)"}, {"C7+9", "C7(#9)"}, {"C7#9", "C7(#9)"},
        {"C7#11", "C7(#11)"}, {"C7+11", "C7(#11)"}, {"C7b13", "C7(b13)"}, {"C7-13", "C7(b13)"},
        {"C7b5", "C7(b5)"}, {"C7-5", "C7(b5)"}, {"C7b9#11", "C7(#11)(b9)"}, {"C7#11b9", "C7(#11)(b9)"},
        {"C7(b9,#11)", "C7(#11)(b9)"}, {"C7(b9)(#11)", "C7(#11)(b9)"}, {"C7 b9 #11", "C7(#11)(b9)"},
        {"C7(b9 , b13)", "C7(b13)(b9)"}, {"Bb13(#11)", "Bb13(#11)"}, {"C13b9", "C13(b9)"},
        {"C7alt", "rejected: 7alt is not a single chord: type its alterations"},
    });
}

TEST(ChordSymbol, ElevenHoldsTheThirdAndThirteenHoldsTheEleventh) {
    ExpectReadings({
        {"C9", "C9"}, {"C11", "C11"}, {"C13", "C13"}, {"Cmaj13", "C.maj13"}, {"Cm13", "Cm13"},
        {"C6", "C6"}, {"C7", "C7"}, {"C13#11", "C13(#11)"}, {"C13(no11)", "C9.add13"},
    });
}

TEST(ChordSymbol, SlashBassAndWhitespace) {
    ExpectReadings({
        {"C/E", "C/E"}, {"Ebmaj7/G", "Eb.maj7/G"}, {"C7/Bb", "C7/Bb"}, {"D/F#", "D/F#"},
        {"  Am7 ", "Am7"}, {"\tC7 / E\n", "C7/E"}, {"C/D", "C/D"}, {"C6/9/E", "C6.add9/E"},
        {"C/C", "C"}, {"C(no3)/E", "C(no3)/E"}, {"Cm/add9", "Cm.add9"},
    });
}

TEST(ChordSymbol, PreferenceChoosesTheNotationClosestToTheSymbol) {
    ExpectReadings({
        {"C+maj7", "C.maj7(#5)"},          // the augmented class cannot hold a major seventh
        {"C7#5", "C7(#5)"},                // the class the symbol names: major
        {"C+7", "C.aug7"},                 // the class the symbol names: augmented
        {"C13sus4", "C9.sus4.add13"},      // the suspension kept, then the nearest extension
        {"C11sus", "C9.sus4"},
        {"Cadd2", "C.add2"},               // not add9, though it sounds the same pitch class
        {"C7b5#11", "C7(b5)"},             // one tone, the alteration the symbol names first
        {"C7b5#5", "C7(#5)(#11)"},         // the later of two fifths, the flat one as #11
        {"Cm7#9", "Cm7"},                  // the raised ninth is the minor third
        {"C/E", "C/E"},                    // the bass adds nothing: no C(no3)/E
    });
}

TEST(ChordSymbol, RejectionsSayWhatCannotBeBuilt) {
    ExpectReadings({
        {"C7b9#9", "rejected: b9 and #9 together cannot be built in the panels"},
        {"C(b13)", "rejected: a b13 needs a seventh in the panels"},
        {"C(b5#5)", "rejected: b5 and #5 together cannot be built in the panels"},
        {"C6#11", "rejected: a #11 needs a seventh in the panels"},
        {"N.C.", "rejected: N.C. is not a chord"},
        {"NC", "rejected: N.C. is not a chord"},
        {"%", "rejected: % repeats the previous chord"},
        {"c7", "rejected: \"c\": the root is a capital letter A-G"},
        {"H7", "rejected: \"H7\" does not start with a root, a capital letter A-G"},
        {"", "rejected: no chord symbol was typed"},
        {"   ", "rejected: no chord symbol was typed"},
        {"C7x", "rejected: \"x\" is not part of a chord symbol"},
        {"C7b11", "rejected: \"b11\" is not an alteration the panels have (b5, #5, b9, #9, #11, b13)"},
        {"Cadd7", "rejected: \"add7\" is not an addition the panels have (add2, add3, add4, add6, add9, add11, add13)"},
        {"C7(b9", "rejected: a parenthesis is not closed"},
        {"C/e", "rejected: \"/e\": a bass note is a capital letter A-G"},
        {"C/", "rejected: \"C/\": a slash needs a bass note after it"},
        {"C##7", "rejected: \"C##7\": a double sharp or double flat is not read"},
        {"Gbb5", "rejected: \"Gbb5\": a double sharp or double flat is not read"},
        {"C\u266f\u266f", "rejected: \"C##\": a double sharp or double flat is not read"},
        {"C/E##", "rejected: \"C/E##\": a double sharp or double flat is not read"},
        {"Am7/Gbb", "rejected: \"Am7/Gbb\": a double sharp or double flat is not read"},
        {"Cmdim", "rejected: \"dim\" names a second chord class"},
        {"C\xff", "rejected: the text is not valid UTF-8"},
        {"C\xc0\xb0", "rejected: the text is not valid UTF-8"},
        {"C\xe2\x99", "rejected: the text is not valid UTF-8"},
        {"C\u00e9", "rejected: \"\u00e9\" is not part of a chord symbol"},
        {std::string(200, '7').insert(0, "C").c_str(), "rejected: too long for a chord symbol"},
    });
}

TEST(ChordSymbol, DefinitionIsCompleteWithUnnamedFieldsZero) {
    const SymbolReading plain = ReadChordSymbol("Am");
    ASSERT_TRUE(plain.definition);
    ChordDefinition expected;
    expected.RootLetterPitch = 9;
    expected.RootLetter = "A";
    expected.ChordClass = chord_class::Minor;
    EXPECT_EQ(*plain.definition, expected);

    const SymbolReading slash = ReadChordSymbol("Db7/Gb");
    ASSERT_TRUE(slash.definition);
    expected = {};
    expected.RootLetterPitch = 2;
    expected.RootLetter = "D";
    expected.RootFlat = 1;
    expected.Extension = 7;
    expected.BassSelected = 1;
    expected.BassLetterPitch = 7;
    expected.BassLetter = "/G";
    expected.BassFlat = 1;
    EXPECT_EQ(*slash.definition, expected);
}

// Every symbol a sweep of word combinations gives is either taken as the
// panels hold it (composing it clears nothing) or rejected with a reason.
TEST(ChordSymbol, EveryAcceptedSymbolIsAChordThePanelsHoldAsItIs) {
    const std::vector<std::string> words{"",    "m",    "-",    "maj",  "M",   "^",   "+",   "aug", "o",   "dim",
                                         "h",   "sus",  "sus2", "add9", "add2", "add11", "add13", "6", "7", "9",
                                         "11",  "13",   "5",    "b5",   "#5",  "b9",  "#9",  "#11", "b13", "no3",
                                         "no5", "(",    ")",    ",",    "/",   "2",   "4",   "alt"};
    size_t accepted = 0;
    for (const std::string& a : words)
        for (const std::string& b : words)
            for (const std::string& c : words) {
                const std::string symbol = "F#" + a + b + c + (c.size() % 2 == 0 ? "/A" : "");
                const SymbolReading r = ReadChordSymbol(symbol);
                if (!r.definition) {
                    EXPECT_FALSE(r.reason.empty()) << symbol;
                    continue;
                }
                ++accepted;
                EXPECT_TRUE(r.reason.empty()) << symbol;
                EXPECT_EQ(Compose(*r.definition).definition, *r.definition) << symbol;
            }
    EXPECT_GT(accepted, 10000u);
}

// ---- The program's own notation, over the whole panel space -------------------

struct Letter {
    const char* root;
    const char* bass;
    int32_t pitch;
};
constexpr Letter kLetters[] = {{"C", "/C", 0}, {"D", "/D", 2}, {"E", "/E", 4}, {"F", "/F", 5},
                               {"G", "/G", 7}, {"A", "/A", 9}, {"B", "/B", 11}};

TEST(ChordSymbolRoundTrip, EveryNotationThePanelsMakeReadsBackToItself) {
    std::set<std::string> seen;
    size_t variant = 0;
    size_t failures = 0;
    for (const SpaceShape& shape : ChordSpace::Get().Shapes()) {
        if (shape.reach == Reach::StoredRecord) continue;
        ChordDefinition made;
        ApplyShape(shape.shape, made);
        // Each shape once, under a root and bass that change from shape to shape.
        const std::string key = Compose(made).chord.Notation;
        if (!seen.insert(key).second) continue;
        ChordDefinition spelled = made;
        const Letter& root = kLetters[variant % 7];
        spelled.RootLetter = root.root, spelled.RootLetterPitch = root.pitch;
        spelled.RootFlat = variant % 3 == 1, spelled.RootSharp = variant % 3 == 2;
        const Letter& bass = kLetters[(variant / 3) % 7];
        spelled.BassSelected = variant % 4 != 0;
        if (spelled.BassSelected != 0) {
            spelled.BassLetter = bass.bass, spelled.BassLetterPitch = bass.pitch;
            spelled.BassFlat = variant % 5 == 1, spelled.BassSharp = variant % 5 == 2;
        }
        ++variant;
        const Composition expected = Compose(spelled);
        const SymbolReading r = ReadChordSymbol(expected.chord.Notation);
        const bool same = r.definition &&
                          Compose(*r.definition).chord.Notation == expected.chord.Notation &&
                          Compose(*r.definition).chord.IntervalMarks ==
                              expected.chord.IntervalMarks;
        if (!same && ++failures <= 20) {
            ADD_FAILURE() << expected.chord.Notation << " -> "
                          << (r.definition ? Compose(*r.definition).chord.Notation : r.reason);
        }
    }
    EXPECT_EQ(failures, 0u);
    EXPECT_GT(seen.size(), 3000u);
}

// The chord's pitch classes above its root, the bass included.
uint32_t Notes(const Composition& c) {
    const int32_t bass = c.definition.BassSelected != 0 ? (c.chord.BassPitch - c.chord.RootPitch + 12) % 12 : 0;
    return NotesOfMarks(c.chord.IntervalMarks) | (1u << bass);
}

// What "Use this solution" sets for a solution, before composition.
ChordDefinition DefinitionOf(const Solution& s) {
    ChordDefinition d;
    ApplyShape(ShapeOfSolution(s), d);
    return d;
}

// A name is read to exactly its notes, root and bass; only a solution whose
// fields composition would clear (the panels cannot hold its notes) may be
// rejected.
TEST(ChordSymbolRoundTrip, EveryNameTheAnalyzerListsReadsToItsNotes) {
    size_t accepted = 0;
    size_t failures = 0;
    for (uint32_t held = 1; held < 4096; ++held) {
        std::vector<int32_t> pitches;
        for (int32_t p = 0; p < 12; ++p) {
            if ((held >> p) & 1u) pitches.push_back(p);
        }
        if (pitches.size() < kMinSolvablePitches) continue;
        for (size_t lowest = 0; lowest < pitches.size(); ++lowest) {
            std::vector<int32_t> captured = pitches;
            std::rotate(captured.begin(), captured.begin() + static_cast<std::ptrdiff_t>(lowest), captured.end());
            for (const Solution& s : Solve(captured)) {
                const SymbolReading r = ReadChordSymbol(s.name);
                std::string wrong;
                if (r.definition) {
                    const Composition c = Compose(*r.definition);
                    const uint32_t relative = ((held >> s.RootPitch) | (held << (12 - s.RootPitch))) & 0xfffu;
                    const int32_t bass = c.definition.BassSelected != 0 ? c.chord.BassPitch : c.chord.RootPitch;
                    if (c.chord.RootPitch != s.RootPitch || Notes(c) != relative || bass != s.BassPitch) {
                        wrong = "other notes: " + c.chord.Notation;
                    }
                    ++accepted;
                } else if (Compose(DefinitionOf(s)).definition == DefinitionOf(s)) {
                    wrong = r.reason;
                }
                if (!wrong.empty() && ++failures <= 20) ADD_FAILURE() << s.name << " -> " << wrong;
            }
        }
    }
    EXPECT_EQ(failures, 0u);
    EXPECT_GT(accepted, 10000u);
}

}  // namespace
}  // namespace hq
