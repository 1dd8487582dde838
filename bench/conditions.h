#pragma once
// What a benchmark ran under (toolkit, keyboard, synthesiser), printed in
// the context header before its figures.

#include <benchmark/benchmark.h>

namespace hq::bench {

/// For a namespace-scope constant: `const bool kConditions = Conditions("...");`
inline bool Conditions(const char* text) {
    benchmark::AddCustomContext("conditions", text);
    return true;
}

}  // namespace hq::bench
