#include "cli/json.h"

#include <array>
#include <charconv>
#include <cmath>

#include "theory/utf8.h"

namespace hq {

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) out_ += ", ";
        first_.back() = false;
    }
}

JsonWriter& JsonWriter::BeginObject() {
    BeforeValue();
    out_ += '{';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    out_ += '}';
    first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    BeforeValue();
    out_ += '[';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    out_ += ']';
    first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
    BeforeValue();
    Quoted(key);
    out_ += ": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view text) {
    BeforeValue();
    Quoted(text);
    return *this;
}

JsonWriter& JsonWriter::Int(int64_t value) {
    BeforeValue();
    out_ += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::Number(double value) {
    BeforeValue();
    if (!std::isfinite(value)) {
        out_ += "null";
        return *this;
    }
    std::array<char, 32> text{};
    const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value);
    const std::string_view written(text.data(), error == std::errc{} ? static_cast<size_t>(end - text.data()) : 0);
    out_ += written;
    if (written.find_first_of(".e") == std::string_view::npos) out_ += ".0";
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Null() {
    BeforeValue();
    out_ += "null";
    return *this;
}

void JsonWriter::Quoted(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    auto escapeByte = [this](unsigned char b) {
        out_ += "\\u00";
        out_ += kHex[b >> 4];
        out_ += kHex[b & 0xF];
    };
    out_ += '"';
    size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        switch (b) {
            case '"': out_ += "\\\""; ++i; continue;
            case '\\': out_ += "\\\\"; ++i; continue;
            case '\n': out_ += "\\n"; ++i; continue;
            case '\r': out_ += "\\r"; ++i; continue;
            case '\t': out_ += "\\t"; ++i; continue;
            case '\b': out_ += "\\b"; ++i; continue;
            case '\f': out_ += "\\f"; ++i; continue;
            default: break;
        }
        if (b < 0x20) {
            escapeByte(b);
            ++i;
            continue;
        }
        const size_t length = Utf8SequenceLength(text.substr(i));
        if (length == 0) {
            escapeByte(b);
            ++i;
        } else {
            out_.append(text.substr(i, length));
            i += length;
        }
    }
    out_ += '"';
}

}  // namespace hq
