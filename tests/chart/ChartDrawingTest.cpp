// The chart's layout and drawing on a memory DC: regions, mapping, clipping, legend.
#include "canvas/XCanvas.h"
#include "chart/ChartLayout.h"
#include "chart/SegmentVisibility.h"
#include "chart/XChart.h"
#include "chart/XSeries.h"
#include "tests/support/GdiTestDc.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace {

constexpr COLORREF kMarker = 0xFF00FF;   // a colour the chart never paints

// A chart drawing into a DIB of its own, with its canvas attached.
class ChartOnDib : public CanvasOnTestDc {
public:
    ChartOnDib(int width, int height) : CanvasOnTestDc(width, height, kMarker), chart(canvas, width, height) {}

    XSeries& AddSeries(COLORREF color, const char* name = "")
    {
        auto* series = new XSeries(chart);
        series->color = color;
        series->name.SetText(name);
        chart.seriesList.Add(series);
        return *series;
    }

    // Where the chart maps the value in the bitmap: from the plot's left column and bottom row.
    XPoint InBitmap(double x, double y) const
    {
        const XRect plot = chart.PlotRect();
        const XPoint mapped = chart.ValueToPixel(x, y);
        return XPoint{plot.left + mapped.x, plot.bottom - 1 - mapped.y};
    }

    int MarkerPixels() const
    {
        int count = 0;
        for (int y = 0; y < chart.height; ++y)
            for (int x = 0; x < chart.width; ++x)
                count += target.Pixel(x, y) == kMarker;
        return count;
    }

    XChart chart;
};

TEST(ChartDrawing, RegionsTileTheWholeBitmap)
{
    struct Case {
        int width, height, showTitle, showLegend, captions;
    } cases[] = {{640, 480, 1, 0, 0}, {640, 480, 0, 1, 1}, {301, 177, 1, 1, 1}, {90, 60, 1, 0, 1}, {40, 30, 0, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        ChartOnDib drawing(c.width, c.height);
        XChart& chart = drawing.chart;
        chart.showTitle = c.showTitle;
        chart.showLegend = c.showLegend;
        chart.yAxis.showCaption = chart.xAxis.showCaption = c.captions;
        XSeries& series = drawing.AddSeries(0x0000FF, "temperature");
        series.AddPoint(-3, 2);
        series.AddPoint(12, 7);
        chart.SetDataRange(-3, 2, 12, 7);
        chart.LayoutAndDraw();
        EXPECT_EQ(drawing.MarkerPixels(), 0);
    }
}

TEST(ChartDrawing, InvisibleChartLeavesEveryPixel)
{
    ChartOnDib drawing(120, 80);
    drawing.chart.visible = 0;
    drawing.chart.LayoutAndDraw();
    EXPECT_EQ(drawing.MarkerPixels(), 120 * 80);
}

TEST(ChartLayout, MappingRoundsDown)
{
    XCanvas canvas;
    XChart chart(canvas, 120, 100);
    chart.marginLeft = chart.marginRight = 10;
    chart.xAxis.SetRange(0, 99);
    chart.UpdateScales();
    EXPECT_EQ(chart.xUnitsPerPixel, 1.0);
    EXPECT_EQ(chart.ValueToPixel(0, 0).x, 0);
    EXPECT_EQ(chart.ValueToPixel(99, 0).x, 99);
    EXPECT_EQ(chart.ValueToPixel(49.5, 0).x, 49);
    EXPECT_EQ(chart.ValueToPixel(-0.5, 0).x, -1);

    XChart wide(canvas, 640, 480);
    wide.marginLeft = 60;
    wide.UpdateScales();
    EXPECT_EQ(wide.ValueToPixel(50, 0).x, 279);
    EXPECT_EQ(wide.ValueToPixel(100, 0).x, 559);
}

TEST(ChartLayout, DegeneratePlotsKeepAUnitScale)
{
    XCanvas canvas;
    XChart chart(canvas, 41, 41);   // 41 - 20 - 20 - 1 = 0 pixels from first to last column
    chart.UpdateScales();
    EXPECT_EQ(chart.xUnitsPerPixel, 1.0);
    EXPECT_EQ(chart.yUnitsPerPixel, 1.0);
    XChart negative(canvas, 10, 10);
    negative.UpdateScales();
    EXPECT_GT(negative.xUnitsPerPixel, 0.0);
}

TEST(ChartLayout, MarginsFollowCaptionsTitleAndLegend)
{
    ChartOnDib drawing(640, 480);
    XChart& chart = drawing.chart;
    XCanvas& canvas = drawing.canvas;
    int h = canvas.TextHeight("Wg");
    chart.yAxis.showCaption = chart.xAxis.showCaption = 0;
    chart.FitAxisMargin(0);
    chart.FitAxisMargin(1);
    int left = chart.marginLeft;
    int bottom = chart.marginBottom;
    EXPECT_EQ(left, h / 2 + canvas.TextWidth("100") + 10);
    chart.yAxis.showCaption = chart.xAxis.showCaption = 1;
    chart.FitAxisMargin(0);
    chart.FitAxisMargin(1);
    EXPECT_EQ(chart.marginLeft, left + h + 10);
    EXPECT_EQ(chart.marginBottom, bottom + h + 10);

    chart.FitTitleMargin();
    EXPECT_EQ(chart.marginTop, 20);
    chart.FitLegendMargin();
    EXPECT_EQ(chart.marginRight, 20);

    chart.showLegend = 1;
    chart.FitLegendMargin();
    EXPECT_EQ(chart.marginRight, 30);   // no visible series
    drawing.AddSeries(0, "a");
    drawing.AddSeries(0, "a much longer name");
    drawing.AddSeries(0, "an even longer hidden name, not measured").visible = 0;
    chart.FitLegendMargin();
    EXPECT_EQ(chart.marginRight, 30 + h + canvas.TextWidth("a much longer name"));
}

TEST(ChartLayout, WithoutDeviceContextOnlyTitleAndLegendMarginsChange)
{
    XCanvas canvas;
    XChart chart(canvas, 640, 480);
    chart.marginLeft = chart.marginBottom = 33;
    chart.showTitle = chart.showLegend = 1;
    chart.seriesList.Add(new XSeries(chart));   // the legend meets a text height of 0
    chart.LayoutAndDraw();
    EXPECT_EQ(chart.marginLeft, 33);
    EXPECT_EQ(chart.marginBottom, 33);
    EXPECT_EQ(chart.marginTop, 20);
    EXPECT_EQ(chart.marginRight, 30);
}

TEST(ChartDrawing, SeriesOnThePlotBackgroundIsShifted)
{
    ChartOnDib drawing(200, 150);
    XChart& chart = drawing.chart;
    chart.plotBackColor = 0x000000;
    chart.yAxis.showCaption = chart.xAxis.showCaption = 0;
    XSeries& series = drawing.AddSeries(0x000000);
    series.AddPoint(0, 50);
    series.AddPoint(100, 50);
    chart.LayoutAndDraw();
    const XPoint middle = drawing.InBitmap(50, 50);
    EXPECT_EQ(drawing.target.Pixel(middle.x + 2, middle.y), 0x0000FFu);
    series.color = 0xFFFFFF;
    chart.plotBackColor = 0xFFFFFF;
    EXPECT_EQ(chart.SeriesDrawColor(series), 0x010000FEu);
}

TEST(ChartDrawing, LinesTowardsInfinityKeepTheirDirection)
{
    const double inf = std::numeric_limits<double>::infinity();
    ChartOnDib drawing(200, 150);
    XChart& chart = drawing.chart;
    chart.yAxis.showCaption = chart.xAxis.showCaption = 0;
    chart.SetDataRange(0, 0, 10, 10);
    XSeries& series = drawing.AddSeries(0x0000FF);
    series.AddPoint(5, 5);
    series.AddPoint(5, inf);     // straight up
    series.AddPoint(5, 5);
    series.AddPoint(1e300, 5);   // straight right
    chart.LayoutAndDraw();
    const XRect plot = chart.PlotRect();
    const XPoint centre = drawing.InBitmap(5, 5);
    const int cx = centre.x;
    const int cy = centre.y;
    for (int y = plot.top + 1; y <= cy; ++y)
        ASSERT_EQ(drawing.target.Pixel(cx, y), 0x0000FFu) << y;
    for (int x = cx; x < plot.right - 1; ++x)
        ASSERT_EQ(drawing.target.Pixel(x, cy), 0x0000FFu) << x;
    EXPECT_NE(drawing.target.Pixel(cx - 1, cy - 5), 0x0000FFu);
    EXPECT_NE(drawing.target.Pixel(cx + 5, cy - 5), 0x0000FFu);
}

TEST(ChartDrawing, LegendListsVisibleSeriesWithSwatches)
{
    ChartOnDib drawing(400, 300);
    XChart& chart = drawing.chart;
    chart.showLegend = 1;
    drawing.AddSeries(0xFF0000, "first").AddPoint(0, 0);
    drawing.AddSeries(0x00FF00, "hidden").visible = 0;
    drawing.AddSeries(0x008000, "third & last");
    chart.LayoutAndDraw();
    int e = drawing.canvas.TextHeight("Wg");
    XRect band(chart.width - chart.marginRight, chart.marginTop, chart.width, chart.height - chart.marginBottom);
    // Box outline, then one swatch a row with no gap for the hidden series.
    EXPECT_EQ(drawing.target.Pixel(band.left + 10, band.top + 10), 0x000000u);
    EXPECT_EQ(drawing.target.Pixel(band.left + 10, band.top + 20 + 2 * e - 1), 0x000000u);
    EXPECT_EQ(drawing.target.Pixel(band.left + 17, band.top + 13 + e - 2), 0xFF0000u);
    EXPECT_EQ(drawing.target.Pixel(band.left + 17, band.top + 13 + 2 * e - 2), 0x008000u);
    EXPECT_EQ(drawing.MarkerPixels(), 0);
}

struct SegmentCase {
    XDblPoint p1, p2;
    int meets;
};

TEST(SegmentVisibility, WholeLineTestAfterSideRejection)
{
    XDblRect window(0, 0, 10, 10);
    const SegmentCase cases[] = {
        {{-5, 6}, {4, 15}, 0},     // passes outside the upper left corner
        {{-5, 15}, {3, -5}, 1},    // crosses the window
        {{-5, 5}, {-1, 7}, 0},     // both left
        {{-5, 5}, {15, 5}, 1},     // horizontal, straight through
        {{5, -5}, {5, 15}, 1},     // vertical, straight through
        {{11, -5}, {11, 15}, 0},   // vertical, beside it
        {{-1, -1}, {-1, -1}, 0},   // zero length
        {{-2, 8}, {8, 18}, 1},     // through the corner (0, 10)
    };
    for (const SegmentCase& c : cases)
        EXPECT_EQ(SegmentMeetsDblRect(window, c.p1, c.p2), c.meets)
            << c.p1.x << "," << c.p1.y << " - " << c.p2.x << "," << c.p2.y;
    EXPECT_EQ(PointInDblRect(window, XDblPoint(10, 0)), 1);
    EXPECT_EQ(PointInDblRect(window, XDblPoint(10.000001, 0)), 0);
}

}  // namespace
