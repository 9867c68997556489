// XChart, XAxis and XSeries as data: defaults, points, ownership.
#include "canvas/XCanvas.h"
#include "chart/XChart.h"
#include "chart/XSeries.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(XChart, FreshChartDefaults)
{
    XCanvas canvas;
    XChart chart(canvas, 320, 200);
    EXPECT_EQ(&chart.canvas, &canvas);
    EXPECT_EQ(chart.width, 320);
    EXPECT_EQ(chart.height, 200);
    EXPECT_EQ(chart.backColor, 0xFFFFFFu);
    EXPECT_EQ(chart.plotBackColor, 0xFFFFFFu);
    EXPECT_EQ(chart.gridColor, 0x707070u);
    EXPECT_EQ(chart.frameColor, 0u);
    EXPECT_EQ(chart.textColor, 0u);
    EXPECT_EQ(chart.legendBackColor, 0xFFFFFFu);
    EXPECT_EQ(chart.marginLeft, 20);
    EXPECT_EQ(chart.marginTop, 20);
    EXPECT_EQ(chart.marginRight, 20);
    EXPECT_EQ(chart.marginBottom, 20);
    EXPECT_EQ(chart.xUnitsPerPixel, 1.0);
    EXPECT_EQ(chart.yUnitsPerPixel, 1.0);
    EXPECT_STREQ(chart.title.Text(), "XChart");
    EXPECT_EQ(chart.showTitle, 0);
    EXPECT_EQ(chart.showLegend, 0);
    EXPECT_EQ(chart.visible, 1);
    EXPECT_EQ(chart.seriesList.Count(), 0);
    const std::vector<double> defaultTicks{0, 25, 50, 75, 100};
    for (const XAxis* axis : {&chart.yAxis, &chart.xAxis}) {
        EXPECT_EQ(axis->min, 0.0);
        EXPECT_EQ(axis->max, 100.0);
        EXPECT_EQ(axis->labelDecimals, 0);
        EXPECT_EQ(axis->minSteps, 4);
        EXPECT_EQ(axis->showCaption, 1);
        EXPECT_EQ(&axis->chart, &chart);
        EXPECT_EQ(std::vector<double>(axis->ticks.values, axis->ticks.values + axis->ticks.count), defaultTicks);
    }
    EXPECT_STREQ(chart.yAxis.caption.Text(), "Y Unit");
    EXPECT_STREQ(chart.xAxis.caption.Text(), "X Unit");
}

TEST(XSeries, FreshSeriesDefaults)
{
    XCanvas canvas;
    XChart chart(canvas, 10, 10);
    XSeries series(chart);
    EXPECT_EQ(series.visible, 1);
    EXPECT_EQ(series.color, 0u);
    EXPECT_STREQ(series.name.Text(), "");
    EXPECT_EQ(series.penWidth, 1);
    EXPECT_EQ(series.penStyle, PS_SOLID);
    EXPECT_EQ(series.pointCount, 0);
    EXPECT_EQ(series.xValues.Count(), 0);
    EXPECT_EQ(series.yValues.Count(), 0);
    EXPECT_EQ(&series.chart, &chart);
}

TEST(XSeries, AddPointKeepsBothListsInStep)
{
    XCanvas canvas;
    XChart chart(canvas, 10, 10);
    XSeries series(chart);
    const double points[][2] = {{0, -5}, {0, 0}, {-3, 1e9}, {-3, 1e9}, {250, -0.0}};
    for (const auto& p : points)
        series.AddPoint(p[0], p[1]);
    ASSERT_EQ(series.pointCount, 5);
    ASSERT_EQ(series.xValues.Count(), 5);
    ASSERT_EQ(series.yValues.Count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(series.xValues.At(i), points[i][0]);
        EXPECT_EQ(series.yValues.At(i), points[i][1]);
    }
}

class CountedSeries : public XSeries {
public:
    CountedSeries(XChart& chart, int& alive) : XSeries(chart), alive_(alive) { ++alive_; }
    ~CountedSeries() override { --alive_; }

private:
    int& alive_;
};

TEST(XChart, DeletingTheChartDeletesEverySeriesButNotTheCanvas)
{
    XCanvas canvas;
    HPEN pen = canvas.pen;
    int alive = 0;
    {
        XChart chart(canvas, 100, 100);
        for (int i = 0; i < 3; ++i)
            chart.seriesList.Add(new CountedSeries(chart, alive));
        chart.seriesList.Add(nullptr);   // an empty slot is skipped
        EXPECT_EQ(alive, 3);
    }
    EXPECT_EQ(alive, 0);
    EXPECT_NE(GetObjectType(pen), 0u);
}

TEST(XObject, DeletingThroughTheBaseDestroysTheWholeChart)
{
    XCanvas canvas;
    int alive = 0;
    auto* chart = new XChart(canvas, 50, 50);
    chart->seriesList.Add(new CountedSeries(*chart, alive));
    XObject* base = chart;
    delete base;
    EXPECT_EQ(alive, 0);
}

}  // namespace
