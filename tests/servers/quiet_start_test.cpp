// With no JACK server the program starts as it did before: no JACK in its
// lists and not one line on the console.

#include <gtest/gtest.h>

#include "tests/servers/server_rig.h"

namespace hq::testing {
namespace {

TEST(NoJackServer, TheProgramStartsSilentWithoutJackChoices) {
    setenv("JACK_DEFAULT_SERVER", ("hq-nobody-" + std::to_string(getpid())).c_str(), 1);
    const std::string folder = PrivateFolder("hq-quiet");
    ASSERT_FALSE(folder.empty());
    const std::string console = folder + "/console.txt";
    std::fflush(stdout);
    std::fflush(stderr);
    const int savedOut = dup(1), savedErr = dup(2);
    const int file = open(console.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(file, 1);
    dup2(file, 2);
    QStringList audio, in, out;
    {
        RealProgram app;
        QTest::qWait(1500);
        audio = app.Items("AudioOutput");
        in = app.Items("MidiIn");
        out = app.Items("MidiOut");
    }
    std::fflush(stdout);
    std::fflush(stderr);
    dup2(savedOut, 1);
    dup2(savedErr, 2);
    close(file);
    close(savedOut);
    close(savedErr);
    unsetenv("JACK_DEFAULT_SERVER");

    EXPECT_EQ(ReadText(console), "");
    EXPECT_FALSE(audio.contains(QStringLiteral("JACK"))) << audio.join(',').toStdString();
    for (const QStringList& list : {in, out}) {
        for (const QString& item : list) EXPECT_FALSE(item.startsWith(QStringLiteral("JACK: "))) << item.toStdString();
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace hq::testing
