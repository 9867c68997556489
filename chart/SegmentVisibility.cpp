// Whether a point or a segment of data touches the data window.
#include "chart/SegmentVisibility.h"

namespace {

bool Within(double low, double value, double high)
{
    return low <= value && value <= high;
}

}  // namespace

int SegmentMeetsDblRect(const XDblRect& window, const XDblPoint& p1, const XDblPoint& p2)
{
    double dx = p2.x - p1.x;
    double dy = p2.y - p1.y;
    if (dx == 0 && dy == 0)
        return 0;
    // Both ends beyond the same side.
    if ((p1.x < window.xMin && p2.x < window.xMin) || (p1.x > window.xMax && p2.x > window.xMax) ||
        (p1.y < window.yMin && p2.y < window.yMin) || (p1.y > window.yMax && p2.y > window.yMax))
        return 0;
    if (dx == 0)
        return Within(window.xMin, p1.x, window.xMax) ? 1 : 0;
    if (dy == 0)
        return Within(window.yMin, p1.y, window.yMax) ? 1 : 0;
    // Where the line through both points meets each window edge.
    double m = dy / dx;
    double b = p1.y - m * p1.x;
    if (Within(window.xMin, (window.yMin - b) / m, window.xMax))
        return 1;
    if (Within(window.xMin, (window.yMax - b) / m, window.xMax))
        return 1;
    if (Within(window.yMin, m * window.xMin + b, window.yMax))
        return 1;
    if (Within(window.yMin, m * window.xMax + b, window.yMax))
        return 1;
    return 0;
}
