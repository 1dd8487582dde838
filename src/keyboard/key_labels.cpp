#include "keyboard/key_labels.h"


namespace hq::kbd {

std::string KeyLabel(const KeyboardCore& core, int32_t key, NoteNaming naming, const KeyNames& names) {
    if (naming == NoteNaming::None || key < 0 || key >= kKeyCount) return {};
    const bool inUse = core.ProgramCount(key) > 0 || core.UserHoldOf(key) != UserHold::None || core.MidiHeld(key);
    if (naming == NoteNaming::All && inUse) return names[static_cast<size_t>(key % 12)];
    if (key % 12 == 0) return "C" + std::to_string(key / 12 - 1);
    return {};
}

}  // namespace hq::kbd
