#pragma once
// The SAVE dialog's exports on the desktop: written on a worker thread with
// a synthesiser of its own, while a progress dialog, shown once the export
// has taken half a second, offers to cancel.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "export/sequence_export.h"
#include "sequencer/export.h"

namespace hq::ui {

/// Longer exports than this show their progress.
inline constexpr int kProgressAfterMs = 500;
inline constexpr const char* kExportProgressText = "Exporting the chord sequence…";

class DesktopExporter final : public SequenceExporter {
public:
    /// `instrument` tells the General MIDI program the keyboard plays with.
    DesktopExporter(std::vector<std::string> soundfontFolders, std::function<int32_t()> instrument);

    /// Modal: returns when the file is written, has failed or was cancelled.
    ExportOutcome Export(const ExportJob& job) override;

private:
    FileExporter files_;
    std::function<int32_t()> instrument_;
};

}  // namespace hq::ui
