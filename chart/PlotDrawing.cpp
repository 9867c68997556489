// The plot area: background, dotted grid, the series lines, and the frame on top.
#include "chart/PlotDrawing.h"

#include "chart/DrawingHelpers.h"
#include "chart/LineRunDrawer.h"
#include "chart/NumericFunctions.h"
#include "chart/SegmentVisibility.h"
#include "chart/XChart.h"
#include "chart/XSeries.h"

#include <cmath>

namespace {

// Offsets this far from the plot are cut back along the segment before rounding, so a
// line towards a huge or infinite value keeps its direction inside the plot. Offsets
// within it are rounded as they are.
constexpr double kExactOffsetLimit = 1 << 24;
constexpr double kInfiniteOffset = 1e18;

double Finite(double offset)
{
    if (std::isinf(offset))
        return offset > 0 ? kInfiniteOffset : -kInfiniteOffset;
    return offset;
}

bool WithinExactLimit(const XDblPoint& p)
{
    return std::fabs(p.x) <= kExactOffsetLimit && std::fabs(p.y) <= kExactOffsetLimit;
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

void ClipToRect(HDC dc, int left, int top, int right, int bottom)
{
    SelectClipRgn(dc, nullptr);
    IntersectClipRect(dc, left, top, right, bottom);
}

void ClearClip(HDC dc)
{
    SelectClipRgn(dc, nullptr);
}

void XChart::DrawPlot()
{
    if (visible == 0)
        return;
    XRect plot = PlotRect();
    XRect interior = InflatedRect(plot, -1, -1);
    SetSolidBrush(canvas, plotBackColor);
    canvas.FillRect(ToRect(interior));
    ClipToRect(canvas.dc, interior.left, interior.top, interior.right, interior.bottom);

    // Grid lines at the ticks; those on the frame (the axis minimum) are clipped away.
    canvas.SetPen(gridColor, PS_DOT, 1);
    for (int i = 0; i < yAxis.ticks.Count(); ++i) {
        int y = ClampToFar(plot.bottom - 1 - ClampToFar(ValueToPixel(0, yAxis.ticks.At(i)).y));
        canvas.MoveTo(plot.left, y);
        canvas.LineTo(plot.right, y);
    }
    for (int i = 0; i < xAxis.ticks.Count(); ++i) {
        int x = ClampToFar(plot.left + ClampToFar(ValueToPixel(xAxis.ticks.At(i), 0).x));
        canvas.MoveTo(x, plot.top);
        canvas.LineTo(x, plot.bottom);
    }
    ClearClip(canvas.dc);

    for (int i = 0; i < seriesList.Count(); ++i) {
        XSeries* series = SeriesAt(i);
        if (series)
            DrawSeries(*series, 0, series->pointCount - 1);
    }

    SetFramePen(canvas, frameColor);
    const POINT frame[] = {{plot.left, plot.top},
                           {plot.right - 1, plot.top},
                           {plot.right - 1, plot.bottom - 1},
                           {plot.left, plot.bottom - 1},
                           {plot.left, plot.top}};
    canvas.DrawPolyline(frame, 5);
}

void XChart::DrawSeries(XSeries& series, int first, int last)
{
    if (series.visible == 0 || visible == 0)
        return;
    XRect plot = PlotRect();
    XRect interior = InflatedRect(plot, -1, -1);
    ClipToRect(canvas.dc, interior.left, interior.top, interior.right, interior.bottom);
    XDblRect window(xAxis.min, yAxis.min, xAxis.max, yAxis.max);
    const double* xs = series.xValues.values;
    const double* ys = series.yValues.values;
    // A solid one-pixel pen looks the same whether it is made once or for every segment,
    // and its segments may be joined into runs; a styled or wide one is made anew for each
    // segment and each segment drawn on its own, so each starts its pattern afresh.
    const bool plain = series.penStyle == PS_SOLID && series.penWidth <= 1;
    if (plain)
        canvas.SetPen(SeriesDrawColor(series), series.penStyle, series.penWidth);
    LineRunDrawer runs(canvas);
    for (int i = first; i < last; ++i) {
        if (!plain)
            canvas.SetPen(SeriesDrawColor(series), series.penStyle, series.penWidth);
        XDblPoint p1(xs[i], ys[i]);
        XDblPoint p2(xs[i + 1], ys[i + 1]);
        if (!PointInDblRect(window, p1) && !PointInDblRect(window, p2) && !SegmentMeetsDblRect(window, p1, p2))
            continue;
        XDblPoint a = PixelOffset(p1.x, p1.y);
        XDblPoint b = PixelOffset(p2.x, p2.y);
        if (!WithinExactLimit(a) || !WithinExactLimit(b)) {
            a = XDblPoint(Finite(a.x), Finite(a.y));
            b = XDblPoint(Finite(b.x), Finite(b.y));
            if (std::isnan(a.x) || std::isnan(a.y) || std::isnan(b.x) || std::isnan(b.y) ||
                !CutToBox(a, b, -kExactOffsetLimit, kExactOffsetLimit))
                continue;
        }
        int x1 = plot.left + FloorToInt(a.x);
        int y1 = plot.bottom - 1 - FloorToInt(a.y);
        int x2 = plot.left + FloorToInt(b.x);
        int y2 = plot.bottom - 1 - FloorToInt(b.y);
        if (plain) {
            runs.Segment(x1, y1, x2, y2);
        } else {
            canvas.MoveTo(x1, y1);
            canvas.LineTo(x2, y2);
        }
    }
    runs.Flush();
    ClearClip(canvas.dc);
}
