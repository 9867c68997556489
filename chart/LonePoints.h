// Which points of a chart's series stand alone, between two gaps or a gap and an end of the
// points, as the points come one at a time: those are drawn as dots. A file read in two
// halves at once may have a run of points that crosses from one half into the other; each
// half then leaves the run at its edge to the join, where the earlier half's last run and
// the later half's first run make one.
#pragma once

#include "chart/Geometry.h"
#include "xlib/XOwnLines.h"

#include <vector>

class LonePoints {
public:
    // What of a file the points are: all of it, or one of its two halves.
    enum class Span { Whole, EarlierHalf, LaterHalf };

    explicit LonePoints(Span span) : span_(span) {}

    // Series 0 to count - 1, with no point yet.
    void Reset(std::size_t seriesCount);

    // The series' next point, a gap when x or y is not a number. True, with the point,
    // when this gap ends a run of a single point that this span draws as a dot.
    bool Next(int series, double x, double y, XDblPoint& lone)
    {
        if (series < 0 || series >= static_cast<int>(series_.size()))
            return false;
        SeriesRuns& runs = series_[static_cast<std::size_t>(series)];
        // A run past its second point is no longer followed until a gap ends it; its
        // leading run, before any gap, is the same run.
        if (runs.current.points == 2 && x == x && y == y)
            return false;
        return NextAfterGapOrStart(runs, x, y, lone);
    }

    // Whether the point goes on a run past its second point, which Next passes by: the
    // caller's quick test. The series must be in range.
    bool InRun(int series, double x, double y) const
    {
        return series_[static_cast<std::size_t>(series)].current.points == 2 && x == x && y == y;
    }

    // After the last point: true, with the point, when the series' last run is a single
    // point that this span draws as a dot.
    bool LoneAtEnd(int series, XDblPoint& lone) const;

    // Of the earlier half, with the later half's: true, with the point, when the run that
    // crosses from one into the other is a single point.
    bool LoneAcross(int series, const LonePoints& later, XDblPoint& lone) const;

    // A run of points between gaps.
    struct Run {
        XDblPoint point;   // its first
        int points = 0;    // 0, 1, or 2 for two or more
    };

private:
    struct SeriesRuns {
        Run leading;       // before the first gap
        Run current;       // since the last gap
        bool gapSeen = false;
    };

    bool NextAfterGapOrStart(SeriesRuns& runs, double x, double y, XDblPoint& lone);

    const Span span_;
    std::vector<SeriesRuns, XOwnLinesAllocator<SeriesRuns>> series_;
};
