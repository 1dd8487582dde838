#include "theory/symbol_text.h"

#include <algorithm>

#include "theory/symbol_vocabulary.h"
#include "theory/utf8.h"

namespace hq::symbol {
namespace {

constexpr std::string_view kAlteredReason = "7alt is not a single chord: type its alterations";
constexpr std::string_view kDoubledReason = ": a double sharp or double flat is not read";

// ---- Pass 1: the text as ASCII, blanks dropped ------------------------------

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

std::optional<std::string> ToAscii(std::string_view text, Ascii& out) {
    for (size_t at = 0; at < text.size();) {
        const size_t length = Utf8SequenceLength(text.substr(at));
        if (length == 0) return std::string("the text is not valid UTF-8");
        const std::string_view glyph = text.substr(at, length);
        at += length;
        std::string_view ascii = glyph;
        if (length > 1) {
            const auto known = std::find_if(kGlyphs.begin(), kGlyphs.end(), [&](const Glyph& g) { return g.utf8 == glyph; });
            if (known == kGlyphs.end()) return Quoted(glyph) + " is not part of a chord symbol";
            ascii = known->ascii;
        } else if (IsBlank(glyph[0])) {
            ascii = {};
        } else if (static_cast<unsigned char>(glyph[0]) < 0x20 || glyph[0] == 0x7f) {
            return std::string("a control character is not part of a chord symbol");
        }
        if (out.size + ascii.size() > out.chars.size()) return std::string("too long for a chord symbol");
        for (char c : ascii) out.chars[out.size++] = c;
    }
    if (out.size == 0) return std::string("no chord symbol was typed");
    return std::nullopt;
}

// ---- Pass 2: root and bass ---------------------------------------------------

bool IsLetter(char c) { return c >= 'A' && c <= 'G'; }
bool IsLowerLetter(char c) { return c >= 'a' && c <= 'g'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

/// A capital letter and at most one flat or sharp, from the start of `text`.
size_t ReadNote(std::string_view text, Note& note) {
    if (text.empty() || !IsLetter(text[0])) return 0;
    note.letter = text[0];
    note.letterPitch = *LetterPitch(text[0]);
    if (text.size() > 1 && text[1] == 'b') {
        note.flat = 1;
        return 2;
    }
    if (text.size() > 1 && text[1] == '#') {
        note.sharp = 1;
        return 2;
    }
    return 1;
}

/// "C##7" is not C# with a raised seventh: a doubled accidental after the
/// letter is refused rather than read as an alteration.
bool DoubledAccidental(std::string_view text, size_t noteLength) {
    return noteLength == 2 && text.size() > 2 && text[2] == text[1];
}

struct Parts {
    Note root;
    std::optional<Note> bass;
    std::string_view descriptor;  // between root and bass
};

std::optional<std::string> SplitRootAndBass(std::string_view text, Parts& parts) {
    if (IsLowerLetter(text[0])) return Quoted(text.substr(0, 1)) + ": the root is a capital letter A-G";
    const size_t rootLength = ReadNote(text, parts.root);
    if (rootLength == 0) return Quoted(text) + " does not start with a root, a capital letter A-G";
    if (DoubledAccidental(text, rootLength)) return Quoted(text) + std::string(kDoubledReason);
    std::string_view rest = text.substr(rootLength);
    const size_t slash = rest.rfind('/');
    if (slash != std::string_view::npos) {
        const std::string_view after = rest.substr(slash + 1);
        if (after.empty()) return Quoted(text) + ": a slash needs a bass note after it";
        const bool lowerNote = IsLowerLetter(after[0]) && (after.size() == 1 || (after.size() == 2 && (after[1] == 'b' || after[1] == '#')));
        if (lowerNote) return Quoted("/" + std::string(after)) + ": a bass note is a capital letter A-G";
        if (IsLetter(after[0])) {
            Note bass;
            if (DoubledAccidental(after, ReadNote(after, bass))) return Quoted(text) + std::string(kDoubledReason);
            if (ReadNote(after, bass) != after.size()) return Quoted("/" + std::string(after)) + " is not a bass note";
            parts.bass = bass;
            rest = rest.substr(0, slash);
        }
    }
    parts.descriptor = rest;
    return std::nullopt;
}

// ---- Pass 3: what the descriptor names ---------------------------------------

class DescriptorReader {
public:
    explicit DescriptorReader(std::string_view text) : text_(text) {}

    std::optional<std::string> Read(Reading& reading) {
        while (at_ < text_.size() && !failure_) Step();
        if (!failure_ && depth_ != 0) Fail("a parenthesis is not closed");
        if (failure_) return failure_;
        if (reading_.quality == Quality::HalfDiminished && reading_.extension == 0) reading_.extension = 7;
        reading = reading_;
        return std::nullopt;
    }

private:
    std::string_view text_;
    size_t at_ = 0;
    int32_t depth_ = 0;
    bool started_ = false;  // a part was read
    Reading reading_;
    std::optional<std::string> failure_;

    void Fail(std::string reason) {
        if (!failure_) failure_ = std::move(reason);
    }
    char Next(size_t ahead = 1) const { return at_ + ahead < text_.size() ? text_[at_ + ahead] : '\0'; }
    std::string_view From(size_t start) const { return text_.substr(start, at_ - start); }

    void Step() {
        const char c = text_[at_];
        if (c == '(') {
            ++depth_, ++at_;
        } else if (c == ')') {
            if (depth_ == 0) return Fail("\")\" closes no parenthesis");
            --depth_, ++at_;
        } else if (kSeparators.find(c) != std::string_view::npos) {
            ++at_;
        } else if (IsDigit(c) && (c != '0' || started_)) {
            BareNumber();
        } else if (c == 'b' || c == '#' || ((c == '-' || c == '+') && started_ && IsDigit(Next())) ||
                   (c == '+' && !started_ && Next() == '5')) {
            AlterationPart();
        } else {
            WordPart();
        }
        started_ = true;
    }

    /// 11 and 13 are the only numbers of two digits.
    int32_t Number() {
        const char first = text_[at_++];
        if (first == '1' && at_ < text_.size() && (text_[at_] == '1' || text_[at_] == '3')) {
            return 10 + (text_[at_++] - '0');
        }
        return first - '0';
    }

    void BareNumber() {
        const size_t start = at_;
        const int32_t n = Number();
        Reading& r = reading_;
        const bool extensionSlot = depth_ == 0 && r.extension == 0;
        if (extensionSlot && std::find(kExtensionNumbers.begin(), kExtensionNumbers.end(), n) != kExtensionNumbers.end()) {
            r.extension = n;
        } else if (extensionSlot && n == 5 && !started_) {
            r.quality = Quality::Power;
        } else if (extensionSlot && n == 5 && r.quality == Quality::Augmented) {
            // "C+5": the raised fifth the class already has
        } else if (extensionSlot && n == 2) {
            r.tones |= kAdd2;
        } else if (extensionSlot && n == 4) {
            r.tones |= kSus4;
        } else if (!AddTone(kAdditions, n)) {
            Fail(Quoted(From(start)) + " is not a number the panels can add here");
        }
    }

    template <size_t N>
    bool AddTone(const std::array<Added, N>& table, int32_t n) {
        for (const Added& a : table) {
            if (a.number != n) continue;
            reading_.tones |= a.tone;
            return true;
        }
        return false;
    }

    void AlterationPart() {
        const size_t start = at_;
        const char sign = text_[at_++];
        const char accidental = sign == '-' ? 'b' : sign == '+' ? '#' : sign;
        if (at_ >= text_.size() || !IsDigit(text_[at_])) return Fail(Quoted(From(start)) + " is not part of a chord symbol");
        const int32_t n = Number();
        for (const Alteration& a : kAlterations) {
            if (a.accidental != accidental || a.number != n) continue;
            if (a.tone == 0) return MajorSeventh();
            reading_.tones |= a.tone;
            return;
        }
        Fail(Quoted(From(start)) + " is not an alteration the panels have (b5, #5, b9, #9, #11, b13)");
    }

    const Spelling* LongestSpelling() const {
        const std::string_view rest = text_.substr(at_);
        const Spelling* best = nullptr;
        for (const Spelling& s : kSpellings) {
            if (!rest.starts_with(s.text)) continue;
            if (s.place == Place::AtStart && started_) continue;
            if (s.place == Place::BeforeDigit && !IsDigit(Next(s.text.size()))) continue;
            if (best == nullptr || s.text.size() > best->text.size()) best = &s;
        }
        return best;
    }

    void WordPart() {
        const size_t start = at_;
        const Spelling* s = LongestSpelling();
        if (s == nullptr) {
            while (at_ < text_.size() && !IsDigit(text_[at_]) && text_[at_] != '(' && text_[at_] != ')' &&
                   kSeparators.find(text_[at_]) == std::string_view::npos) {
                ++at_;
            }
            return Fail(Quoted(From(start)) + " is not part of a chord symbol");
        }
        at_ += s->text.size();
        Reading& r = reading_;
        switch (s->word) {
        case Word::Minor:
            return SetQuality(Quality::Minor, start);
        case Word::MajorMark:
        case Word::MajorSeventh:
            return MajorWord(s->word, start);
        case Word::Augmented:
            // After another class, "+" raises the fifth of that class.
            if (r.quality == Quality::Major) {
                r.quality = Quality::Augmented;
            } else {
                r.tones |= kSharp5;
            }
            return;
        case Word::Diminished:
            return SetQuality(Quality::Diminished, start);
        case Word::HalfDiminished:
            return SetQuality(Quality::HalfDiminished, start);
        case Word::Suspended:
            return Suspension();
        case Word::Addition:
            return Addition(start);
        case Word::Omission:
            return Omission(start);
        case Word::Altered:
            return Fail(std::string(kAlteredReason));
        }
    }

    void SetQuality(Quality quality, size_t start) {
        if (reading_.quality == quality) return;
        if (reading_.quality != Quality::Major) return Fail(Quoted(From(start)) + " names a second chord class");
        reading_.quality = quality;
    }

    void MajorSeventh() {
        reading_.majorSeventh = true;
        if (reading_.extension == 0) reading_.extension = 7;
    }

    void MajorWord(Word word, size_t start) {
        Reading& r = reading_;
        if (at_ < text_.size() && IsDigit(text_[at_])) {
            const int32_t n = Number();
            if (n == 6 && r.extension == 0) {
                r.extension = 6;
            } else if (n == 7 || n == 9 || n == 11 || n == 13) {
                r.majorSeventh = true;
                // "m6(maj7)": the sixth stays beside the seventh.
                if (r.extension == 6) r.tones |= kAdd6;
                if (r.extension == 0 || r.extension == 6) r.extension = n;
            } else {
                Fail(Quoted(From(start)) + " is not a major extension (maj7, maj9, maj11, maj13)");
            }
            return;
        }
        // "CM" and "Cmaj" are the triad; "C^", "Cm(maj)", "C7M" and "Cmaj#11"
        // (an alteration needs the seventh) the seventh.
        const char next = at_ < text_.size() ? text_[at_] : '\0';
        const char after = next == '(' ? Next() : next;
        const bool altered = after == '#' || after == 'b';
        if (r.extension != 0 || word == Word::MajorSeventh || r.quality != Quality::Major || altered) MajorSeventh();
    }

    void Suspension() {
        bool any = false;
        while (at_ < text_.size() && (text_[at_] == '2' || text_[at_] == '4')) {
            AddTone(kSuspensions, text_[at_++] - '0');
            any = true;
        }
        if (!any) reading_.tones |= kSus4;
    }

    void Addition(size_t start) {
        if (at_ < text_.size() && (text_[at_] == 'b' || text_[at_] == '#' || text_[at_] == '-' || text_[at_] == '+')) {
            return AlterationPart();
        }
        if (at_ >= text_.size() || !IsDigit(text_[at_]) || !AddTone(kAdditions, Number())) {
            Fail(Quoted(From(start)) + " is not an addition the panels have (add2, add3, add4, add6, add9, add11, add13)");
        }
    }

    void Omission(size_t start) {
        if (at_ >= text_.size() || !IsDigit(text_[at_]) || !AddTone(kOmissions, Number())) {
            return Fail(Quoted(From(start)) + " is not an omission the panels have (no3, no5, no11 of a 13)");
        }
        for (std::string_view ending : kOrdinalEndings) {
            if (text_.substr(at_).starts_with(ending)) at_ += ending.size();
        }
    }
};

TextReading Rejected(std::string reason) { return {std::nullopt, std::move(reason)}; }

}  // namespace

std::string Quoted(std::string_view part) { return "\"" + std::string(part) + "\""; }

TextReading ReadSymbolText(std::string_view text) {
    SymbolText read;
    if (std::optional<std::string> reason = ToAscii(text, read.ascii)) return Rejected(std::move(*reason));
    const std::string_view symbol = read.ascii.view();
    for (const NonChord& n : kNonChords) {
        if (symbol == n.text) return Rejected(std::string(n.reason));
    }
    Parts parts;
    if (std::optional<std::string> reason = SplitRootAndBass(symbol, parts)) return Rejected(std::move(*reason));
    if (std::optional<std::string> reason = DescriptorReader(parts.descriptor).Read(read.reading)) {
        return Rejected(std::move(*reason));
    }
    read.root = parts.root;
    read.bass = parts.bass;
    return {std::move(read), {}};
}

// ---- Pass 4: the notes the symbol sounds ------------------------------------

uint32_t TonesOf(const Reading& r) {
    uint32_t t = 1u;
    const auto add = [&](int32_t i) { t |= 1u << i; };
    const auto drop = [&](int32_t i) { t &= ~(1u << i); };
    const auto alter = [&](uint32_t tone, int32_t dropped, int32_t added) {
        if ((r.tones & tone) == 0) return;
        drop(dropped);
        add(added);
    };
    switch (r.quality) {
    case Quality::Major: add(4), add(7); break;
    case Quality::Minor: add(3), add(7); break;
    case Quality::Augmented: add(4), add(8); break;
    case Quality::Diminished:
    case Quality::HalfDiminished: add(3), add(6); break;
    case Quality::Power: add(7); break;
    }
    if (r.extension == 6) add(9);
    if (r.extension >= 7) add(r.majorSeventh ? 11 : r.quality == Quality::Diminished ? 9 : 10);
    if (r.extension >= 9) add(14);
    if (r.extension >= 11) add(17);
    if (r.extension >= 13) add(21);
    if ((r.tones & (kSus2 | kSus4)) != 0) drop(3), drop(4);
    if ((r.tones & kSus2) != 0) add(2);
    if ((r.tones & kSus4) != 0) add(5);
    alter(kFlat5, 7, 6);
    alter(kSharp5, 7, 8);
    alter(kSharp11, 17, 18);
    alter(kFlat13, 21, 20);
    alter(kFlat9, 14, 13);
    alter(kSharp9, 14, 15);
    // An added tone sounds beside an altered one ("maj7(b9).add9").
    constexpr std::array<std::pair<uint32_t, int32_t>, 6> kAddedAt{
        {{kAdd2, 2}, {kAdd9, 14}, {kAdd4, 5}, {kAdd11, 17}, {kAdd6, 9}, {kAdd13, 21}}};
    for (const auto& [tone, index] : kAddedAt) {
        if ((r.tones & tone) != 0) add(index);
    }
    if ((r.tones & kAdd3) != 0) add(r.quality == Quality::Minor ? 3 : 4);
    if ((r.tones & kNo3) != 0) drop(3), drop(4);
    if ((r.tones & kNo5) != 0) drop(7);
    if ((r.tones & kNo11) != 0) drop(17);
    return t;
}

uint16_t PitchClassesOf(uint32_t tones) {
    uint32_t notes = 0;
    for (int32_t i = 0; i < 24; ++i) {
        if ((tones >> i) & 1u) notes |= 1u << (i % 12);
    }
    return static_cast<uint16_t>(notes);
}

}  // namespace hq::symbol
