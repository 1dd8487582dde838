// Audio exports rendered through the real FluidSynth with the small
// TimGM6mb soundfont, read back as the bytes of the file.

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "export/sequence_export.h"
#include "sequencer/sequencer_test_support.h"

namespace hq {
namespace {

using testing::TempFolder;

constexpr const char* kSoundfont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

struct Wav {
    uint16_t format = 0, channels = 0, bits = 0;
    uint32_t rate = 0;
    std::vector<int16_t> samples;  // interleaved
};

uint32_t Le(const std::string& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(b[at + static_cast<size_t>(i)]);
    return v;
}

std::optional<Wav> ReadWav(const std::string& b) {
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) return std::nullopt;
    Wav w;
    for (size_t at = 12; at + 8 <= b.size();) {
        const std::string id = b.substr(at, 4);
        const uint32_t size = Le(b, at + 4, 4);
        if (at + 8 + size > b.size()) return std::nullopt;
        if (id == "fmt ") {
            w.format = static_cast<uint16_t>(Le(b, at + 8, 2));
            w.channels = static_cast<uint16_t>(Le(b, at + 10, 2));
            w.rate = Le(b, at + 12, 4);
            w.bits = static_cast<uint16_t>(Le(b, at + 22, 2));
        } else if (id == "data") {
            w.samples.resize(size / 2);
            std::memcpy(w.samples.data(), b.data() + at + 8, w.samples.size() * 2);
        }
        at += 8 + size + (size & 1);
    }
    return w;
}

// Power of one frequency over frames [from, to) of the left channel.
double Power(const Wav& w, double hz, double fromMs, double toMs) {
    const auto from = static_cast<size_t>(fromMs * 44.1), to = static_cast<size_t>(toMs * 44.1);
    std::complex<double> sum = 0;
    for (size_t i = from; i < to && 2 * i < w.samples.size(); ++i) {
        sum += double(w.samples[2 * i]) * std::polar(1.0, -2 * std::numbers::pi * hz * double(i) / 44100.0);
    }
    return std::norm(sum);
}

double Hz(int key) { return 440.0 * std::pow(2.0, (key - 69) / 12.0); }

class AudioExport : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kSoundfont)) << "install timgm6mb-soundfont";
        std::filesystem::create_symlink(kSoundfont, fonts / "TimGM6mb.sf2");
        HeadlessSession s;
        testing::AppendChords(s, {"RC"});
        job.sequence = s.state.sequencer.sequence;
    }
    ExportReport Export(ExportFormat format, const std::string& path, const kbd::RenderProgress& progress = {}) {
        job.format = format;
        job.path = path;
        return FileExporter({folder / "fonts"}).Run(job, progress);
    }

    TempFolder folder;
    std::filesystem::path fonts = [this] {
        std::filesystem::create_directories(folder / "fonts");
        return std::filesystem::path(folder / "fonts");
    }();
    ExportJob job;
};

TEST_F(AudioExport, WavIsSixteenBitStereoSoundsTheFirstChordEndsInSilenceAndNeverClips) {
    ASSERT_EQ(Export(ExportFormat::Wav, folder / "c7.wav").outcome, ExportOutcome::Written);
    const std::optional<Wav> w = ReadWav(testing::ReadFile(folder / "c7.wav"));
    ASSERT_TRUE(w.has_value());
    EXPECT_EQ(w->format, 1);
    EXPECT_EQ(w->channels, 2);
    EXPECT_EQ(w->bits, 16);
    EXPECT_EQ(w->rate, 44100u);
    const double lengthMs = double(w->samples.size()) / 2 / 44.1;
    EXPECT_GT(lengthMs, 2666 + 100);
    EXPECT_LT(lengthMs, 2666 + 10'000 + 2);
    int peak = 0;
    for (int16_t s : w->samples) peak = std::max(peak, std::abs(int(s)));
    EXPECT_LT(peak, 32767);
    EXPECT_GT(peak, 3000);
    const size_t lastTenth = w->samples.size() - 2 * 4410;
    for (size_t i = lastTenth; i < w->samples.size(); ++i) ASSERT_LT(std::abs(int(w->samples[i])), 33) << i;

    // C7 upward from C4, a note every 220 ms from 55 ms on.
    struct Step {
        double fromMs;
        int key;
        int neighbour;
    };
    for (const Step& s : {Step{80, 60, 61}, Step{300, 64, 65}, Step{520, 67, 68}, Step{740, 70, 71}}) {
        const double wanted = Power(*w, Hz(s.key), s.fromMs, s.fromMs + 180);
        EXPECT_GT(wanted, 10 * Power(*w, Hz(s.neighbour), s.fromMs, s.fromMs + 180)) << s.key;
    }
}

TEST_F(AudioExport, FlacIsWrittenAndACancelledExportLeavesTheOldFile) {
    ASSERT_EQ(Export(ExportFormat::Flac, folder / "c7.flac").outcome, ExportOutcome::Written);
    EXPECT_TRUE(testing::ReadFile(folder / "c7.flac").starts_with("fLaC"));

    testing::WriteFile(folder / "old.wav", "old");
    int asked = 0;
    const ExportReport cancelled = Export(ExportFormat::Wav, folder / "old.wav", [&asked](double) { return ++asked < 3; });
    EXPECT_EQ(cancelled.outcome, ExportOutcome::Cancelled);
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(testing::ReadFile(folder / "old.wav"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / ""), {}), 3);  // fonts, c7.flac, old.wav
}

TEST_F(AudioExport, WithoutASoundfontNothingIsWritten) {
    std::filesystem::remove(fonts / "TimGM6mb.sf2");
    const ExportReport r = Export(ExportFormat::Wav, folder / "none.wav");
    EXPECT_EQ(r.outcome, ExportOutcome::Failed);
    EXPECT_EQ(r.problem, "no General MIDI soundfont found (install fluid-soundfont-gm)");
    EXPECT_FALSE(std::filesystem::exists(folder / "none.wav"));
}

}  // namespace
}  // namespace hq
