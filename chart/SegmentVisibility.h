// Whether a point or a segment of data touches the data window (inclusive bounds).
#pragma once

#include "chart/Geometry.h"

// 1 when the point lies in the window (inclusive bounds).
inline int PointInDblRect(const XDblRect& window, const XDblPoint& p)
{
    return window.xMin <= p.x && p.x <= window.xMax && window.yMin <= p.y && p.y <= window.yMax ? 1 : 0;
}

// For a segment neither of whose ends lies in the window: 1 when it still crosses it.
int SegmentMeetsDblRect(const XDblRect& window, const XDblPoint& p1, const XDblPoint& p2);
