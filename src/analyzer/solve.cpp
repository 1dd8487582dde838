#include "analyzer/solve.h"

#include <algorithm>

#include "theory/pitch.h"

namespace hq {
namespace {

// A name is made of a few fixed texts, all of them in static storage. Only
// their places are kept while a candidate is examined, and the lists are left
// uninitialised, so one that turns out invalid costs next to nothing.
class TextPieces {
public:
    void Append(std::string_view part) {
        if (count_ == kCapacity) return;
        data_[count_] = part.data();
        sizes_[count_] = static_cast<uint8_t>(part.size());
        ++count_;
    }
    void Append(const TextPieces& other) {
        for (size_t i = 0; i < other.count_; ++i) Append({other.data_[i], other.sizes_[i]});
    }
    size_t Size() const {
        size_t n = 0;
        for (size_t i = 0; i < count_; ++i) n += sizes_[i];
        return n;
    }
    void AppendTo(std::string& text) const {
        for (size_t i = 0; i < count_; ++i) text.append(data_[i], sizes_[i]);
    }

private:
    // At most root, class, major, extension, two suffixes, three additions.
    static constexpr size_t kCapacity = 12;
    std::array<const char*, kCapacity> data_;
    std::array<uint8_t, kCapacity> sizes_;
    size_t count_ = 0;
};

// What NameExtensions appends for each ninth, eleventh and thirteenth found
// (distances above the root; 0: none taken, or not examined).
struct ExtensionRow {
    int32_t ninth, eleventh, thirteenth;
    std::string_view text;
    int32_t extensionAdded;
    int32_t ninthAlteration, sharpEleventh, flatThirteenth;
};

constexpr std::array<ExtensionRow, 22> kExtensionRows{{
    {1, 6, 8, "7(b9)(#11)(b13)", 7, -1, 1, 1},
    {1, 6, 9, "13(b9)(#11)", 13, -1, 1, 0},
    {1, 6, 0, "7(b9)(#11)", 7, -1, 1, 0},
    {1, 5, 8, "11(b9)(b13)", 11, -1, 0, 1},
    {1, 5, 9, "13(b9)", 13, -1, 0, 0},
    {1, 5, 0, "11(b9)", 11, -1, 0, 0},
    {1, 0, 0, "7(b9)", 7, -1, 0, 0},
    {3, 6, 8, "7(#9)(#11)(b13)", 7, 1, 1, 1},
    {3, 6, 9, "13(#9)(#11)", 13, 1, 1, 0},
    {3, 6, 0, "7(#9)(#11)", 7, 1, 1, 0},
    {3, 5, 8, "11(#9)(b13)", 11, 1, 0, 1},
    {3, 5, 9, "13(#9)", 13, 1, 0, 0},
    {3, 5, 0, "11(#9)", 11, 1, 0, 0},
    {3, 0, 0, "7(#9)", 7, 1, 0, 0},
    {2, 6, 8, "9(#11)(b13)", 9, 0, 1, 1},
    {2, 6, 9, "13(#11)", 13, 0, 1, 0},
    {2, 6, 0, "9(#11)", 9, 0, 1, 0},
    {2, 5, 8, "11(b13)", 11, 0, 0, 1},
    {2, 5, 9, "13", 13, 0, 0, 0},
    {2, 5, 0, "11", 11, 0, 0, 0},
    {2, 0, 0, "9", 9, 0, 0, 0},
    {0, 0, 0, "7", 7, 0, 0, 0},
}};

// Tried in this order: b9 and #9 before 9, #11 before 11, b13 before 13.
constexpr std::array<int32_t, 3> kNinths{1, 3, 2};
constexpr std::array<int32_t, 2> kElevenths{6, 5};
constexpr std::array<int32_t, 2> kThirteenths{8, 9};

// Notes left over after the chord is named may still be additions.
struct AdditionRow {
    int32_t distance;
    std::string_view text;
    int32_t Solution::*field;
    int32_t code;
};

constexpr std::array<AdditionRow, 3> kAdditions{{
    {2, ".add9", &Solution::SecondAdd, 9},
    {5, ".add11", &Solution::FourthAdd, 11},
    {9, ".add13", &Solution::SixthAdd, 13},
}};

struct Candidate {
    uint32_t intervals = 0;  // bit k: a captured note k semitones above the root, not yet explained
    TextPieces name;
    TextPieces suffix;
    TextPieces omission;
    Solution fields;

    /// Explains the note k semitones above the root, if it was captured.
    bool Take(int32_t k) {
        const uint32_t bit = 1u << static_cast<uint32_t>(k);
        if ((intervals & bit) == 0) return false;
        intervals &= ~bit;
        return true;
    }

    template <size_t N>
    int32_t TakeFirst(const std::array<int32_t, N>& distances) {
        for (int32_t k : distances) {
            if (Take(k)) return k;
        }
        return 0;
    }
};

// The row of kExtensionRows for what was taken: seven rows per ninth in the
// order tried, then the plain seventh.
constexpr size_t ExtensionRowIndex(int32_t ninth, int32_t eleventh, int32_t thirteenth) {
    if (ninth == 0) return kExtensionRows.size() - 1;
    const size_t ninthRows = ninth == kNinths[0] ? 0 : ninth == kNinths[1] ? 7 : 14;
    if (eleventh == 0) return ninthRows + 6;
    const size_t eleventhRows = eleventh == kElevenths[0] ? 0 : 3;
    const size_t thirteenthRow = thirteenth == kThirteenths[0] ? 0 : thirteenth == kThirteenths[1] ? 1 : 2;
    return ninthRows + eleventhRows + thirteenthRow;
}

constexpr bool ExtensionRowsInLookupOrder() {
    for (size_t i = 0; i < kExtensionRows.size(); ++i) {
        const ExtensionRow& row = kExtensionRows[i];
        if (ExtensionRowIndex(row.ninth, row.eleventh, row.thirteenth) != i) return false;
    }
    return true;
}
static_assert(ExtensionRowsInLookupOrder());

void NameExtensions(Candidate& c) {
    const int32_t ninth = c.TakeFirst(kNinths);
    const int32_t eleventh = ninth != 0 ? c.TakeFirst(kElevenths) : 0;
    const int32_t thirteenth = eleventh != 0 ? c.TakeFirst(kThirteenths) : 0;
    const ExtensionRow& row = kExtensionRows[ExtensionRowIndex(ninth, eleventh, thirteenth)];
    c.name.Append(row.text);
    c.fields.Extension += row.extensionAdded;
    c.fields.NinthAlteration = row.ninthAlteration;
    c.fields.SharpEleventh = row.sharpEleventh;
    c.fields.FlatThirteenth = row.flatThirteenth;
}

void NameSeventhAndSixth(Candidate& c) {
    c.fields.Extension = 0;
    if (c.Take(11)) {
        c.name.Append(".maj");
        c.fields.Extension = 1;
        NameExtensions(c);
    } else if (c.Take(10)) {
        NameExtensions(c);
    } else if (c.Take(9)) {
        c.name.Append("6");
        c.fields.Extension = 6;
    }
}

void NameOverMajorThird(Candidate& c) {
    Solution& f = c.fields;
    if (c.Take(7)) {
        f.ChordClass = 0;
        NameSeventhAndSixth(c);
    } else if (c.Take(8)) {
        if (c.Take(11)) {
            c.suffix.Append("(#5)");
            f.FifthAlteration = 1;
            c.name.Append(".maj");
            f.Extension = 1;
            NameExtensions(c);
        } else if (c.Take(10)) {
            c.name.Append(".aug");
            f.ChordClass = 2;
            NameExtensions(c);
        } else if (c.Take(9)) {
            c.name.Append("6(#5)");
            f.Extension = 6;
            f.FifthAlteration = 1;
        } else {
            c.name.Append(".aug");
            f.ChordClass = 2;
        }
    } else if (c.Take(6)) {
        // A flat fifth over a major third ends the naming: no seventh or sixth.
        c.name.Append("(b5)");
        f.FifthAlteration = -1;
    } else {
        c.omission.Append("(no5)");
        f.NoFifth = 1;
        NameSeventhAndSixth(c);
    }
}

void NameOverMinorThird(Candidate& c) {
    Solution& f = c.fields;
    if (c.Take(7)) {
        c.name.Append("m");
        f.ChordClass = 1;
        NameSeventhAndSixth(c);
    } else if (c.Take(6)) {
        if (c.Take(11)) {
            c.name.Append("m.maj");
            f.ChordClass = 1;
            c.suffix.Append("(b5)");
            f.FifthAlteration = -1;
            f.Extension = 1;
            NameExtensions(c);
        } else if (c.Take(10)) {
            c.name.Append("m");
            f.ChordClass = 1;
            c.suffix.Append("(b5)");
            f.FifthAlteration = -1;
            NameExtensions(c);
        } else if (c.Take(9)) {
            // The diminished seventh counts as the seventh.
            c.name.Append(".dim");
            f.ChordClass = 3;
            NameExtensions(c);
        } else {
            c.name.Append(".dim");
            f.ChordClass = 3;
        }
    } else {
        c.name.Append("m");
        f.ChordClass = 1;
        if (c.Take(8)) {
            c.suffix.Append("(#5)");
            f.FifthAlteration = 1;
        } else {
            c.omission.Append("(no5)");
            f.NoFifth = 1;
        }
        NameSeventhAndSixth(c);
    }
}

void NameWithoutThird(Candidate& c) {
    Solution& f = c.fields;
    if (c.Take(2)) {
        f.SecondAdd = 3;
        if (c.Take(5)) {
            c.suffix.Append(".sus2.sus4");
            f.FourthAdd = 3;
        } else {
            c.suffix.Append(".sus2");
        }
    } else if (c.Take(5)) {
        c.suffix.Append(".sus4");
        f.FourthAdd = 3;
    } else {
        c.omission.Append("(no3)");
        f.NoThird = 1;
    }

    if (c.Take(7)) {
        // A perfect fifth goes without saying.
    } else if (c.Take(8)) {
        c.suffix.Append("(#5)");
        f.FifthAlteration = 1;
    } else if (c.Take(6)) {
        c.suffix.Append("(b5)");
        f.FifthAlteration = -1;
    } else {
        c.omission.Append("(no5)");
        f.NoFifth = 1;
    }
    NameSeventhAndSixth(c);
}

// Each shape field's place in a solution, found by its name.
constexpr std::array<int32_t Solution::*, kShapeFields.size()> kSolutionShapeMembers = [] {
    std::array<int32_t Solution::*, kShapeFields.size()> members{};
    for (size_t i = 0; i < kShapeFields.size(); ++i) {
        for (const SolutionField& f : kSolutionFields) {
            if (f.name == kShapeFields[i].name) members[i] = f.member;
        }
    }
    return members;
}();
static_assert(std::find(kSolutionShapeMembers.begin(), kSolutionShapeMembers.end(), nullptr) ==
              kSolutionShapeMembers.end());

}  // namespace

ChordShape ShapeOfSolution(const Solution& solution) {
    ChordShape shape;
    for (size_t i = 0; i < kShapeFields.size(); ++i) shape.*kShapeFields[i].shape = solution.*kSolutionShapeMembers[i];
    return shape;
}

std::optional<Solution> SolveCandidate(uint32_t pitchMask, int32_t root0to11, int32_t lowest0to11) {
    const int32_t root = Mod12(root0to11);
    const int32_t lowest = Mod12(lowest0to11);
    Candidate c;
    // Rotated so that bit k stands for k semitones above the root; the root
    // itself needs no explaining.
    const uint32_t pitches = pitchMask & 0xFFFu;
    const auto shift = static_cast<uint32_t>(root);
    c.intervals = ((pitches >> shift) | (pitches << (12u - shift))) & 0xFFEu;
    c.name.Append(kFlatNames[static_cast<size_t>(root)]);

    if (c.Take(4)) {
        NameOverMajorThird(c);
    } else if (c.Take(3)) {
        NameOverMinorThird(c);
    } else {
        NameWithoutThird(c);
    }
    c.name.Append(c.suffix);

    for (const AdditionRow& addition : kAdditions) {
        if (c.Take(addition.distance)) {
            c.name.Append(addition.text);
            c.fields.*addition.field = addition.code;
        }
    }
    if (c.intervals != 0) return std::nullopt;

    const std::string_view bass = root != lowest ? kBassNames[static_cast<size_t>(lowest)] : std::string_view();
    Solution s = c.fields;
    s.name.reserve(c.name.Size() + c.omission.Size() + bass.size());
    c.name.AppendTo(s.name);
    c.omission.AppendTo(s.name);
    s.name += bass;
    s.RootPitch = root;
    s.BassPitch = lowest;
    return s;
}

std::vector<Solution> Solve(std::span<const int32_t> capturedPitches) {
    std::array<int32_t, 12> roots{};
    size_t count = 0;
    uint32_t mask = 0;
    for (int32_t value : capturedPitches) {
        const int32_t p = Mod12(value);
        const uint32_t bit = 1u << static_cast<uint32_t>(p);
        if ((mask & bit) != 0) continue;
        mask |= bit;
        roots[count++] = p;
    }
    std::vector<Solution> solutions;
    if (count < kMinSolvablePitches) return solutions;
    solutions.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        if (std::optional<Solution> s = SolveCandidate(mask, roots[i], roots[0])) solutions.push_back(std::move(*s));
    }
    return solutions;
}

}  // namespace hq
