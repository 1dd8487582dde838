#pragma once
// The main window on Qt: 103 controls built from the control table, each
// reporting its events as toolkit messages.

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "platform/controls.h"

class QButtonGroup;

namespace hq::ui {

/// message, value1, value2, kid: what a control reports.
using ControlReport = std::function<void(int32_t message, int32_t value1, int32_t value2, int32_t kid)>;

class ChordsWindow final : public QWidget {
public:
    explicit ChordsWindow(ControlReport report);

    /// The widget of a KidNumber 1..103, or null.
    QWidget* Control(int32_t kid) const;

    // The program's updates: none of them is reported back.
    void SetValue(int32_t kid, int32_t value);
    void SetEnabled(int32_t kid, bool enabled);
    /// A disabled box's tooltip: its hint, then one line per reason.
    void SetDisabledReasons(int32_t kid, std::span<const std::string_view> reasons);
    void SetTextString(int32_t kid, std::string_view text);
    void SetTextArray(int32_t kid, std::span<const std::string> lines);
    void SetLineHints(int32_t kid, std::span<const std::string> hints);
    void SetPosition(int32_t kid, int32_t lowest, int32_t value, int32_t highest);
    void Redraw(int32_t kid);

    /// The 0..49 drag position that shows `value` within lowest..highest.
    static int32_t BarPosition(int32_t lowest, int32_t value, int32_t highest);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* Build(const ControlRow& row);
    QWidget* BuildLabel(const ControlRow& row);
    QWidget* BuildButton(const ControlRow& row);
    QWidget* BuildList(const ControlRow& row);
    QWidget* BuildBar(const ControlRow& row);
    QButtonGroup* RadioGroupOf(int32_t kid);

    ControlReport report_;
    std::array<QWidget*, kControlCount + 1> controls_{};
    std::array<QButtonGroup*, 3> radioGroups_{};
};

}  // namespace hq::ui
