#pragma once
// A small, strict JSON reader for the practice files and items: bounded in
// size and depth, whole numbers only, valid UTF-8, no repeated keys. Pure.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hq::practice {

inline constexpr size_t kMaxJsonBytes = 4 * 1024 * 1024;
inline constexpr int32_t kMaxJsonDepth = 32;

struct JsonMember;

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    int64_t number = 0;
    std::string text;
    std::vector<JsonValue> items;                            // arrays
    std::vector<JsonMember> members;  // objects, in file order

    /// The member named `key` of an object, or null.
    const JsonValue* Find(std::string_view key) const;
};

struct JsonMember {
    std::string key;
    JsonValue value;
};

struct JsonReading {
    std::optional<JsonValue> value;
    std::string reason;  // "line 3: ..." when rejected
};

JsonReading ReadJson(std::string_view bytes);

/// `text` quoted, with '"', '\\' and control characters escaped.
std::string JsonQuoted(std::string_view text);

}  // namespace hq::practice
