#pragma once

#include <span>
#include <string>

namespace hq {

/// harmoniqua-cli practice-items --level LEVEL --count N --seed S:
/// {"items": [...]}, the same items for the same seed whatever the stored
/// statistics hold.
int PracticeItemsCommand(std::span<const std::string> args, std::string& out, std::string& err);

/// harmoniqua-cli practice-grade --level LEVEL --item JSON --answer TEXT:
/// {"right": ..., "expected": ...}.
int PracticeGradeCommand(std::span<const std::string> args, std::string& out, std::string& err);

}  // namespace hq
