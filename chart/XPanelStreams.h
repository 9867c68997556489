// The second pass over a panelled chart: each series' points, as they come one at a time,
// drawn into its panel. A point that is not a number is a gap: the line stops there and
// starts again after it; a point alone between two gaps (or a gap and an end) is drawn as
// a dot of 3 by 3 pixels. A file read in two halves at once goes to two of these, one a
// half, drawn together.
#pragma once

#include "chart/LonePoints.h"
#include "chart/XStreamedSeries.h"
#include "xlib/XObject.h"

#include <memory>
#include <vector>

class XPanelChart;

class XPanelStreams : public XObject {
public:
    // After XPanelChart::LayoutAndDraw. Series n is drawn in the colour of the chart's
    // series n. The panels share the memory budget. `span`: what of the file the points are.
    explicit XPanelStreams(XPanelChart& panels, long long memoryBudget = kMemoryBudget,
                           LonePoints::Span span = LonePoints::Span::Whole);
    ~XPanelStreams() override;
    XPanelStreams(const XPanelStreams&) = delete;
    XPanelStreams& operator=(const XPanelStreams&) = delete;

    // As XStreamedSeries: while this is true, every point of the file goes to Point, then
    // EndGroup draws what the group holds. Points of series outside the group are passed
    // over. The points of the series may come mixed or one series after another.
    bool NextGroup();
    // Inline in the walk's loop: most points go straight on to their panel's lines.
    void Point(int series, double x, double y)
    {
        if (series < 0 || series >= static_cast<int>(linesOf_.size()))
            return;
        const SeriesLines& target = linesOf_[static_cast<std::size_t>(series)];
        if (!target.lines)
            return;
        if (lonePoints_.InRun(series, x, y))
            target.lines->Point(target.index, x, y);
        else
            PointAfterGapOrStart(series, target, x, y);
    }
    void EndGroup();
    // XStreamedSeries::OneColumn in the series' panel; true for a series in none.
    bool OneColumn(int series, double x1, double x2, double low, double high) const;

    // As XStreamedSeries, for the two halves of a file, each into an object of its own:
    // NextGroup on both, which must then hold every series of every panel; FinishGroup on
    // each half's thread when its points are in; DotAcross on the earlier half's object with
    // the later half's (which may take more memory: see HoldsAllSeries), then DrawGroup.
    bool HoldsAllSeries() const;
    void FinishGroup();
    // The dots of runs that cross from the earlier half into the later one.
    void DotAcross(const XPanelStreams& laterHalf);
    void DrawGroup(XPanelStreams* laterHalf);

    static constexpr long long kMemoryBudget = 16LL << 20;

private:
    struct Stream;   // one panel's series

    struct SeriesLines;
    void PointAfterGapOrStart(int series, const SeriesLines& target, double x, double y);
    XStreamedSeries* LinesOf(int series) const;
    void Dot(int series, const XDblPoint& point);

    XPanelChart& panels_;
    std::vector<std::unique_ptr<Stream>> streams_;
    std::vector<int> panelOf_;     // of each series
    std::vector<int> indexInPanel_;
    // Of each series in the group now: its panel's lines (else null) and its index there,
    // side by side, as every point needs both.
    struct SeriesLines {
        XStreamedSeries* lines = nullptr;
        int index = -1;
    };
    std::vector<SeriesLines> linesOf_;
    LonePoints lonePoints_;
};
