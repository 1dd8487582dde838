#include "platform/file_bytes.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace hq {

std::optional<std::string> ReadFileBytes(const std::string& path, size_t limitBytes) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (path.empty() || fs::is_directory(path, error)) return std::nullopt;
    std::uintmax_t knownSize = 0;
    if (fs::is_regular_file(path, error)) {
        knownSize = std::min<std::uintmax_t>(fs::file_size(path, error), limitBytes);
        if (error) return std::nullopt;
    }
    // Pipes (`check <(...)`, /dev/stdin) are read too. Opening without
    // blocking keeps a FIFO nobody writes to from hanging: it reads as empty.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    // One byte past the limit tells a stream that is too long.
    std::string bytes;
    const size_t limit = limitBytes + 1;
    bytes.reserve(static_cast<size_t>(knownSize) + 1);
    bool failed = false;
    while (bytes.size() < limit) {
        // Within what was reserved while it lasts: a file of known size is
        // read into one buffer of its size, never a doubled one.
        const size_t room = bytes.capacity() - bytes.size();
        const size_t chunk = std::min<size_t>(limit - bytes.size(), knownSize > 0 && room > 0 ? room : size_t{1} << 20);
        const size_t start = bytes.size();
        bytes.resize(start + chunk);
        const ssize_t got = ::read(fd, bytes.data() + start, chunk);
        if (got < 0 && errno == EINTR) {
            bytes.resize(start);
            continue;
        }
        if (got <= 0) {
            bytes.resize(start);
            failed = got < 0;
            break;
        }
        bytes.resize(start + static_cast<size_t>(got));
    }
    ::close(fd);
    if (failed) return std::nullopt;
    return bytes;
}

}  // namespace hq
