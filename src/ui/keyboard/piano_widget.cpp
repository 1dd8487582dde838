#include "ui/keyboard/piano_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace hq::kbd {
namespace {

const QColor kProgramColour(74, 144, 217);
const QColor kUserColour(240, 140, 40);
const QColor kLockedMark(150, 60, 10);
const QColor kBorder(40, 40, 40);
const QColor kBlack(25, 25, 25);
const QColor kLabel(90, 90, 90);

// A key's look, as bits: who sounds it and whether it is locked.
constexpr uint8_t kByUser = 1;
constexpr uint8_t kByProgram = 2;
constexpr uint8_t kLocked = 4;

}  // namespace

PianoWidget::PianoWidget(KeyboardCore& core, QWidget* parent)
    : QWidget(parent), core_(core), layout_(core.LowestKey(), core.HighestKey(), kWhiteKeyWidthPx) {
    setObjectName(QStringLiteral("Piano"));
    setAccessibleName(QStringLiteral("Piano"));
    setFixedSize(layout_.Width() + 1, layout_.Height() + 1);
    // The keys cover every pixel: nothing behind them needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
    labelFont_ = font();
    labelFont_.setPixelSize(9);
    labelMetrics_ = QFontMetrics(labelFont_);
    for (size_t i = 0; i < labels_.size(); ++i) {
        labels_[i].setTextFormat(Qt::PlainText);
        labels_[i].setText(QStringLiteral("C%1").arg(static_cast<int>(i) - 1));
        labels_[i].prepare(QTransform(), labelFont_);
    }
}

void PianoWidget::Relayout() {
    if (layout_.LowKey() == core_.LowestKey() && layout_.HighKey() == core_.HighestKey()) return;
    layout_ = PianoLayout(core_.LowestKey(), core_.HighestKey(), kWhiteKeyWidthPx);
    setFixedSize(layout_.Width() + 1, layout_.Height() + 1);
    update();
}

uint8_t PianoWidget::LookOf(int32_t key) const {
    const UserHold user = core_.UserHoldOf(key);
    uint8_t look = 0;
    if (user != UserHold::None || core_.MidiHeld(key)) look |= kByUser;
    if (core_.ProgramCount(key) > 0) look |= kByProgram;
    if (user == UserHold::Locked) look |= kLocked;
    return look;
}

void PianoWidget::ShowChanges() {
    for (const KeyShape& s : layout_.Shapes()) {
        const uint8_t look = LookOf(s.key);
        uint8_t& shown = shown_[static_cast<size_t>(s.key)];
        if (look == shown) continue;
        shown = look;
        // The border reaches one pixel past the fill.
        update(QRect(s.x, s.y, s.width + 1, s.height + 1));
    }
}

QPoint PianoWidget::PointOn(int32_t key) const {
    const KeyShape* s = layout_.ShapeOf(key);
    if (s == nullptr) return {-1, -1};
    // White keys are played below the black ones.
    const int32_t y = s->black ? s->height / 2 : s->height - s->height / 6;
    return {s->x + s->width / 2, y};
}

void PianoWidget::SetNaming(NoteNaming naming) {
    if (naming == naming_) return;
    naming_ = naming;
    update();
}

void PianoWidget::SetKeyNames(const KeyNames& names) {
    if (names == names_) return;
    names_ = names;
    if (naming_ == NoteNaming::All) update();
}

QStringList PianoWidget::LinesOf(const QString& name, int32_t room) const {
    // A name wider than its key stands on end: the letter above its accidentals.
    if (labelMetrics_.horizontalAdvance(name) <= room) return {name};
    const QString accidentals = name.mid(1);
    if (labelMetrics_.horizontalAdvance(accidentals) <= room) return {name.left(1), accidentals};
    QStringList lines{name.left(1)};
    for (const QChar c : accidentals) lines << QString(c);
    return lines;
}

int32_t PianoWidget::KeyAt(QPoint p) const { return layout_.KeyAt(p.x(), p.y()); }

void PianoWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setFont(labelFont_);
    const QRegion dirty = event->region();
    // The outline past the last key: on a high-density screen a one-pixel
    // border covers only half of it, and the rest would show whatever was there.
    painter.fillRect(QRect(layout_.Width(), 0, 1, height()), kBorder);
    painter.fillRect(QRect(0, layout_.Height(), width(), 1), kBorder);
    for (const KeyShape& s : layout_.Shapes()) {
        const QRect r(s.x, s.y, s.width, s.height);
        if (!dirty.intersects(r.adjusted(0, 0, 1, 1))) continue;
        const uint8_t look = LookOf(s.key);
        shown_[static_cast<size_t>(s.key)] = look;
        const bool byUser = (look & kByUser) != 0;
        const bool byProgram = (look & kByProgram) != 0;
        QColor fill = s.black ? kBlack : Qt::white;
        if (byUser) {
            fill = kUserColour;
        } else if (byProgram) {
            fill = kProgramColour;
        }
        painter.fillRect(r, fill);
        // A held key the program also plays keeps both colours: the top
        // third tells the program's part.
        if (byUser && byProgram) painter.fillRect(QRect(s.x, s.y, s.width, s.height / 3), kProgramColour);
        painter.setPen(kBorder);
        painter.drawRect(r.adjusted(0, 0, s.black ? -1 : 0, 0));
        const QString text = QString::fromStdString(KeyLabel(core_, s.key, naming_, names_));
        const QStaticText& octaveC = labels_[static_cast<size_t>(s.key / 12)];
        const bool isOctaveC = !s.black && s.key % 12 == 0 && octaveC.text() == text;
        const QStringList lines = isOctaveC || text.isEmpty() ? QStringList() : LinesOf(text, s.width - 2);
        const int32_t lineStep = labelMetrics_.ascent();
        const int32_t labelHeight = isOctaveC ? static_cast<int32_t>(std::ceil(octaveC.size().height()))
                                    : lines.isEmpty() ? 0
                                                      : static_cast<int32_t>(lines.size() - 1) * lineStep + labelMetrics_.height();
        const KeyMarks marks = MarksOf(s, labelHeight);
        if ((look & kLocked) != 0) {
            painter.setBrush(kLockedMark);
            painter.drawEllipse(QRect(marks.dotX, marks.dotY, marks.dotSize, marks.dotSize));
            painter.setBrush(Qt::NoBrush);
        }
        painter.setPen(byUser || byProgram ? kBorder : kLabel);
        if (isOctaveC) {
            painter.drawStaticText(QPointF(s.x + (s.width - octaveC.size().width()) / 2, marks.labelTop), octaveC);
        }
        // Inside the key's own rectangle: a repaint of one key must not leave
        // half a name on its neighbour.
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QRect line(s.x, marks.labelTop + static_cast<int32_t>(i) * lineStep, s.width, labelMetrics_.height());
            painter.drawText(line, Qt::AlignHCenter | Qt::AlignTop, lines[i]);
        }
    }
}

void PianoWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    core_.PointerPress(KeyAt(event->position().toPoint()));
}

void PianoWidget::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_) core_.PointerMove(KeyAt(event->position().toPoint()));
}

void PianoWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    core_.PointerRelease(KeyAt(event->position().toPoint()));
}

}  // namespace hq::kbd
