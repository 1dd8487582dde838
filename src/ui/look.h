#pragma once
// Colours and fonts of the main window: one palette entry per attribute
// group, so the panels, displays and controls stand apart.

#include <QColor>
#include <QFont>
#include <QPalette>

#include "platform/controls.h"

class QStyle;

namespace hq::ui {

struct GroupLook {
    QColor background;
    QColor text;
};

GroupLook LookOf(AttributeGroup group);

/// `palette` in the group's colours; a disabled control is greyed, caption
/// and box, in the same hues.
QPalette GroupPalette(AttributeGroup group, QPalette palette);

/// The window's font at `weight` (400 normal, 600 semi-bold).
QFont WindowFont(int weight);

/// The weight a control's caption is drawn with.
int CaptionWeight(const ControlRow& row);

/// Fusion with indicators and spacing small enough for the window's
/// 16-pixel rows. The application owns the returned style.
QStyle* MakeWindowStyle();

}  // namespace hq::ui
