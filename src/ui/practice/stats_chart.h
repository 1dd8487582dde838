#pragma once
// The statistics of one level drawn as a small table: a row per item type,
// and for this session, today, the last seven days and all time a bar of
// the share answered right with the counts beside it.

#include <QString>
#include <QWidget>

#include <array>
#include <vector>

#include "practice/stats.h"

namespace hq::ui {

class StatsChart final : public QWidget {
public:
    static constexpr size_t kPeriods = 4;

    struct Row {
        QString name;
        std::array<practice::DayCount, kPeriods> counts{};  // session, today, 7 days, all time
        QString hint;  // the answers given for it
    };

    explicit StatsChart(QWidget* parent = nullptr);

    void SetRows(std::vector<Row> rows);
    const std::vector<Row>& Rows() const { return rows_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    /// The height the title and `rows` rows take.
    int HeightFor(int rows) const { return RowHeight() * (rows + 1); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    int RowHeight() const;
    int NameWidth() const;
    int CellWidth() const;

    std::vector<Row> rows_;
};

/// The rows for `level` from `stats`: every item type of the level, asked or not.
std::vector<StatsChart::Row> ChartRows(const practice::PracticeStats& stats, practice::Level level, int32_t today);

}  // namespace hq::ui
