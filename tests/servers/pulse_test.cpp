// The program's sound on a real PulseAudio server with a null sink, recorded
// from the sink's monitor.

#include <gtest/gtest.h>

#include "platform/controls.h"
#include "tests/servers/server_rig.h"

namespace hq::testing {
namespace {

class PulseAudioServer : public ::testing::Test {
protected:
    void SetUp() override {
        if (!CommandFound("pulseaudio") || !CommandFound("parecord")) {
            GTEST_SKIP() << "no PulseAudio here (scripts/test installs pulseaudio and pulseaudio-utils)";
        }
        folder_ = PrivateFolder("hq-pulse");
        ASSERT_FALSE(folder_.empty());
        env_ = {"HOME=" + folder_, "XDG_RUNTIME_DIR=" + folder_, "PULSE_RUNTIME_PATH=" + folder_ + "/pulse",
                "PULSE_SERVER=unix:" + folder_ + "/native"};
        server_ = std::make_unique<Child>(
            std::vector<std::string>{"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--disallow-exit",
                                     "--use-pid-file=no", "--log-target=stderr",
                                     "--load=module-native-protocol-unix socket=" + folder_ + "/native auth-anonymous=1",
                                     "--load=module-null-sink sink_name=hq_test rate=44100 channels=2"},
            folder_ + "/server.log", env_);
        const auto answers = [this] { return RunCommand("env " + env_.back() + " pactl info", 5).find("hq_test") != std::string::npos; };
        for (int i = 0; i < 50 && !answers(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(200));
        if (!answers()) GTEST_SKIP() << "PulseAudio did not start: " << ReadText(folder_ + "/server.log");
        setenv("PULSE_SERVER", ("unix:" + folder_ + "/native").c_str(), 1);
    }
    void TearDown() override {
        unsetenv("PULSE_SERVER");
        server_.reset();
        if (!folder_.empty()) std::filesystem::remove_all(folder_);
    }

    std::string folder_;
    std::vector<std::string> env_;
    std::unique_ptr<Child> server_;
};

TEST_F(PulseAudioServer, ShowAndPlayOnceOfC7SoundsItsFourNotesAfterSilence) {
    RealProgram app;
    ASSERT_TRUE(app.Choose("AudioOutput", QStringLiteral("PulseAudio")));
    ASSERT_TRUE(app.WaitForSound("PulseAudio")) << app.Status();

    const std::string wav = folder_ + "/monitor.wav";
    Child recorder({"parecord", "--device=hq_test.monitor", "--file-format=wav", "--format=s16le", "--rate=44100",
                    "--channels=1", wav},
                   folder_ + "/parecord.log", env_);
    // A second of the monitor before the click, all of it before the chord.
    const auto recorded = [&wav] {
        std::error_code error;
        const auto size = std::filesystem::file_size(wav, error);
        return error ? 0 : static_cast<size_t>(size);
    };
    ASSERT_TRUE(WaitFor([&] { return recorded() > 44 + 2 * 44100; }, 15000)) << ReadText(folder_ + "/parecord.log");
    const size_t framesBeforeClick = (recorded() - 44) / 2;
    app.Click("PlayOnce");
    QTest::qWait(2500);
    recorder.Stop(SIGINT);

    const Recording r = ReadWav(wav);
    ASSERT_EQ(r.rate, 44100);
    ASSERT_GT(r.samples.size(), framesBeforeClick + 44100) << "the monitor stopped short";
    EXPECT_LT(Loudest(r.samples, 0, framesBeforeClick), 0.001F) << "sound before the click";
    const size_t onset = Onset(r.samples);
    ASSERT_LT(onset, r.samples.size()) << "the chord never sounded";
    EXPECT_GE(onset, framesBeforeClick);
    EXPECT_EQ(MissingPitches(r, onset + 4410, onset + 39690, kC7), "");
}

}  // namespace
}  // namespace hq::testing
