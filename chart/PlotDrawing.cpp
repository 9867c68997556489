// The plot area: background, dotted grid, the series lines, and the frame on top.
#include "canvas/CanvasDrawing.h"
#include "chart/DrawingHelpers.h"
#include "chart/LineRunDrawer.h"
#include "chart/NumericFunctions.h"
#include "chart/SegmentBatch.h"
#include "chart/SeriesMapping.h"
#include "chart/XChart.h"
#include "chart/XSeries.h"

#include <cmath>


void XChart::DrawPlot()
{
    if (visible == 0)
        return;
    XRect plot = PlotRect();
    XRect interior = PlotInterior();
    SetSolidBrush(canvas, plotBackColor);
    canvas.FillRect(ToRect(interior));
    ClipToRect(canvas.dc, interior);

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

    SetSolidPen(canvas, frameColor);
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
    ClipToRect(canvas.dc, PlotInterior());
    const SeriesMapping mapping(*this);
    const double* xs = series.xValues.values;
    const double* ys = series.yValues.values;
    // A solid one-pixel pen looks the same whether it is made once or for every segment,
    // and its segments may be joined into runs; a styled or wide one is made anew for each
    // segment and each segment drawn on its own, so each starts its pattern afresh.
    const bool plain = series.penStyle == PS_SOLID && series.penWidth <= 1;
    if (plain)
        canvas.SetPen(SeriesDrawColor(series), series.penStyle, series.penWidth);
    SegmentBatch batch(canvas.dc);
    LineRunDrawer<SegmentBatch> runs(batch);
    LineEnd end;
    for (int i = first; first < last && i <= last; ++i) {   // segments first .. last - 1
        const MappedPoint to = mapping.Map(xs[i], ys[i]);
        if (!plain && i > first)
            canvas.SetPen(SeriesDrawColor(series), series.penStyle, series.penWidth);
        int x1, y1, x2, y2;
        if (!mapping.Extend(end, to, x1, y1, x2, y2))
            continue;
        if (plain) {
            runs.Segment(x1, y1, x2, y2);
        } else {
            canvas.MoveTo(x1, y1);
            canvas.LineTo(x2, y2);
        }
    }
    runs.Flush();
    batch.Flush();
    ClearClip(canvas.dc);
}
