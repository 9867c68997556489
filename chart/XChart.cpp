// One line chart: the model of what is drawn into one bitmap.
#include "chart/XChart.h"

#include "chart/Geometry.h"
#include "chart/XSeries.h"

XChart::XChart(XCanvas& canvas, int width, int height)
    : canvas(canvas), width(width), height(height), yAxis(*this), xAxis(*this)
{
    yAxis.caption.SetText("Y Unit");
    yAxis.showCaption = 1;
    xAxis.caption.SetText("X Unit");
    xAxis.showCaption = 1;
}

XChart::~XChart()
{
    for (int i = 0; i < seriesList.Count(); ++i)
        delete seriesList.At(i);
}

XSeries* XChart::SeriesAt(int index) const
{
    return static_cast<XSeries*>(seriesList.At(index));
}

void XChart::SetDataRange(double xMin, double yMin, double xMax, double yMax)
{
    yAxis.SetRange(yMin, yMax);
    xAxis.SetRange(xMin, xMax);
}

COLORREF XChart::SeriesDrawColor(const XSeries& series) const
{
    return SeriesDrawColor(series.color);
}

COLORREF XChart::SeriesDrawColor(COLORREF color) const
{
    // On the 32-bit value: black on black becomes 0x0000FF, white on white 0x010000FE.
    return static_cast<COLORREF>(PickIf(color == plotBackColor ? 1 : 0, static_cast<int>(color + 255),
                                        static_cast<int>(color)));
}
