#include "cli/json.h"

#include <gtest/gtest.h>

namespace hq {
namespace {

TEST(JsonWriter, EscapesTextsAndInvalidUtf8Bytes) {
    struct Case {
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"C7", "\"C7\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"line\nnext\ttab", "\"line\\nnext\\ttab\""},
        {std::string("\x01", 1), "\"\\u0001\""},
        {"\xc3\xa9", "\"\xc3\xa9\""},                       // é passes through
        {"\xe2\x99\xaf", "\"\xe2\x99\xaf\""},               // ♯ passes through
        {"\xff", "\"\\u00ff\""},                            // never valid
        {"\xc3", "\"\\u00c3\""},                            // truncated
        {"\xc0\xaf", "\"\\u00c0\\u00af\""},                 // overlong
        {"\xed\xa0\x80", "\"\\u00ed\\u00a0\\u0080\""},      // surrogate
        {"a\xe2\x99z", "\"a\\u00e2\\u0099z\""},             // broken in the middle
        {"\xf4\x90\x80\x80", "\"\\u00f4\\u0090\\u0080\\u0080\""},  // above U+10FFFF
    };
    for (const Case& c : cases) {
        JsonWriter json;
        json.String(c.in);
        EXPECT_EQ(json.str(), c.out);
    }
}

TEST(JsonWriter, SeparatesMembersAndElements) {
    JsonWriter json;
    json.BeginObject().Key("a").Int(-1).Key("b").BeginArray().Int(1).Null().Bool(true).EndArray();
    json.Key("c").BeginObject().EndObject().EndObject();
    EXPECT_EQ(json.str(), "{\"a\": -1, \"b\": [1, null, true], \"c\": {}}");
}

}  // namespace
}  // namespace hq
