#pragma once
// Names for the keys of a piano that follow the chord shown.

#include <array>
#include <string>
#include <string_view>

namespace hq {

/// By pitch class 0..11.
using KeyNames = std::array<std::string, 12>;

/// Each pitch class named as `basicNotesText` ("C,E,G,Bb" with bass marks
/// "/" and "//") spells it; a pitch class it does not hold is named with a
/// flat. Parts that cannot be read are passed over.
KeyNames KeyNamesFor(std::string_view basicNotesText);

}  // namespace hq
