#include "sound/soundfont.h"

#include <filesystem>
#include <system_error>

namespace hq::kbd {

std::vector<std::string> SoundfontFolders(const std::string& programFolder) {
    std::vector<std::string> folders{"/usr/share/sounds/sf2", "/usr/share/soundfonts"};
    if (!programFolder.empty()) folders.push_back(programFolder);
    return folders;
}

std::optional<std::string> FindSoundfont(const std::vector<std::string>& folders) {
    for (std::string_view name : kSoundfontNames) {
        for (const std::string& folder : folders) {
            const std::filesystem::path path = std::filesystem::path(folder) / name;
            std::error_code error;
            if (std::filesystem::is_regular_file(path, error)) return path.string();
        }
    }
    return std::nullopt;
}

}  // namespace hq::kbd
