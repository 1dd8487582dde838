// Why a box is disabled: every rule row that disabled it, in the order the
// rules ran, in the words its tooltip and the command-line tool use.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "theory/composition.h"

namespace hq {
namespace {

const std::string kMinor = "Not available with a minor chord";
const std::string kAug = "Not available with an augmented chord";
const std::string kDim = "Not available with a diminished chord";
const std::string kSixth = "Not available with the 6th extension";
const std::string kNinth = "Not available with the 9th extension: the ninth is already in it";
const std::string kEleventh = "Not available with the 11th extension: the eleventh is already in it";
const std::string kThirteenth = "Not available with the 13th extension: the thirteenth is already in it";
const std::string kNoSeventh = "Needs a 7th or larger extension";
const std::string kSus2 = "Not available with sus2";
const std::string kAddedNinth = "Not available with an added ninth";
const std::string kSus4 = "Not available with sus4";
const std::string kAddedEleventh = "Not available with an added eleventh";
const std::string kAddedThirteenth = "Not available with an added thirteenth";

struct Case {
    const char* what;
    ChordDefinition definition;
    int32_t box;
    std::vector<std::string> disabledBy;
};

std::vector<std::string> DisabledBy(const ChordDefinition& d, int32_t box) {
    const Composition c = Compose(d);
    const auto& reasons = c.controls[static_cast<size_t>(box)].disabledBy;
    return {reasons.begin(), reasons.end()};
}

TEST(DisabledBy, NamesEveryRuleRowThatDisabledTheBox) {
    const std::vector<Case> cases{
        {"minor: sus2", {.ChordClass = 1, .Extension = 7}, kid::sus2, {kMinor}},
        {"minor: #9", {.ChordClass = 1, .Extension = 7}, kid::As9, {kMinor}},
        {"minor: no3", {.ChordClass = 1, .Extension = 7}, kid::Ano3, {kMinor}},
        {"augmented: maj7", {.ChordClass = 2, .Extension = 7}, kid::Emaj7, {kAug}},
        {"augmented: no5", {.ChordClass = 2, .Extension = 7}, kid::Ano5, {kAug}},
        {"augmented: b13", {.ChordClass = 2, .Extension = 7}, kid::Ab13, {kAug}},
        {"diminished: 6", {.ChordClass = 3, .Extension = 7}, kid::E6, {kDim}},
        {"diminished: 13", {.ChordClass = 3, .Extension = 7}, kid::E13, {kDim}},
        {"diminished: add6", {.ChordClass = 3, .Extension = 7}, kid::add6, {kDim}},
        {"diminished: b5", {.ChordClass = 3, .Extension = 7}, kid::Ab5, {kDim}},
        {"diminished: #11", {.ChordClass = 3, .Extension = 7}, kid::As11, {kDim}},
        {"6th: add13", {.Extension = 6}, kid::add13, {kSixth}},
        {"6th then no seventh: b13", {.Extension = 6}, kid::Ab13, {kSixth, kNoSeventh}},
        {"no extension: b9", {}, kid::Ab9, {kNoSeventh}},
        {"9th: add9", {.Extension = 9}, kid::add9, {kNinth}},
        {"maj9: sus2", {.Extension = 10}, kid::sus2, {kNinth}},
        {"11th: sus4", {.Extension = 11}, kid::sus4, {kEleventh}},
        {"maj11: #11", {.Extension = 12}, kid::As11, {kEleventh}},
        {"13th: add13", {.Extension = 13}, kid::add13, {kThirteenth}},
        {"maj13: b13", {.Extension = 14}, kid::Ab13, {kThirteenth}},
        {"sus2: no3", {.Extension = 7, .SecondAdd = 3}, kid::Ano3, {kSus2}},
        {"add2: #9", {.Extension = 7, .SecondAdd = 2}, kid::As9, {kAddedNinth}},
        {"add9: b9", {.Extension = 7, .SecondAdd = 9}, kid::Ab9, {kAddedNinth}},
        {"sus4: no3", {.Extension = 7, .FourthAdd = 3}, kid::Ano3, {kSus4}},
        {"add4: #11", {.Extension = 7, .FourthAdd = 4}, kid::As11, {kAddedEleventh}},
        {"add11: #11", {.Extension = 7, .FourthAdd = 11}, kid::As11, {kAddedEleventh}},
        {"add6: b13", {.Extension = 7, .SixthAdd = 6}, kid::Ab13, {kAddedThirteenth}},
        {"add13: b13", {.Extension = 7, .SixthAdd = 13}, kid::Ab13, {kAddedThirteenth}},
        {"sus2 and sus4 both take the third", {.SecondAdd = 3, .FourthAdd = 3}, kid::Ano3, {kSus2, kSus4}},
        {"class, step 6 and addition in order", {.ChordClass = 3, .SecondAdd = 9}, kid::As9,
         {kDim, kNoSeventh, kAddedNinth}},
        {"a 13th the class cleared disables nothing", {.ChordClass = 3, .Extension = 13}, kid::add4, {}},
        {"a 13th the class cleared leaves no seventh", {.ChordClass = 3, .Extension = 13}, kid::As11,
         {kDim, kNoSeventh}},
        {"enabled boxes have no reason", {.Extension = 7}, kid::As9, {}},
        {"the seventh is never disabled", {.ChordClass = 3}, kid::E7, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DisabledBy(c.definition, c.box), c.disabledBy) << c.what;
    }
}

// Over every class, extension and addition: a box is disabled exactly when a
// rule says why.
TEST(DisabledBy, IsGivenForEveryDisabledBoxAndOnlyThen) {
    for (size_t walk = 0; walk < 4 * 10 * 48; ++walk) {
        const ChordDefinition d{.ChordClass = static_cast<int32_t>(walk % 4),
                                .Extension = std::array{0, 6, 7, 8, 9, 10, 11, 12, 13, 14}[walk / 4 % 10],
                                .SecondAdd = std::array{0, 2, 3, 9}[walk / 40 % 4],
                                .FourthAdd = std::array{0, 3, 4, 11}[walk / 160 % 4],
                                .SixthAdd = std::array{0, 6, 13}[walk / 640]};
        const Composition c = Compose(d);
        for (int32_t box : kComposedBoxes) {
            const ControlState& s = c.controls[static_cast<size_t>(box)];
            EXPECT_EQ(s.enabled, s.disabledBy.empty()) << "kid " << box << " walk " << walk;
        }
    }
}

}  // namespace
}  // namespace hq
