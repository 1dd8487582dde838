#pragma once
// What the piano writes on its keys.

#include <array>
#include <cstdint>
#include <string>

#include "keyboard/keyboard_core.h"
#include "theory/key_names.h"

namespace hq::kbd {

using hq::KeyNames;

enum class NoteNaming : uint8_t { None, COnly, All };

/// The text on `key`, empty for none. C only: "C4" on every C. All: the
/// same, and every key that sounds or is held named as `names` spells it.
std::string KeyLabel(const KeyboardCore& core, int32_t key, NoteNaming naming, const KeyNames& names);

}  // namespace hq::kbd
