// The lines of a chart's series drawn from points that come one at a time and are not kept:
// the same pixels XChart::DrawSeries sets for kept points, in memory that does not grow
// with the number of points.
#pragma once

#include "chart/SeriesMapping.h"
#include "xlib/XObject.h"

#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

class XChart;

class XStreamedSeries : public XObject {
public:
    // Drawn over the chart's plot as laid out and drawn now (without series). Series n has
    // colour n mod colorCount of the palette. `interleaved`: the points of different series
    // come mixed (a CSV file's columns); otherwise every point of a series comes before
    // the next series begins (its lines), and each series is drawn as it comes.
    // `continued`: the lines are kept even for a single series, for one part of a file read
    // in two parts at once (see DrawGroup).
    XStreamedSeries(XChart& chart, int seriesCount, bool interleaved, const COLORREF* colors, int colorCount,
                    long long memoryBudget = kMemoryBudget, bool continued = false);
    ~XStreamedSeries() override;

    // Interleaved series are drawn in groups that fit the memory budget: each holds, for each
    // of its series, the segments of its line (joined where they run along a column) or,
    // once those would take more room than a mask of the plot (a bit a pixel), that mask.
    // Each group needs the points of its series once. A group that outgrows the budget
    // gives its last series back to the next group. True while there is a group to draw,
    // which this starts.
    bool NextGroup();
    bool InGroup(int series) const { return series >= groupBegin_ && series < groupEnd_; }

    // The next point of the series; points of series outside the group are passed over.
    void Point(int series, double x, double y);

    // Draws what the group holds, in series order, later series over earlier ones.
    void EndGroup();

    // The two halves of EndGroup, for a file read in two parts at once, each part into an
    // object of its own with the same group: FinishGroup on each part's thread when its
    // points are in, then DrawGroup on the first part's object with the second part's.
    // Each series is drawn from both parts, with the segment that joins them.
    void FinishGroup();
    void DrawGroup(XStreamedSeries* continuation);

    static constexpr long long kMemoryBudget = 16LL << 20;

private:
    struct Line;         // an interleaved series of the group: its last point, its segments
    struct DirectLine;   // the series drawn now when series come one after another
    struct MaskContext;  // where masks are drawn, one at a time

    void StartDirectSeries(int series);
    void FinishDirectSeries();
    COLORREF DrawColor(int series) const;
    HPEN PenFor(COLORREF color);
    void Account(long long bytes);
    void ShedOverBudget();
    void ToMask(Line& line);
    void DrawIntoMask(Line& line);
    void DrawLine(const Line& line, COLORREF color);
    void JoinParts(Line& line, const Line& next);

    XChart& chart_;
    const SeriesMapping mapping_;
    const XRect interior_;
    const int seriesCount_;
    const bool interleaved_;
    const COLORREF* colors_;
    const int colorCount_;
    const long long memoryBudget_;
    long long maskBytes_ = 0;
    int groupBegin_ = 0;
    int groupEnd_ = 0;
    std::vector<std::pair<COLORREF, HPEN>> pens_;   // a pen for each colour met so far
    // Series one after another: the one drawn now.
    std::unique_ptr<DirectLine> direct_;
    int directSeries_ = -1;
    // Interleaved series: the group's lines and their memory, and the context their masks
    // are drawn in (declared after the lines: it lets go of a mask before a line deletes it).
    std::vector<std::unique_ptr<Line>> lines_;
    long long bytesHeld_ = 0;
    MappedPoint lastMapped_;   // the last point mapped, whose X the next point may share
    bool mappedAny_ = false;
    bool overBudget_ = false;
    std::unique_ptr<MaskContext> masks_;
};
