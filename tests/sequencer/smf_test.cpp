#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sequencer/smf.h"

namespace hq {
namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += static_cast<char>(v);
    return s;
}

const std::string kHeader1Track = Bytes({'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 0x03, 0xC0});

std::string Track(const std::string& body) {
    const auto n = static_cast<uint32_t>(body.size());
    return Bytes({'M', 'T', 'r', 'k', int(n >> 24), int((n >> 16) & 0xFF), int((n >> 8) & 0xFF), int(n & 0xFF)}) + body;
}

const std::string kEnd = Bytes({0, 0xFF, 0x2F, 0});

TEST(Smf, WritesDeltaTimesAsVariableLengthQuantities) {
    struct Case {
        int64_t tick;
        std::string delta;
    };
    const std::vector<Case> cases{
        {0, Bytes({0x00})},
        {0x7F, Bytes({0x7F})},
        {0x80, Bytes({0x81, 0x00})},
        {0x3FFF, Bytes({0xFF, 0x7F})},
        {0x4000, Bytes({0x81, 0x80, 0x00})},
        {0x0FFFFFFF, Bytes({0xFF, 0xFF, 0xFF, 0x7F})},
    };
    for (const Case& c : cases) {
        SmfFile file;
        file.tracks.push_back({{SmfChannel(c.tick, 0x90, 60, 100)}});
        EXPECT_EQ(WriteSmf(file), kHeader1Track + Track(c.delta + Bytes({0x90, 60, 100}) + kEnd)) << c.tick;
    }
}

TEST(Smf, ReadsBackWhatItWrites) {
    SmfFile tempo;
    tempo.tracks.push_back({{SmfMeta(0, midi::kTrackName, "song"), SmfMeta(0, midi::kTempo, Bytes({0x05, 0x16, 0x15})),
                             SmfMeta(7678, midi::kMarker, "Dm7(b5)")}});
    tempo.tracks.push_back({{SmfChannel(0, 0xC0, 41), SmfChannel(88, 0x90, 60, 100), SmfChannel(88, 0x90, 64, 100),
                             SmfChannel(50'000, 0x80, 60, 0), SmfChannel(50'000, 0x80, 64, 0)}});
    SmfFile empty;
    empty.tracks.emplace_back();
    SmfFile format0;
    format0.format = 0;
    format0.ticksPerQuarter = 96;
    format0.tracks.push_back({{SmfEvent{5, 0xF0, 0, Bytes({0x7E, 0x7F, 0x09, 0x01, 0xF7})}}});
    for (const SmfFile& file : {tempo, empty, format0}) {
        const std::optional<std::string> bytes = WriteSmf(file);
        ASSERT_TRUE(bytes.has_value());
        EXPECT_EQ(ReadSmf(*bytes), file);
    }
}

TEST(Smf, ReaderFollowsRunningStatusAndSkipsForeignChunks) {
    const std::string foreign = Bytes({'X', 'y', 'z', 'w', 0, 0, 0, 2, 1, 2});
    const std::string body = Bytes({0, 0x90, 60, 100, 10, 64, 100, 20, 60, 0}) + kEnd;
    const std::optional<SmfFile> file = ReadSmf(kHeader1Track + foreign + Track(body));
    ASSERT_TRUE(file.has_value());
    ASSERT_EQ(file->tracks.size(), 1u);
    EXPECT_EQ(file->tracks[0].events, (std::vector<SmfEvent>{SmfChannel(0, 0x90, 60, 100), SmfChannel(10, 0x90, 64, 100),
                                                             SmfChannel(30, 0x90, 60, 0)}));
}

TEST(Smf, ReaderRefusesWhatIsNotACompleteFile) {
    const std::string good = Bytes({0, 0x90, 60, 100});
    const std::vector<std::pair<const char*, std::string>> cases{
        {"no header", Track(good + kEnd)},
        {"header cut short", kHeader1Track.substr(0, 10)},
        {"track missing", kHeader1Track},
        {"no end of track", kHeader1Track + Track(good)},
        {"event cut short", kHeader1Track + Track(Bytes({0, 0x90, 60}))},
        {"data without status", kHeader1Track + Track(Bytes({0, 60, 100}) + kEnd)},
        {"delta of five bytes", kHeader1Track + Track(Bytes({0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 100}) + kEnd)},
        {"meta longer than its track", kHeader1Track + Track(Bytes({0, 0xFF, 0x06, 0x20, 'C'}))},
        {"track longer than the file", kHeader1Track + Track(good + kEnd).substr(0, 12)},
    };
    for (const auto& [name, bytes] : cases) EXPECT_FALSE(ReadSmf(bytes).has_value()) << name;
}

TEST(Smf, WriterRefusesEventsOutOfOrderOrTooFarApart) {
    const std::vector<std::vector<SmfEvent>> cases{
        {SmfChannel(10, 0x90, 60, 1), SmfChannel(9, 0x80, 60, 0)},
        {SmfChannel(0, 0x90, 60, 1), SmfChannel(smf::kLongestDelta + 1, 0x80, 60, 0)},
    };
    for (const std::vector<SmfEvent>& events : cases) {
        SmfFile file;
        file.tracks.push_back({events});
        EXPECT_FALSE(WriteSmf(file).has_value());
    }
}

}  // namespace
}  // namespace hq
