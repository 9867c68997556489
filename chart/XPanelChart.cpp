// A chart drawn as a stack of panels sharing the X axis.
#include "chart/XPanelChart.h"

#include "canvas/CanvasDrawing.h"
#include "chart/ChartLayout.h"
#include "chart/DrawingHelpers.h"
#include "chart/NamesLegend.h"
#include "chart/NumericFunctions.h"
#include "chart/XChart.h"

#include <cmath>
#include <utility>

namespace {

constexpr int kPanelLines = 4;         // the least height of a panel, in text lines
constexpr int kLabelGap = 3;           // between a tick mark and its label, as on the plain axes

}  // namespace

ValueBounds PaddedRange(const ValueBounds& values)
{
    const double pad = values.Span() * kRangePadding;
    const ValueBounds padded{values.min - pad, values.max + pad};
    if (values.Empty() || !std::isfinite(padded.min) || !std::isfinite(padded.max))
        return values;
    return padded;
}

XPanelChart::XPanelChart(XChart& chart, XValueKind xKind, const std::vector<ValueBounds>& bounds)
    : chart_(chart), xKind_(xKind), bounds_(bounds)
{
}

XPanelChart::~XPanelChart() = default;

// Room left for panels once the title, two lines of X labels and a caption have theirs.
int XPanelChart::MostPanels(int height, int h)
{
    if (h <= 0)
        return 1;
    const int stack = height - (5 * h + 40);
    return MaxInt(1, MinInt(kMostPanels, DivInt(stack + h, (kPanelLines + 1) * h)));
}

void XPanelChart::LayoutAndDraw()
{
    const int h = chart_.canvas.TextHeight(kTextUnitSample);
    groups_ = GroupIntoPanels(bounds_, MostPanels(chart_.height, h));
    MakePanels();
    chart_.FitTitleMargin();
    chart_.marginRight = NamesLegendMargin(chart_);
    chart_.marginLeft = FitLeftMargin();
    chart_.UpdateScales();
    ChooseXTicks();
    chart_.FitAxisMargin(1);
    if (calendar_.twoLines && h > 0)
        chart_.marginBottom += h;
    chart_.UpdateScales();
    SplitStack();

    if (chart_.visible == 0)
        return;
    SetSolidBrush(chart_.canvas, chart_.backColor);
    chart_.canvas.FillRect(ToRect(0, 0, chart_.width, chart_.height));
    chart_.DrawTitle();
    DrawNamesLegend(chart_);
    // From the bottom up: each panel's left band reaches from the top of the bitmap to just
    // below it, and must not cover the labels of the panels above.
    for (auto panel = panels_.rbegin(); panel != panels_.rend(); ++panel)
        DrawPanel(**panel);
    DrawXAxis();
    DrawYCaption();
}

void XPanelChart::MakePanels()
{
    panels_.clear();
    for (const std::vector<int>& group : groups_) {
        std::unique_ptr<XChart> panel(new XChart(chart_.canvas, chart_.width, chart_.height));
        panel->visible = chart_.visible;
        panel->backColor = chart_.backColor;
        panel->plotBackColor = chart_.plotBackColor;
        panel->gridColor = chart_.gridColor;
        panel->frameColor = chart_.frameColor;
        panel->yAxis.labelDecimals = chart_.yAxis.labelDecimals;
        panel->yAxis.showCaption = chart_.yAxis.showCaption;   // for its room only
        panel->xAxis.SetRange(chart_.xAxis.min, chart_.xAxis.max);
        const ValueBounds range = PaddedRange(UnionOf(bounds_, group));
        if (!range.Empty() && range.Span() == 0) {
            // Not inside the axis' own 0 to 100 then: a constant gets a range around it.
            panel->yAxis.min = range.min;
            panel->yAxis.max = range.max;
        }
        if (!range.Empty())
            panel->yAxis.SetRange(range.min, range.max);
        panels_.push_back(std::move(panel));
    }
}

// The widest of the panels' Y labels sets the one left edge they share.
int XPanelChart::FitLeftMargin()
{
    int left = 0;
    for (const auto& panel : panels_) {
        panel->FitAxisMargin(0);
        left = MaxInt(left, panel->marginLeft);
    }
    return panels_.empty() ? chart_.marginLeft : left;
}

void XPanelChart::ChooseXTicks()
{
    const XCanvas& canvas = chart_.canvas;
    calendar_ = ChooseCalendarTicks(chart_.xAxis.min, chart_.xAxis.max, chart_.width - chart_.marginRight - chart_.marginLeft,
                                    xKind_, [&canvas](const char* text) { return canvas.TextWidth(text); });
    if (calendar_.ticks.empty())
        return;
    for (const auto& panel : panels_) {
        panel->xAxis.ticks.Clear();
        for (const CalendarTick& tick : calendar_.ticks)
            panel->xAxis.ticks.Add(tick.at);
    }
}

// Panels of equal height, a text line apart; the last one ends where the X axis begins.
void XPanelChart::SplitStack()
{
    const int h = chart_.canvas.TextHeight(kTextUnitSample);
    const int top = chart_.marginTop;
    const int bottom = chart_.height - chart_.marginBottom;
    const int count = static_cast<int>(panels_.size());
    const int each = DivInt(bottom - top - (count - 1) * h, MaxInt(count, 1));
    for (int i = 0; i < count; ++i) {
        XChart& panel = *panels_[static_cast<std::size_t>(i)];
        panel.marginLeft = chart_.marginLeft;
        panel.marginRight = chart_.marginRight;
        panel.marginTop = top + i * (each + h);
        panel.marginBottom = i == count - 1 ? chart_.marginBottom : chart_.height - (panel.marginTop + each);
        panel.UpdateScales();
    }
}

void XPanelChart::DrawPanel(XChart& panel)
{
    const int showCaption = panel.yAxis.showCaption;
    panel.yAxis.showCaption = 0;   // one caption for the whole stack
    panel.DrawYAxis();
    panel.yAxis.showCaption = showCaption;
    SetSolidBrush(chart_.canvas, chart_.plotBackColor);
    SetSolidPen(chart_.canvas, chart_.frameColor);
    const XRect plot = panel.PlotRect();
    chart_.canvas.DrawRect(plot.left, plot.top, plot.right, plot.bottom);
    panel.DrawPlot();
}

// The chart's own X axis below the stack; calendar labels are written by the calendar,
// the date of a time of day on a second line.
void XPanelChart::DrawXAxis()
{
    if (calendar_.ticks.empty()) {
        chart_.DrawXAxis();
        return;
    }
    chart_.xAxis.ticks.Clear();
    chart_.DrawXAxis();   // bands and caption
    XCanvas& canvas = chart_.canvas;
    const int h = canvas.TextHeight(kTextUnitSample);
    const int t = DivInt(h, 2);
    const int below = chart_.height - chart_.marginBottom;
    for (const CalendarTick& tick : calendar_.ticks) {
        chart_.xAxis.ticks.Add(tick.at);
        const int x = ClampToFar(chart_.marginLeft + ClampToFar(chart_.ValueToPixel(tick.at, 0).x));
        canvas.MoveTo(x, below);
        canvas.LineTo(x, below + t);
        canvas.DrawString(x - DivInt(canvas.TextWidth(tick.label.c_str()), 2), below + t + kLabelGap, tick.label.c_str());
        if (!tick.dateLabel.empty())
            canvas.DrawString(x - DivInt(canvas.TextWidth(tick.dateLabel.c_str()), 2), below + t + kLabelGap + h,
                              tick.dateLabel.c_str());
    }
}

// Centred on the whole stack, as on a plain chart.
void XPanelChart::DrawYCaption()
{
    if (chart_.yAxis.showCaption != 1)
        return;
    SetSolidBrush(chart_.canvas, chart_.backColor);
    chart_.DrawYCaption();
}
