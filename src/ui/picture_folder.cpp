#include "ui/picture_folder.h"

#include <QDir>
#include <QFileInfo>

#include "ui/picture_window.h"

namespace hq::ui {

QStringList PictureFolders(const QString& programFolder, const QString& xdgDataDirs) {
    QStringList folders{programFolder, QDir::cleanPath(programFolder + QStringLiteral("/../share/harmoniqua"))};
    const QString dataDirs = xdgDataDirs.isEmpty() ? QStringLiteral("/usr/local/share:/usr/share") : xdgDataDirs;
    for (const QString& dir : dataDirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        // Relative entries are to be ignored, as the desktop's own programs do.
        if (QDir::isAbsolutePath(dir)) folders << QDir::cleanPath(dir + QStringLiteral("/harmoniqua"));
    }
    folders.removeDuplicates();
    return folders;
}

QString FindPictureFolder(const QString& programFolder) {
    const auto holdsBoth = [](const QString& folder) {
        for (const WindowType type : {WindowType::Fifths, WindowType::Tmap}) {
            if (!QFileInfo(QDir(folder).filePath(QString::fromLatin1(LayoutOf(type).fileName))).isFile()) return false;
        }
        return true;
    };
    for (const QString& folder : PictureFolders(programFolder, qEnvironmentVariable("XDG_DATA_DIRS"))) {
        if (holdsBoth(folder)) return folder;
    }
    return programFolder;
}

}  // namespace hq::ui
