// One data series of a chart: its points in insertion order, and how its line is drawn.
#pragma once

#include "xlib/XDblList.h"
#include "xlib/XObject.h"
#include "xlib/XString.h"

#include <windows.h>

class XChart;

class XSeries : public XObject {
public:
    int visible = 1;          // drawn when non-zero; listed in the legend only when 1
    COLORREF color = 0;
    XString name;
    int penWidth = 1;
    int penStyle = 0;         // a Windows pen style; 0 is solid
    int pointCount = 0;       // xValues and yValues both hold exactly this many values
    XDblList xValues;
    XDblList yValues;
    XChart& chart;

    explicit XSeries(XChart& chart);
    ~XSeries() override;

    // Appends the point unchanged; the series is left as it was when this fails.
    void AddPoint(double x, double y);
};
