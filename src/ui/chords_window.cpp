#include "ui/chords_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

#include "platform/messages.h"
#include "ui/fit_text.h"
#include "ui/look.h"
#include "ui/tab_order.h"

namespace hq::ui {
namespace {

constexpr int32_t kBarPositions = 50;

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// A button would take "&" as a shortcut marker and hide it.
QString ButtonText(std::string_view text) { return Text(text).replace(QLatin1Char('&'), QStringLiteral("&&")); }

// Labels are panels and displays; a click on one reports like any control.
class ClickLabel final : public FittingLabel {
public:
    ClickLabel(QWidget* parent, std::function<void()> onClick) : FittingLabel(parent), onClick_(std::move(onClick)) {}

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        FittingLabel::mouseReleaseEvent(event);
        if (rect().contains(event->position().toPoint())) onClick_();
    }

private:
    std::function<void()> onClick_;
};

Qt::Alignment LabelAlignment(const ControlRow& row) {
    switch (row.kid) {
    case kid::ExtensionPanel:
    case kid::AlterationsPanel:
    case kid::SequencerPanel:
    case kid::AnalyzerPanel:
    case kid::DisplayPlayPanel:
        return Qt::AlignRight | Qt::AlignTop;
    default:
        break;
    }
    switch (row.group) {
    case AttributeGroup::StepPanel:
        return row.kid >= kid::MajorLabel && row.kid <= kid::DiminLabel ? Qt::AlignLeft | Qt::AlignVCenter
                                                                        : Qt::AlignHCenter | Qt::AlignTop;
    case AttributeGroup::DisplayPanel:
        return Qt::AlignHCenter | Qt::AlignTop;
    case AttributeGroup::DisplayField:
        return Qt::AlignCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

void Colour(QWidget* widget, AttributeGroup group) {
    widget->setPalette(GroupPalette(group, widget->palette()));
    widget->setAutoFillBackground(true);
}

void SetHint(QWidget* w, const QString& hint) {
    if (auto* label = dynamic_cast<FittingLabel*>(w)) {
        label->SetHint(hint);
    } else if (auto* list = dynamic_cast<FittingComboBox*>(w)) {
        list->SetHint(hint);
    } else {
        w->setToolTip(hint);
    }
}

}  // namespace

ChordsWindow::ChordsWindow(ControlReport report) : report_(std::move(report)) {
    const ControlRow& window = kControls[0];
    setObjectName(Text(window.name));
    setWindowTitle(QStringLiteral("Chords"));
    setToolTip(QStringLiteral("Program Harmoniqua V1.3 by the Harmoniqua developers"));
    setFont(WindowFont(400));
    Colour(this, AttributeGroup::Window);
    setFixedSize(window.width, window.height);
    move(window.x, window.y);

    for (const ControlRow& row : kControls) {
        if (row.kid == 0) continue;
        QWidget* w = Build(row);
        w->setObjectName(Text(row.name));
        w->setGeometry(row.x, row.y, row.width, row.height);
        if (!row.hint.empty()) SetHint(w, Text(row.hint));
        w->setAccessibleName(Text(row.caption.empty() ? row.hint : row.caption));
        w->setFont(WindowFont(CaptionWeight(row)));
        controls_[static_cast<size_t>(row.kid)] = w;
    }
    for (size_t i = 1; i < kTabOrder.size(); ++i) setTabOrder(Control(kTabOrder[i - 1]), Control(kTabOrder[i]));
    controls_[kid::RC]->setFocus();
}

QWidget* ChordsWindow::Build(const ControlRow& row) {
    switch (row.kind) {
    case ControlKind::Label:
        return BuildLabel(row);
    case ControlKind::RadioButton:
    case ControlKind::CheckBox:
    case ControlKind::PushButton:
        return BuildButton(row);
    case ControlKind::ListBox:
        return BuildList(row);
    case ControlKind::ScrollBar:
        return BuildBar(row);
    case ControlKind::Window:
        break;
    }
    return new QWidget(this);
}

QWidget* ChordsWindow::BuildLabel(const ControlRow& row) {
    const int32_t k = row.kid;
    auto* label = new ClickLabel(this, [this, k] { report_(ToNumber(Msg::Selection), 0, 0, k); });
    label->SetWholeText(Text(row.caption));
    label->setAlignment(LabelAlignment(row));
    label->setFocusPolicy(Qt::NoFocus);
    const bool panel = row.group == AttributeGroup::StepPanel || row.group == AttributeGroup::DisplayPanel ||
                       row.group == AttributeGroup::RightPanel;
    if (panel) label->setContentsMargins(4, 2, 4, 0);
    if (row.group == AttributeGroup::DisplayField) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    const bool classCaption = row.kid >= kid::MajorLabel && row.kid <= kid::DiminLabel;
    const bool bigPanel = panel && !classCaption && row.height > 20;
    if (bigPanel) label->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Colour(label, row.group);
    return label;
}

QWidget* ChordsWindow::BuildButton(const ControlRow& row) {
    const int32_t k = row.kid;
    const QString caption = ButtonText(row.caption);
    QAbstractButton* button = nullptr;
    switch (row.kind) {
    case ControlKind::RadioButton: {
        auto* radio = new QRadioButton(caption, this);
        RadioGroupOf(k)->addButton(radio);
        // Every click that leaves it on reports, the one already on too.
        connect(radio, &QRadioButton::clicked, this, [this, k] { report_(ToNumber(Msg::Selection), -1, 0, k); });
        button = radio;
        break;
    }
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(caption, this);
        connect(box, &QCheckBox::clicked, this,
                [this, k](bool checked) { report_(ToNumber(Msg::Selection), checked ? -1 : 0, 0, k); });
        button = box;
        break;
    }
    default: {
        auto* push = new QPushButton(caption, this);
        push->setAutoDefault(false);
        connect(push, &QPushButton::clicked, this, [this, k] { report_(ToNumber(Msg::Selection), 0, 0, k); });
        button = push;
        break;
    }
    }
    Colour(button, row.group);
    return button;
}

QWidget* ChordsWindow::BuildList(const ControlRow& row) {
    const int32_t k = row.kid;
    auto* list = new FittingComboBox(this);
    list->setPlaceholderText(Text(row.caption));
    list->addItem(Text(row.caption));
    list->setCurrentIndex(0);
    connect(list, &QComboBox::activated, this, [this, k](int index) { report_(ToNumber(Msg::Selection), index, 0, k); });
    Colour(list, row.group);
    return list;
}

QWidget* ChordsWindow::BuildBar(const ControlRow& row) {
    const int32_t k = row.kid;
    auto* bar = new QScrollBar(Qt::Horizontal, this);
    bar->setRange(0, kBarPositions - 1);
    bar->setSingleStep(1);
    bar->setPageStep(8);
    bar->setFocusPolicy(Qt::StrongFocus);  // the arrow keys step it like its arrows
    connect(bar, &QScrollBar::actionTriggered, this, [this, bar, k](int action) {
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            report_(ToNumber(Msg::OneMore), 0, bar->sliderPosition(), k);
            break;
        case QAbstractSlider::SliderSingleStepSub:
            report_(ToNumber(Msg::OneLess), 0, bar->sliderPosition(), k);
            break;
        case QAbstractSlider::SliderNoAction:
            break;
        default:
            report_(ToNumber(Msg::Change), 0, bar->sliderPosition(), k);
            break;
        }
    });
    Colour(bar, row.group);
    return bar;
}

QButtonGroup* ChordsWindow::RadioGroupOf(int32_t kid) {
    const int32_t start = RadioGroupStart(kid).value_or(0);
    const size_t index = start == kid::RC ? 0 : start == kid::Major ? 1 : 2;
    if (radioGroups_[index] == nullptr) {
        radioGroups_[index] = new QButtonGroup(this);
        radioGroups_[index]->setExclusive(true);
    }
    return radioGroups_[index];
}

QWidget* ChordsWindow::Control(int32_t kid) const {
    if (kid < 1 || kid > kControlCount) return nullptr;
    return controls_[static_cast<size_t>(kid)];
}

void ChordsWindow::SetValue(int32_t kid, int32_t value) {
    auto* button = qobject_cast<QAbstractButton*>(Control(kid));
    if (button == nullptr) return;
    const QSignalBlocker block(button);
    QButtonGroup* group = button->group();
    // An exclusive group refuses to clear its checked button.
    if (group != nullptr && value == 0) group->setExclusive(false);
    button->setChecked(value != 0);
    if (group != nullptr && value == 0) group->setExclusive(true);
}

void ChordsWindow::SetEnabled(int32_t kid, bool enabled) {
    if (QWidget* w = Control(kid)) w->setEnabled(enabled);
}

void ChordsWindow::SetDisabledReasons(int32_t kid, std::span<const std::string_view> reasons) {
    auto* button = qobject_cast<QAbstractButton*>(Control(kid));
    const ControlRow* row = ControlAt(kid);
    if (button == nullptr || row == nullptr) return;
    QString tip = Text(row->hint);
    QString why;
    for (std::string_view reason : reasons) {
        if (!why.isEmpty()) why += QLatin1Char('\n');
        why += Text(reason);
    }
    if (!why.isEmpty()) tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) + why;
    button->setToolTip(tip);
    button->setAccessibleDescription(why);
}

void ChordsWindow::SetTextString(int32_t kid, std::string_view text) {
    QWidget* w = Control(kid);
    const QString t = Text(text);
    if (auto* label = dynamic_cast<FittingLabel*>(w)) {
        label->SetWholeText(t);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(ButtonText(text));
    } else if (auto* list = qobject_cast<QComboBox*>(w)) {
        const QSignalBlocker block(list);
        const int index = list->findText(t, Qt::MatchExactly);
        if (index < 0) list->setPlaceholderText(t);
        list->setCurrentIndex(index);
        if (auto* fitting = dynamic_cast<FittingComboBox*>(list)) fitting->ShowWhetherElided();
    }
}

void ChordsWindow::SetTextArray(int32_t kid, std::span<const std::string> lines) {
    auto* list = qobject_cast<QComboBox*>(Control(kid));
    if (list == nullptr) return;
    const QSignalBlocker block(list);
    const QString shown = list->currentText();
    list->clear();
    for (const std::string& line : lines) list->addItem(Text(line));
    list->setCurrentIndex(list->findText(shown, Qt::MatchExactly));
    if (auto* fitting = dynamic_cast<FittingComboBox*>(list)) fitting->ShowWhetherElided();
}

void ChordsWindow::SetLineHints(int32_t kid, std::span<const std::string> hints) {
    auto* list = qobject_cast<QComboBox*>(Control(kid));
    if (list == nullptr) return;
    for (int i = 0; i < list->count(); ++i) {
        const size_t line = static_cast<size_t>(i);
        list->setItemData(i, line < hints.size() ? QVariant(Text(hints[line])) : QVariant(), Qt::ToolTipRole);
    }
}

int32_t ChordsWindow::BarPosition(int32_t lowest, int32_t value, int32_t highest) {
    if (highest <= lowest) return 0;
    // Rounded, so that the value a drag position stands for shows the bar at
    // that same position.
    const int64_t span = int64_t{highest} - lowest;
    const int64_t position = ((int64_t{value} - lowest) * (kBarPositions - 1) + span / 2) / span;
    return static_cast<int32_t>(std::clamp<int64_t>(position, 0, kBarPositions - 1));
}

void ChordsWindow::SetPosition(int32_t kid, int32_t lowest, int32_t value, int32_t highest) {
    auto* bar = qobject_cast<QScrollBar*>(Control(kid));
    if (bar == nullptr) return;
    const QSignalBlocker block(bar);
    bar->setValue(BarPosition(lowest, value, highest));
}

void ChordsWindow::Redraw(int32_t kid) {
    if (kid == 0) {
        update();
    } else if (QWidget* w = Control(kid)) {
        w->update();
    }
}

void ChordsWindow::closeEvent(QCloseEvent* event) {
    // The program decides: its close path quits.
    event->ignore();
    report_(ToNumber(Msg::CloseWindow), 0, 0, 0);
}

}  // namespace hq::ui
