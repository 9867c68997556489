// Plain geometry records of the chart engine and the flag selector.
#pragma once

struct XRect {
    int left = 0;
    int top = 0;
    int right = 0;    // excluded, as in a Windows RECT
    int bottom = 0;   // excluded

    XRect() = default;
    XRect(int left, int top, int right, int bottom) : left(left), top(top), right(right), bottom(bottom) {}
};

struct XPoint {
    int x = 0;
    int y = 0;
};

struct XDblPoint {
    double x = 0.0;
    double y = 0.0;

    XDblPoint() = default;
    XDblPoint(double x, double y) : x(x), y(y) {}
};

// Fields in the order xMin, xMax, yMin, yMax; constructed from (xMin, yMin, xMax, yMax).
struct XDblRect {
    double xMin = 0.0;
    double xMax = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;

    XDblRect() = default;
    XDblRect(double xMin, double yMin, double xMax, double yMax) : xMin(xMin), xMax(xMax), yMin(yMin), yMax(yMax) {}
};

XPoint MakePoint(int x, int y);

// whenOne when flag is exactly 1, otherwise in every other case (a flag of 2 included).
int PickIf(int flag, int whenOne, int otherwise);

// The rectangle grown by dx and dy on each side; negative amounts shrink it.
XRect InflatedRect(const XRect& r, int dx, int dy);
