// Layout of a chart: margins fitted to what surrounds the plot, scales and pixel mapping.
#include "chart/ChartLayout.h"

#include "canvas/XCanvas.h"
#include "chart/DrawingHelpers.h"
#include "chart/NumericFunctions.h"
#include "chart/TickLabels.h"
#include "chart/XChart.h"
#include "chart/XSeries.h"

namespace {

constexpr int kDefaultMargin = 20;
constexpr int kSpacing = 10;
constexpr int kTitleBandPointsLarger = 4;   // the font the title band is measured in

// Units per pixel for a range spread over the pixels from the first to the last of a span.
double UnitsPerPixel(double min, double max, long long firstToLast)
{
    long long steps = firstToLast < 0 ? -firstToLast : firstToLast;
    if (steps == 0)
        return 1.0;
    double units = (max - min) / static_cast<double>(steps);
    return units == 0 ? 1.0 : units;
}

}  // namespace

int MaxLabelWidth(const XCanvas& canvas, const XDblList& values, int decimals)
{
    XString label;
    int widest = 0;
    for (int i = 0; i < values.Count(); ++i) {
        SetTickLabel(label, values, i, decimals);
        widest = MaxInt(widest, canvas.TextWidth(label.Text()));
    }
    return widest;
}

void XChart::FitAxisMargin(int horizontal)
{
    int h = canvas.TextHeight(kTextUnitSample);
    if (h != 0) {
        // Tick mark (h / 2), labels, caption turned beside or set below them, spacing.
        if (horizontal == 0)
            marginLeft = DivInt(h, 2) + MaxLabelWidth(canvas, yAxis.ticks, yAxis.labelDecimals) +
                         PickIf(yAxis.showCaption, h + kSpacing, 0) + kSpacing;
        else
            marginBottom = DivInt(h, 2) + h + PickIf(xAxis.showCaption, h + kSpacing, 0) + kSpacing;
    }
    UpdateScales();
}

void XChart::FitTitleMargin()
{
    if (showTitle == 1) {
        // Measured 4 points larger at unchanged weight; the title itself is drawn larger still.
        FontSpec measured = canvas.fontSpec;
        measured.pointSize += kTitleBandPointsLarger;
        ScopedFont larger(canvas, measured);
        marginTop = canvas.TextHeight(kTextUnitSample) + 2 * kSpacing;
    } else {
        marginTop = kDefaultMargin;
    }
    UpdateScales();
}

void XChart::FitLegendMargin()
{
    if (showLegend == 1) {
        int h = canvas.TextHeight(kTextUnitSample);
        int widest = 0;
        for (int i = 0; i < seriesList.Count(); ++i) {
            const XSeries* series = SeriesAt(i);
            if (series && series->visible == 1)
                widest = MaxInt(widest, canvas.TextWidth(series->name.Text()) + h);   // h: the swatch
        }
        marginRight = widest + 3 * kSpacing;
    } else {
        marginRight = kDefaultMargin;
    }
    UpdateScales();
}

void XChart::UpdateScales()
{
    // The axis minimum falls on the plot's first column (last row), the maximum on its last.
    xUnitsPerPixel = UnitsPerPixel(xAxis.min, xAxis.max, static_cast<long long>(width) - marginRight - marginLeft - 1);
    yUnitsPerPixel = UnitsPerPixel(yAxis.min, yAxis.max, static_cast<long long>(height) - marginBottom - marginTop - 1);
}

XRect XChart::PlotRect() const
{
    return XRect(marginLeft, marginTop, width - marginRight, height - marginBottom);
}

XRect XChart::PlotInterior() const
{
    return InflatedRect(PlotRect(), -1, -1);
}

XDblPoint XChart::PixelOffset(double x, double y) const
{
    return XDblPoint((x - xAxis.min) / xUnitsPerPixel, (y - yAxis.min) / yUnitsPerPixel);
}

XPoint XChart::ValueToPixel(double x, double y) const
{
    XDblPoint offset = PixelOffset(x, y);
    return MakePoint(FloorToInt(offset.x), FloorToInt(offset.y));
}
