// XChart and XSeries as data: who owns what.
#include "canvas/XCanvas.h"
#include "chart/XChart.h"
#include "chart/XSeries.h"

#include <gtest/gtest.h>

namespace {

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

}  // namespace
