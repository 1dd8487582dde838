#include "headless/headless_toolkit.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

#include "platform/controls.h"

namespace hq {
namespace {

struct Firing {
    int32_t timer;
    int32_t count;
    int64_t timeMs;
    bool operator==(const Firing&) const = default;
};

TEST(HeadlessTimers, CountDownToZeroOncePerPeriod) {
    HeadlessToolkit tk;
    std::vector<Firing> firings;
    const int32_t t = tk.StartTimer(3, 110, [&](int32_t n, int32_t& count, int32_t, int64_t time) {
        firings.push_back({n, count, time});
    });
    tk.AdvanceTo(1000);
    EXPECT_EQ(firings, (std::vector<Firing>{{t, 2, 110}, {t, 1, 220}, {t, 0, 330}}));
    EXPECT_EQ(tk.RunningTimers(), 0u);
}

TEST(HeadlessTimers, SettingTheCountAgainRepeatsUntilKilled) {
    HeadlessToolkit tk;
    std::vector<int64_t> times;
    const int32_t t = tk.StartTimer(1, 55, [&](int32_t, int32_t& count, int32_t, int64_t time) {
        times.push_back(time);
        if (count == 0) count = 2;  // the next step two periods later
    });
    tk.AdvanceTo(400);
    EXPECT_EQ(times, (std::vector<int64_t>{55, 110, 165, 220, 275, 330, 385}));
    tk.KillTimer(t);
    tk.AdvanceTo(1000);
    EXPECT_EQ(times.size(), 7u);
}

TEST(HeadlessTimers, ARepeatingTimerFiresEveryPeriodUntilKilledWhateverTheCountIsSetTo) {
    HeadlessToolkit tk;
    std::vector<Firing> firings;
    const int32_t t = tk.StartRepeatingTimer(2666, [&](int32_t n, int32_t& count, int32_t periodMs, int64_t time) {
        EXPECT_EQ(periodMs, 2666);
        firings.push_back({n, count, time});
        count = firings.size() == 1 ? 0 : 50;  // neither ends nor stretches it
    });
    tk.AdvanceTo(8000);
    EXPECT_EQ(firings, (std::vector<Firing>{{t, 1, 2666}, {t, 1, 5332}, {t, 1, 7998}}));
    EXPECT_EQ(tk.RunningTimers(), 1u);
    tk.KillTimer(t);
    tk.AdvanceTo(20000);
    EXPECT_EQ(firings.size(), 3u);
    EXPECT_EQ(tk.RunningTimers(), 0u);
}

TEST(HeadlessTimers, ARepeatingTimerMayKillItself) {
    HeadlessToolkit tk;
    int fired = 0;
    tk.StartRepeatingTimer(10, [&](int32_t n, int32_t&, int32_t, int64_t) {
        if (++fired == 3) tk.KillTimer(n);
    });
    tk.AdvanceTo(1000);
    EXPECT_EQ(fired, 3);
    EXPECT_EQ(tk.RunningTimers(), 0u);
}

TEST(HeadlessTimers, SameMillisecondRunsInTimerNumberOrder) {
    HeadlessToolkit tk;
    std::vector<int32_t> order;
    auto record = [&](int32_t n, int32_t&, int32_t, int64_t) { order.push_back(n); };
    const int32_t slow = tk.StartTimer(2, 50, record);   // due at 100
    const int32_t fast = tk.StartTimer(1, 100, record);  // due at 100 too
    tk.AdvanceTo(100);
    EXPECT_EQ(order, (std::vector<int32_t>{slow, slow, fast}));
    EXPECT_EQ(tk.NowMs(), 100);
}

TEST(HeadlessTimers, NumbersAreNeverReusedAndKillsAreHarmless) {
    HeadlessToolkit tk;
    const int32_t a = tk.StartTimer(1, 10, [](int32_t, int32_t&, int32_t, int64_t) {});
    tk.AdvanceTo(20);
    const int32_t b = tk.StartTimer(1, 10, [](int32_t, int32_t&, int32_t, int64_t) {});
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    tk.KillTimer(a);  // already ended
    tk.KillTimer(0);
    tk.KillTimer(999);
    EXPECT_EQ(tk.RunningTimers(), 1u);
}

TEST(HeadlessTimers, RoutineMayKillItselfOrStartAnother) {
    HeadlessToolkit tk;
    int started = 0;
    int32_t self = 0;
    self = tk.StartTimer(5, 10, [&](int32_t n, int32_t&, int32_t, int64_t) {
        tk.KillTimer(n);
        tk.StartTimer(1, 10, [&](int32_t, int32_t&, int32_t, int64_t) { ++started; });
    });
    tk.AdvanceTo(100);
    EXPECT_EQ(started, 1);
    EXPECT_EQ(tk.RunningTimers(), 0u);
    EXPECT_GT(self, 0);
}

TEST(HeadlessClock, DateAndTimeFollowTheVirtualClock) {
    HeadlessToolkit tk({2026, 12, 31, 23, 59, 59, 250'000'000});
    tk.AdvanceBy(1250);
    const DateAndTime now = tk.GetDateAndTime();
    EXPECT_EQ(now.year, 2027);
    EXPECT_EQ(now.month, 1);
    EXPECT_EQ(now.day, 1);
    EXPECT_EQ(now.hour, 0);
    EXPECT_EQ(now.second, 0);
    EXPECT_EQ(now.nanosecond, 500'000'000);
}

TEST(HeadlessControls, RadioButtonsUncheckTheirGroupOnly) {
    HeadlessToolkit tk;
    const int32_t grid = tk.CreateWindow(WindowType::Chords);
    for (int32_t k : {kid::RC, kid::Major, kid::ArrangeClosest, kid::E7}) tk.SetValue(grid, k, -1);
    tk.SetValue(grid, kid::RG, -1);
    EXPECT_FALSE(tk.IsChecked(grid, kid::RC));
    EXPECT_TRUE(tk.IsChecked(grid, kid::RG));
    EXPECT_TRUE(tk.IsChecked(grid, kid::Major));
    EXPECT_TRUE(tk.IsChecked(grid, kid::ArrangeClosest));
    tk.SetValue(grid, kid::E9, -1);  // check boxes are independent
    EXPECT_TRUE(tk.IsChecked(grid, kid::E7));
    tk.SetValue(grid, 500, -1);  // out of range: ignored
    tk.SetValue(99, kid::RC, -1);
}

TEST(HeadlessControls, WindowsStartHiddenWithTheirCaptions) {
    HeadlessToolkit tk;
    const int32_t grid = tk.CreateWindow(WindowType::Chords);
    const int32_t fifths = tk.CreateWindow(WindowType::Fifths);
    EXPECT_NE(grid, fifths);
    EXPECT_FALSE(tk.IsVisible(grid));
    EXPECT_EQ(tk.ControlOf(grid, kid::ChordsList)->text, "Empty List");
    tk.ShowWindow(fifths);
    EXPECT_TRUE(tk.IsVisible(fifths));
    tk.HideWindow(fifths);
    EXPECT_FALSE(tk.IsVisible(fifths));
}

TEST(HeadlessDialogs, FileDialogAnswersFromTheScriptThenCancels) {
    HeadlessToolkit tk;
    tk.QueueFileDialogAnswer("/tmp/a.chd");
    EXPECT_EQ(tk.FileDialog("Save", FileDialogMode::Save), "/tmp/a.chd");
    EXPECT_EQ(tk.FileDialog("Load", FileDialogMode::Open), "");
}

class HeadlessFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("hq-headless-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    static std::string Read(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void Write(const std::filesystem::path& p, const std::string& bytes) {
        std::ofstream(p, std::ios::binary) << bytes;
    }

    std::filesystem::path dir_;
    HeadlessToolkit tk_;
};

TEST_F(HeadlessFiles, SaveThenLoadGivesTheLinesBack) {
    const std::vector<std::string> lines{"-ChordBegin-", " 12", "", "x"};
    const std::string path = (dir_ / "seq.chd").string();
    ASSERT_TRUE(tk_.SaveStringArray(path, lines));
    EXPECT_EQ(Read(path), "-ChordBegin-\n 12\n\nx\n");
    EXPECT_EQ(tk_.LoadStringArray(path), lines);
}

TEST_F(HeadlessFiles, LoadAcceptsLfAndCrlfAndAMissingFinalTerminator) {
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\n\n", {"a", ""}},
        {"", {}},
        {"\r\n", {""}},
        {"a\rb\n", {"a\rb"}},
    };
    for (const Case& c : cases) {
        Write(dir_ / "f", c.bytes);
        EXPECT_EQ(tk_.LoadStringArray((dir_ / "f").string()), c.lines);
    }
}

TEST_F(HeadlessFiles, UnreadableOrOversizedFilesYieldNothing) {
    EXPECT_EQ(tk_.LoadStringArray((dir_ / "absent").string()), std::nullopt);
    EXPECT_EQ(tk_.LoadStringArray(dir_.string()), std::nullopt);
    EXPECT_EQ(tk_.LoadStringArray(""), std::nullopt);
    const std::filesystem::path big = dir_ / "big";
    { std::ofstream(big, std::ios::binary) << "x"; }
    std::filesystem::resize_file(big, static_cast<uintmax_t>(kMaxStringArrayBytes) + 1);
    EXPECT_EQ(tk_.LoadStringArray(big.string()), std::nullopt);
}

TEST_F(HeadlessFiles, PipesAreReadAndNeverHang) {
    // An unnamed pipe, as a shell's `<(...)` or /dev/stdin gives it.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const std::string text = "-ChordBegin-\r\n 12\n";
    ASSERT_EQ(::write(ends[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
    ::close(ends[1]);
    EXPECT_EQ(tk_.LoadStringArray("/dev/fd/" + std::to_string(ends[0])),
              (std::vector<std::string>{"-ChordBegin-", " 12"}));
    ::close(ends[0]);

    // A FIFO nobody writes to reads as empty instead of waiting for a writer.
    const std::filesystem::path fifo = dir_ / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(tk_.LoadStringArray(fifo.string()), std::vector<std::string>{});

    // An endless stream stops one byte past the limit.
    EXPECT_EQ(tk_.LoadStringArray("/dev/zero"), std::nullopt);
}

TEST_F(HeadlessFiles, FailedSaveLeavesTheOldFileAndReportsIt) {
    // A parent that is a regular file cannot hold the new file.
    Write(dir_ / "plain", "keep me\n");
    EXPECT_FALSE(tk_.SaveStringArray((dir_ / "plain" / "seq.chd").string(), std::vector<std::string>{"a"}));
    EXPECT_EQ(Read(dir_ / "plain"), "keep me\n");
    // A target that is a folder cannot be replaced by a file.
    std::filesystem::create_directories(dir_ / "folder" / "inside");
    EXPECT_FALSE(tk_.SaveStringArray((dir_ / "folder").string(), std::vector<std::string>{"a"}));
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "folder" / "inside"));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "folder.saving"));
}

// What was in the folder before a save is still there after it, except
// the target; no file of the save's own is left behind.
TEST_F(HeadlessFiles, SaveTouchesNothingButItsTarget) {
    namespace fs = std::filesystem;
    struct Case {
        const char* name;
        std::function<void(const fs::path& target)> before;
        std::function<void(const fs::path& target)> check;
    };
    const fs::path victim = dir_ / "victim";
    const std::vector<Case> cases{
        {"a user's file named like the old temporary file",
         [](const fs::path& t) { Write(t.string() + ".saving", "mine\n"); },
         [](const fs::path& t) { EXPECT_EQ(Read(t.string() + ".saving"), "mine\n"); }},
        {"a link named like the old temporary file",
         [&](const fs::path& t) { fs::create_symlink(victim, t.string() + ".saving"); },
         [&](const fs::path& t) {
             EXPECT_TRUE(fs::is_symlink(t.string() + ".saving"));
             EXPECT_EQ(Read(victim), "precious\n");
         }},
        {"the old file's permission bits",
         [](const fs::path& t) {
             Write(t, "old\n");
             fs::permissions(t, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
         },
         [](const fs::path& t) {
             EXPECT_EQ(fs::status(t).permissions() & fs::perms::all,
                       fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
         }},
        {"a target that is a link is replaced, its file untouched",
         [&](const fs::path& t) { fs::create_symlink(victim, t); },
         [&](const fs::path& t) {
             EXPECT_FALSE(fs::is_symlink(t));
             EXPECT_EQ(Read(victim), "precious\n");
         }},
    };
    for (const Case& c : cases) {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        Write(victim, "precious\n");
        const fs::path target = dir_ / "x.chd";
        c.before(target);
        std::set<fs::path> present;
        for (const auto& e : fs::directory_iterator(dir_)) present.insert(e.path());
        present.insert(target);
        ASSERT_TRUE(tk_.SaveStringArray(target.string(), std::vector<std::string>{"new"})) << c.name;
        EXPECT_EQ(Read(target), "new\n") << c.name;
        c.check(target);
        std::set<fs::path> after;
        for (const auto& e : fs::directory_iterator(dir_)) after.insert(e.path());
        EXPECT_EQ(after, present) << c.name;
    }
}

}  // namespace
}  // namespace hq
