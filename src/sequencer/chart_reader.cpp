#include "sequencer/chart_reader.h"

#include <array>
#include <unordered_map>

#include "theory/composition.h"
#include "theory/symbol.h"

namespace hq {
namespace {

constexpr std::array<std::string_view, 4> kBarLines{"|:", ":|", "||", "|"};
constexpr std::array<std::string_view, 6> kNoChords{"N.C.", "N.C", "NC", "N/C", "n.c.", "nc"};
constexpr std::string_view kRepeatBar = "%";
constexpr std::string_view kContinue = "/";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }
bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }

/// The bar line at the start of `text`, or nothing.
std::string_view BarLineAt(std::string_view text) {
    for (std::string_view bar : kBarLines) {
        if (text.starts_with(bar)) return bar;
    }
    return {};
}

bool IsNoChord(std::string_view word) {
    for (std::string_view nc : kNoChords) {
        if (word == nc) return true;
    }
    return false;
}

class ChartReader {
public:
    explicit ChartReader(std::string_view text) : text_(text) {}

    ChartReading Read() {
        while (at_ < text_.size() && !failed_) Step();
        if (failed_) return {std::nullopt, std::move(reason_)};
        return {std::move(chords_), {}};
    }

private:
    std::string_view text_;
    size_t at_ = 0;
    int32_t bar_ = 1;
    int32_t chordInBar_ = 0;
    bool barHasWords_ = false;
    bool sawBarLine_ = false;
    bool lineBreakSinceBar_ = false;
    std::vector<ChordDefinition> chords_;
    size_t barStart_ = 0;  // index in chords_ of the open bar's first chord
    std::vector<ChordDefinition> lastHeld_;
    std::unordered_map<std::string_view, ChordDefinition> read_;  // symbols met before
    bool failed_ = false;
    std::string reason_;

    void Fail(std::string_view reason) {
        failed_ = true;
        reason_ = "bar " + std::to_string(bar_) + ", chord " + std::to_string(chordInBar_) + ": " + std::string(reason);
    }

    void Step() {
        const char c = text_[at_];
        if (IsBlank(c)) {
            if (IsLineBreak(c)) lineBreakSinceBar_ = true;
            ++at_;
            return;
        }
        const std::string_view bar = BarLineAt(text_.substr(at_));
        if (!bar.empty()) {
            at_ += bar.size();
            return BarLine();
        }
        const size_t start = at_;
        while (at_ < text_.size() && !IsBlank(text_[at_]) && BarLineAt(text_.substr(at_)).empty()) ++at_;
        Word(text_.substr(start, at_ - start));
    }

    void BarLine() {
        // A line's first bar line opens a bar rather than closing an empty one.
        const bool opening = !barHasWords_ && (!sawBarLine_ || lineBreakSinceBar_);
        if (!opening) {
            if (chords_.size() > barStart_) lastHeld_.assign(chords_.begin() + static_cast<std::ptrdiff_t>(barStart_), chords_.end());
            ++bar_;
        }
        barStart_ = chords_.size();
        chordInBar_ = 0;
        barHasWords_ = false;
        sawBarLine_ = true;
        lineBreakSinceBar_ = false;
    }

    void Word(std::string_view word) {
        ++chordInBar_;
        barHasWords_ = true;
        if (word == kContinue || IsNoChord(word)) return;
        if (word == kRepeatBar) {
            if (lastHeld_.empty()) return Fail("% repeats a bar, and no bar of chords comes before it");
            if (!Room(lastHeld_.size())) return;
            chords_.insert(chords_.end(), lastHeld_.begin(), lastHeld_.end());
            return;
        }
        if (!Room(1)) return;
        const auto known = read_.find(word);
        if (known != read_.end()) {
            chords_.push_back(known->second);
            return;
        }
        SymbolReading reading = ReadChordSymbol(word);
        if (!reading.definition) return Fail(reading.reason);
        read_.emplace(word, *reading.definition);
        chords_.push_back(std::move(*reading.definition));
    }

    bool Room(size_t more) {
        if (chords_.size() + more <= kMostChartChords) return true;
        Fail("a chart holds at most " + std::to_string(kMostChartChords) + " chords");
        return false;
    }
};

}  // namespace

ChartReading ReadChart(std::string_view text) { return ChartReader(text).Read(); }

ChordSequence SequenceOfChords(std::span<const ChordDefinition> chords, const PlaySettings& play) {
    ChordSequence sequence;
    sequence.Records.reserve(chords.size());
    sequence.ListTexts.reserve(chords.size());
    for (const ChordDefinition& d : chords) {
        const Composition c = Compose(d);
        sequence.Records.push_back(EncodeChordRecord(c.definition, c.chord, play));
        sequence.ListTexts.push_back(c.chord.Notation);
    }
    sequence.SequenceCount = static_cast<int32_t>(chords.size());
    sequence.SelectedPosition = sequence.SequenceCount > 0 ? sequence.SequenceCount - 1 : 0;
    return sequence;
}

}  // namespace hq
