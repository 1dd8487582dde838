#pragma once
// A small JSON writer: compact output, standard escaping, and every byte of a
// text that is not valid UTF-8 written as \u00XX.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hq {

class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view key);
    JsonWriter& String(std::string_view text);
    JsonWriter& Int(int64_t value);
    /// The shortest text that reads back as `value`, with a ".0" when whole.
    JsonWriter& Number(double value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

    const std::string& str() const { return out_; }

private:
    void BeforeValue();
    void Quoted(std::string_view text);

    std::string out_;
    std::vector<bool> first_;  // per open container: nothing written yet
    bool afterKey_ = false;
};

}  // namespace hq
