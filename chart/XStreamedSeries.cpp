// The lines of a chart's series drawn from points that come one at a time.
#include "chart/XStreamedSeries.h"

#include "canvas/CanvasDrawing.h"
#include "canvas/PlotMask.h"
#include "canvas/XCanvas.h"
#include "chart/DrawingHelpers.h"
#include "chart/LineRunDrawer.h"
#include "chart/SegmentBatch.h"
#include "chart/XChart.h"

struct XStreamedSeries::TurnLine {
    explicit TurnLine(HDC dc) : batch(dc), runs(batch) {}

    SegmentBatch batch;
    LineRunDrawer<SegmentBatch> runs;
    LineEnd end;
    ColumnSpan span;
};

XStreamedSeries::XStreamedSeries(XChart& chart, int seriesCount, Order order, const SeriesPalette& palette,
                                 long long memoryBudget)
    : chart_(chart), mapping_(chart), interior_(chart.PlotInterior()),
      seriesCount_(seriesCount > 0 && chart.visible && chart.canvas.dc ? seriesCount : 0),
      held_((order == Order::SeriesMixed && seriesCount > 1) || order == Order::FileHalf), palette_(palette),
      pens_(chart.canvas)
{
    memory_.budget = memoryBudget;
    if (interior_.right <= interior_.left || interior_.bottom <= interior_.top) {
        groupEnd_ = seriesCount_;   // nothing of a line can show
        return;
    }
    if (held_)
        masks_.reset(new PlotMaskDc(ToRect(interior_)));
}

XStreamedSeries::~XStreamedSeries() = default;

bool XStreamedSeries::NextGroup()
{
    if (groupEnd_ >= seriesCount_)
        return false;
    groupBegin_ = groupEnd_;
    if (!held_) {
        groupEnd_ = seriesCount_;
        ClipToRect(chart_.canvas.dc, interior_);
        turn_.reset(new TurnLine(chart_.canvas.dc));
        turnSeries_ = -1;
        return true;
    }
    const long long fitting = memory_.budget / static_cast<long long>(sizeof(HeldLine) + 64);
    const long long left = seriesCount_ - groupBegin_;
    groupEnd_ = groupBegin_ + static_cast<int>(left < fitting ? left : (fitting > 0 ? fitting : 1));
    lines_.clear();
    lines_.reserve(static_cast<std::size_t>(groupEnd_ - groupBegin_));
    for (int series = groupBegin_; series < groupEnd_; ++series)
        lines_.emplace_back(new HeldLine(*masks_, memory_));
    return true;
}

void XStreamedSeries::Point(int series, double x, double y)
{
    if (!InGroup(series))
        return;
    if (!mappedAny_ || !(x == lastX_.value)) {
        lastX_ = mapping_.MapX(x);
        mappedAny_ = true;
    }
    if (!held_) {
        if (series != turnSeries_)
            StartTurnSeries(series);
        TurnLine& line = *turn_;
        if (line.span.HoldIfWithin(lastX_, y, line.runs.SettledAt(PointColumn())))
            return;
        ReleaseTurnHeld();
        DrawTurn(mapping_.MapWithX(lastX_, y));
        return;
    }
    HeldLine& line = *lines_[static_cast<std::size_t>(series - groupBegin_)];
    if (line.span.HoldIfWithin(lastX_, y, line.RunSettledAt(PointColumn())))
        return;   // the point held before changes nothing now
    ReleaseHeld(line);
    if (InGroup(series))   // unless drawing the held point gave the line to the next group
        DrawHeld(line, mapping_.MapWithX(lastX_, y));
}

// A point of a held line drawn: the segment to it from the line's end.
void XStreamedSeries::DrawHeld(HeldLine& line, const MappedPoint& p)
{
    int x1, y1, x2, y2;
    if (mapping_.Extend(line.end, p, x1, y1, x2, y2))
        line.Segment(x1, y1, x2, y2);
    line.span.Track(p);
    if (memory_.Over())
        ShedOverBudget();   // now that no line is in the middle of an addition
}

// The point held back, drawn now that a later one does not replace it.
void XStreamedSeries::ReleaseHeld(HeldLine& line)
{
    MappedX x;
    double y;
    if (line.span.Release(x, y))
        DrawHeld(line, mapping_.MapWithX(x, y));
}

void XStreamedSeries::DrawTurn(const MappedPoint& p)
{
    int x1, y1, x2, y2;
    if (mapping_.Extend(turn_->end, p, x1, y1, x2, y2))
        turn_->runs.Segment(x1, y1, x2, y2);
    turn_->span.Track(p);
}

void XStreamedSeries::ReleaseTurnHeld()
{
    MappedX x;
    double y;
    if (turn_->span.Release(x, y))
        DrawTurn(mapping_.MapWithX(x, y));
}

void XStreamedSeries::StartTurnSeries(int series)
{
    FinishTurnSeries();
    turnSeries_ = series;
    pens_.Select(DrawColor(series));
    turn_->end = LineEnd();
    turn_->span = ColumnSpan();
}

void XStreamedSeries::FinishTurnSeries()
{
    if (turnSeries_ < 0)
        return;
    ReleaseTurnHeld();
    turn_->runs.Flush();
    turn_->batch.Flush();
}

COLORREF XStreamedSeries::DrawColor(int series) const
{
    return chart_.SeriesDrawColor(palette_.ColorOf(series));
}

// Gives the group's last series back to the next group until the rest fits; the first
// series stays, whatever it holds (at most a mask and a batch).
void XStreamedSeries::ShedOverBudget()
{
    while (memory_.Over() && lines_.size() > 1) {
        lines_.pop_back();
        --groupEnd_;
    }
}

void XStreamedSeries::EndGroup()
{
    if (!held_) {
        if (!turn_)
            return;
        FinishTurnSeries();
        ClearClip(chart_.canvas.dc);
        turn_.reset();
        turnSeries_ = -1;
        return;
    }
    FinishGroup();
    DrawGroup(nullptr);
}

void XStreamedSeries::FinishGroup()
{
    for (std::size_t i = 0; i < lines_.size(); ++i)
        ReleaseHeld(*lines_[i]);   // may shed the group's last lines
    for (const auto& line : lines_)
        line->Flush();
}

// Each line of the group over the plot, in series order; with the later half, its line of
// the series after the earlier half's, and the segment that joins them.
void XStreamedSeries::DrawGroup(XStreamedSeries* laterHalf)
{
    ClipToRect(chart_.canvas.dc, interior_);
    const std::size_t laterLines = laterHalf ? laterHalf->lines_.size() : 0;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const COLORREF color = DrawColor(groupBegin_ + static_cast<int>(i));
        if (i < laterLines)
            JoinHalves(*lines_[i], *laterHalf->lines_[i]);
        lines_[i]->Draw(chart_.canvas.dc, pens_, color);
        if (i < laterLines)
            laterHalf->lines_[i]->Draw(chart_.canvas.dc, pens_, color);
    }
    ClearClip(chart_.canvas.dc);
    lines_.clear();
    if (laterHalf)
        laterHalf->lines_.clear();
}

// The segment from the earlier half's last point to the later half's first.
void XStreamedSeries::JoinHalves(HeldLine& earlier, const HeldLine& later)
{
    int x1, y1, x2, y2;
    if (earlier.end.started && later.end.started &&
        mapping_.SegmentPixels(earlier.end.last, later.end.first, x1, y1, x2, y2)) {
        earlier.Segment(x1, y1, x2, y2);
        earlier.Flush();
    }
}
