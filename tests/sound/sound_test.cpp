// What the keyboard sounds like, rendered offline through the real FluidSynth
// and the TimGM6mb soundfont.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "keyboard/keyboard_core.h"
#include "keyboard/library_messages.h"
#include "sound/fluid_synth.h"
#include "tests/keyboard/fakes.h"
#include "tests/support/spectrum.h"

namespace hq::kbd {
namespace {

constexpr const char* kSoundfont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

std::vector<float> Render(FluidSynth& synth, double seconds) {
    const auto frames = static_cast<size_t>(seconds * kSampleRateHz);
    std::vector<float> left(frames), right(frames), mono(frames);
    // In periods, as the audio driver asks for them.
    for (size_t at = 0; at < frames; at += kPeriodFrames) {
        const size_t n = std::min<size_t>(kPeriodFrames, frames - at);
        synth.Render(std::span(left).subspan(at, n), std::span(right).subspan(at, n));
    }
    for (size_t i = 0; i < frames; ++i) mono[i] = (left[i] + right[i]) / 2;
    return mono;
}

double Rms(const std::vector<float>& x, size_t from = 0) {
    double sum = 0;
    for (size_t i = from; i < x.size(); ++i) sum += double(x[i]) * x[i];
    return x.size() > from ? std::sqrt(sum / double(x.size() - from)) : 0;
}

double PeakHz(const std::vector<float>& x, double lowHz, double highHz) {
    return hq::testing::PeakHz(x, kSampleRateHz, lowHz, highHz);
}

std::vector<float> Stretch(const std::vector<float>& x, double fromSeconds, double toSeconds) {
    return {x.begin() + static_cast<std::ptrdiff_t>(fromSeconds * kSampleRateHz),
            x.begin() + static_cast<std::ptrdiff_t>(toSeconds * kSampleRateHz)};
}

class Sound : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kSoundfont)) << "install timgm6mb-soundfont";
        ASSERT_TRUE(synth.LoadSoundfont(kSoundfont));
        core.Start();
        for (const auto& [param, value] : {std::pair{6, 2}, {23, 0}, {25, 100}, {26, 64}, {33, 1}, {11, 60}, {10, 3}}) {
            core.KbdSetParam(param, value);
        }
    }

    FluidSynth synth;
    testing::FakeMidiOut out;
    KeyboardCore core{synth, out};
};

TEST_F(Sound, NotesSoundAtTheirPitch) {
    const struct {
        int32_t pitchClass, octave;
        double hz;
    } cases[] = {{0, 4, 261.63}, {9, 4, 440.0}, {7, 3, 196.0}};
    for (const auto& c : cases) {
        core.KbdNoteOn(c.pitchClass, c.octave);
        const std::vector<float> sound = Render(synth, 1.2);
        core.KbdNoteOff(c.pitchClass, c.octave);
        Render(synth, 3.0);
        // The fundamental, looked for near where it should be: this
        // soundfont's strongest partial is the second.
        EXPECT_NEAR(PeakHz(Stretch(sound, 0.1, 1.1), c.hz * 0.94, c.hz * 1.06), c.hz, 2.0) << c.pitchClass << "/" << c.octave;
    }
}

TEST_F(Sound, NoteOffAndAllNotesOffBringSilenceAfterTheRelease) {
    const struct {
        const char* name;
        std::vector<std::pair<int32_t, int32_t>> notes;
        bool allNotesOff;
    } cases[] = {
        {"NoteOff", {{0, 4}}, false},
        {"AllNotesOff on a chord", {{0, 4}, {4, 4}, {7, 4}, {0, 5}}, true},
        {"NoteOff of a retriggered key, twice", {{9, 4}, {9, 4}}, false},
    };
    for (const auto& c : cases) {
        for (const auto& [pc, octave] : c.notes) core.KbdNoteOn(pc, octave);
        const double sounding = Rms(Render(synth, 0.5));
        if (c.allNotesOff) {
            core.KbdAllNotesOff();
        } else {
            for (const auto& [pc, octave] : c.notes) core.KbdNoteOff(pc, octave);
        }
        const std::vector<float> after = Render(synth, 3.0);
        EXPECT_GT(sounding, 0.01) << c.name;
        EXPECT_LT(Rms(after, static_cast<size_t>(2.5 * kSampleRateHz)), sounding * 1e-3) << c.name;
    }
}

TEST(SoundBeforeTheSoundfont, NotesAskedForMeanwhileAreNotLostOrStuck) {
    const struct {
        const char* name;
        std::vector<std::pair<char, int32_t>> calls;  // 'n' note-on, 'f' note-off, 'a' all notes off
        bool sounds;
    } cases[] = {
        {"held", {{'n', 60}}, true},
        {"held chord", {{'n', 60}, {'n', 64}, {'n', 67}}, true},
        {"ended", {{'n', 60}, {'f', 60}}, false},
        {"all notes off", {{'n', 60}, {'n', 64}, {'a', 0}}, false},
        {"ended then struck again", {{'n', 60}, {'f', 60}, {'n', 62}}, true},
    };
    for (const auto& c : cases) {
        FluidSynth synth;
        for (const auto& [kind, key] : c.calls) {
            if (kind == 'n') synth.NoteOn(0, key, 100);
            if (kind == 'f') synth.NoteOff(0, key);
            if (kind == 'a') synth.ControlChange(0, 123, 0);
        }
        ASSERT_TRUE(synth.LoadSoundfont(kSoundfont));
        EXPECT_EQ(Rms(Render(synth, 0.5)) > 0.01, c.sounds) << c.name;
    }
}

// Live, the worker loads the soundfont and then each instrument's samples
// as it is chosen; what is asked for meanwhile waits its turn.
class SoundWhileSamplesLoad : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kSoundfont)) << "install timgm6mb-soundfont";
        folder_ = std::filesystem::temp_directory_path() / ("hq-sound-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        std::filesystem::create_symlink(kSoundfont, folder_ / "TimGM6mb.sf2");
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    /// Waits (up to 10 s) for the worker to apply what waited.
    static bool Settle(const FluidSynth& synth) {
        for (int i = 0; i < 1000 && !synth.Settled(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return synth.Settled();
    }

    std::filesystem::path folder_;
};

TEST_F(SoundWhileSamplesLoad, NotesAskedForMeanwhileSoundOnceTheyAreInAndNoneIsStuck) {
    // 'p' program, 'u' release the channel, 'n' note-on, 'f' note-off, 'a' all notes off.
    using Calls = std::vector<std::pair<char, int32_t>>;
    const struct {
        const char* name;
        Calls before;  // applied and settled first
        Calls during;  // asked for right after, while samples load
        bool sounds;   // held, or silent once released
    } cases[] = {
        {"struck while the instrument loads", {{'p', 0}}, {{'p', 40}, {'n', 60}}, true},
        {"a chord struck while it loads", {{'p', 0}}, {{'p', 40}, {'n', 60}, {'n', 64}, {'n', 67}}, true},
        {"struck before any instrument was chosen", {}, {{'n', 60}}, true},
        {"struck and let go while it loads", {{'p', 0}}, {{'p', 40}, {'n', 60}, {'f', 60}}, false},
        {"sounding, then let go while another loads", {{'p', 40}, {'n', 60}}, {{'p', 0}, {'f', 60}}, false},
        {"sounding, then all notes off while another loads", {{'p', 40}, {'n', 60}}, {{'p', 0}, {'a', 0}}, false},
        {"sounding, let go and struck again meanwhile", {{'p', 40}, {'n', 60}}, {{'p', 41}, {'f', 60}, {'n', 62}}, true},
        {"a released channel plays again when chosen", {{'p', 40}, {'u', 0}}, {{'p', 40}, {'n', 60}}, true},
        {"a released channel lets its notes go", {{'p', 40}, {'n', 60}}, {{'u', 0}}, false},
    };
    const auto play = [](FluidSynth& synth, const Calls& calls) {
        for (const auto& [kind, value] : calls) {
            if (kind == 'p') synth.ProgramChange(0, value);
            if (kind == 'u') synth.ReleaseChannel(0);
            if (kind == 'n') synth.NoteOn(0, value, 100);
            if (kind == 'f') synth.NoteOff(0, value);
            if (kind == 'a') synth.ControlChange(0, 123, 0);
        }
    };
    for (const auto& c : cases) {
        FluidSynth synth({folder_.string()});
        synth.StartAudio(AudioChoice::None, {});
        ASSERT_TRUE(Settle(synth)) << c.name;
        ASSERT_TRUE(synth.Loaded()) << c.name;
        play(synth, c.before);
        ASSERT_TRUE(Settle(synth)) << c.name;
        Render(synth, 0.3);
        play(synth, c.during);
        ASSERT_TRUE(Settle(synth)) << c.name;
        const std::vector<float> after = Render(synth, 3.0);
        if (c.sounds) {
            EXPECT_GT(Rms(Stretch(after, 0.1, 0.5)), 0.01) << c.name;
        } else {
            EXPECT_LT(Rms(after, static_cast<size_t>(2.5 * kSampleRateHz)), 1e-4) << c.name;
        }
    }
}

TEST(SoundBeforeTheSoundfont, AMissingSoundfontIsSilentAndSaysSoOffTheConsole) {
    std::vector<std::string> lines;
    RouteLibraryMessages([&lines](const std::string& line) { lines.push_back(line); });
    FluidSynth synth;
    synth.NoteOn(0, 60, 100);
    EXPECT_FALSE(synth.LoadSoundfont("/nonexistent/None.sf2"));
    EXPECT_FALSE(synth.Loaded());
    synth.NoteOn(0, 64, 100);
    EXPECT_LT(Rms(Render(synth, 0.2)), 1e-6);
    RouteLibraryMessages({});
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(lines.front().starts_with("FluidSynth: ")) << lines.front();
    EXPECT_NE(lines.front().find("/nonexistent/None.sf2"), std::string::npos) << lines.front();
}

}  // namespace
}  // namespace hq::kbd
