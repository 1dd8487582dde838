#include "ui/practice/stats_chart.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace hq::ui {
namespace {

constexpr std::array<const char*, StatsChart::kPeriods> kPeriodTitles{"Session", "Today", "7 days", "All time"};
const QColor kTrack(0xE4, 0xE4, 0xE4);
const QColor kRight(0x3C, 0x9A, 0x4A);
const QColor kWrong(0xD8, 0x6A, 0x5C);

QString CountText(const practice::DayCount& count) {
    return QStringLiteral("%1/%2").arg(count.right).arg(count.asked);
}

}  // namespace

StatsChart::StatsChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("StatisticsChart"));
    setAccessibleName(QStringLiteral("Statistics"));
}

void StatsChart::SetRows(std::vector<Row> rows) {
    rows_ = std::move(rows);
    updateGeometry();
    update();
}

int StatsChart::RowHeight() const { return fontMetrics().height() + 6; }

int StatsChart::NameWidth() const {
    QFont bold = font();
    bold.setBold(true);
    int widest = QFontMetrics(bold).horizontalAdvance(QStringLiteral("Item type"));
    for (const Row& row : rows_) widest = std::max(widest, fontMetrics().horizontalAdvance(row.name));
    return widest + 16;
}

int StatsChart::CellWidth() const { return fontMetrics().horizontalAdvance(QStringLiteral("9999/9999")) + 64; }

QSize StatsChart::sizeHint() const {
    return {NameWidth() + static_cast<int>(kPeriods) * CellWidth(), RowHeight() * static_cast<int>(rows_.size() + 1)};
}

void StatsChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int rowHeight = RowHeight();
    const int nameWidth = NameWidth();
    const int cellWidth = CellWidth();
    const int textWidth = fontMetrics().horizontalAdvance(QStringLiteral("9999/9999")) + 4;
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(0, 0, nameWidth, rowHeight), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Item type"));
    for (size_t p = 0; p < kPeriods; ++p) {
        const QRect cell(nameWidth + static_cast<int>(p) * cellWidth, 0, cellWidth, rowHeight);
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(kPeriodTitles[p]));
    }
    painter.setFont(font());
    for (size_t r = 0; r < rows_.size(); ++r) {
        const Row& row = rows_[r];
        const int y = static_cast<int>(r + 1) * rowHeight;
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(0, y, nameWidth, rowHeight), Qt::AlignLeft | Qt::AlignVCenter, row.name);
        for (size_t p = 0; p < kPeriods; ++p) {
            const practice::DayCount& count = row.counts[p];
            const int x = nameWidth + static_cast<int>(p) * cellWidth;
            const QRect bar(x, y + 4, cellWidth - textWidth - 8, rowHeight - 8);
            painter.fillRect(bar, kTrack);
            if (count.asked > 0) {
                const int rightWidth = static_cast<int>(int64_t{bar.width()} * count.right / count.asked);
                painter.fillRect(QRect(bar.left(), bar.top(), rightWidth, bar.height()), kRight);
                painter.fillRect(QRect(bar.left() + rightWidth, bar.top(), bar.width() - rightWidth, bar.height()), kWrong);
            }
            painter.setPen(palette().color(count.asked > 0 ? QPalette::WindowText : QPalette::PlaceholderText));
            painter.drawText(QRect(bar.right() + 4, y, textWidth, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                             CountText(count));
        }
    }
}

bool StatsChart::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int r = help->pos().y() / RowHeight() - 1;
        if (r >= 0 && static_cast<size_t>(r) < rows_.size() && !rows_[static_cast<size_t>(r)].hint.isEmpty()) {
            QToolTip::showText(help->globalPos(), rows_[static_cast<size_t>(r)].hint, this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}

std::vector<StatsChart::Row> ChartRows(const practice::PracticeStats& stats, practice::Level level, int32_t today) {
    std::vector<StatsChart::Row> rows;
    const auto levelStats = stats.levels.find(practice::LevelName(level));
    for (const std::string& kind : practice::LevelKinds(level)) {
        const practice::PeriodCounts c = practice::CountsFor(stats, level, kind, today);
        StatsChart::Row row{QString::fromStdString(kind), {c.session, c.today, c.lastSevenDays, c.allTime}, {}};
        if (levelStats != stats.levels.end()) {
            const auto found = levelStats->second.find(kind);
            if (found != levelStats->second.end()) {
                QStringList given;
                for (const auto& [answer, times] : found->second.answers) {
                    given << QStringLiteral("%1 × %2").arg(QString::fromStdString(answer)).arg(times);
                }
                if (!given.isEmpty()) row.hint = QStringLiteral("Answers given: ") + given.join(QStringLiteral(", "));
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace hq::ui
