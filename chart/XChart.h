// One line chart drawn into one bitmap: size, colours, margins, title, two axes and any
// number of series. Owns its axes and series; the canvas belongs to the caller.
#pragma once

#include "chart/XAxis.h"
#include "xlib/XObjList.h"
#include "xlib/XObject.h"
#include "xlib/XString.h"

#include <windows.h>

class XCanvas;
class XSeries;

class XChart : public XObject {
public:
    XCanvas& canvas;
    int width;
    int height;
    COLORREF backColor = 0xFFFFFF;        // margin bands
    COLORREF plotBackColor = 0xFFFFFF;
    COLORREF gridColor = 0x707070;
    COLORREF frameColor = 0x000000;
    COLORREF textColor = 0x000000;        // title
    COLORREF legendBackColor = 0xFFFFFF;
    int marginLeft = 20;
    int marginTop = 20;
    int marginRight = 20;
    int marginBottom = 20;
    double xUnitsPerPixel = 1.0;
    double yUnitsPerPixel = 1.0;
    XString title{"XChart"};
    int showTitle = 0;
    int showLegend = 0;
    int visible = 1;
    XAxis yAxis;
    XAxis xAxis;
    XObjList seriesList;   // of XSeries, in drawing order; the chart deletes them

    XChart(XCanvas& canvas, int width, int height);
    ~XChart() override;

    XSeries* SeriesAt(int index) const;

    // Gives the Y axis the range yMin..yMax first, then the X axis xMin..xMax.
    void SetDataRange(double xMin, double yMin, double xMax, double yMax);
};
