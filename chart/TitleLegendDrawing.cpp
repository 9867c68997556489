// The top band with the title, and the right band with the legend when it is shown.
#include "chart/TitleLegendDrawing.h"

#include "chart/ChartLayout.h"
#include "chart/DrawingHelpers.h"
#include "chart/NumericFunctions.h"
#include "chart/XChart.h"
#include "chart/XSeries.h"

namespace {

constexpr int kTitleTop = 10;
constexpr int kTitleFontPointsLarger = 6;   // the font the title is drawn in
constexpr int kLegendInset = 10;   // between the band and the box
constexpr int kRowInset = 15;      // between the band and the rows
constexpr UINT kLegendTextFormat = DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE;

FontSpec TitleFont(const FontSpec& current, COLORREF color)
{
    FontSpec title = current;
    title.pointSize += kTitleFontPointsLarger;
    title.textColor = color;
    title.bold = 1;
    return title;
}

}  // namespace

int CountVisibleSeries(const XChart& chart)
{
    int visible = 0;
    for (int i = 0; i < chart.seriesList.Count(); ++i) {
        const XSeries* series = chart.SeriesAt(i);
        if (series && series->visible == 1)
            ++visible;
    }
    return visible;
}

void XChart::DrawTitle()
{
    if (visible == 0)
        return;
    SetSolidBrush(canvas, backColor);   // also the title's text background
    RECT band = ToRect(marginLeft, 0, width, marginTop);
    if (showTitle == 0) {
        canvas.FillRect(band);
        return;
    }
    ScopedFont titleFont(canvas, TitleFont(canvas.fontSpec, textColor));
    int tw = canvas.TextWidth(title.Text());
    // Centred over the plot, not over the band; the opaque output fills the whole band.
    int x = marginLeft + DivInt(width - marginRight - marginLeft - tw, 2);
    canvas.DrawStringInRect(band, x, kTitleTop, title.Text());
}

void XChart::DrawLegend()
{
    if (visible == 0)
        return;
    XRect band(width - marginRight, marginTop, width, height - marginBottom);
    SetSolidBrush(canvas, backColor);
    canvas.FillRect(ToRect(band));
    if (showLegend != 1)
        return;
    SetSolidBrush(canvas, legendBackColor);
    SetSolidPen(canvas, frameColor);
    int e = canvas.TextHeight(kTextUnitSample);
    if (e == 0)
        return;   // no device context: nothing to measure rows with, and nothing to draw on
    int rows = MinInt(DivInt(AbsInt(band.bottom - band.top) - 2 * kRowInset, e), CountVisibleSeries(*this));
    canvas.DrawRect(band.left + kLegendInset, band.top + kLegendInset, band.right - kLegendInset,
                    band.top + 2 * kLegendInset + rows * e);

    XString name;
    int y = band.top + e + 13;   // the bottom of the first row's swatch
    for (int i = 0; i < seriesList.Count(); ++i) {
        const XSeries* series = SeriesAt(i);
        if (!series || series->visible != 1)
            continue;
        name.Assign(series->name);
        RECT text = ToRect(band.left + e + kRowInset, y - e + 2, band.right - kRowInset, y + 2);
        if (text.bottom > band.bottom - kRowInset)
            break;
        SetSolidBrush(canvas, SeriesDrawColor(*series));
        canvas.FillRect(ToRect(band.left + kRowInset, y - e + 4, band.left + e + 11, y));
        SetBkColor(canvas.dc, legendBackColor);   // the swatch brush made its colour the text background
        DrawTextA(canvas.dc, name.Text(), lstrlenA(name.Text()), &text, kLegendTextFormat);
        y += e;
    }
}
