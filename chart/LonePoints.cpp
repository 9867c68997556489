// Which points of a chart's series stand alone between gaps.
#include "chart/LonePoints.h"

#include <cmath>

namespace {

// Beyond its first point a run only counts to two: only its first can stand alone.
void Extend(LonePoints::Run& run, double x, double y)
{
    if (run.points == 0)
        run.point = XDblPoint(x, y);
    if (run.points < 2)
        ++run.points;
}

}  // namespace

void LonePoints::Reset(std::size_t seriesCount)
{
    series_.assign(seriesCount, SeriesRuns());
}

// A later half's first run may go on from the earlier half's last: the join tells whether it
// stands alone, not the later half's first gap.
bool LonePoints::NextAfterGapOrStart(SeriesRuns& runs, double x, double y, XDblPoint& lone)
{
    if (std::isnan(x) || std::isnan(y)) {
        const bool dot = runs.current.points == 1 && (span_ != Span::LaterHalf || runs.gapSeen);
        lone = runs.current.point;
        runs.current = Run();
        runs.gapSeen = true;
        return dot;
    }
    if (!runs.gapSeen)
        Extend(runs.leading, x, y);
    Extend(runs.current, x, y);
    return false;
}

// An earlier half's last run goes on into the later half; a later half's last run is its
// first too when it has no gap, and then the join tells.
bool LonePoints::LoneAtEnd(int series, XDblPoint& lone) const
{
    const SeriesRuns& runs = series_[static_cast<std::size_t>(series)];
    lone = runs.current.point;
    switch (span_) {
    case Span::Whole:
        return runs.current.points == 1;
    case Span::LaterHalf:
        return runs.current.points == 1 && runs.gapSeen;
    default:
        return false;
    }
}

bool LonePoints::LoneAcross(int series, const LonePoints& later, XDblPoint& lone) const
{
    const Run& before = series_[static_cast<std::size_t>(series)].current;
    const Run after = static_cast<std::size_t>(series) < later.series_.size()
                          ? later.series_[static_cast<std::size_t>(series)].leading
                          : Run();
    lone = before.points ? before.point : after.point;
    return before.points + after.points == 1;
}
