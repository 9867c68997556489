// The bounds of all points of one CSV load.
#pragma once

struct DataRange {
    double minX = 0.0;
    double maxX = 0.0;
    double minY = 0.0;
    double maxY = 0.0;
    bool empty = true;   // no point seen yet: the next one starts the bounds
};

// Starts the bounds at (x, y) for the first point of a load (and for the first point the
// range sees at all, wherever it stands in the file), otherwise widens them to it. An
// unordered comparison (an infinity beside itself) keeps the stored bound.
inline void UpdateDataRange(DataRange& range, int first, double x, double y)
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
