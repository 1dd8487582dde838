#include "cli/arguments.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <vector>

#include "platform/controls.h"

namespace hq {
namespace {

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

std::string DescribeBadSelection(std::string_view arg) {
    const size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    const std::string_view value = equals == std::string_view::npos ? std::string_view{} : arg.substr(equals);
    // "Bb" (bass flat) and "BB" (bass B) differ only in case: a guess names both.
    std::vector<const ControlRow*> near;
    for (int32_t k = kid::RC; k <= kid::Ano5; ++k) {
        const ControlRow& row = *ControlAt(k);
        if (row.name == name) {
            near = {&row};
            break;
        }
        if (SameLetters(row.name, name)) near.push_back(&row);
    }
    const std::string text(arg);
    if (near.empty()) return text;
    if (near.size() == 1 && near[0]->kind == ControlKind::RadioButton && !value.empty()) {
        return text + " (a radio button is named alone: " + std::string(near[0]->name) + ")";
    }
    if (near.size() == 1 && near[0]->name == name) {
        const std::string box(name);
        return text + " (a check box is named alone or as " + box + "=on or " + box + "=off)";
    }
    std::string meant;
    for (const ControlRow* row : near) meant += (meant.empty() ? "" : " or ") + std::string(row->name) + std::string(value);
    return text + " (did you mean " + meant + "?)";
}

std::string UnknownOption(std::string_view arg) {
    return "unknown option: " + std::string(arg.substr(0, arg.find('=')));
}

std::optional<std::string> WhyUnopenable(const std::string& path) {
    // Without blocking: a FIFO nobody writes to opens, and reads as empty.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::string(std::strerror(errno));
    ::close(fd);
    return std::nullopt;
}

bool ReportUnopenable(std::string_view command, const std::string& path, std::string& err) {
    const std::optional<std::string> reason = WhyUnopenable(path);
    if (!reason) return false;
    err += "harmoniqua-cli " + std::string(command) + ": " + path + ": " + *reason + "\n";
    return true;
}

std::optional<bool> VoiceLedOf(std::string_view voicing) {
    if (voicing == "stored") return false;
    if (voicing == "smooth") return true;
    return std::nullopt;
}

}  // namespace hq
