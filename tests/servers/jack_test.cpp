// The program on a real JACK server with the dummy backend: its MIDI out
// recorded by jack_midi_dump, its MIDI in fed by a client of ours, its sound
// recorded by jack_rec.

#include <gtest/gtest.h>
#include <rtmidi/RtMidi.h>

#include <regex>
#include <set>

#include "sound/fluid_synth.h"
#include "tests/servers/server_rig.h"

namespace hq::testing {
namespace {

class JackServer : public ::testing::Test {
protected:
    void SetUp() override {
        if (!CommandFound("jackd") || !CommandFound("jack_midi_dump") || !CommandFound("jack_rec")) {
            GTEST_SKIP() << "no JACK here (scripts/test installs jackd2)";
        }
        folder_ = PrivateFolder("hq-jack");
        ASSERT_FALSE(folder_.empty());
        // The server's name keeps its sockets apart from any other server.
        const std::string name = "hq-test-" + std::to_string(getpid());
        env_ = {"JACK_DEFAULT_SERVER=" + name, "XDG_RUNTIME_DIR=" + folder_, "HOME=" + folder_};
        setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
        server_ = std::make_unique<Child>(
            std::vector<std::string>{"jackd", "--no-realtime", "-d", "dummy", "-r", "48000", "-p", "512"},
            folder_ + "/server.log", env_);
        if (RunCommand("jack_wait -w -t 10", 15).find("server is available") == std::string::npos) {
            GTEST_SKIP() << "the JACK server did not start: " << ReadText(folder_ + "/server.log");
        }
    }
    void TearDown() override {
        server_.reset();
        unsetenv("JACK_DEFAULT_SERVER");
        if (!folder_.empty()) std::filesystem::remove_all(folder_);
    }

    static std::string Ports() { return RunCommand("jack_lsp -c"); }
    /// `from` is listed with `to` among its connections.
    static bool Connected(const std::string& from, const std::string& to) {
        std::istringstream lines(Ports());
        std::string line, port;
        while (std::getline(lines, line)) {
            if (!line.starts_with(" ")) port = line;
            else if (port == from && line.find(to) != std::string::npos) return true;
        }
        return false;
    }

    std::string folder_;
    std::vector<std::string> env_;
    std::unique_ptr<Child> server_;
};

TEST_F(JackServer, ShowAndPlayOnceReachesMidiDumpAndIsHeardOnJackAudio) {
    RealProgram app;
    EXPECT_NE(Ports().find("Harmoniqua:out"), std::string::npos) << Ports();
    ASSERT_TRUE(app.Choose("AudioOutput", QStringLiteral("JACK"))) << app.Items("AudioOutput").join(',').toStdString();
    ASSERT_TRUE(app.WaitForSound("JACK")) << app.Status();
    const std::string left = std::string(kbd::kJackAudioClient) + ":left";
    const std::string right = std::string(kbd::kJackAudioClient) + ":right";
    EXPECT_TRUE(Connected(left, "system:playback_1")) << Ports();

    Child dump({"stdbuf", "-oL", "jack_midi_dump", "hq-dump"}, folder_ + "/dump.txt", env_);
    ASSERT_TRUE(WaitFor([] { return Ports().find("hq-dump:input") != std::string::npos; }, 10000)) << Ports();
    RunCommand("jack_connect Harmoniqua:out hq-dump:input");
    const std::string wav = folder_ + "/sound.wav";
    Child recorder({"jack_rec", "-f", wav, "-d", "3", "-b", "16", left, right}, folder_ + "/jack_rec.log", env_);
    ASSERT_TRUE(WaitFor([&left] { return Connected(left, "jackrec") || Connected(left, "jack_rec"); }, 10000)) << Ports();

    app.Click("PlayOnce");
    QTest::qWait(1800);
    EXPECT_TRUE(recorder.WaitExit(10000)) << "jack_rec did not finish";
    dump.Stop();

    std::set<int> ons, offs;
    const std::regex event(R"(note (on|off) .*pitch +(\d+), velocity +(\d+))");
    std::istringstream lines(ReadText(folder_ + "/dump.txt"));
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (!std::regex_search(line, m, event)) continue;
        const bool on = m[1] == "on" && std::stoi(m[3]) > 0;
        (on ? ons : offs).insert(std::stoi(m[2]));
    }
    EXPECT_EQ(ons, (std::set<int>{60, 64, 67, 70})) << ReadText(folder_ + "/dump.txt");
    EXPECT_EQ(offs, (std::set<int>{60, 64, 67, 70})) << ReadText(folder_ + "/dump.txt");

    const Recording r = ReadWav(wav);
    ASSERT_GT(r.rate, 0) << ReadText(folder_ + "/jack_rec.log");
    const size_t onset = Onset(r.samples);
    ASSERT_LT(onset, r.samples.size()) << "the chord never sounded";
    const auto at = [&r, onset](double seconds) { return onset + static_cast<size_t>(seconds * r.rate); };
    EXPECT_EQ(MissingPitches(r, at(0.1), at(0.9), kC7), "");
}

TEST_F(JackServer, KeysHeldOnAJackClientAreCapturedAndSolved) {
    RealProgram app;
    RtMidiOut keys(RtMidi::UNIX_JACK, "hq-test-keys");
    keys.openVirtualPort("keys");
    const QString ours = QStringLiteral("JACK: hq-test-keys:keys");
    // The lists are looked at again each second.
    ASSERT_TRUE(WaitFor([&] { return app.Items("MidiIn").contains(ours); }, 10000))
        << app.Items("MidiIn").join(',').toStdString();
    for (const char* list : {"MidiIn", "MidiOut"}) {
        for (const QString& item : app.Items(list)) EXPECT_FALSE(item.contains(QStringLiteral("Harmoniqua"))) << list;
    }
    ASSERT_TRUE(app.Choose("MidiIn", ours));
    ASSERT_TRUE(WaitFor([] { return Connected("hq-test-keys:keys", ":in"); }, 5000)) << Ports();
    EXPECT_NE(Ports().find("Harmoniqua-"), std::string::npos);

    const auto held = [&app] {
        return app.keyboard->KbdGetNote(0, 4) != 0 && app.keyboard->KbdGetNote(4, 4) != 0 &&
               app.keyboard->KbdGetNote(7, 4) != 0;
    };
    // The server takes a new connection into its graph a cycle or more
    // later: what is sent before that never leaves our client.
    for (int attempt = 0; attempt < 5 && !held(); ++attempt) {
        for (const unsigned char key : {uint8_t{60}, uint8_t{64}, uint8_t{67}}) {
            const std::vector<unsigned char> on{0x90, key, 100};
            keys.sendMessage(&on);
        }
        WaitFor(held, 1000);
    }
    ASSERT_TRUE(held());
    app.Click("CaptureSolve");
    ASSERT_FALSE(app.Solutions().isEmpty());
    EXPECT_EQ(app.Solutions().front(), QStringLiteral("C")) << app.Solutions().join(',').toStdString();
}

}  // namespace
}  // namespace hq::testing
