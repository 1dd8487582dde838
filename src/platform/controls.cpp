#include "platform/controls.h"

namespace hq {

std::optional<int32_t> KidByName(std::string_view name) {
    for (const ControlRow& row : kControls) {
        if (row.kid != 0 && row.name == name) return row.kid;
    }
    return std::nullopt;
}

static bool IsRadio(int32_t kidNumber) {
    const ControlRow* row = ControlAt(kidNumber);
    return row != nullptr && row->kind == ControlKind::RadioButton;
}

std::optional<int32_t> RadioGroupStart(int32_t kidNumber) {
    if (!IsRadio(kidNumber)) return std::nullopt;
    while (IsRadio(kidNumber - 1)) --kidNumber;
    return kidNumber;
}

bool SameRadioGroup(int32_t a, int32_t b) {
    std::optional<int32_t> ga = RadioGroupStart(a);
    return ga && ga == RadioGroupStart(b);
}

}  // namespace hq
