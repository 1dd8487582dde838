#include "ui/keyboard/keyboard_memory.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

#include <cstdlib>

namespace hq::kbd {
namespace {

constexpr int kSaveDelayMs = 500;

}  // namespace

KeyboardSettings LoadKeyboardSettings(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) return {};
    const QSettings file(path, QSettings::IniFormat);
    SettingsText stored;
    for (const QString& key : file.allKeys()) {
        const QVariant value = file.value(key);
        // An unquoted comma in a hand-edited line makes a list of the text.
        const QString text = value.typeId() == QMetaType::QStringList ? value.toStringList().join(QStringLiteral(", "))
                                                                       : value.toString();
        stored[key.toStdString()] = text.toStdString();
    }
    return ReadKeyboardSettings(stored);
}

void SaveKeyboardSettings(const QString& path, const KeyboardSettings& settings) {
    if (path.isEmpty()) return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings file(path, QSettings::IniFormat);
    file.clear();
    for (const auto& [key, value] : WriteKeyboardSettings(settings)) {
        file.setValue(QString::fromStdString(key), QString::fromStdString(value));
    }
    file.sync();
}

KeyboardMemory::KeyboardMemory(QString path)
    : path_(std::move(path)), recalled_(LoadKeyboardSettings(path_)), written_(recalled_), pending_(recalled_) {
    later_.setSingleShot(true);
    later_.setInterval(kSaveDelayMs);
    QObject::connect(&later_, &QTimer::timeout, &later_, [this] { Save(pending_); });
}

KeyboardMemory::~KeyboardMemory() {
    if (later_.isActive()) Save(pending_);
}

void KeyboardMemory::Save(const KeyboardSettings& settings) {
    later_.stop();
    pending_ = settings;
    if (settings == written_) return;
    SaveKeyboardSettings(path_, settings);
    written_ = settings;
}

void KeyboardMemory::SaveSoon(const KeyboardSettings& settings) {
    pending_ = settings;
    later_.start();
}

QString KeyboardSettingsFile() {
    return QString::fromStdString(KeyboardSettingsPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")));
}

}  // namespace hq::kbd
