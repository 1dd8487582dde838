#pragma once
// A reference picture in its own fixed-size window. Closing it only reports;
// the program hides it.

#include <QWidget>

#include <functional>

#include "platform/toolkit.h"

class QLabel;

namespace hq::ui {

struct PictureLayout {
    const char* title;
    const char* panelName;
    const char* hint;
    const char* fileName;
    int x, y, width, height;
};

const PictureLayout& LayoutOf(WindowType type);

class PictureWindow final : public QWidget {
public:
    /// Loads the picture from `folder`; a missing or unreadable file leaves
    /// the window empty.
    PictureWindow(const PictureLayout& layout, const QString& folder, std::function<void()> onClose);

    QLabel* Panel() const { return panel_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* panel_;
    std::function<void()> onClose_;
};

}  // namespace hq::ui
