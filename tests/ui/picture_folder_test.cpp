// Where the program finds its pictures: beside itself, in the share folder
// of its installed tree, or under the desktop's data folders, in that order.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "ui/picture_folder.h"
#include "ui/picture_window.h"

namespace hq {
namespace {

void PutPicture(const QString& folder, const char* name) {
    QDir().mkpath(folder);
    QFile file(QDir(folder).filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(PictureFolder, TheFirstFolderHoldingBothPicturesWins) {
    // Folders under one root: the program's bin, its share, two data folders.
    const char* const kFolders[] = {"bin", "share/harmoniqua", "xdg1/harmoniqua", "xdg2/harmoniqua"};
    const struct {
        const char* name;
        std::vector<int> both;  // indexes into kFolders holding both pictures
        int onlyFifths;         // -1: none
        int found;
    } cases[] = {
        {"beside the program first", {0, 1, 2}, -1, 0},
        {"then the installed share folder", {1, 2}, -1, 1},
        {"then the data folders in order", {2, 3}, -1, 2},
        {"the last data folder", {3}, -1, 3},
        {"half a pair does not count", {2}, 1, 2},
        {"none anywhere: beside the program", {}, 0, 0},
    };
    const QByteArray oldDataDirs = qgetenv("XDG_DATA_DIRS");
    for (const auto& c : cases) {
        const QTemporaryDir root;
        const auto folder = [&root, &kFolders](int i) { return QDir::cleanPath(root.filePath(QString::fromLatin1(kFolders[i]))); };
        QDir().mkpath(folder(0));
        for (const int i : c.both) {
            PutPicture(folder(i), "Fifths.bmp");
            PutPicture(folder(i), "Tmap.bmp");
        }
        if (c.onlyFifths >= 0) PutPicture(folder(c.onlyFifths), "Fifths.bmp");
        // Named without the harmoniqua part; a relative entry is passed over.
        qputenv("XDG_DATA_DIRS", (root.filePath(QStringLiteral("xdg1")) + QStringLiteral(":relative:") +
                                  root.filePath(QStringLiteral("xdg2/")))
                                     .toLocal8Bit());
        EXPECT_EQ(ui::FindPictureFolder(folder(0)), folder(c.found)) << c.name;
    }
    qputenv("XDG_DATA_DIRS", oldDataDirs);
}

TEST(PictureFolder, WithoutDataFoldersTheDesktopDefaultsAreLookedIn) {
    const QStringList folders = ui::PictureFolders(QStringLiteral("/opt/hq/bin"), QString());
    EXPECT_EQ(folders, (QStringList{QStringLiteral("/opt/hq/bin"), QStringLiteral("/opt/hq/share/harmoniqua"),
                                    QStringLiteral("/usr/local/share/harmoniqua"), QStringLiteral("/usr/share/harmoniqua")}));
}

// Run by the install test (tests/install), which installs the tree and names
// its prefix in HQ_INSTALL_PREFIX; not a test on its own.
TEST(InstalledTree, DISABLED_TheInstalledProgramFindsItsPicturesFromAnotherFolder) {
    const QByteArray prefix = qgetenv("HQ_INSTALL_PREFIX");
    ASSERT_FALSE(prefix.isEmpty()) << "HQ_INSTALL_PREFIX names the installed tree";
    const QString root = QDir::cleanPath(QString::fromLocal8Bit(prefix));
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    const QString folder = ui::FindPictureFolder(root + QStringLiteral("/bin"));
    EXPECT_EQ(folder, root + QStringLiteral("/share/harmoniqua"));
    for (const WindowType type : {WindowType::Fifths, WindowType::Tmap}) {
        const ui::PictureLayout& layout = ui::LayoutOf(type);
        const ui::PictureWindow window(layout, folder, [] {});
        EXPECT_EQ(window.Panel()->pixmap().size(), QSize(layout.width, layout.height))
            << layout.fileName;
    }
}

}  // namespace
}  // namespace hq
