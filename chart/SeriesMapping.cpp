// Where the points and segments of a series land on the plot.
#include "chart/SeriesMapping.h"

#include "chart/NumericFunctions.h"
#include "chart/XChart.h"

namespace {

constexpr double kInfiniteOffset = 1e18;

double Finite(double offset)
{
    if (std::isinf(offset))
        return offset > 0 ? kInfiniteOffset : -kInfiniteOffset;
    return offset;
}

// Liang-Barsky: cuts the segment a-b to the box [low, high] in both coordinates.
bool CutToBox(XDblPoint& a, XDblPoint& b, double low, double high)
{
    double t0 = 0.0;
    double t1 = 1.0;
    const double d[2] = {b.x - a.x, b.y - a.y};
    const double start[2] = {a.x, a.y};
    for (int axis = 0; axis < 2; ++axis) {
        const double edges[2][2] = {{-d[axis], start[axis] - low}, {d[axis], high - start[axis]}};
        for (const auto& edge : edges) {
            double p = edge[0];
            double q = edge[1];
            if (p == 0) {
                if (q < 0)
                    return false;
                continue;
            }
            double t = q / p;
            if (p < 0 && t > t0)
                t0 = t;
            else if (p > 0 && t < t1)
                t1 = t;
        }
    }
    if (t0 > t1)
        return false;
    XDblPoint from = a;
    a = XDblPoint(from.x + t0 * d[0], from.y + t0 * d[1]);
    b = XDblPoint(from.x + t1 * d[0], from.y + t1 * d[1]);
    return true;
}

}  // namespace

SeriesMapping::SeriesMapping(const XChart& chart)
    : xMin_(chart.xAxis.min), yMin_(chart.yAxis.min), xUnitsPerPixel_(chart.xUnitsPerPixel),
      yUnitsPerPixel_(chart.yUnitsPerPixel), window_(chart.xAxis.min, chart.yAxis.min, chart.xAxis.max, chart.yAxis.max),
      plot_(chart.PlotRect())
{
}

bool SeriesMapping::FarSegmentPixels(XDblPoint a, XDblPoint b, int& x1, int& y1, int& x2, int& y2) const
{
    a = XDblPoint(Finite(a.x), Finite(a.y));
    b = XDblPoint(Finite(b.x), Finite(b.y));
    if (std::isnan(a.x) || std::isnan(a.y) || std::isnan(b.x) || std::isnan(b.y) ||
        !CutToBox(a, b, -kExactOffsetLimit, kExactOffsetLimit))
        return false;
    x1 = plot_.left + FloorToInt(a.x);
    y1 = plot_.bottom - 1 - FloorToInt(a.y);
    x2 = plot_.left + FloorToInt(b.x);
    y2 = plot_.bottom - 1 - FloorToInt(b.y);
    return true;
}
