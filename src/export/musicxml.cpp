#include "export/musicxml.h"

#include <algorithm>
#include <array>

#include "sequencer/chart_writer.h"
#include "sequencer/transpose.h"
#include "theory/composition.h"
#include "theory/key_names.h"
#include "theory/pitch.h"

namespace hq {
namespace {

constexpr int32_t kWholeDivisions = 4;  // one division a quarter
constexpr int32_t kMiddleC = 60;
constexpr int32_t kLowestKey = 12;  // octave 0
constexpr int32_t kHighestKey = 127;

/// Degree and its alteration from a dominant chord, by IntervalMarks index.
struct Degree {
    int32_t value;
    int32_t alter;
};
constexpr std::array<Degree, 22> kDegrees{{
    {1, 0},  {2, -1}, {2, 0},  {3, -1}, {3, 0},   {4, 0},  {5, -1}, {5, 0},  {5, 1},  {6, 0},   {7, 0},
    {7, 1},  {8, 0},  {9, -1}, {9, 0},  {9, 1},   {11, -1}, {11, 0}, {11, 1}, {13, -2}, {13, -1}, {13, 0},
}};

struct KindTone {
    int32_t index;
    int32_t degree;
};

struct Kind {
    std::string_view name;
    std::array<KindTone, 7> tones;  // the root is implied; index 0 ends the list
};

constexpr std::array<Kind, 25> kKinds{{
    {"major", {{{4, 3}, {7, 5}}}},
    {"minor", {{{3, 3}, {7, 5}}}},
    {"augmented", {{{4, 3}, {8, 5}}}},
    {"diminished", {{{3, 3}, {6, 5}}}},
    {"dominant", {{{4, 3}, {7, 5}, {10, 7}}}},
    {"major-seventh", {{{4, 3}, {7, 5}, {11, 7}}}},
    {"minor-seventh", {{{3, 3}, {7, 5}, {10, 7}}}},
    {"diminished-seventh", {{{3, 3}, {6, 5}, {9, 7}}}},
    {"augmented-seventh", {{{4, 3}, {8, 5}, {10, 7}}}},
    {"half-diminished", {{{3, 3}, {6, 5}, {10, 7}}}},
    {"major-minor", {{{3, 3}, {7, 5}, {11, 7}}}},
    {"major-sixth", {{{4, 3}, {7, 5}, {9, 6}}}},
    {"minor-sixth", {{{3, 3}, {7, 5}, {9, 6}}}},
    {"dominant-ninth", {{{4, 3}, {7, 5}, {10, 7}, {14, 9}}}},
    {"major-ninth", {{{4, 3}, {7, 5}, {11, 7}, {14, 9}}}},
    {"minor-ninth", {{{3, 3}, {7, 5}, {10, 7}, {14, 9}}}},
    {"dominant-11th", {{{4, 3}, {7, 5}, {10, 7}, {14, 9}, {17, 11}}}},
    {"major-11th", {{{4, 3}, {7, 5}, {11, 7}, {14, 9}, {17, 11}}}},
    {"minor-11th", {{{3, 3}, {7, 5}, {10, 7}, {14, 9}, {17, 11}}}},
    {"dominant-13th", {{{4, 3}, {7, 5}, {10, 7}, {14, 9}, {17, 11}, {21, 13}}}},
    {"major-13th", {{{4, 3}, {7, 5}, {11, 7}, {14, 9}, {17, 11}, {21, 13}}}},
    {"minor-13th", {{{3, 3}, {7, 5}, {10, 7}, {14, 9}, {17, 11}, {21, 13}}}},
    {"suspended-second", {{{2, 2}, {7, 5}}}},
    {"suspended-fourth", {{{5, 4}, {7, 5}}}},
    {"power", {{{7, 5}}}},
}};

const Kind& KindNamed(std::string_view name) {
    for (const Kind& k : kKinds) {
        if (k.name == name) return k;
    }
    return kKinds[0];
}

uint32_t TonesOf(const Kind& kind) {
    uint32_t tones = 1u;
    for (const KindTone& t : kind.tones) {
        if (t.index != 0) tones |= 1u << t.index;
    }
    return tones;
}

/// The kind that holds exactly the chord's tones, else the one its chart
/// class and extension name, which degrees then alter.
std::string_view KindName(const ChordDefinition& d, uint32_t tones) {
    for (const Kind& kind : kKinds) {
        if (TonesOf(kind) == tones) return kind.name;
    }
    const ChartExtension e = ChartExtensionOf(d);
    const bool suspended = d.SecondAdd == 3 || d.FourthAdd == 3;
    const bool third = (tones & ((1u << 3) | (1u << 4))) != 0;
    if (suspended && !third) return d.FourthAdd == 3 ? "suspended-fourth" : "suspended-second";
    const int32_t degree = e.degree;
    const size_t stack = degree == 9 ? 1 : degree == 11 ? 2 : degree == 13 ? 3 : 0;
    switch (d.ChordClass) {
        case chord_class::Minor:
            if (degree == 0) return "minor";
            if (degree == 6) return "minor-sixth";
            if (e.majorSeventh) return "major-minor";
            if (degree == 7 && d.FifthAlteration == -1) return "half-diminished";
            return std::array<std::string_view, 4>{"minor-seventh", "minor-ninth", "minor-11th", "minor-13th"}[stack];
        case chord_class::Augmented:
            if (degree == 0) return "augmented";
            if (degree == 7) return "augmented-seventh";
            return std::array<std::string_view, 4>{"dominant", "dominant-ninth", "dominant-11th", "dominant-13th"}[stack];
        case chord_class::Diminished:
            return degree >= 7 ? "diminished-seventh" : "diminished";
        default:
            if (degree == 0) return "major";
            if (degree == 6) return "major-sixth";
            if (e.majorSeventh) {
                return std::array<std::string_view, 4>{"major-seventh", "major-ninth", "major-11th", "major-13th"}[stack];
            }
            return std::array<std::string_view, 4>{"dominant", "dominant-ninth", "dominant-11th", "dominant-13th"}[stack];
    }
}

std::string Escaped(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '"') {
            out += "&quot;";
        } else if (c < 0x20 || c == 0x7f || c >= 0x80) {
            // Only ASCII goes out as it is: a file name's bytes need not be UTF-8.
            out += c >= 0x80 ? '_' : ' ';
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

struct Pitch {
    char step;
    int32_t alter;
    int32_t octave;
};

Pitch PitchOf(int32_t key, const KeyNames& names) {
    const std::string& name = names[static_cast<size_t>(Mod12(key))];
    int32_t alter = 0;
    for (char c : std::string_view(name).substr(name.empty() ? 0 : 1)) alter += c == '#' ? 1 : c == 'b' ? -1 : 0;
    const int32_t octave = (key - alter) / 12 - 1;
    if (name.empty() || octave < 0 || octave > 9) {
        const SpelledNote plain = TransposeNote({}, key, TransposeSpelling::Flats);
        return {NoteText(plain)[0], plain.accidental, (key - plain.accidental) / 12 - 1};
    }
    return {name[0], alter, octave};
}

class Writer {
public:
    std::string out;

    void Open(std::string_view tag) { out += "<" + std::string(tag) + ">"; }
    void Close(std::string_view tag) { out += "</" + std::string(tag) + ">"; }
    void Element(std::string_view tag, std::string_view text) {
        out += "<" + std::string(tag) + ">" + std::string(text) + "</" + std::string(tag) + ">";
    }
    void Line() { out += "\n"; }
};

void Notes(Writer& w, const std::vector<int32_t>& keys, const KeyNames& names, int32_t staff, bool first) {
    const std::string staffText = std::to_string(staff);
    const std::string_view tie = first ? "start" : "stop";
    if (keys.empty()) {
        w.out += "<note><rest measure=\"yes\"/><duration>4</duration><voice>" + staffText +
                 "</voice><type>whole</type><staff>" + staffText + "</staff></note>";
        w.Line();
        return;
    }
    for (size_t i = 0; i < keys.size(); ++i) {
        const Pitch p = PitchOf(keys[i], names);
        w.Open("note");
        if (i > 0) w.out += "<chord/>";
        w.Open("pitch");
        w.Element("step", std::string(1, p.step));
        if (p.alter != 0) w.Element("alter", std::to_string(p.alter));
        w.Element("octave", std::to_string(p.octave));
        w.Close("pitch");
        w.Element("duration", std::to_string(kWholeDivisions));
        w.out += "<tie type=\"" + std::string(tie) + "\"/>";
        w.Element("voice", staffText);
        w.Element("type", "whole");
        w.Element("staff", staffText);
        w.out += "<notations><tied type=\"" + std::string(tie) + "\"/></notations>";
        w.Close("note");
        w.Line();
    }
}

void Harmony(Writer& w, const ChordDefinition& d, const Composition& c) {
    uint32_t tones = 0;
    for (size_t i = 0; i < kDegrees.size(); ++i) {
        const int32_t m = c.chord.IntervalMarks[i];
        if (m == mark::Tone || m == mark::ToneAndBass) tones |= 1u << i;
    }
    const HarmonyChoice choice = HarmonyOf(c.definition, tones);
    const ChartSymbol symbol = ChartSymbolOf(d);
    const SpelledNote root = RootNoteOf(c.definition);
    w.Open("harmony");
    w.Open("root");
    w.Element("root-step", NoteText({root.letter, 0}));
    if (root.accidental != 0) w.Element("root-alter", std::to_string(root.accidental));
    w.Close("root");
    w.out += "<kind text=\"" + Escaped(symbol.suffix) + "\">" + std::string(choice.kind) + "</kind>";
    if (c.definition.BassSelected != 0 && c.chord.BassPitch != c.chord.RootPitch) {
        const SpelledNote bass = BassNoteOf(c.definition);
        w.Open("bass");
        w.Element("bass-step", NoteText({bass.letter, 0}));
        if (bass.accidental != 0) w.Element("bass-alter", std::to_string(bass.accidental));
        w.Close("bass");
    }
    for (const HarmonyDegree& degree : choice.degrees) {
        w.Open("degree");
        w.Element("degree-value", std::to_string(degree.value));
        w.Element("degree-alter", std::to_string(degree.alter));
        w.Element("degree-type", degree.type);
        w.Close("degree");
    }
    w.Close("harmony");
    w.Line();
}

void Attributes(Writer& w, int32_t tempo) {
    w.out +=
        "<attributes><divisions>1</divisions><key><fifths>0</fifths></key>"
        "<time><beats>4</beats><beat-type>4</beat-type></time><staves>2</staves>"
        "<clef number=\"1\"><sign>G</sign><line>2</line></clef>"
        "<clef number=\"2\"><sign>F</sign><line>4</line></clef></attributes>\n";
    const std::string bpm = std::to_string(tempo);
    w.out += "<direction placement=\"above\"><direction-type><metronome><beat-unit>quarter</beat-unit><per-minute>" +
             bpm + "</per-minute></metronome></direction-type><staff>1</staff><sound tempo=\"" + bpm +
             "\"/></direction>\n";
}

}  // namespace

HarmonyChoice HarmonyOf(const ChordDefinition& definition, uint32_t tones) {
    HarmonyChoice choice;
    choice.kind = KindName(definition, tones);
    const Kind& kind = KindNamed(choice.kind);
    uint32_t extra = tones & ~TonesOf(kind);
    for (const KindTone& t : kind.tones) {
        if (t.index == 0 || (tones & (1u << t.index)) != 0) continue;
        // A tone of the kind's degree elsewhere alters it; none takes it away.
        bool altered = false;
        for (int32_t i = 0; i < static_cast<int32_t>(kDegrees.size()) && !altered; ++i) {
            if ((extra & (1u << i)) == 0 || kDegrees[static_cast<size_t>(i)].value != t.degree) continue;
            choice.degrees.push_back({t.degree, i - t.index, "alter"});
            extra &= ~(1u << i);
            altered = true;
        }
        if (!altered) choice.degrees.push_back({t.degree, 0, "subtract"});
    }
    for (size_t i = 0; i < kDegrees.size(); ++i) {
        if ((extra & (1u << i)) != 0) choice.degrees.push_back({kDegrees[i].value, kDegrees[i].alter, "add"});
    }
    std::stable_sort(choice.degrees.begin(), choice.degrees.end(),
                     [](const HarmonyDegree& a, const HarmonyDegree& b) { return a.value < b.value; });
    return choice;
}

std::string MusicXmlOf(std::span<const ChordRecord> records, std::span<const std::vector<int32_t>> keysPerRecord,
                       std::string_view title, int32_t tempoBpm) {
    Writer w;
    w.out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
        "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 4.0 Partwise//EN\" "
        "\"http://www.musicxml.org/dtds/partwise.dtd\">\n"
        "<score-partwise version=\"4.0\">\n";
    w.out += "<work><work-title>" + Escaped(title) + "</work-title></work>\n";
    w.out += "<identification><encoding><software>Harmoniqua</software></encoding></identification>\n";
    w.out += "<part-list><score-part id=\"P1\"><part-name>Chords</part-name></score-part></part-list>\n";
    w.out += "<part id=\"P1\">\n";
    const size_t count = std::max<size_t>(records.size(), 1);
    int32_t measure = 0;
    for (size_t r = 0; r < count; ++r) {
        ChordDefinition definition;
        ComposedChord stored;
        PlaySettings play;
        const bool decoded = r < records.size() && DecodeChordRecord(records[r], {definition, stored, play});
        const Composition c = Compose(definition);
        const KeyNames names = KeyNamesOf(definition, c.chord);
        std::vector<int32_t> upper, lower;
        if (r < keysPerRecord.size()) {
            std::vector<int32_t> keys = keysPerRecord[r];
            std::sort(keys.begin(), keys.end());
            keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
            for (int32_t key : keys) {
                if (key < kLowestKey || key > kHighestKey) continue;
                (key < kMiddleC ? lower : upper).push_back(key);
            }
        }
        for (bool first : {true, false}) {
            w.out += "<measure number=\"" + std::to_string(++measure) + "\">\n";
            if (measure == 1) Attributes(w, std::max(tempoBpm, 1));
            if (first && decoded) Harmony(w, definition, c);
            Notes(w, upper, names, 1, first);
            w.out += "<backup><duration>4</duration></backup>\n";
            Notes(w, lower, names, 2, first);
            w.out += "</measure>\n";
        }
    }
    w.out += "</part>\n</score-partwise>\n";
    return w.out;
}

}  // namespace hq
