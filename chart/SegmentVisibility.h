// Whether a point or a segment of data touches the data window (inclusive bounds).
#pragma once

#include "chart/Geometry.h"

int PointInDblRect(const XDblRect& window, const XDblPoint& p);

// For a segment neither of whose ends lies in the window: 1 when it still crosses it.
int SegmentMeetsDblRect(const XDblRect& window, const XDblPoint& p1, const XDblPoint& p2);
