// The second pass over a panelled chart: each series' points, as they come one at a time,
// drawn into its panel. A point that is not a number is a gap: the line stops there and
// starts again after it; a point alone between two gaps (or a gap and an end) is drawn as
// a dot of 3 by 3 pixels.
#pragma once

#include "xlib/XObject.h"

#include <memory>
#include <vector>

class XPanelChart;
class XStreamedSeries;

class XPanelStreams : public XObject {
public:
    // After XPanelChart::LayoutAndDraw. Series n is drawn in the colour of the chart's
    // series n. The panels share the memory budget.
    explicit XPanelStreams(XPanelChart& panels, long long memoryBudget = kMemoryBudget);
    ~XPanelStreams() override;
    XPanelStreams(const XPanelStreams&) = delete;
    XPanelStreams& operator=(const XPanelStreams&) = delete;

    // As XStreamedSeries: while this is true, every point of the file goes to Point, then
    // EndGroup draws what the group holds. Points of series outside the group are passed
    // over. The points of the series may come mixed or one series after another.
    bool NextGroup();
    void Point(int series, double x, double y);
    void EndGroup();

    static constexpr long long kMemoryBudget = 16LL << 20;

private:
    struct Stream;   // one panel's series
    struct Run;      // where a series' line is: its last point, and whether it stands alone

    void Dot(int series, const Run& run);

    XPanelChart& panels_;
    std::vector<std::unique_ptr<Stream>> streams_;
    std::vector<int> panelOf_;     // of each series
    std::vector<int> indexInPanel_;
    std::vector<Run> runs_;
};
