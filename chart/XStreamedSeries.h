// The lines of a chart's series drawn from points that come one at a time and are not kept:
// the same pixels XChart::DrawSeries sets for kept points, in memory that does not grow
// with the number of points.
#pragma once

#include "canvas/SolidPens.h"
#include "chart/Geometry.h"
#include "chart/HeldLine.h"
#include "chart/SeriesMapping.h"
#include "chart/SeriesPalette.h"
#include "xlib/XObject.h"
#include "xlib/XOwnLines.h"

#include <memory>
#include <vector>

class XChart;

class alignas(kOwnLines) XStreamedSeries : public XObject {
public:
    // How the points of the series come.
    enum class Order {
        SeriesInTurn,   // every point of a series before the next begins (a file's lines)
        SeriesMixed,    // the points of different series mixed (a file's columns)
        FileHalf,       // mixed, from one half of a file read in two halves at once
    };

    // Drawn over the chart's plot as laid out and drawn now (without series), series n in
    // the palette's colour n. Series in turn, and a single series, are drawn as they come;
    // mixed ones in groups (see NextGroup). A file's half holds its lines even for a single
    // series, until DrawGroup draws them with the other half's.
    XStreamedSeries(XChart& chart, int seriesCount, Order order, const SeriesPalette& palette,
                    long long memoryBudget = kMemoryBudget);
    ~XStreamedSeries() override;

    // Mixed series are drawn in groups that fit the memory budget: each holds, for each of
    // its series, a HeldLine. Each group needs the points of its series once. A group that
    // outgrows the budget gives its last series back to the next group. True while there
    // is a group to draw, which this starts.
    bool NextGroup();
    bool InGroup(int series) const { return series >= groupBegin_ && series < groupEnd_; }
    // The group is the first and holds every series: a file's half needs that.
    bool HoldsAllSeries() const { return groupBegin_ == 0 && groupEnd_ >= seriesCount_; }

    // The next point of the series; points of series outside the group are passed over.
    void Point(int series, double x, double y);

    // Draws what the group holds, in series order, later series over earlier ones.
    void EndGroup();

    // Whether points with X from x1 to x2 and Y from low to high all land in one pixel
    // column of the plot, inside the data window and the exact range.
    bool OneColumn(double x1, double x2, double low, double high) const
    {
        const MappedPoint a = mapping_.Map(x1, low);
        const MappedPoint b = mapping_.Map(x2, high);
        return a.exact && b.exact && a.inWindow && b.inWindow && a.px == b.px;
    }

    // The two steps of EndGroup, for a file read in two halves at once, each half into an
    // object of its own with the same group: FinishGroup on each half's thread when its
    // points are in, then DrawGroup on the earlier half's object with the later half's.
    // Each series is drawn from both halves, with the segment that joins them.
    void FinishGroup();
    void DrawGroup(XStreamedSeries* laterHalf);

    static constexpr long long kMemoryBudget = 16LL << 20;

private:
    struct TurnLine;   // the series drawn now when series come in turn

    void StartTurnSeries(int series);
    // The device column of the point whose X was mapped last.
    int PointColumn() const { return mapping_.Plot().left + lastX_.px; }
    void DrawTurn(const MappedPoint& p);
    void ReleaseTurnHeld();
    void FinishTurnSeries();
    COLORREF DrawColor(int series) const;
    void ShedOverBudget();
    void DrawHeld(HeldLine& line, const MappedPoint& p);
    void ReleaseHeld(HeldLine& line);
    void JoinHalves(HeldLine& earlier, const HeldLine& later);

    XChart& chart_;
    const SeriesMapping mapping_;
    const XRect interior_;
    const int seriesCount_;
    const bool held_;   // lines held for groups, not drawn as they come
    const SeriesPalette palette_;
    SolidPens pens_;
    int groupBegin_ = 0;
    int groupEnd_ = 0;
    MappedX lastX_;   // the last X mapped, which the next point may share
    bool mappedAny_ = false;
    // Series in turn: the one drawn now.
    std::unique_ptr<TurnLine> turn_;
    int turnSeries_ = -1;
    // Held lines: where their masks are drawn, their memory, the group's lines.
    std::unique_ptr<PlotMaskDc> masks_;
    LineMemory memory_;
    std::vector<std::unique_ptr<HeldLine>> lines_;
};
