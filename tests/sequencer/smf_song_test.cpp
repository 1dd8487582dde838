#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sequencer/smf_song.h"
#include "support/song_builder.h"

namespace hq {
namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += static_cast<char>(v);
    return s;
}

std::string Header(int format, int tracks, int divisionHigh, int divisionLow) {
    return Bytes({'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, format, 0, tracks, divisionHigh, divisionLow});
}

std::string Track(const std::string& body, int extraLength = 0) {
    const auto n = static_cast<uint32_t>(body.size() + static_cast<size_t>(extraLength));
    return Bytes({'M', 'T', 'r', 'k', int(n >> 24), int((n >> 16) & 0xFF), int((n >> 8) & 0xFF), int(n & 0xFF)}) + body;
}

const std::string kEnd = Bytes({0, 0xFF, 0x2F, 0});

TEST(SmfSong, ReadsRunningStatusVelocityZeroAndSkipsPercussionAndSysex) {
    // C4 on, E4 on by running status, a sysex, C4 off as velocity 0, a drum
    // hit on channel 10, E4 off as note-off, a tempo of 400000 us.
    const std::string body = Bytes({0, 0xFF, 0x51, 3, 0x06, 0x1A, 0x80, 0, 0x90, 60, 100, 0, 64, 90, 10, 0xF0, 2, 1, 0xF7,
                                    0x83, 0x60, 0x90, 60, 0, 0, 0x99, 36, 100, 0x10, 0x80, 64, 0}) +
                             kEnd;
    SongReading reading = ReadSong(Header(0, 1, 0x01, 0xE0) + Track(body));
    ASSERT_TRUE(std::holds_alternative<Song>(reading)) << std::get<std::string>(reading);
    const Song& song = std::get<Song>(reading);
    ASSERT_EQ(song.notes.size(), 2u);
    EXPECT_EQ(song.notes[0].pitch, 60);
    EXPECT_EQ(song.notes[0].end, 490);
    EXPECT_EQ(song.notes[1].end, 506);
    EXPECT_EQ(song.tempos.front().microsPerQuarter, 400'000);
}

TEST(SmfSong, RefusesWhatItCannotReadWhole) {
    const std::string note = Bytes({0, 0x90, 60, 100, 0x60, 0x80, 60, 0});
    const std::string good = test::SongBuilder().Chord(0, 4, {60, 64, 67}).Bytes();
    struct Case {
        std::string bytes;
        std::string reason;
    };
    const std::vector<Case> cases{
        {"RIFF", "not a Standard MIDI File"},
        {Header(1, 1, 0xE7, 0x28) + Track(note + kEnd), "SMPTE"},
        {Header(2, 1, 0x01, 0xE0) + Track(note + kEnd), "format 2"},
        {Header(1, 2, 0x01, 0xE0) + Track(note + kEnd), "promises 2 tracks"},
        {Header(1, 1, 0x01, 0xE0) + Track(note + kEnd, 5), "runs past the end"},
        {Header(1, 1, 0x01, 0xE0) + Track(Bytes({0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 1}) + kEnd), "delta time"},
        {Header(1, 1, 0x01, 0xE0) + Track(Bytes({0, 60, 100}) + kEnd), "without a status"},
        {Header(1, 1, 0x01, 0xE0) + Track(Bytes({0, 0x90, 60})), "cut off inside an event"},
        {Header(1, 1, 0x01, 0xE0) + Track(Bytes({0, 0xFF, 0x51, 9, 1})), "meta event runs past"},
        {good.substr(0, good.size() - 3), "runs past the end"},
        {std::string(kMaxSongBytes + 1, 'M'), "larger than 16 MiB"},
        {test::SongBuilder().Note(50'001, 1, 60).Bytes(), "longer than 50000 quarter notes"},
        {[] {
             test::SongBuilder many;
             for (int32_t key = 20; key <= 100; ++key) many.Note(0, 49'999, key);
             return many.Bytes();
         }(),
         "held too long"},
        {[] {
             test::SongBuilder meters;
             for (int32_t bar = 0; bar <= 10'000; ++bar) meters.Meter(bar * 3.0, 3, 2);
             return meters.Note(0, 1, 60).Bytes();
         }(),
         "too many tempo changes or time signatures"},
    };
    for (const Case& c : cases) {
        SongReading reading = ReadSong(c.bytes);
        ASSERT_TRUE(std::holds_alternative<std::string>(reading)) << c.reason;
        EXPECT_NE(std::get<std::string>(reading).find(c.reason), std::string::npos) << std::get<std::string>(reading);
    }
    EXPECT_TRUE(std::holds_alternative<Song>(ReadSong(good)));
}

}  // namespace
}  // namespace hq
