#include "ui/look.h"

#include <QProxyStyle>
#include <QStyleFactory>

namespace hq::ui {
namespace {

class CompactStyle final : public QProxyStyle {
public:
    CompactStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
            return 12;
        case PM_CheckBoxLabelSpacing:
        case PM_RadioButtonLabelSpacing:
            return 3;
        case PM_ButtonMargin:
            return 2;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }
};

}  // namespace

GroupLook LookOf(AttributeGroup group) {
    switch (group) {
    case AttributeGroup::Window:
        return {QColor(0x3c, 0x4a, 0x5c), QColor(0xf2, 0xf2, 0xf2)};
    case AttributeGroup::StepPanel:
        return {QColor(0xe8, 0xdc, 0xbf), QColor(0x2b, 0x22, 0x14)};
    case AttributeGroup::RightPanel:
        return {QColor(0xcf, 0xe0, 0xcb), QColor(0x17, 0x2b, 0x17)};
    case AttributeGroup::DisplayPanel:
        return {QColor(0xb9, 0xcc, 0xe6), QColor(0x12, 0x22, 0x3a)};
    case AttributeGroup::DisplayField:
        return {QColor(0xff, 0xff, 0xff), QColor(0x10, 0x10, 0x10)};
    case AttributeGroup::Button:
    case AttributeGroup::ListBox:
        return {QColor(0xf6, 0xf3, 0xec), QColor(0x1a, 0x1a, 0x1a)};
    }
    return {QColor(Qt::white), QColor(Qt::black)};
}

namespace {

QColor Mix(const QColor& from, const QColor& to, double toShare) {
    const auto channel = [toShare](int a, int b) { return static_cast<int>(a + (b - a) * toShare + 0.5); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()), channel(from.blue(), to.blue()));
}

}  // namespace

QPalette GroupPalette(AttributeGroup group, QPalette palette) {
    const GroupLook look = LookOf(group);
    const QColor greyText = Mix(look.text, look.background, 0.6);
    const QColor greyBox = Mix(look.background, look.text, 0.18);
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Base}) {
        palette.setColor(role, look.background);
    }
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(role, look.text);
        palette.setColor(QPalette::Disabled, role, greyText);
    }
    // The box a check or a radio mark sits in; the control's own background
    // (Button) stays that of its group.
    palette.setColor(QPalette::Disabled, QPalette::Base, greyBox);
    return palette;
}

QFont WindowFont(int weight) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setWeight(weight >= 600 ? QFont::DemiBold : QFont::Normal);
    return font;
}

int CaptionWeight(const ControlRow& row) {
    switch (row.group) {
    case AttributeGroup::DisplayPanel:
    case AttributeGroup::RightPanel:
        return 600;
    case AttributeGroup::Button:
        return row.kid >= kid::ExtraButton1 ? 600 : 400;
    default:
        return 400;
    }
}

QStyle* MakeWindowStyle() { return new CompactStyle; }

}  // namespace hq::ui
