#include "practice/json_value.h"

#include <charconv>
#include <set>

namespace hq::practice {
namespace {

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    JsonReading Read() {
        JsonValue value;
        if (Value(value, 0)) {
            Blanks();
            if (at_ == bytes_.size()) return {std::move(value), {}};
            Fail("text after the end");
        }
        return {std::nullopt, "line " + std::to_string(Line()) + ": " + reason_};
    }

private:
    bool Fail(std::string_view why) {
        if (reason_.empty()) reason_ = why;
        return false;
    }

    int32_t Line() const {
        int32_t line = 1;
        for (size_t i = 0; i < at_ && i < bytes_.size(); ++i) line += bytes_[i] == '\n' ? 1 : 0;
        return line;
    }

    void Blanks() {
        while (at_ < bytes_.size() && (bytes_[at_] == ' ' || bytes_[at_] == '\t' || bytes_[at_] == '\n' || bytes_[at_] == '\r')) ++at_;
    }

    bool Take(char c) {
        Blanks();
        if (at_ < bytes_.size() && bytes_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }

    bool Word(std::string_view word) {
        if (bytes_.substr(at_, word.size()) != word) return Fail("not a JSON value");
        at_ += word.size();
        return true;
    }

    bool Value(JsonValue& value, int32_t depth) {
        if (depth > kMaxJsonDepth) return Fail("nested too deep");
        Blanks();
        if (at_ >= bytes_.size()) return Fail("ends early");
        const char c = bytes_[at_];
        if (c == '{') return Object(value, depth);
        if (c == '[') return Array(value, depth);
        if (c == '"') {
            value.kind = JsonValue::Kind::String;
            return String(value.text);
        }
        if (c == 't' || c == 'f') {
            value.kind = JsonValue::Kind::Bool;
            value.boolean = c == 't';
            return Word(c == 't' ? "true" : "false");
        }
        if (c == 'n') return Word("null");
        return Number(value);
    }

    bool Number(JsonValue& value) {
        const size_t start = at_;
        if (at_ < bytes_.size() && bytes_[at_] == '-') ++at_;
        const size_t digits = at_;
        while (at_ < bytes_.size() && bytes_[at_] >= '0' && bytes_[at_] <= '9') ++at_;
        if (at_ == digits) return Fail("not a JSON value");
        if (at_ - digits > 1 && bytes_[digits] == '0') return Fail("a number with a leading zero");
        if (at_ < bytes_.size() && (bytes_[at_] == '.' || bytes_[at_] == 'e' || bytes_[at_] == 'E')) {
            return Fail("not a whole number");
        }
        const auto [end, error] = std::from_chars(bytes_.data() + start, bytes_.data() + at_, value.number);
        if (error != std::errc{} || end != bytes_.data() + at_) return Fail("a number out of range");
        value.kind = JsonValue::Kind::Number;
        return true;
    }

    bool Hex4(uint32_t& code) {
        if (at_ + 4 > bytes_.size()) return Fail("ends early");
        code = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = bytes_[at_++];
            const int digit = h >= '0' && h <= '9' ? h - '0' : h >= 'a' && h <= 'f' ? h - 'a' + 10 : h >= 'A' && h <= 'F' ? h - 'A' + 10 : -1;
            if (digit < 0) return Fail("a bad \\u escape");
            code = code * 16 + static_cast<uint32_t>(digit);
        }
        return true;
    }

    static void Utf8(uint32_t code, std::string& out) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    bool Escape(std::string& out) {
        if (at_ >= bytes_.size()) return Fail("ends early");
        const char c = bytes_[at_++];
        constexpr std::string_view kFrom = "\"\\/bfnrt", kTo = "\"\\/\b\f\n\r\t";
        if (const size_t k = kFrom.find(c); k != std::string_view::npos) {
            out += kTo[k];
            return true;
        }
        uint32_t code = 0;
        if (c != 'u' || !Hex4(code)) return Fail("a bad escape");
        if (code >= 0xDC00 && code <= 0xDFFF) return Fail("a lone surrogate");
        if (code >= 0xD800 && code <= 0xDBFF) {
            uint32_t low = 0;
            if (bytes_.substr(at_, 2) != "\\u") return Fail("a lone surrogate");
            at_ += 2;
            if (!Hex4(low)) return false;
            if (low < 0xDC00 || low > 0xDFFF) return Fail("a lone surrogate");
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        Utf8(code, out);
        return true;
    }

    // One UTF-8 sequence, shortest form, no surrogates.
    bool Character(std::string& out) {
        const auto lead = static_cast<unsigned char>(bytes_[at_]);
        const size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
        if (length == 0 || at_ + length > bytes_.size()) return Fail("text that is not UTF-8");
        uint32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
        for (size_t i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(bytes_[at_ + i]);
            if ((next & 0xC0) != 0x80) return Fail("text that is not UTF-8");
            code = (code << 6) | (next & 0x3Fu);
        }
        constexpr uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return Fail("text that is not UTF-8");
        }
        out.append(bytes_.substr(at_, length));
        at_ += length;
        return true;
    }

    bool String(std::string& out) {
        ++at_;
        while (at_ < bytes_.size()) {
            const char c = bytes_[at_];
            if (c == '"') {
                ++at_;
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20) return Fail("a control character in a text");
            if (c == '\\') {
                ++at_;
                if (!Escape(out)) return false;
            } else if (!Character(out)) {
                return false;
            }
        }
        return Fail("a text that does not end");
    }

    bool Array(JsonValue& value, int32_t depth) {
        ++at_;
        value.kind = JsonValue::Kind::Array;
        if (Take(']')) return true;
        do {
            value.items.emplace_back();
            if (!Value(value.items.back(), depth + 1)) return false;
        } while (Take(','));
        return Take(']') || Fail("expected ',' or ']'");
    }

    bool Object(JsonValue& value, int32_t depth) {
        ++at_;
        value.kind = JsonValue::Kind::Object;
        if (Take('}')) return true;
        std::set<std::string, std::less<>> keys;
        do {
            Blanks();
            if (at_ >= bytes_.size() || bytes_[at_] != '"') return Fail("expected a key");
            std::string key;
            if (!String(key)) return false;
            if (!keys.insert(key).second) return Fail("a key given twice");
            if (!Take(':')) return Fail("expected ':'");
            value.members.push_back(JsonMember{std::move(key), JsonValue{}});
            if (!Value(value.members.back().value, depth + 1)) return false;
        } while (Take(','));
        return Take('}') || Fail("expected ',' or '}'");
    }

    std::string_view bytes_;
    size_t at_ = 0;
    std::string reason_;
};

}  // namespace

const JsonValue* JsonValue::Find(std::string_view key) const {
    for (const auto& [name, value] : members) {
        if (name == key) return &value;
    }
    return nullptr;
}

JsonReading ReadJson(std::string_view bytes) {
    if (bytes.size() > kMaxJsonBytes) return {std::nullopt, "larger than " + std::to_string(kMaxJsonBytes) + " bytes"};
    return Reader(bytes).Read();
}

std::string JsonQuoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr std::string_view kHex = "0123456789abcdef";
            out += "\\u00";
            out += kHex[static_cast<size_t>(c) >> 4];
            out += kHex[static_cast<size_t>(c) & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace hq::practice
