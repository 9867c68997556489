// The chart's one entry for a picture: layout, then every region in a fixed order.
#include "chart/DrawingHelpers.h"
#include "chart/XChart.h"
#include "chart/XSeries.h"

void XChart::LayoutAndDraw()
{
    // 1. Margins, each computed once: left, bottom, top, right. 2. Scales. 3. Drawing.
    FitAxisMargin(0);
    FitAxisMargin(1);
    FitTitleMargin();
    FitLegendMargin();
    UpdateScales();
    Draw(1);
}

void XChart::Draw(int withFrame)
{
    if (visible == 0)
        return;
    // The five regions tile the bitmap: left band, bottom band, top band, right band, plot.
    DrawYAxis();
    DrawXAxis();
    DrawTitle();
    DrawLegend();
    if (withFrame) {
        SetSolidBrush(canvas, plotBackColor);
        SetSolidPen(canvas, frameColor);
        XRect plot = PlotRect();
        canvas.DrawRect(plot.left, plot.top, plot.right, plot.bottom);
    }
    DrawPlot();
}
