#pragma once
// Solutions written as the list shows them: the name and the 13 numbers.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analyzer/solve.h"

namespace hq::testing {

/// RootPitch, ChordClass, Extension, SecondAdd, FourthAdd, SixthAdd,
/// FifthAlteration, NinthAlteration, SharpEleventh, FlatThirteenth, NoThird,
/// NoFifth, BassPitch.
using Numbers = std::array<int32_t, 13>;

struct ExpectedSolution {
    const char* name;
    Numbers numbers;
};

inline Numbers NumbersOf(const Solution& s) {
    Numbers n{};
    for (size_t i = 0; i < kSolutionFields.size(); ++i) n[i] = s.*kSolutionFields[i].member;
    return n;
}

inline void ExpectSolutions(std::span<const Solution> got, const std::vector<ExpectedSolution>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].name, want[i].name) << "solution " << i;
        const Numbers numbers = NumbersOf(got[i]);
        for (size_t f = 0; f < numbers.size(); ++f) {
            EXPECT_EQ(numbers[f], want[i].numbers[f]) << want[i].name << " " << kSolutionFields[f].name;
        }
    }
}

}  // namespace hq::testing
