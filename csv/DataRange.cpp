// The bounds of all points of the last CSV load.
#include "csv/DataRange.h"

DataRangeRecord DataRange;

namespace {

// True until a load has seen its first point.
bool rangeEmpty = true;

}  // namespace

void ResetDataRange()
{
    DataRange = DataRangeRecord();
    rangeEmpty = true;
}

void UpdateDataRange(int first, double x, double y)
{
    if (first || rangeEmpty) {
        DataRange.minX = DataRange.maxX = x;
        DataRange.minY = DataRange.maxY = y;
        rangeEmpty = false;
        return;
    }
    if (x < DataRange.minX)
        DataRange.minX = x;
    if (x > DataRange.maxX)
        DataRange.maxX = x;
    if (y < DataRange.minY)
        DataRange.minY = y;
    if (y > DataRange.maxY)
        DataRange.maxY = y;
}
