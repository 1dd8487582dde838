#include "practice/stats_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "headless/replace_file.h"
#include "practice/json_value.h"
#include "practice/stats_json.h"

namespace hq::practice {

std::string PracticeStatsPath(const char* xdgDataHome, const char* home) {
    constexpr const char* kFile = "/harmoniqua/practice.json";
    if (xdgDataHome != nullptr && xdgDataHome[0] == '/') return std::string(xdgDataHome) + kFile;
    if (home != nullptr && home[0] == '/') return std::string(home) + "/.local/share" + kFile;
    return {};
}

StatsLoad LoadPracticeStats(const std::string& path) {
    StatsLoad load;
    std::error_code error;
    if (path.empty() || !std::filesystem::exists(path, error)) return load;
    std::string reason;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        reason = "it cannot be opened";
    } else {
        std::string bytes(kMaxJsonBytes + 1, '\0');
        file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (file.bad()) {
            reason = "it cannot be read";
        } else {
            bytes.resize(static_cast<size_t>(file.gcount()));
            StatsReading reading = ReadPracticeStats(bytes);
            if (reading.stats) {
                load.stats = std::move(*reading.stats);
                return load;
            }
            reason = reading.reason;
        }
    }
    const std::string aside = path + ".bad";
    std::filesystem::rename(path, aside, error);
    load.canSave = !error;
    load.message = "The practice statistics in " + path + " could not be read (" + reason + "). " +
                   (load.canSave ? "They were kept as " + aside + " and practice starts afresh."
                                 : "They could not be set aside, so practice goes on without saving.");
    return load;
}

bool SavePracticeStats(const std::string& path, const PracticeStats& stats) {
    if (path.empty()) return false;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    return ReplaceFile(path, WritePracticeStats(stats));
}

}  // namespace hq::practice
