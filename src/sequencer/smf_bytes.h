#pragma once
// Reading the numbers of a Standard MIDI File from its bytes, for the
// program's own files and for songs from elsewhere. Pure.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace hq {

/// A cursor over bytes: each read moves past what it took; one that would
/// run past the end gives nothing.
class SmfReader {
public:
    explicit SmfReader(std::string_view bytes) : bytes_(bytes) {}

    bool AtEnd() const { return at_ >= bytes_.size(); }
    size_t Left() const { return bytes_.size() - at_; }

    std::optional<uint8_t> Byte() {
        if (AtEnd()) return std::nullopt;
        return static_cast<uint8_t>(bytes_[at_++]);
    }
    std::optional<uint32_t> BigEndian(int count) {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i) {
            const std::optional<uint8_t> b = Byte();
            if (!b) return std::nullopt;
            value = (value << 8) | *b;
        }
        return value;
    }
    std::optional<uint32_t> Variable() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::optional<uint8_t> b = Byte();
            if (!b) return std::nullopt;
            value = (value << 7) | (*b & 0x7Fu);
            if ((*b & 0x80) == 0) return value;
        }
        return std::nullopt;  // more than four bytes
    }
    std::optional<std::string_view> Take(size_t count) {
        if (count > Left()) return std::nullopt;
        const std::string_view part = bytes_.substr(at_, count);
        at_ += count;
        return part;
    }

private:
    std::string_view bytes_;
    size_t at_ = 0;
};

}  // namespace hq
