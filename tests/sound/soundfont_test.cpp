// The order the soundfont is looked for in.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "sound/soundfont.h"

namespace hq::kbd {
namespace {

namespace fs = std::filesystem;

class TempSoundfonts : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("hq-sf2-" + std::to_string(getpid()));
        fs::remove_all(root_);
        for (const char* d : {"system", "other", "program"}) fs::create_directories(root_ / d);
    }
    void TearDown() override { fs::remove_all(root_); }
    void Put(const char* folder, const char* name) { std::ofstream(root_ / folder / name) << "sf2"; }
    std::vector<std::string> Folders() const {
        return {(root_ / "system").string(), (root_ / "other").string(), (root_ / "program").string()};
    }
    std::string In(const char* folder, const char* name) const { return (root_ / folder / name).string(); }

    fs::path root_;
};

TEST_F(TempSoundfonts, EachNameIsLookedForInEveryFolderBeforeTheNext) {
    const struct {
        std::vector<std::pair<const char*, const char*>> files;
        std::pair<const char*, const char*> found;
    } cases[] = {
        {{{"program", "FluidR3_GM.sf2"}, {"system", "TimGM6mb.sf2"}}, {"program", "FluidR3_GM.sf2"}},
        {{{"other", "TimGM6mb.sf2"}, {"system", "default-GM.sf2"}}, {"other", "TimGM6mb.sf2"}},
        {{{"program", "default-GM.sf2"}}, {"program", "default-GM.sf2"}},
        {{{"system", "TimGM6mb.sf2"}, {"other", "TimGM6mb.sf2"}}, {"system", "TimGM6mb.sf2"}},
        {{{"system", "Other.sf2"}, {"other", "fluidr3_gm.sf2"}}, {nullptr, nullptr}},
    };
    for (const auto& c : cases) {
        TearDown();
        SetUp();
        for (const auto& [folder, name] : c.files) Put(folder, name);
        const auto found = FindSoundfont(Folders());
        if (c.found.first == nullptr) {
            EXPECT_FALSE(found.has_value()) << *found;
        } else {
            EXPECT_EQ(found, In(c.found.first, c.found.second));
        }
    }
}

TEST_F(TempSoundfonts, AFolderWithTheNameIsNoSoundfont) {
    fs::create_directories(root_ / "system" / "FluidR3_GM.sf2");
    Put("other", "TimGM6mb.sf2");
    EXPECT_EQ(FindSoundfont(Folders()), In("other", "TimGM6mb.sf2"));
    EXPECT_FALSE(FindSoundfont({"/nonexistent/folder"}).has_value());
}

}  // namespace
}  // namespace hq::kbd
