// A chart drawn as a stack of panels that share the X axis, each with its own Y axis, ticks
// and grid, for series of different scales: every group of similar scale in its own panel.
// The X axis is numeric or, for dates and times, calendar ticks. The series' names are
// listed in the right band. The lines themselves come later (XPanelStreams).
#pragma once

#include "chart/CalendarTicks.h"
#include "chart/PanelGrouping.h"
#include "xlib/XObject.h"

#include <memory>
#include <vector>

class XChart;

// The range a panel's Y axis shows for its series' values: 5% of their span added on both
// sides, so that a line at either extreme lies inside the frame, not under it.
ValueBounds PaddedRange(const ValueBounds& values);
constexpr double kRangePadding = 0.05;

class XPanelChart : public XObject {
public:
    // `chart` holds the canvas, the size, the title, the captions, the X range (through
    // SetDataRange) and one XSeries for each series, in order, with its name (UTF-8) and
    // colour; their points are not needed. `bounds`: each series' Y values.
    XPanelChart(XChart& chart, XValueKind xKind, const std::vector<ValueBounds>& bounds);
    ~XPanelChart() override;
    XPanelChart(const XPanelChart&) = delete;
    XPanelChart& operator=(const XPanelChart&) = delete;

    // 1. The panels, as many as the height holds (each at least four text lines high).
    // 2. Margins: title, legend, Y labels (the widest of all panels), X labels.
    // 3. The panels' share of the stack, a text line apart.
    // 4. Everything but the series' lines.
    void LayoutAndDraw();

    XChart& Chart() const { return chart_; }
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    // A panel: its plot rectangle, Y range and scales; the X range of the chart.
    XChart& Panel(int index) const { return *panels_[static_cast<std::size_t>(index)]; }
    // Series indices for each panel, after LayoutAndDraw.
    const std::vector<std::vector<int>>& Groups() const { return groups_; }
    // The calendar's X ticks; empty for a numeric X axis (or when no calendar step fits).
    const CalendarTicks& XTicks() const { return calendar_; }

    // The most panels a chart of this height has room for, with text lines h high.
    static int MostPanels(int height, int h);

private:
    void MakePanels();
    int FitLeftMargin();
    void ChooseXTicks();
    void SplitStack();
    void DrawPanel(XChart& panel);
    void DrawXAxis();
    void DrawYCaption();

    XChart& chart_;
    const XValueKind xKind_;
    const std::vector<ValueBounds> bounds_;
    std::vector<std::vector<int>> groups_;
    std::vector<std::unique_ptr<XChart>> panels_;
    CalendarTicks calendar_;
};
