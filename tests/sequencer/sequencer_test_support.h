#pragma once
// Folders, files and chord lists for the sequencer tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/session.h"
#include "platform/controls.h"
#include "sequencer/chord_record.h"
#include "support/session_helpers.h"

namespace hq::testing {

/// A fresh folder for one test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "hq-sequencer-" + std::string(test->test_suite_name()) + "-" + test->name();
        for (char& c : name) {
            if (c == '/') c = '_';  // parameterised tests
        }
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string operator/(std::string_view name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

/// Each entry of `chords` is clicked (space-separated control names) and
/// appended.
inline void AppendChords(HeadlessSession& s, const std::vector<std::string>& chords) {
    for (const std::string& chord : chords) {
        std::istringstream names(chord);
        for (std::string name; names >> name;) Click(s, name);
        s.Select(kid::AppendChord, 0);
    }
}

/// The lines of a file holding `records`, with or without the final empty line.
inline std::vector<std::string> FileLines(const std::vector<ChordRecord>& records, bool finalEmptyLine = true) {
    std::vector<std::string> lines;
    for (const ChordRecord& r : records) lines.insert(lines.end(), r.begin(), r.end());
    if (finalEmptyLine) lines.emplace_back();
    return lines;
}

inline std::string Joined(const std::vector<std::string>& lines, std::string_view terminator = "\n") {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + std::string(terminator);
    return bytes;
}

}  // namespace hq::testing
