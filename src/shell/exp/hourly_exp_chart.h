#pragma once
// The グラフ page of the 経験値情報 tab: a bar for the EXP of each hour of the
// day, level-ups marked on the time axis, the hour and its EXP on hover, and
// the day's total and best hour above the bars.

#include <QWidget>

#include <optional>

#include "core/exp/hourly_exp.h"

class QLabel;

namespace ruv {

// The bars alone, painted from the figures on every repaint; a tip tells the
// hour under the mouse, or the time and level of a level-up mark.
class HourlyExpBars final : public QWidget {
    Q_OBJECT
  public:
    explicit HourlyExpBars(const HourlyExp& figures, QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
    // The hour whose bar (or the column above it) holds the point; -1 for none.
    int hourAt(QPoint point) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    // How far up a bar's rectangle reaches: to its EXP or to the plot's top.
    enum class BarSpan { Value, Column };

    QRectF plotArea() const;
    QRectF barRect(int hour, BarSpan span) const;
    // Where level-up mark i points at the time axis.
    qreal markX(std::size_t levelUp) const;
    std::optional<std::size_t> levelUpAt(QPoint point) const;

    const HourlyExp& figures_;
};

class HourlyExpChart final : public QWidget {
    Q_OBJECT
  public:
    explicit HourlyExpChart(const HourlyExp& figures, QWidget* parent = nullptr);

    // Shows the figures afresh; the EXP monitor calls it once per routed slice.
    void refresh();

    QString summaryText() const;

  private:
    const HourlyExp& figures_;
    QLabel* summary_;
    HourlyExpBars* bars_;
};

}  // namespace ruv
