// The bounds of all points of one CSV load.
#include "csv/DataRange.h"

void UpdateDataRange(DataRange& range, int first, double x, double y)
{
    if (first || range.empty) {
        range.minX = range.maxX = x;
        range.minY = range.maxY = y;
        range.empty = false;
        return;
    }
    if (x < range.minX)
        range.minX = x;
    if (x > range.maxX)
        range.maxX = x;
    if (y < range.minY)
        range.minY = y;
    if (y > range.maxY)
        range.maxY = y;
}
