#include "sequencer/chart_writer.h"

#include <array>
#include <optional>
#include <unordered_map>

#include "theory/composition.h"
#include "theory/symbol.h"

namespace hq {
namespace {

constexpr size_t kBarsPerLine = 4;
// A record's definition lies in fields 2 to 21.
constexpr size_t kFirstDefinitionField = 2;
constexpr size_t kLastDefinitionField = 21;

/// What a chord sounds: its tones as pitch classes above C, and its bass.
struct Sound {
    int32_t root = 0;
    uint16_t tones = 0;
    std::optional<int32_t> bass;
    bool operator==(const Sound&) const = default;
};

Sound SoundOf(const ComposedChord& c, const ChordDefinition& d) {
    Sound s;
    s.root = c.RootPitch;
    for (size_t i = 0; i < c.IntervalMarks.size(); ++i) {
        const int32_t m = c.IntervalMarks[i];
        if (m == mark::Tone || m == mark::ToneAndBass) s.tones |= static_cast<uint16_t>(1u << ((c.RootPitch + static_cast<int32_t>(i)) % 12));
    }
    if (d.BassSelected != 0 && c.BassPitch != c.RootPitch) s.bass = c.BassPitch;
    return s;
}

bool ReadsBackAs(const std::string& text, const Sound& wanted) {
    const SymbolReading reading = ReadChordSymbol(text);
    if (!reading.definition) return false;
    const Composition c = Compose(*reading.definition);
    return SoundOf(c.chord, c.definition) == wanted;
}

/// The fields of a definition as a chart names them; `literal` names each
/// field as it is rather than as ChartExtensionOf folds them.
std::string Suffix(const ChordDefinition& d, bool literal) {
    ChartExtension e = ChartExtensionOf(d);
    if (literal) {
        e.degree = d.Extension >= 7 ? d.Extension - (e.majorSeventh ? 1 : 0) : d.Extension;
        e.secondAdd = d.SecondAdd, e.fourthAdd = d.FourthAdd, e.sixthAdd = d.SixthAdd, e.noEleventh = false;
    }
    int32_t degree = e.degree, second = e.secondAdd, fourth = e.fourthAdd, sixth = e.sixthAdd;
    const bool major = e.majorSeventh;
    const bool noEleventh = e.noEleventh;
    const bool augmented = d.ChordClass == chord_class::Augmented;
    std::string s;
    switch (d.ChordClass) {
        case chord_class::Minor: s = "m"; break;
        case chord_class::Diminished: s = "dim"; break;
        case chord_class::Augmented: s = degree == 0 ? "aug" : ""; break;
        default: break;
    }
    if (degree == 6) {
        s += "6";
        if (second == 9) s += "/9", second = 0;
    } else if (degree >= 7) {
        const std::string number = std::to_string(degree);
        if (!major) {
            s += number;
        } else if (d.ChordClass == chord_class::Minor) {
            s += "(maj" + number + ")";
        } else {
            s += "maj" + number;
        }
    }
    const bool power = s.empty() && d.NoThird != 0 && d.NoFifth == 0 && second == 0 && fourth == 0 && sixth == 0 &&
                       d.FifthAlteration == 0 && d.NinthAlteration == 0 && d.SharpEleventh == 0 &&
                       d.FlatThirteenth == 0;
    if (power) return "5";
    if (second == 3 && fourth == 3) {
        s += "sus2sus4";
    } else if (second == 3) {
        s += "sus2";
    } else if (fourth == 3) {
        s += "sus4";
    }
    struct Part {
        bool on;
        std::string_view text;
    };
    for (const Part& p : {Part{second == 2, "add2"}, Part{second == 9, "add9"}, Part{fourth == 4, "add4"},
                          Part{fourth == 11, "add11"}, Part{sixth == 6, "add6"}, Part{sixth == 13, "add13"}}) {
        if (p.on) s += p.text;
    }
    std::string alterations;
    for (const Part& p : {Part{d.FifthAlteration == -1, "b5"}, Part{d.FifthAlteration == 1 || (augmented && degree != 0), "#5"},
                          Part{d.NinthAlteration == -1, "b9"}, Part{d.NinthAlteration == 1, "#9"},
                          Part{d.SharpEleventh != 0, "#11"}, Part{d.FlatThirteenth != 0, "b13"}}) {
        if (p.on) alterations += p.text;
    }
    // Right after the root a flat or sharp would be read as the root's.
    s += s.empty() && !alterations.empty() ? "(" + alterations + ")" : alterations;
    if (d.NoThird != 0) s += "(no3)";
    if (d.NoFifth != 0) s += "(no5)";
    if (noEleventh) s += "(no11)";
    return s;
}

}  // namespace

ChartExtension ChartExtensionOf(const ChordDefinition& d) {
    ChartExtension e;
    e.majorSeventh = d.Extension == 8 || d.Extension == 10 || d.Extension == 12 || d.Extension == 14;
    e.degree = d.Extension >= 7 ? d.Extension - (e.majorSeventh ? 1 : 0) : d.Extension;
    e.secondAdd = d.SecondAdd, e.fourthAdd = d.FourthAdd, e.sixthAdd = d.SixthAdd;
    const bool sixFits = d.ChordClass == chord_class::Major || d.ChordClass == chord_class::Minor;
    if (e.degree == 0 && e.sixthAdd == 6 && sixFits) e.degree = 6, e.sixthAdd = 0;
    if (e.degree == 7 && e.secondAdd == 9) e.degree = 9, e.secondAdd = 0;
    if (e.degree == 9 && e.fourthAdd == 11) e.degree = 11, e.fourthAdd = 0;
    if (e.degree == 11 && e.sixthAdd == 13) e.degree = 13, e.sixthAdd = 0;
    // The program's 13 holds the 11th: without it, "13(no11)".
    if (e.degree == 9 && e.sixthAdd == 13) e.degree = 13, e.sixthAdd = 0, e.noEleventh = true;
    return e;
}

ChartSymbol ChartSymbolOf(const ChordDefinition& definition) {
    const Composition c = Compose(definition);
    const ChordDefinition& d = c.definition;
    const Sound sound = SoundOf(c.chord, d);
    ChartSymbol symbol;
    symbol.root = c.chord.RootName;
    if (sound.bass) symbol.bass = c.chord.BassName.starts_with('/') ? c.chord.BassName : "/" + c.chord.BassName;
    for (bool literal : {false, true}) {
        symbol.suffix = Suffix(d, literal);
        if (ReadsBackAs(symbol.Text(), sound)) return symbol;
    }
    // The panels' notation: the root, its words, then the bass.
    std::string_view words = c.chord.Notation;
    if (words.starts_with(symbol.root)) words.remove_prefix(symbol.root.size());
    if (!c.chord.BassName.empty() && words.ends_with(c.chord.BassName)) {
        words.remove_suffix(c.chord.BassName.size());
        symbol.bass = c.chord.BassName;
    }
    symbol.suffix = std::string(words);
    symbol.readable = ReadsBackAs(symbol.Text(), sound);
    return symbol;
}

std::string ChartText(std::span<const ChordRecord> records) {
    // A chart repeats its chords: each definition is written once.
    std::unordered_map<std::string, std::string> written;
    std::string text;
    for (size_t i = 0; i < records.size(); ++i) {
        const ChordRecord& r = records[i];
        std::string key = r[kClosingMarkerField];
        for (size_t f = kFirstDefinitionField; f <= kLastDefinitionField; ++f) key += '\n' + r[f];
        auto found = written.find(key);
        if (found == written.end()) {
            ChordDefinition definition;
            ComposedChord chord;
            PlaySettings play;
            const bool decoded = DecodeChordRecord(r, {definition, chord, play});
            found = written.emplace(std::move(key), decoded ? ChartSymbolOf(definition).Text() : "N.C.").first;
        }
        text += i % kBarsPerLine == 0 ? "| " : " ";
        text += found->second;
        text += " |";
        if (i % kBarsPerLine == kBarsPerLine - 1 || i + 1 == records.size()) text += "\n";
    }
    return text;
}

}  // namespace hq
