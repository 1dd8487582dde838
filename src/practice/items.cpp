#include "practice/items.h"

#include <algorithm>

#include "theory/pitch.h"

namespace hq::practice {
namespace {

// Each tone at the first pitch above the one before: close position.
std::vector<int32_t> Stack(const ChordType& type, int32_t root, int32_t inversion, int32_t bassMidi) {
    std::vector<int32_t> notes{bassMidi};
    for (int32_t i = 1; i < type.toneCount; ++i) {
        const int32_t pc = Mod12(root + type.pitchClasses[static_cast<size_t>((inversion + i) % type.toneCount)]);
        int32_t note = notes.back() + 1;
        while (Mod12(note) != pc) ++note;
        notes.push_back(note);
    }
    return notes;
}

int32_t LowestBass(int32_t bassPc) { return kLowestNote + Mod12(bassPc - kLowestNote); }

std::vector<int32_t> Voice(const ChordType& type, int32_t root, int32_t inversion, PracticeRandom* random) {
    const int32_t bassPc = Mod12(root + type.pitchClasses[static_cast<size_t>(inversion)]);
    const std::vector<int32_t> lowest = Stack(type, root, inversion, LowestBass(bassPc));
    const int32_t octaves = (kHighestNote - lowest.back()) / 12 + 1;
    const int32_t shift = random != nullptr ? 12 * random->Below(octaves) : 0;
    std::vector<int32_t> notes = lowest;
    for (int32_t& note : notes) note += shift;
    return notes;
}

// The tonic's bass in the middle of the range and every other chord's
// within a tritone of it, so the progression moves as a hand would.
std::vector<int32_t> Triad(int32_t tonic, const Numeral& numeral) {
    constexpr int32_t kTonicLowest = kLowestNote + 6;
    const int32_t bass = kTonicLowest + Mod12(tonic - kTonicLowest) +
                         (numeral.rootAbove > 6 ? numeral.rootAbove - 12 : numeral.rootAbove);
    return {bass + numeral.triad[0], bass + numeral.triad[1], bass + numeral.triad[2]};
}

struct Choice {
    std::string kind;
    std::string type;
    int32_t inversion = 0;
};

std::vector<Choice> Choices(Level level) {
    std::vector<Choice> choices;
    if (level == Level::Progressions) {
        for (const Progression& p : Progressions()) choices.push_back({std::string(p.numerals), std::string(p.numerals)});
        return choices;
    }
    for (const ChordType& type : LevelTypes(level)) {
        const int32_t positions = AsksInversions(level) ? type.positions : 1;
        for (int32_t inversion = 0; inversion < positions; ++inversion) {
            choices.push_back({AnswerText(level, type.name, inversion), std::string(type.name), inversion});
        }
    }
    return choices;
}

int32_t Weight(const LeitnerBoxes& boxes, const std::string& kind) {
    const auto found = boxes.find(kind);
    const int32_t box = found == boxes.end() ? 1 : std::clamp(found->second, 1, kBoxCount);
    return 1 << (kBoxCount - box);
}

}  // namespace

std::optional<PracticeItem> ChordItem(Level level, std::string_view type, int32_t inversion, int32_t root0to11) {
    const ChordType* found = FindType(level, type);
    const int32_t positions = found != nullptr && AsksInversions(level) ? found->positions : 1;
    if (found == nullptr || inversion < 0 || inversion >= positions || root0to11 < 0 || root0to11 > 11) {
        return std::nullopt;
    }
    PracticeItem item;
    item.level = level;
    item.type = std::string(type);
    item.inversion = inversion;
    item.root = root0to11;
    item.notes = Voice(*found, root0to11, inversion, nullptr);
    return item;
}

std::optional<PracticeItem> ProgressionItem(std::string_view numerals, int32_t tonic0to11) {
    const auto& list = Progressions();
    const auto found = std::find_if(list.begin(), list.end(), [&](const Progression& p) { return p.numerals == numerals; });
    if (found == list.end() || tonic0to11 < 0 || tonic0to11 > 11) return std::nullopt;
    PracticeItem item;
    item.level = Level::Progressions;
    item.type = std::string(numerals);
    item.root = tonic0to11;
    item.minorKey = found->minor;
    for (const std::string_view roman : SplitNumerals(numerals)) {
        const Numeral* numeral = FindNumeral(roman, found->minor);
        if (numeral == nullptr) return std::nullopt;
        item.chords.push_back({Triad(tonic0to11, *numeral), std::string(roman)});
    }
    return item;
}

PracticeItem NextItem(Level level, const LeitnerBoxes& boxes, PracticeRandom& random) {
    const std::vector<Choice> choices = Choices(level);
    int32_t total = 0;
    for (const Choice& choice : choices) total += Weight(boxes, choice.kind);
    int32_t pick = random.Below(total);
    size_t at = 0;
    while (pick >= Weight(boxes, choices[at].kind)) pick -= Weight(boxes, choices[at++].kind);
    const Choice& choice = choices[at];
    const int32_t root = random.Below(12);
    if (level == Level::Progressions) return *ProgressionItem(choice.type, root);
    PracticeItem item = *ChordItem(level, choice.type, choice.inversion, root);
    item.notes = Voice(*FindType(level, choice.type), root, choice.inversion, &random);
    return item;
}

std::vector<PracticeItem> GenerateItems(Level level, int32_t count, uint64_t seed) {
    PracticeRandom random(seed);
    const LeitnerBoxes fresh;
    std::vector<PracticeItem> items;
    for (int32_t i = 0; i < count; ++i) items.push_back(NextItem(level, fresh, random));
    return items;
}

std::string ExpectedAnswer(const PracticeItem& item) {
    if (item.level == Level::Progressions) return item.type;
    return AnswerText(item.level, item.type, item.inversion);
}

std::vector<int32_t> ReferenceNotes(const PracticeItem& item) {
    if (item.level != Level::Progressions) return {60, 64, 67};
    return Triad(item.root, *FindNumeral(item.minorKey ? "i" : "I", item.minorKey));
}

PitchContent ItemPitchContent(const PracticeItem& item) {
    PitchContent content;
    const ChordType* type = FindType(item.level, item.type);
    if (type == nullptr) return content;
    for (int32_t i = 0; i < type->toneCount; ++i) {
        content.pitchClasses.push_back(Mod12(item.root + type->pitchClasses[static_cast<size_t>(i)]));
    }
    std::sort(content.pitchClasses.begin(), content.pitchClasses.end());
    content.bass = Mod12(item.root + type->pitchClasses[static_cast<size_t>(std::clamp(item.inversion, 0, 3) % type->toneCount)]);
    return content;
}

}  // namespace hq::practice
