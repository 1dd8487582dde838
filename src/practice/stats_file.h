#pragma once
// The practice statistics file: where it lives, reading it (a damaged one
// is kept aside) and replacing it whole.

#include <string>

#include "practice/stats.h"

namespace hq::practice {

/// $XDG_DATA_HOME/harmoniqua/practice.json, or ~/.local/share/... when that
/// is unset or not absolute; empty when neither names a folder.
std::string PracticeStatsPath(const char* xdgDataHome, const char* home);

struct StatsLoad {
    PracticeStats stats;  // empty when there was no file or it was set aside
    /// For the user when the file could not be read; empty otherwise.
    std::string message;
    /// False when a damaged file could not be set aside: saving would lose it.
    bool canSave = true;
};

/// A missing file is a fresh start. A damaged or unreadable one is renamed
/// to PATH.bad and practice starts afresh.
StatsLoad LoadPracticeStats(const std::string& path);

/// Creates the folder and replaces the file whole; false when it could not.
bool SavePracticeStats(const std::string& path, const PracticeStats& stats);

}  // namespace hq::practice
