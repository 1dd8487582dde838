// Arbitrary bytes as a typed chord symbol: every one is read or rejected
// with a reason, and what is read is a chord the panels hold as it is,
// whose notation reads back to itself.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "theory/composition.h"
#include "theory/symbol.h"
#include "require.h"

using hq::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace hq;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const SymbolReading reading = ReadChordSymbol(text);
    if (!reading.definition) {
        Require(!reading.reason.empty());
        return 0;
    }
    const Composition composed = Compose(*reading.definition);
    Require(composed.definition == *reading.definition);
    const SymbolReading again = ReadChordSymbol(composed.chord.Notation);
    Require(again.definition.has_value());
    Require(Compose(*again.definition).chord.Notation == composed.chord.Notation);
    return 0;
}
