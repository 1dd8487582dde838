#pragma once
// Where the program finds its two pictures: beside itself when run from its
// build folder, in the share folder of the tree it was installed into, or in
// the desktop's data folders.

#include <QString>
#include <QStringList>

namespace hq::ui {

/// The folders looked in, in order: `programFolder`, its `../share/harmoniqua`,
/// then `harmoniqua` under each absolute entry of `xdgDataDirs` (a colon list;
/// empty means "/usr/local/share:/usr/share").
QStringList PictureFolders(const QString& programFolder, const QString& xdgDataDirs);

/// The first of those folders that holds both pictures, with $XDG_DATA_DIRS
/// read from the environment; `programFolder` when none does.
QString FindPictureFolder(const QString& programFolder);

}  // namespace hq::ui
