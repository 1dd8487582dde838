#pragma once
// The keyboard window's settings file, kept with QSettings. Reading never
// fails: what cannot be read is that value's default. A file that cannot be
// written (a read-only home) only means the choices are not remembered.

#include <QString>
#include <QTimer>

#include "keyboard/keyboard_settings.h"

namespace hq::kbd {

/// The file at `path` as values; an unreadable or damaged file reads as defaults.
KeyboardSettings LoadKeyboardSettings(const QString& path);
void SaveKeyboardSettings(const QString& path, const KeyboardSettings& settings);

class KeyboardMemory final {
public:
    /// An empty `path` remembers nothing.
    explicit KeyboardMemory(QString path);
    ~KeyboardMemory();
    KeyboardMemory(const KeyboardMemory&) = delete;
    KeyboardMemory& operator=(const KeyboardMemory&) = delete;

    /// What the file held when this was made.
    const KeyboardSettings& Recalled() const { return recalled_; }
    /// Writes `settings` now, if they differ from what was last written.
    void Save(const KeyboardSettings& settings);
    /// Writes them a moment later: a window being dragged moves many times.
    void SaveSoon(const KeyboardSettings& settings);

private:
    QString path_;
    KeyboardSettings recalled_;
    KeyboardSettings written_;
    KeyboardSettings pending_;
    QTimer later_;
};

/// The file the desktop program uses, from $XDG_CONFIG_HOME or $HOME.
QString KeyboardSettingsFile();

}  // namespace hq::kbd
