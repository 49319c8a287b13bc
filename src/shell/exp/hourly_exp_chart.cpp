#include "shell/exp/hourly_exp_chart.h"

#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "core/exp/chart_texts.h"
#include "shell/platform/qt_text.h"

namespace ruv {

namespace {

constexpr int kHours = HourlyExp::kHours;
constexpr qreal kGap = 2;       // between two bars
constexpr qreal kMarkSize = 6;  // of a level-up's triangle
constexpr int kHourLabelStep = 3;

QString hourText(int hour, std::int64_t exp) {
    return fromCp932(hourTip(hour, exp));
}

QString figureText(std::int64_t exp) {
    return QString::fromLatin1(groupedFigure(exp));
}

std::int64_t highestHour(const HourlyExp& figures) {
    std::int64_t highest = 0;
    for (int hour = 0; hour < kHours; ++hour) {
        highest = std::max(highest, figures.expInHour(hour));
    }
    return highest;
}

}  // namespace

HourlyExpBars::HourlyExpBars(const HourlyExp& figures, QWidget* parent)
    : QWidget(parent), figures_(figures) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize HourlyExpBars::minimumSizeHint() const {
    return QSize(kHours * 8 + fontMetrics().horizontalAdvance(QStringLiteral("00000000")),
                 fontMetrics().height() * 6);
}

QRectF HourlyExpBars::plotArea() const {
    const QFontMetricsF metrics(font());
    const qreal left = metrics.horizontalAdvance(figureText(highestHour(figures_))) + 8;
    const qreal top = metrics.height() / 2;
    const qreal bottom = metrics.height() + kMarkSize + 4;
    return QRectF(left, top, std::max<qreal>(1, width() - left - 4),
                  std::max<qreal>(1, height() - top - bottom));
}

QRectF HourlyExpBars::barRect(int hour, BarSpan span) const {
    const QRectF plot = plotArea();
    const qreal column = plot.width() / kHours;
    const std::int64_t highest = std::max<std::int64_t>(1, highestHour(figures_));
    const qreal barHeight =
        plot.height() * static_cast<qreal>(figures_.expInHour(hour)) / static_cast<qreal>(highest);
    const qreal ceiling = span == BarSpan::Value ? plot.bottom() - barHeight : plot.top();
    return QRectF(plot.left() + column * hour + kGap / 2, ceiling, column - kGap,
                  plot.bottom() - ceiling);
}

int HourlyExpBars::hourAt(QPoint point) const {
    const QRectF plot = plotArea();
    if (!plot.contains(point)) {
        return -1;
    }
    const int hour = static_cast<int>((point.x() - plot.left()) * kHours / plot.width());
    return std::clamp(hour, 0, kHours - 1);
}

void HourlyExpBars::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    painter.fillRect(rect(), pal.color(QPalette::Base));
    const QRectF plot = plotArea();
    const QFontMetricsF metrics(font());

    const std::optional<int> current = figures_.currentHour();
    for (int hour = 0; hour < kHours; ++hour) {
        if (figures_.expInHour(hour) <= 0) {
            continue;
        }
        const QColor fill =
            current == hour ? pal.color(QPalette::Highlight) : pal.color(QPalette::Mid);
        painter.fillRect(barRect(hour, BarSpan::Value), fill);
    }

    painter.setPen(pal.color(QPalette::Text));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    const qreal column = plot.width() / kHours;
    for (int hour = 0; hour < kHours; hour += kHourLabelStep) {
        const QString label = QString::number(hour);
        const qreal x = plot.left() + column * (hour + 0.5) - metrics.horizontalAdvance(label) / 2;
        painter.drawText(QPointF(x, plot.bottom() + kMarkSize + 2 + metrics.ascent()), label);
    }
    const QString top = figureText(highestHour(figures_));
    painter.drawText(QPointF(plot.left() - 4 - metrics.horizontalAdvance(top),
                             plot.top() + metrics.ascent() / 2),
                     top);
    painter.drawText(
        QPointF(plot.left() - 4 - metrics.horizontalAdvance(QStringLiteral("0")), plot.bottom()),
        QStringLiteral("0"));

    // A level-up: a triangle pointing up at its time on the axis.
    painter.setPen(Qt::NoPen);
    painter.setBrush(pal.color(QPalette::Link));
    for (std::size_t i = 0; i < figures_.levelUps().size(); ++i) {
        const qreal x = markX(i);
        QPainterPath mark;
        mark.moveTo(x, plot.bottom());
        mark.lineTo(x - kMarkSize / 2, plot.bottom() + kMarkSize);
        mark.lineTo(x + kMarkSize / 2, plot.bottom() + kMarkSize);
        mark.closeSubpath();
        painter.drawPath(mark);
    }
}

qreal HourlyExpBars::markX(std::size_t levelUp) const {
    const QRectF plot = plotArea();
    const TimeOfDay& time = figures_.levelUps()[levelUp];
    return plot.left() + plot.width() / kHours * (time.hour + time.minute / 60.0);
}

std::optional<std::size_t> HourlyExpBars::levelUpAt(QPoint point) const {
    const QRectF plot = plotArea();
    if (point.y() < plot.bottom() - 1 || point.y() > plot.bottom() + kMarkSize + 1) {
        return std::nullopt;
    }
    // The latest mark under the point, as it is painted on top.
    for (std::size_t i = figures_.levelUps().size(); i-- > 0;) {
        if (std::abs(point.x() - markX(i)) <= kMarkSize / 2 + 1) {
            return i;
        }
    }
    return std::nullopt;
}

bool HourlyExpBars::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int hour = hourAt(help->pos());
        if (const std::optional<std::size_t> levelUp = levelUpAt(help->pos())) {
            const QRect around(
                QPoint(static_cast<int>(markX(*levelUp) - kMarkSize), help->pos().y()),
                QSize(static_cast<int>(2 * kMarkSize), static_cast<int>(kMarkSize)));
            QToolTip::showText(help->globalPos(),
                               fromCp932(levelUpTip(figures_.levelUps()[*levelUp],
                                                    figures_.levelReached(*levelUp))),
                               this, around);
        } else if (hour < 0) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), hourText(hour, figures_.expInHour(hour)), this,
                               barRect(hour, BarSpan::Column).toAlignedRect());
        }
        return true;
    }
    return QWidget::event(event);
}

HourlyExpChart::HourlyExpChart(const HourlyExp& figures, QWidget* parent)
    : QWidget(parent),
      figures_(figures),
      summary_(new QLabel(this)),
      bars_(new HourlyExpBars(figures, this)) {
    summary_->setTextFormat(Qt::PlainText);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(bars_, 1);
    refresh();
}

QString HourlyExpChart::summaryText() const {
    QString text = QStringLiteral("合計: %1 EXP").arg(figureText(figures_.total()));
    if (const std::optional<int> best = figures_.bestHour()) {
        text += QStringLiteral("　最高: ") + hourText(*best, figures_.expInHour(*best));
    }
    return text;
}

void HourlyExpChart::refresh() {
    summary_->setText(summaryText());
    bars_->update();
}

}  // namespace ruv
