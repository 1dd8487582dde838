#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "headless/headless_toolkit.h"
#include "sequencer/sequence_file.h"
#include "support/cli_run.h"
#include "support/song_builder.h"

namespace hq {
namespace {

TEST(CliChordsOf, PrintsEachSongsChartAndAnErrorInPlaceOfAnUnreadableOne) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("hq_chords_of_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string song = (dir / "song.mid").string(), smpte = (dir / "smpte.mid").string();
    const std::string chd = (dir / "out.chd").string();
    test::SongBuilder builder;
    builder.Tempo(0, 100).Chord(0, 4, {43, 55, 59, 62}).Chord(4, 4, {36, 55, 60, 64}).Chord(12, 4, {38, 54, 57, 62});
    std::ofstream(song, std::ios::binary) << builder.Bytes();
    std::string bad = builder.Bytes();
    bad[12] = static_cast<char>(0xE7);  // the division as frames per second
    std::ofstream(smpte, std::ios::binary) << bad;

    const testing::CliRun r = testing::Cli({"chords-of", song, smpte, "--chd", chd});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out.rfind("{\"files\": [{\"file\": \"" + song +
                              "\", \"key\": {\"tonic\": 7, \"mode\": \"major\", \"name\": \"G major\"}, \"segments\": "
                              "[{\"startBeat\": 0.0, \"endBeat\": 4.0, \"startSeconds\": 0.0, \"endSeconds\": 2.4, "
                              "\"name\": \"G\", \"RootPitch\": 7, \"BassPitch\": 7, \"pitchClasses\": [2, 7, 11], "
                              "\"roman\": \"I\", \"key\": \"G major\"}, ",
                          0),
              0u)
        << r.out;
    EXPECT_NE(r.out.find("\"name\": \"N.C.\", \"RootPitch\": null, \"BassPitch\": null, \"pitchClasses\": [], "
                         "\"roman\": null"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("{\"file\": \"" + smpte + "\", \"error\": \"SMPTE"), std::string::npos) << r.out;

    HeadlessToolkit files;
    const std::optional<ChordSequence> written = ParseSequenceFile(files.LoadStringArray(chd));
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->SequenceCount, 3);  // G, C, D: the silence is no record
    EXPECT_EQ(written->Records.front()[34], " 100");  // the song's tempo
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace hq
