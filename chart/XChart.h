// One line chart drawn into one bitmap: size, colours, margins, title, two axes and any
// number of series. Owns its axes and series; the canvas belongs to the caller.
#pragma once

#include "chart/Geometry.h"
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

    // Layout: margins fitted to labels, captions, title and legend; scales; pixel mapping.
    void FitAxisMargin(int horizontal);   // 0: marginLeft; otherwise marginBottom
    void FitTitleMargin();
    void FitLegendMargin();
    void UpdateScales();
    XRect PlotRect() const;               // (marginLeft, marginTop, width - marginRight, height - marginBottom)
    XRect PlotInterior() const;           // inside the plot's one-pixel frame: where grid and series go
    // Offsets of a data point from the plot's lower-left pixel, before rounding.
    XDblPoint PixelOffset(double x, double y) const;
    // The same offsets rounded down: px to the right, py upward.
    XPoint ValueToPixel(double x, double y) const;

    // Drawing, in the fixed order of Draw.
    void LayoutAndDraw();
    void Draw(int withFrame);
    void DrawYAxis();
    void DrawYCaption();   // with the current brush
    void DrawXAxis();
    void DrawTitle();
    void DrawLegend();
    void DrawPlot();
    void DrawSeries(XSeries& series, int first, int last);

    // A series' colour as drawn: shifted by 255 when it equals the plot background.
    COLORREF SeriesDrawColor(const XSeries& series) const;
    COLORREF SeriesDrawColor(COLORREF color) const;
};
