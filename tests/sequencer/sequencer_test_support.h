#pragma once
// Folders, files and chord lists for the sequencer tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "headless/session.h"
#include "sequencer/chord_record.h"
#include "support/session_helpers.h"

namespace hq::testing {

/// A fresh folder for one test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("hq-sequencer-" + std::string(test->test_suite_name()) + "-" + test->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline std::string ReadFile(const std::string& path) {
    std::stringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

inline void WriteFile(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

/// Each entry (control names, space-separated) is clicked, then appended.
inline void AppendChords(HeadlessSession& s, const std::vector<std::string>& chords) {
    for (const std::string& chord : chords) {
        std::istringstream names(chord);
        for (std::string name; names >> name;) Click(s, name);
        s.Select(kid::AppendChord, 0);
    }
}

/// The lines of a file of `records`, with or without the final empty line.
inline std::vector<std::string> FileLines(const std::vector<ChordRecord>& records, bool finalEmptyLine = true) {
    std::vector<std::string> lines;
    for (const ChordRecord& r : records) lines.insert(lines.end(), r.begin(), r.end());
    if (finalEmptyLine) lines.emplace_back();
    return lines;
}

}  // namespace hq::testing
