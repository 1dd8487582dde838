#include "headless/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>

namespace hq {
namespace {

constexpr int kNameTries = 32;

std::string RandomPart(std::mt19937_64& random) {
    static constexpr std::string_view kChars = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string part;
    for (int i = 0; i < 10; ++i) part += kChars[random() % kChars.size()];
    return part;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// The rename itself is made durable too; a folder that cannot be synced
// still holds the new file.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool ReplaceFile(const std::string& path, std::string_view bytes) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    if (target.filename().empty()) return false;
    struct stat old {};
    const bool keepMode = ::lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);

    std::mt19937_64 random(std::random_device{}());
    std::string temporary;
    int fd = -1;
    for (int i = 0; i < kNameTries && fd < 0; ++i) {
        temporary = (target.parent_path() / ("." + target.filename().string() + "." + RandomPart(random) + ".saving"))
                        .string();
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;

    bool written = WriteAll(fd, bytes);
    if (written && keepMode) written = ::fchmod(fd, old.st_mode & 07777) == 0;
    written = written && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(target.parent_path());
    return true;
}

}  // namespace hq
