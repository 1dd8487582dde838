#include "ui/picture_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QPixmap>

#include "ui/look.h"

namespace hq::ui {
namespace {

constexpr PictureLayout kFifths{"Fifths", "FifthsPanel", "Circle of Fifths as a 12 points star", "Fifths.bmp",
                                5, 120, 280, 280};
constexpr PictureLayout kTmap{"Tmap", "TmapPanel", "Chord Transitions Map ", "Tmap.bmp", 5, 150, 572, 256};

}  // namespace

const PictureLayout& LayoutOf(WindowType type) { return type == WindowType::Tmap ? kTmap : kFifths; }

PictureWindow::PictureWindow(const PictureLayout& layout, const QString& folder, std::function<void()> onClose)
    : panel_(new QLabel(this)), onClose_(std::move(onClose)) {
    setObjectName(QString::fromLatin1(layout.title));
    setWindowTitle(QString::fromLatin1(layout.title));
    setFixedSize(layout.width, layout.height);
    move(layout.x, layout.y);

    panel_->setObjectName(QString::fromLatin1(layout.panelName));
    panel_->setGeometry(0, 0, layout.width, layout.height);
    panel_->setToolTip(QString::fromLatin1(layout.hint));
    panel_->setAccessibleName(QString::fromLatin1(layout.hint));
    panel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    panel_->setAutoFillBackground(true);
    QPalette palette = panel_->palette();
    palette.setColor(QPalette::Window, LookOf(AttributeGroup::DisplayField).background);
    panel_->setPalette(palette);

    const QPixmap picture(QDir(folder).filePath(QString::fromLatin1(layout.fileName)));
    if (!picture.isNull()) panel_->setPixmap(picture);
}

void PictureWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    onClose_();
}

}  // namespace hq::ui
