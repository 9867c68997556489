// One data series of a chart.
#include "chart/XSeries.h"

XSeries::XSeries(XChart& chart) : chart(chart) {}

XSeries::~XSeries() = default;

void XSeries::AddPoint(double x, double y)
{
    xValues.Add(x);
    try {
        yValues.Add(y);
    } catch (...) {
        xValues.SetCount(pointCount);   // keeps both lists at pointCount values
        throw;
    }
    ++pointCount;
}
