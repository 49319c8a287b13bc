#include "shell/exp/hourly_exp_chart.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QToolTip>

namespace {

using ruv::ChartLine;
using ruv::HourlyExp;
using ruv::HourlyExpBars;
using ruv::HourlyExpChart;

// Rows of the image, from the bottom of the bars up, that hold a pixel of
// the colour anywhere between x0 and x1.
int columnHeight(const QImage& image, int x0, int x1, QColor colour) {
    int rows = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = x0; x < x1; ++x) {
            if ((image.pixel(x, y) & 0xFFFFFFu) == (colour.rgb() & 0xFFFFFFu)) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

TEST(HourlyExpChart, PaintsABarPerHourInProportionAndTellsTheHourOnHover) {
    HourlyExp figures;
    figures.addGain(ChartLine::Tidied, "[05/01 06:10:00] ", 100);
    figures.addGain(ChartLine::Live, "[05/01 18:00:00] ", 400);
    HourlyExpChart chart(figures);
    chart.resize(480, 240);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));

    auto* summary = chart.findChild<QLabel*>();
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->textFormat(), Qt::PlainText);
    EXPECT_TRUE(summary->text().contains(QStringLiteral("500 EXP")));
    EXPECT_TRUE(summary->text().contains(QStringLiteral("18時台: 400 EXP")));

    auto* bars = chart.findChild<HourlyExpBars*>();
    ASSERT_NE(bars, nullptr);
    const QImage image = bars->grab().toImage();
    const QPalette& pal = bars->palette();
    const int column = bars->width() / HourlyExp::kHours;
    // Hour 6 in the plain colour, hour 18 (the current one) highlighted, four times taller.
    int sixTall = 0;
    int eighteenTall = 0;
    for (int x = 0; x < image.width(); ++x) {
        if (bars->hourAt(QPoint(x, image.height() / 2)) == 6 && sixTall == 0) {
            sixTall = columnHeight(image, x, x + column / 2, pal.color(QPalette::Mid));
        }
        if (bars->hourAt(QPoint(x, image.height() / 2)) == 18 && eighteenTall == 0) {
            eighteenTall = columnHeight(image, x, x + column / 2, pal.color(QPalette::Highlight));
        }
    }
    ASSERT_GT(sixTall, 0);
    // Each bar may lose up to two partly covered rows at its top.
    EXPECT_NEAR(eighteenTall, 4 * sixTall, 8);

    int eighteenX = 0;
    while (bars->hourAt(QPoint(eighteenX, image.height() / 2)) != 18) {
        ++eighteenX;
    }
    const QPoint over(eighteenX + column / 2, image.height() / 2);
    QHelpEvent hover(QEvent::ToolTip, over, bars->mapToGlobal(over));
    QApplication::sendEvent(bars, &hover);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("18時台: 400 EXP"));

    // A new gain grows the current bar once refreshed.
    figures.addGain(ChartLine::Live, "[05/01 06:30:00] ", 700);
    chart.refresh();
    EXPECT_TRUE(summary->text().contains(QStringLiteral("6時台: 800 EXP")));
}

TEST(HourlyExpChart, FiguresCarrySeparatorsAndALevelUpMarkTellsItsTimeAndLevel) {
    HourlyExp figures;
    figures.addGain(ChartLine::Live, "[05/01 12:00:00] ", 3496956);
    figures.addLevelUp(ChartLine::Live, "[05/01 12:30:00] ", 31);
    HourlyExpChart chart(figures);
    chart.resize(480, 240);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    EXPECT_EQ(chart.summaryText(),
              QStringLiteral("合計: 3,496,956 EXP　最高: 12時台: 3,496,956 EXP"));

    auto* bars = chart.findChild<HourlyExpBars*>();
    ASSERT_NE(bars, nullptr);
    // The mark hangs below the axis in the middle of hour 12's column: find its pixels.
    const QImage image = bars->grab().toImage();
    const QRgb mark = bars->palette().color(QPalette::Link).rgb() & 0xFFFFFFu;
    QPoint found(-1, -1);
    for (int y = image.height() - 1; y >= 0 && found.x() < 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFFu) == mark) {
                found = QPoint(x, y);
                break;
            }
        }
    }
    ASSERT_GE(found.x(), 0);
    QHelpEvent hover(QEvent::ToolTip, found, bars->mapToGlobal(found));
    QApplication::sendEvent(bars, &hover);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("12:30 レベルアップ → Lv 31"));
}

}  // namespace
