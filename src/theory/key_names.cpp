#include "theory/key_names.h"

#include <cstdint>
#include <optional>

#include "theory/pitch.h"

namespace hq {
namespace {

std::optional<int32_t> PitchOf(std::string_view name) {
    if (name.empty()) return std::nullopt;
    const std::optional<int32_t> letter = LetterPitch(name.front());
    if (!letter) return std::nullopt;
    int32_t pitch = *letter;
    for (char accidental : name.substr(1)) {
        if (accidental == 'b') {
            --pitch;
        } else if (accidental == '#') {
            ++pitch;
        } else {
            return std::nullopt;
        }
    }
    return Mod12(pitch);
}

}  // namespace

KeyNames KeyNamesFor(std::string_view basicNotesText) {
    KeyNames names;
    for (size_t i = 0; i < names.size(); ++i) names[i] = std::string(kFlatNames[i]);
    std::array<bool, 12> taken{};
    while (!basicNotesText.empty()) {
        const size_t comma = basicNotesText.find(',');
        std::string_view part = basicNotesText.substr(0, comma);
        basicNotesText = comma == std::string_view::npos ? std::string_view{} : basicNotesText.substr(comma + 1);
        while (!part.empty() && part.front() == '/') part.remove_prefix(1);
        const std::optional<int32_t> pitch = PitchOf(part);
        if (!pitch || taken[static_cast<size_t>(*pitch)]) continue;
        taken[static_cast<size_t>(*pitch)] = true;
        names[static_cast<size_t>(*pitch)] = std::string(part);
    }
    return names;
}

}  // namespace hq
