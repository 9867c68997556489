// A panelled chart on a memory DC: where the panels, the calendar labels and the legend land,
// and how the second pass draws lines at the extremes, gaps and lone points.
#include "canvas/XCanvas.h"
#include "chart/CivilCalendar.h"
#include "chart/XChart.h"
#include "chart/XPanelChart.h"
#include "chart/XPanelStreams.h"
#include "chart/XSeries.h"
#include "tests/support/GdiTestDc.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>

namespace {

constexpr COLORREF kMarker = 0xFF00FF;   // a colour the chart never paints
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kColors[] = {0x0000FF, 0xFF0000, 0x008000};
const double kGap = std::numeric_limits<double>::quiet_NaN();

// A file's chart (title, X range, named series) on a DIB, drawn as panels.
class PanelsOnDib {
public:
    PanelsOnDib(int width, int height, const std::vector<std::string>& names, const std::vector<ValueBounds>& bounds,
                XValueKind kind = XValueKind::Number, double xMin = 0, double xMax = 10)
        : target(width, height), chart(canvas, width, height)
    {
        target.Fill(kMarker);
        canvas.Attach(target.dc());
        chart.showTitle = 1;
        chart.title.SetText("file.csv");
        chart.SetDataRange(xMin, 0, xMax, 1);
        for (std::size_t i = 0; i < names.size(); ++i) {
            auto* series = new XSeries(chart);
            series->color = kColors[i % 3];
            series->name.SetText(names[i].c_str());
            chart.seriesList.Add(series);
        }
        panels.reset(new XPanelChart(chart, kind, bounds));
        panels->LayoutAndDraw();
    }
    ~PanelsOnDib()
    {
        panels.reset();
        canvas.Attach(nullptr);
    }

    // One pass of points (series, x, y) drawn into the panels.
    void Stream(const std::vector<std::vector<double>>& points)
    {
        XPanelStreams streams(*panels);
        while (streams.NextGroup()) {
            for (const auto& p : points)
                streams.Point(static_cast<int>(p[0]), p[1], p[2]);
            streams.EndGroup();
        }
    }

    // The device pixel of a data point in a panel.
    POINT Device(int panel, double x, double y) const
    {
        const XChart& p = panels->Panel(panel);
        const XPoint offset = p.ValueToPixel(x, y);
        return POINT{p.PlotRect().left + offset.x, p.PlotRect().bottom - 1 - offset.y};
    }

    int Count(int left, int top, int right, int bottom, bool (*wanted)(COLORREF)) const
    {
        int count = 0;
        right = right < chart.width ? right : chart.width;
        bottom = bottom < chart.height ? bottom : chart.height;
        for (int y = top < 0 ? 0 : top; y < bottom; ++y)
            for (int x = left < 0 ? 0 : left; x < right; ++x)
                count += wanted(target.Pixel(x, y)) ? 1 : 0;
        return count;
    }

    GdiTestDc target;
    XCanvas canvas;
    XChart chart;
    std::unique_ptr<XPanelChart> panels;
};

bool IsRed(COLORREF c) { return c == kColors[0]; }
bool IsInk(COLORREF c) { return c != kWhite; }
bool IsMarker(COLORREF c) { return c == kMarker; }

}  // namespace

TEST(PanelChart, SeriesOfDifferentScalesGetStackedPanels)
{
    PanelsOnDib drawing(640, 480, {"price", "volume"}, {{10, 20}, {1e6, 2e6}});
    ASSERT_EQ(drawing.panels->PanelCount(), 2);
    const XRect upper = drawing.panels->Panel(0).PlotRect();
    const XRect lower = drawing.panels->Panel(1).PlotRect();
    const int h = drawing.canvas.TextHeight("Wg");
    EXPECT_EQ(upper.left, lower.left);
    EXPECT_EQ(upper.right, lower.right);
    EXPECT_EQ(lower.top - upper.bottom, h);
    EXPECT_EQ(lower.bottom, 480 - drawing.chart.marginBottom);
    EXPECT_EQ(upper.top, drawing.chart.marginTop);
    // Both frames drawn, the gap between them left blank.
    for (const XRect& r : {upper, lower}) {
        EXPECT_EQ(drawing.target.Pixel(r.left, r.top), 0u);
        EXPECT_EQ(drawing.target.Pixel(r.right - 1, r.bottom - 1), 0u);
    }
    EXPECT_EQ(drawing.target.Pixel((upper.left + upper.right) / 2, upper.bottom + h / 2), kWhite);
    EXPECT_LT(drawing.panels->Panel(1).yAxis.min, 1e6);
    EXPECT_GT(drawing.panels->Panel(1).yAxis.max, 2e6);
    EXPECT_EQ(drawing.Count(0, 0, 640, 480, IsMarker), 0);
}

TEST(PanelChart, LinesAtTheExtremesShowInsideTheFrame)
{
    PanelsOnDib drawing(320, 240, {"level"}, {{0, 10}});
    drawing.Stream({{0, 0, 0}, {0, 10, 0}, {0, 5, kGap}, {0, 0, 10}, {0, 10, 10}});
    const XRect plot = drawing.panels->Panel(0).PlotRect();
    const int middle = (plot.left + plot.right) / 2;
    EXPECT_EQ(drawing.Count(middle, plot.top + 1, middle + 1, plot.bottom - 1, IsRed), 2);
}

TEST(PanelChart, AConstantRunsThroughTheMiddle)
{
    PanelsOnDib drawing(320, 240, {"flat"}, {{5, 5}});
    const XAxis& y = drawing.panels->Panel(0).yAxis;
    EXPECT_EQ(y.min, 4);
    EXPECT_EQ(y.max, 6);
}

TEST(PanelChart, GapsBreakTheLineAndALonePointIsADot)
{
    PanelsOnDib drawing(320, 240, {"sparse"}, {{0, 10}});
    drawing.Stream({{0, 0, 0}, {0, 1, 10}, {0, 2, kGap}, {0, 3, 5}, {0, 4, kGap}, {0, 5, 0}, {0, 6, 10}});
    const POINT lone = drawing.Device(0, 3, 5);
    EXPECT_EQ(drawing.Count(lone.x - 1, lone.y - 1, lone.x + 2, lone.y + 2, IsRed), 9);
    EXPECT_EQ(drawing.Count(lone.x - 3, lone.y - 3, lone.x + 4, lone.y + 4, IsRed), 9);
    // Nothing joins the points across a gap: the columns at x = 2 and x = 4 stay blank.
    const XRect plot = drawing.panels->Panel(0).PlotRect();
    for (double x : {2.0, 4.0}) {
        const POINT column = drawing.Device(0, x, 0);
        EXPECT_EQ(drawing.Count(column.x, plot.top + 1, column.x + 1, plot.bottom - 1, IsRed), 0) << x;
    }
}

TEST(PanelChart, LegendListsNamesInTheirColours)
{
    PanelsOnDib drawing(640, 480, {"Close", "\xC3\x84\xC3\x84\xC3\x84"}, {{10, 20}, {11, 21}});
    const int e = drawing.canvas.TextHeight("Wg");
    const XChart& chart = drawing.chart;
    ASSERT_GT(chart.marginRight, 20);
    const int left = chart.width - chart.marginRight;
    const int top = chart.marginTop;
    EXPECT_EQ(drawing.target.Pixel(left + 17, top + 15 + e / 2), kColors[0]);
    EXPECT_EQ(drawing.target.Pixel(left + 17, top + 15 + e + e / 2), kColors[1]);
    EXPECT_GT(drawing.Count(left + e + 15, top + 15, chart.width - 15, top + 15 + e, IsRed), 0);
    // The UTF-8 name is drawn as its three wide characters, not as the six bytes' ANSI ones.
    int first = chart.width, last = 0;
    for (int x = left + e + 15; x < chart.width - 15; ++x) {
        if (drawing.Count(x, top + 15 + e, x + 1, top + 15 + 2 * e, IsInk) > 0) {
            first = x < first ? x : first;
            last = x;
        }
    }
    SIZE wide = {0, 0};
    GetTextExtentPoint32W(drawing.canvas.dc, L"\u00C4\u00C4\u00C4", 3, &wide);
    EXPECT_NEAR(last + 1 - first, wide.cx, 4);
}

TEST(PanelChart, LegendTakesAQuarterAtMostAndCountsTheRest)
{
    std::vector<std::string> names;
    for (int i = 0; i < 12; ++i)
        names.push_back("A long series name that goes on and on, number " + std::to_string(i));
    PanelsOnDib drawing(640, 200, names, std::vector<ValueBounds>(12, ValueBounds{0, 1}));
    const XChart& chart = drawing.chart;
    EXPECT_EQ(chart.marginRight, 160);
    const int e = drawing.canvas.TextHeight("Wg");
    const int rows = (chart.height - chart.marginBottom - chart.marginTop - 30) / e;
    ASSERT_GT(rows, 1);
    ASSERT_LT(rows, 12);
    const int left = chart.width - chart.marginRight;
    const int lastTop = chart.marginTop + 15 + (rows - 1) * e;
    EXPECT_EQ(drawing.target.Pixel(left + 17, lastTop + e / 2), kWhite);                      // no swatch
    EXPECT_EQ(drawing.target.Pixel(left + 17, lastTop - e + e / 2), kColors[(rows - 2) % 3]);  // the last named
    EXPECT_GT(drawing.Count(left + e + 15, lastTop, chart.width - 15, lastTop + e, IsInk), 0);
}

TEST(PanelChart, CalendarLabelsUnderTheirTicks)
{
    const double start = DaysFromCivil(2019, 3, 14) * kSecondsPerDay;
    const struct {
        XValueKind kind;
        double span;
        bool twoLines;
    } cases[] = {{XValueKind::Date, 400 * kSecondsPerDay, false}, {XValueKind::DateTime, 2.5 * kSecondsPerDay, true}};
    for (const auto& c : cases) {
        PanelsOnDib drawing(640, 480, {"value"}, {{0, 1}}, c.kind, start, start + c.span);
        const CalendarTicks& ticks = drawing.panels->XTicks();
        ASSERT_GT(ticks.ticks.size(), 2u);
        EXPECT_EQ(ticks.twoLines, c.twoLines);
        const XChart& chart = drawing.chart;
        const int h = drawing.canvas.TextHeight("Wg");
        const int below = chart.height - chart.marginBottom;
        ASSERT_EQ(chart.xAxis.ticks.Count(), static_cast<int>(ticks.ticks.size()));
        for (const CalendarTick& tick : ticks.ticks) {
            const int x = chart.marginLeft + chart.ValueToPixel(tick.at, 0).x;
            SCOPED_TRACE(tick.label);
            EXPECT_EQ(drawing.target.Pixel(x, below + 1), 0u);
            EXPECT_GT(drawing.Count(x - 8, below + h / 2 + 3, x + 8, below + h / 2 + 3 + h, IsInk), 0);
            const int dateInk = drawing.Count(x - 8, below + h / 2 + 3 + h, x + 8, below + h / 2 + 3 + 2 * h, IsInk);
            EXPECT_EQ(dateInk > 0, !tick.dateLabel.empty());
        }
    }
}

TEST(PanelChart, AnySizeDrawsEveryPixelWithFewerPanelsWhenSmall)
{
    const std::vector<ValueBounds> scales = {{0, 1}, {0, 1e3}, {0, 1e6}, {0, 1e9}, {0, 1e12}};
    const struct {
        int width, height, panels;
    } cases[] = {{1, 1, 1}, {3, 2, 1}, {40, 30, 1}, {160, 120, 1}, {640, 480, 4}, {3000, 40, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        PanelsOnDib drawing(c.width, c.height, {"a", "b", "c", "d", "e"}, scales);
        EXPECT_EQ(drawing.panels->PanelCount(), c.panels);
        drawing.Stream({{0, 0, 0}, {1, 5, 500}, {4, 10, 1e12}, {2, 3, kGap}, {3, 7, 1}});
        EXPECT_EQ(drawing.Count(0, 0, c.width, c.height, IsMarker), 0);
    }
}
