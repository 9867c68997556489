// Plain geometry records of the chart engine and the flag selector.
#include "chart/Geometry.h"

XPoint MakePoint(int x, int y)
{
    XPoint p;
    p.x = x;
    p.y = y;
    return p;
}

int PickIf(int flag, int whenOne, int otherwise)
{
    return flag == 1 ? whenOne : otherwise;
}

XRect InflatedRect(const XRect& r, int dx, int dy)
{
    return XRect(r.left - dx, r.top - dy, r.right + dx, r.bottom + dy);
}
