#include "practice/answer_names.h"

#include <algorithm>
#include <array>

namespace hq::practice {
namespace {

struct Spelling {
    std::string_view type;
    std::string_view text;
};

// Matched exactly first; see IsWords for the spellings read in any case,
// where '-' and '_' are blanks.
constexpr Spelling kSpellings[] = {
    {"major", "major"}, {"major", "maj"}, {"major", "M"}, {"major", "Δ"}, {"major", "major triad"},
    {"minor", "minor"}, {"minor", "min"}, {"minor", "m"}, {"minor", "-"}, {"minor", "mi"},
    {"minor", "minor triad"},
    {"diminished", "diminished"}, {"diminished", "dim"}, {"diminished", "°"}, {"diminished", "o"},
    {"diminished", "diminished triad"},
    {"augmented", "augmented"}, {"augmented", "aug"}, {"augmented", "+"}, {"augmented", "+5"},
    {"augmented", "#5"}, {"augmented", "augmented triad"},
    {"7", "7"}, {"7", "dom7"}, {"7", "dominant"}, {"7", "dominant seventh"}, {"7", "dominant 7"},
    {"maj7", "maj7"}, {"maj7", "M7"}, {"maj7", "Δ7"}, {"maj7", "ma7"}, {"maj7", "j7"},
    {"maj7", "major seventh"}, {"maj7", "major 7"},
    {"m7", "m7"}, {"m7", "min7"}, {"m7", "-7"}, {"m7", "mi7"}, {"m7", "minor seventh"}, {"m7", "minor 7"},
    {"m7b5", "m7b5"}, {"m7b5", "ø7"}, {"m7b5", "ø"}, {"m7b5", "min7b5"}, {"m7b5", "-7b5"}, {"m7b5", "m7-5"},
    {"m7b5", "mi7b5"}, {"m7b5", "m7(b5)"}, {"m7b5", "half-diminished"}, {"m7b5", "half diminished seventh"},
    {"m7b5", "half-diminished 7"},
    {"dim7", "dim7"}, {"dim7", "°7"}, {"dim7", "o7"}, {"dim7", "diminished seventh"}, {"dim7", "diminished 7"},
    {"m(maj7)", "m(maj7)"}, {"m(maj7)", "mM7"}, {"m(maj7)", "m-maj7"}, {"m(maj7)", "mmaj7"},
    {"m(maj7)", "m(M7)"}, {"m(maj7)", "min(maj7)"}, {"m(maj7)", "minmaj7"}, {"m(maj7)", "-(maj7)"},
    {"m(maj7)", "-Δ7"}, {"m(maj7)", "mΔ7"}, {"m(maj7)", "m/maj7"}, {"m(maj7)", "minor-major seventh"},
    {"m(maj7)", "minor major 7"},
    {"7sus4", "7sus4"}, {"7sus4", "7sus"}, {"7sus4", "7(sus4)"}, {"7sus4", "dominant seventh suspended fourth"},
    {"9", "9"}, {"9", "dom9"}, {"9", "dominant ninth"},
    {"maj9", "maj9"}, {"maj9", "M9"}, {"maj9", "Δ9"}, {"maj9", "major ninth"},
    {"m9", "m9"}, {"m9", "min9"}, {"m9", "-9"}, {"m9", "minor ninth"},
    {"7b9", "7b9"}, {"7b9", "7(b9)"}, {"7b9", "7-9"}, {"7b9", "dominant seventh flat nine"},
    {"7#9", "7#9"}, {"7#9", "7(#9)"}, {"7#9", "7+9"}, {"7#9", "dominant seventh sharp nine"},
    {"7#11", "7#11"}, {"7#11", "7(#11)"}, {"7#11", "7+11"}, {"7#11", "dominant seventh sharp eleven"},
    {"13", "13"}, {"13", "dom13"}, {"13", "dominant thirteenth"},
    {"6", "6"}, {"6", "maj6"}, {"6", "M6"}, {"6", "add6"}, {"6", "major sixth"},
    {"m6", "m6"}, {"m6", "min6"}, {"m6", "-6"}, {"m6", "minor sixth"},
    {"6/9", "6/9"}, {"6/9", "69"}, {"6/9", "6(9)"}, {"6/9", "6add9"}, {"6/9", "six nine"},
    {"add9", "add9"}, {"add9", "add2"}, {"add9", "(add9)"}, {"add9", "added ninth"},
    {"sus2", "sus2"}, {"sus2", "suspended second"},
    {"sus4", "sus4"}, {"sus4", "sus"}, {"sus4", "suspended fourth"},
};

struct InversionSpelling {
    int32_t inversion;
    std::string_view text;
};

constexpr InversionSpelling kInversionSpellings[] = {
    {0, "root position"}, {0, "root"}, {0, "/0"},
    {1, "first inversion"}, {1, "1st inversion"}, {1, "/1"},
    {2, "second inversion"}, {2, "2nd inversion"}, {2, "/2"},
    {3, "third inversion"}, {3, "3rd inversion"}, {3, "/3"},
    {0, "root pos"},
};

constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kTypography{{
    {"♭", "b"}, {"♯", "#"}, {"−", "-"}, {"–", "-"}, {"—", "-"}, {"ᵒ", "°"},
}};

std::string Words(std::string_view text) {
    std::string words;
    for (const char c : text) {
        const char w = c == '-' || c == '_' ? ' ' : c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (w == ' ' && (words.empty() || words.back() == ' ')) continue;
        words += w;
    }
    while (!words.empty() && words.back() == ' ') words.pop_back();
    return words;
}

// Spellings that begin with a word ("maj7", "half-diminished") are read in
// any case; "M7" and "m7", "-7" and "7" stay apart.
bool IsWords(std::string_view text) {
    return text.size() >= 3 && std::all_of(text.begin(), text.begin() + 3, [](char c) { return c >= 'a' && c <= 'z'; });
}

std::optional<std::string_view> TypeBySpelling(std::string_view text) {
    for (const Spelling& s : kSpellings) {
        if (s.text == text) return s.type;
    }
    const std::string words = Words(text);
    for (const Spelling& s : kSpellings) {
        if (IsWords(s.text) && Words(s.text) == words) return s.type;
    }
    return std::nullopt;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == ',')) text.remove_suffix(1);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    return text;
}

// A root letter in front ("Eb", "F#") names no type: it is read past.
size_t RootLength(std::string_view text) {
    if (text.empty() || text[0] < 'A' || text[0] > 'G') return 0;
    return text.size() > 1 && (text[1] == 'b' || text[1] == '#') ? 2 : 1;
}

}  // namespace

std::string NormalizeAnswer(std::string_view text) {
    std::string typed(text);
    for (const auto& [from, to] : kTypography) {
        for (size_t at = typed.find(from); at != std::string::npos; at = typed.find(from, at + to.size())) {
            typed.replace(at, from.size(), to);
        }
    }
    std::string out;
    for (const char c : typed) {
        const bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\r';
        if (blank && (out.empty() || out.back() == ' ')) continue;
        out += blank ? ' ' : c;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

std::optional<NamedChord> ReadChordName(std::string_view normalized) {
    std::string_view text = Trimmed(normalized);
    int32_t inversion = 0;
    std::string lower(text);
    for (char& c : lower) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    for (const InversionSpelling& s : kInversionSpellings) {
        if (!std::string_view(lower).ends_with(s.text) || lower.size() == s.text.size()) continue;
        const char before = lower[lower.size() - s.text.size() - 1];
        if (!s.text.starts_with('/') && before != ' ' && before != ',') continue;
        text = Trimmed(text.substr(0, text.size() - s.text.size()));
        inversion = s.inversion;
        break;
    }
    if (const std::optional<std::string_view> type = TypeBySpelling(text)) return NamedChord{*type, inversion};
    const size_t root = RootLength(text);
    if (root == 0) return std::nullopt;
    const std::string_view rest = Trimmed(text.substr(root));
    if (rest.empty()) return NamedChord{"major", inversion};
    if (const std::optional<std::string_view> type = TypeBySpelling(rest)) return NamedChord{*type, inversion};
    return std::nullopt;
}

bool StartsWithRoot(std::string_view normalized) { return RootLength(normalized) > 0; }

std::string PlainNumeral(std::string_view roman) {
    for (const std::string_view sign : {"°", "o", "dim"}) {
        if (roman.size() > sign.size() && roman.ends_with(sign)) return std::string(roman.substr(0, roman.size() - sign.size()));
    }
    return std::string(roman);
}

std::optional<std::vector<std::string>> ReadNumerals(std::string_view normalized) {
    std::vector<std::string> numerals;
    std::string part;
    auto take = [&]() -> bool {
        if (part.empty()) return true;
        const std::string plain = PlainNumeral(part);
        part.clear();
        if (plain.empty() || !std::all_of(plain.begin(), plain.end(), [](char c) {
                return c == 'i' || c == 'v' || c == 'I' || c == 'V';
            })) {
            return false;
        }
        numerals.push_back(plain);
        return true;
    };
    for (const char c : normalized) {
        if (c == ' ' || c == '-' || c == ',') {
            if (!take()) return std::nullopt;
        } else {
            part += c;
        }
    }
    if (!take() || numerals.empty()) return std::nullopt;
    return numerals;
}

}  // namespace hq::practice
