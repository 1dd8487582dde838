#include "theory/symbol.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>

#include "theory/panel_shapes.h"
#include "theory/pitch.h"
#include "theory/spelling.h"
#include "theory/symbol_vocabulary.h"

namespace hq {
namespace {

using namespace symbol;

// Longer than any notation the panels make, with room for spaces.
constexpr size_t kLongestSymbol = 96;

constexpr std::string_view kAlteredReason = "7alt is not a single chord: type its alterations";

std::string Quoted(std::string_view part) { return "\"" + std::string(part) + "\""; }

// ---- Pass 1: the text as ASCII, blanks dropped ------------------------------

struct Ascii {
    std::array<char, kLongestSymbol> chars{};
    size_t size = 0;
    std::string_view view() const { return {chars.data(), size}; }
};

/// Length of the well-formed UTF-8 sequence at the start of `text`, or 0.
size_t Utf8Length(std::string_view text) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    size_t length = 0;
    uint32_t lowest = 0;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2, lowest = 0x80;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3, lowest = 0x800;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4, lowest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    uint32_t code = lead & (0x7fu >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xc0) != 0x80) return 0;
        code = (code << 6) | (byte(i) & 0x3fu);
    }
    const bool surrogate = code >= 0xd800 && code <= 0xdfff;
    return code < lowest || code > 0x10ffff || surrogate ? 0 : length;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

std::optional<std::string> ToAscii(std::string_view text, Ascii& out) {
    for (size_t at = 0; at < text.size();) {
        const size_t length = Utf8Length(text.substr(at));
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

struct Note {
    int32_t letterPitch = 0;
    char letter = 'C';
    int32_t flat = 0;
    int32_t sharp = 0;
    int32_t Pitch() const { return Mod12(letterPitch - flat + sharp); }
};

bool IsLetter(char c) { return c >= 'A' && c <= 'G'; }
bool IsLowerLetter(char c) { return c >= 'a' && c <= 'g'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

/// A capital letter and at most one flat or sharp, from the start of `text`.
size_t ReadNote(std::string_view text, Note& note) {
    if (text.empty() || !IsLetter(text[0])) return 0;
    note.letter = text[0];
    note.letterPitch = kLetterPitches[static_cast<size_t>(text[0] - 'A')];
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

struct Parts {
    Note root;
    std::optional<Note> bass;
    std::string_view descriptor;  // between root and bass
};

std::optional<std::string> SplitRootAndBass(std::string_view text, Parts& parts) {
    if (IsLowerLetter(text[0])) return Quoted(text.substr(0, 1)) + ": the root is a capital letter A-G";
    const size_t rootLength = ReadNote(text, parts.root);
    if (rootLength == 0) return Quoted(text) + " does not start with a root, a capital letter A-G";
    std::string_view rest = text.substr(rootLength);
    const size_t slash = rest.rfind('/');
    if (slash != std::string_view::npos) {
        const std::string_view after = rest.substr(slash + 1);
        if (after.empty()) return Quoted(text) + ": a slash needs a bass note after it";
        const bool lowerNote = IsLowerLetter(after[0]) && (after.size() == 1 || (after.size() == 2 && (after[1] == 'b' || after[1] == '#')));
        if (lowerNote) return Quoted("/" + std::string(after)) + ": a bass note is a capital letter A-G";
        if (IsLetter(after[0])) {
            Note bass;
            if (ReadNote(after, bass) != after.size()) return Quoted("/" + std::string(after)) + " is not a bass note";
            parts.bass = bass;
            rest = rest.substr(0, slash);
        }
    }
    parts.descriptor = rest;
    return std::nullopt;
}

// ---- Pass 3: what the descriptor names ---------------------------------------

enum class Quality : uint8_t { Major, Minor, Augmented, Diminished, HalfDiminished, Power };

struct Reading {
    Quality quality = Quality::Major;
    int32_t extension = 0;  // 0, 6, 7, 9, 11, 13
    bool majorSeventh = false;
    uint32_t tones = 0;  // Tone bits
};

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

// ---- Pass 4: the notes the symbol sounds ------------------------------------

/// Bit i for IntervalMarks index i, as composition places the same tones.
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

// ---- Pass 5: the definition the symbol spells out ----------------------------

/// The fields the symbol names, as the panels would hold them if they could.
ChordDefinition Literal(const Reading& r) {
    ChordDefinition d;
    const auto has = [&](uint32_t tone) { return (r.tones & tone) != 0; };
    switch (r.quality) {
    case Quality::Major: d.ChordClass = chord_class::Major; break;
    case Quality::Power: d.ChordClass = chord_class::Major, d.NoThird = 1; break;
    case Quality::Minor: d.ChordClass = chord_class::Minor; break;
    case Quality::HalfDiminished: d.ChordClass = chord_class::Minor, d.FifthAlteration = -1; break;
    case Quality::Augmented: d.ChordClass = chord_class::Augmented; break;
    case Quality::Diminished: d.ChordClass = chord_class::Diminished; break;
    }
    d.Extension = r.extension >= 7 && r.majorSeventh ? r.extension + 1 : r.extension;
    d.SecondAdd = has(kSus2) ? 3 : has(kAdd9) ? 9 : has(kAdd2) ? 2 : 0;
    d.FourthAdd = has(kSus4) ? 3 : has(kAdd11) ? 11 : has(kAdd4) ? 4 : 0;
    d.SixthAdd = has(kAdd13) ? 13 : has(kAdd6) ? 6 : 0;
    if (has(kFlat5)) d.FifthAlteration = -1;
    if (has(kSharp5)) d.FifthAlteration = 1;
    d.NinthAlteration = has(kFlat9) ? -1 : has(kSharp9) ? 1 : 0;
    d.SharpEleventh = has(kSharp11) ? 1 : 0;
    d.FlatThirteenth = has(kFlat13) ? 1 : 0;
    if (has(kNo3)) d.NoThird = 1;
    d.NoFifth = has(kNo5) ? 1 : 0;
    return d;
}

// ---- Pass 6: the panels' reading, by a fixed preference ----------------------

struct Wish {
    ChordDefinition literal;
    uint32_t tones;       // IntervalMarks indices, as TonesOf gives them
    uint16_t chordNotes;  // without the bass
};

int32_t Degree(int32_t extension) { return extension >= 7 ? extension - (extension % 2 == 0 ? 1 : 0) : extension; }

int32_t CountNonZero(std::initializer_list<int32_t> values) {
    return static_cast<int32_t>(std::count_if(values.begin(), values.end(), [](int32_t v) { return v != 0; }));
}

struct Criterion {
    std::string_view name;
    int32_t (*score)(const PanelShape&, const Wish&);  // higher is preferred
};

/// Earlier criteria decide; later ones only break ties.
constexpr std::array<Criterion, 9> kPreference{{
    {"the bass adds no tone and hides none",
     [](const PanelShape& s, const Wish& w) { return static_cast<int32_t>(s.notes == w.chordNotes); }},
    {"the class the symbol names",
     [](const PanelShape& s, const Wish& w) { return static_cast<int32_t>(s.ChordClass == w.literal.ChordClass); }},
    {"the suspensions the symbol names",
     [](const PanelShape& s, const Wish& w) {
         return static_cast<int32_t>((s.SecondAdd == 3) == (w.literal.SecondAdd == 3) &&
                                     (s.FourthAdd == 3) == (w.literal.FourthAdd == 3));
     }},
    {"the extension the symbol names",
     [](const PanelShape& s, const Wish& w) { return static_cast<int32_t>(s.Extension == w.literal.Extension); }},
    {"the nearest extension",
     [](const PanelShape& s, const Wish& w) { return -std::abs(Degree(s.Extension) - Degree(w.literal.Extension)); }},
    {"most of the parts the symbol names",
     [](const PanelShape& s, const Wish& w) {
         const ChordDefinition& l = w.literal;
         const auto same = [](int32_t wanted, int32_t held) { return wanted != 0 && wanted == held ? 1 : 0; };
         return same(l.SecondAdd, s.SecondAdd) + same(l.FourthAdd, s.FourthAdd) + same(l.SixthAdd, s.SixthAdd) +
                same(l.FifthAlteration, s.FifthAlteration) + same(l.NinthAlteration, s.NinthAlteration) +
                same(l.SharpEleventh, s.SharpEleventh) + same(l.FlatThirteenth, s.FlatThirteenth) +
                same(l.NoThird, s.NoThird) + same(l.NoFifth, s.NoFifth);
     }},
    {"most tones at the degrees the symbol names",
     [](const PanelShape& s, const Wish& w) { return std::popcount(s.tones & w.tones); }},
    {"fewest additions",
     [](const PanelShape& s, const Wish&) { return -CountNonZero({s.SecondAdd, s.FourthAdd, s.SixthAdd}); }},
    {"fewest alterations",
     [](const PanelShape& s, const Wish&) {
         return -CountNonZero({s.FifthAlteration, s.NinthAlteration, s.SharpEleventh, s.FlatThirteenth, s.NoThird,
                               s.NoFifth});
     }},
}};

bool Preferred(const PanelShape& a, const PanelShape& b, const Wish& w) {
    for (const Criterion& c : kPreference) {
        const int32_t sa = c.score(a, w);
        const int32_t sb = c.score(b, w);
        if (sa != sb) return sa > sb;
    }
    return false;
}

const PanelShape* Choose(const Wish& wish, int32_t bassInterval) {
    const PanelShape* best = nullptr;
    const auto consider = [&](uint16_t notes) {
        for (const PanelShape& s : PanelShapes::All().WithNotes(notes)) {
            if (best == nullptr || Preferred(s, *best, wish)) best = &s;
        }
    };
    // The bass sounds either way: as a chord tone or as a bass of its own.
    const uint16_t bassBit = static_cast<uint16_t>(1u << bassInterval);
    const auto all = static_cast<uint16_t>(wish.chordNotes | bassBit);
    consider(all);
    if (bassInterval != 0) consider(static_cast<uint16_t>(all & ~bassBit));
    return best;
}

// ---- Pass 7: why the panels cannot hold it -----------------------------------

struct Diagnosis {
    bool (*applies)(const Reading&);
    std::string_view reason;
};

bool Has(const Reading& r, uint32_t tones) { return (r.tones & tones) == tones; }
bool NoSeventh(const Reading& r) { return r.extension < 7; }

constexpr std::array<Diagnosis, 6> kDiagnoses{{
    {[](const Reading& r) { return Has(r, kFlat9 | kSharp9); }, "b9 and #9 together cannot be built in the panels"},
    {[](const Reading& r) { return Has(r, kFlat5 | kSharp5); }, "b5 and #5 together cannot be built in the panels"},
    {[](const Reading& r) { return NoSeventh(r) && Has(r, kFlat13); }, "a b13 needs a seventh in the panels"},
    {[](const Reading& r) { return NoSeventh(r) && Has(r, kSharp11); }, "a #11 needs a seventh in the panels"},
    {[](const Reading& r) { return NoSeventh(r) && Has(r, kFlat9); }, "a b9 needs a seventh in the panels"},
    {[](const Reading& r) { return NoSeventh(r) && Has(r, kSharp9); }, "a #9 needs a seventh in the panels"},
}};

std::string Unbuildable(const Reading& r, const ChordDefinition& literal, int32_t rootPitch, std::string_view symbol) {
    for (const Diagnosis& d : kDiagnoses) {
        if (d.applies(r)) return std::string(d.reason);
    }
    const SpellingPreference preference = PreferenceFor(literal, rootPitch);
    const uint16_t notes = PitchClassesOf(TonesOf(r));
    std::string names;
    for (int32_t i = 0; i < 12; ++i) {
        if (((notes >> i) & 1u) == 0) continue;
        if (!names.empty()) names += ", ";
        names += NoteName(rootPitch + i, preference);
    }
    return Quoted(symbol) + " cannot be built in the panels: none of their chords holds exactly " + names;
}

void SetRoot(const Note& root, ChordDefinition& d) {
    d.RootLetterPitch = root.letterPitch;
    d.RootLetter = std::string(1, root.letter);
    d.RootFlat = root.flat;
    d.RootSharp = root.sharp;
}

void SetBass(const Note& bass, ChordDefinition& d) {
    d.BassSelected = 1;
    d.BassLetterPitch = bass.letterPitch;
    d.BassLetter = std::string{'/', bass.letter};
    d.BassFlat = bass.flat;
    d.BassSharp = bass.sharp;
}

SymbolReading Rejected(std::string reason) { return {std::nullopt, std::move(reason)}; }

}  // namespace

SymbolReading ReadChordSymbol(std::string_view text) {
    Ascii ascii;
    if (std::optional<std::string> reason = ToAscii(text, ascii)) return Rejected(std::move(*reason));
    const std::string_view symbol = ascii.view();
    for (const NonChord& n : kNonChords) {
        if (symbol == n.text) return Rejected(std::string(n.reason));
    }
    Parts parts;
    if (std::optional<std::string> reason = SplitRootAndBass(symbol, parts)) return Rejected(std::move(*reason));
    Reading reading;
    if (std::optional<std::string> reason = DescriptorReader(parts.descriptor).Read(reading)) {
        return Rejected(std::move(*reason));
    }
    const ChordDefinition literal = Literal(reading);
    const uint32_t tones = TonesOf(reading);
    const Wish wish{literal, tones, PitchClassesOf(tones)};
    const int32_t rootPitch = parts.root.Pitch();
    const int32_t bassInterval = parts.bass ? Mod12(parts.bass->Pitch() - rootPitch) : 0;
    const PanelShape* shape = Choose(wish, bassInterval);
    if (shape == nullptr) return Rejected(Unbuildable(reading, literal, rootPitch, symbol));

    ChordDefinition d;
    ApplyShape(*shape, d);
    SetRoot(parts.root, d);
    if (parts.bass) SetBass(*parts.bass, d);
    return {std::move(d), {}};
}

}  // namespace hq
