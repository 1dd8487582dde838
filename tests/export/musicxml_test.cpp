#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>
#include <vector>

#include "sequencer/chart_reader.h"
#include "sequencer/chart_support.h"
#include "export/musicxml.h"
#include "support/cli_run.h"

namespace hq {
namespace {

using testing::Chord;

// The tones of each kind as MusicXML defines them: degree and semitones
// above the root, the root left out.
using Tones = std::vector<std::pair<int32_t, int32_t>>;
const Tones kMajor{{3, 4}, {5, 7}}, kMinor{{3, 3}, {5, 7}}, kDim{{3, 3}, {5, 6}};
Tones With(Tones t, Tones more) { return t.insert(t.end(), more.begin(), more.end()), t; }
const Tones kDom = With(kMajor, {{7, 10}}), kMaj = With(kMajor, {{7, 11}}), kMin = With(kMinor, {{7, 10}});
const std::map<std::string, Tones> kKindTones{
    {"major", kMajor}, {"minor", kMinor}, {"augmented", {{3, 4}, {5, 8}}}, {"diminished", kDim},
    {"dominant", kDom}, {"major-seventh", kMaj}, {"minor-seventh", kMin},
    {"diminished-seventh", With(kDim, {{7, 9}})}, {"augmented-seventh", {{3, 4}, {5, 8}, {7, 10}}},
    {"half-diminished", With(kDim, {{7, 10}})}, {"major-minor", With(kMinor, {{7, 11}})},
    {"major-sixth", With(kMajor, {{6, 9}})}, {"minor-sixth", With(kMinor, {{6, 9}})},
    {"dominant-ninth", With(kDom, {{9, 14}})}, {"major-ninth", With(kMaj, {{9, 14}})},
    {"minor-ninth", With(kMin, {{9, 14}})}, {"dominant-11th", With(kDom, {{9, 14}, {11, 17}})},
    {"major-11th", With(kMaj, {{9, 14}, {11, 17}})}, {"minor-11th", With(kMin, {{9, 14}, {11, 17}})},
    {"dominant-13th", With(kDom, {{9, 14}, {11, 17}, {13, 21}})},
    {"major-13th", With(kMaj, {{9, 14}, {11, 17}, {13, 21}})},
    {"minor-13th", With(kMin, {{9, 14}, {11, 17}, {13, 21}})},
    {"suspended-second", {{2, 2}, {5, 7}}}, {"suspended-fourth", {{4, 5}, {5, 7}}}, {"power", {{5, 7}}},
};

/// Semitones of a degree in a dominant chord: 3 major, 7 minor, 9 major.
int32_t DominantSemitones(int32_t degree) {
    const int32_t inOctave[] = {0, 0, 2, 4, 5, 7, 9, 10};
    return inOctave[(degree - 1) % 7 + 1] + (degree > 7 ? 12 : 0);
}

/// Pitch classes above the root that a kind and its degrees give.
uint16_t TonesOf(const HarmonyChoice& h) {
    std::map<int32_t, int32_t> byDegree{{1, 0}};  // degree -> semitones
    for (const auto& [degree, semitones] : kKindTones.at(std::string(h.kind))) byDegree[degree] = semitones;
    for (const HarmonyDegree& d : h.degrees) {
        // Only a degree the kind holds is altered or taken away.
        EXPECT_TRUE(d.type == "add" || byDegree.contains(d.value)) << d.value;
        if (d.type == "subtract") byDegree.erase(d.value);
        if (d.type == "alter") byDegree[d.value] += d.alter;
        if (d.type == "add") byDegree[d.value + 100] = DominantSemitones(d.value) + d.alter;
    }
    uint16_t pcs = 0;
    for (const auto& [degree, semitones] : byDegree) pcs |= static_cast<uint16_t>(1u << (semitones % 12));
    return pcs;
}

TEST(MusicXmlHarmony, KindAndDegreesSoundEveryPanelChord) {
    for (const ChordDefinition& d : testing::EveryPanelChordOnC()) {
        const ComposedChord c = Compose(d).chord;
        uint32_t tones = 0;
        for (size_t i = 0; i < 22; ++i) tones |= c.IntervalMarks[i] == mark::Tone ? 1u << i : 0u;
        const HarmonyChoice h = HarmonyOf(d, tones);
        ASSERT_EQ(TonesOf(h), testing::SoundOf(d).first) << testing::Notation(d) << " as " << h.kind;
        for (const HarmonyDegree& g : h.degrees) EXPECT_LE(std::abs(g.alter), 1) << testing::Notation(d);
    }
}

std::string Harmony(const std::string& xml) {
    const size_t from = xml.find("<harmony>");
    return from == std::string::npos ? "" : xml.substr(from, xml.find("</harmony>") + 10 - from);
}

TEST(MusicXmlHarmony, NamesTheChartChord) {
    const struct {
        const char* symbol;
        const char* harmony;  // between <harmony> and </harmony>
    } cases[] = {
        {"Dm7/F", "<root><root-step>D</root-step></root><kind text=\"m7\">minor-seventh</kind>"
                  "<bass><bass-step>F</bass-step></bass>"},
        {"Bbm7b5", "<root><root-step>B</root-step><root-alter>-1</root-alter></root>"
                   "<kind text=\"m7b5\">half-diminished</kind>"},
        {"C6/9", "<root><root-step>C</root-step></root><kind text=\"6/9\">major-sixth</kind>"
                 "<degree><degree-value>9</degree-value><degree-alter>0</degree-alter><degree-type>add</degree-type></degree>"},
        {"G7b9", "<root><root-step>G</root-step></root><kind text=\"7b9\">dominant</kind>"
                 "<degree><degree-value>9</degree-value><degree-alter>-1</degree-alter><degree-type>add</degree-type></degree>"},
        {"C9.add13", "<root><root-step>C</root-step></root><kind text=\"13(no11)\">dominant-13th</kind>"
                     "<degree><degree-value>11</degree-value><degree-alter>0</degree-alter><degree-type>subtract</degree-type></degree>"},
        {"F#7#5/D", "<root><root-step>F</root-step><root-alter>1</root-alter></root>"
                    "<kind text=\"7#5\">augmented-seventh</kind><bass><bass-step>D</bass-step></bass>"},
        {"Cmaj7#5", "<root><root-step>C</root-step></root><kind text=\"maj7#5\">major-seventh</kind>"
                    "<degree><degree-value>5</degree-value><degree-alter>1</degree-alter><degree-type>alter</degree-type></degree>"},
    };
    for (const auto& c : cases) {
        const ChordSequence s = SequenceOfChords(std::vector{Chord(c.symbol)}, {});
        EXPECT_EQ(Harmony(MusicXmlOf(s.Records, {}, "t", 120)), std::string("<harmony>") + c.harmony + "</harmony>")
            << c.symbol;
    }
}

// Each element's children, in the order the MusicXML 4.0 schema gives them.
const std::map<std::string, std::vector<std::string>> kSchemaOrder{
    {"score-partwise", {"work", "movement-number", "movement-title", "identification", "defaults", "credit", "part-list", "part"}},
    {"measure", {"attributes", "direction", "harmony", "note", "backup", "note"}},
    {"attributes", {"divisions", "key", "time", "staves", "clef"}},
    {"direction", {"direction-type", "offset", "staff", "sound"}},
    {"harmony", {"root", "kind", "inversion", "bass", "degree"}},
    {"root", {"root-step", "root-alter"}},
    {"bass", {"bass-separator", "bass-step", "bass-alter"}},
    {"degree", {"degree-value", "degree-alter", "degree-type"}},
    {"note", {"chord", "pitch", "rest", "duration", "tie", "voice", "type", "dot", "accidental", "stem", "staff", "notations"}},
    {"pitch", {"step", "alter", "octave"}},
};

/// Children of every element, as tag names in document order.
std::vector<std::pair<std::string, std::vector<std::string>>> Children(const std::string& xml) {
    std::vector<std::pair<std::string, std::vector<std::string>>> done;
    std::vector<std::pair<std::string, std::vector<std::string>>> open;
    const std::regex tag(R"(<(/?)([a-z][a-z0-9-]*)[^>]*?(/?)>)");
    for (std::sregex_iterator it(xml.begin(), xml.end(), tag), end; it != end; ++it) {
        const std::string name = (*it)[2];
        if ((*it)[1] == "/") {
            done.push_back(open.back());
            open.pop_back();
            continue;
        }
        if (!open.empty()) open.back().second.push_back(name);
        if ((*it)[3] == "/") {
            done.push_back({name, {}});
        } else {
            open.push_back({name, {}});
        }
    }
    EXPECT_TRUE(open.empty());
    return done;
}

TEST(MusicXmlScore, FollowsTheSchemaOrderAndTiesEachRecordsNotes) {
    const ChordSequence s = SequenceOfChords(*ReadChart("| Dm7/F | G7 | Cmaj7 |").chords, {});
    const std::vector<std::vector<int32_t>> keys{{53, 62, 65, 69, 72, 72}, {67, 71, 74, 77}, {}};
    const std::string xml = MusicXmlOf(s.Records, keys, "Blue & \"Green\"", 132);
    size_t measures = 0;
    for (const auto& [name, children] : Children(xml)) {
        measures += name == "measure";
        const auto order = kSchemaOrder.find(name);
        if (order == kSchemaOrder.end()) continue;
        size_t at = 0;
        for (const std::string& child : children) {
            while (at < order->second.size() && order->second[at] != child) ++at;
            ASSERT_LT(at, order->second.size()) << child << " out of order in " << name;
            if (name == "measure" && child == "backup") ++at;  // the second staff's notes follow
        }
    }
    EXPECT_EQ(measures, 6u);
    EXPECT_NE(xml.find("<work><work-title>Blue &amp; &quot;Green&quot;</work-title></work>"), std::string::npos);
    EXPECT_NE(xml.find("<part-name>Chords</part-name>"), std::string::npos);
    EXPECT_NE(xml.find("<sound tempo=\"132\"/>"), std::string::npos);
    EXPECT_EQ(testing::Count(xml, "<sound "), 1u);
    EXPECT_EQ(testing::Count(xml, "<harmony>"), 3u);
    // Five keys once each, and four: tied across both measures of their record.
    EXPECT_EQ(testing::Count(xml, "<tie type=\"start\"/>"), 9u);
    EXPECT_EQ(testing::Count(xml, "<tied type=\"stop\"/>"), 9u);
    EXPECT_NE(xml.find("<pitch><step>F</step><octave>3</octave></pitch><duration>4</duration><tie type=\"start\"/>"
                       "<voice>2</voice><type>whole</type><staff>2</staff>"),
              std::string::npos);
    EXPECT_NE(xml.find("<chord/><pitch><step>C</step><octave>5</octave></pitch>"), std::string::npos);
    // G7 has nothing below middle C, Cmaj7 nothing at all: whole rests.
    EXPECT_EQ(testing::Count(xml, "<rest measure=\"yes\"/>"), 6u);
}

}  // namespace
}  // namespace hq
