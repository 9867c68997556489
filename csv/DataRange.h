// The bounds of all points of the last CSV load, kept for the whole process.
#pragma once

struct DataRangeRecord {
    double minX = 0.0;
    double maxX = 0.0;
    double minY = 0.0;
    double maxY = 0.0;
};

extern DataRangeRecord DataRange;

// Forgets the bounds of earlier loads: all four become 0.0, and the next point, whatever
// its place in the file, starts the new bounds.
void ResetDataRange();

// Starts the bounds at (x, y) for the first point of a load, otherwise widens them to it.
// An unordered comparison (an infinity beside itself) keeps the stored bound.
void UpdateDataRange(int first, double x, double y);
