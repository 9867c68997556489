// The legend of series named in UTF-8, drawn as wide-character text.
#include "chart/NamesLegend.h"

#include "chart/ChartLayout.h"
#include "chart/DrawingHelpers.h"
#include "chart/NumericFunctions.h"
#include "chart/TitleLegendDrawing.h"
#include "chart/XChart.h"
#include "chart/XSeries.h"

#include <string>

namespace {

constexpr int kPlainMargin = 20;
constexpr int kBoxInset = 10;     // between the band and the box
constexpr int kRowInset = 15;     // between the band and the rows
constexpr int kNameSampleChars = 4;   // a legend narrower than this many "W"s is left out
constexpr UINT kNameFormat = DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE;
// Below this luminance difference from the legend's background a colour is darkened for text.
constexpr int kLeastTextContrast = 96;

std::wstring WideFromUtf8(const char* text)
{
    if (!text || !*text)
        return std::wstring();
    const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (length <= 1)
        return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

int WideWidth(HDC dc, const std::wstring& text)
{
    SIZE size = {0, 0};
    if (dc && !text.empty())
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

std::wstring MoreText(int hidden)
{
    return L"+" + std::to_wstring(hidden) + L" more";
}

int Luminance(COLORREF color)
{
    return (299 * GetRValue(color) + 587 * GetGValue(color) + 114 * GetBValue(color)) / 1000;
}

// The series' colour, darkened to three fifths where it is too pale to read on the background.
COLORREF TextColorOn(COLORREF color, COLORREF background)
{
    if (AbsInt(Luminance(color) - Luminance(background)) >= kLeastTextContrast)
        return color;
    return RGB(GetRValue(color) * 3 / 5, GetGValue(color) * 3 / 5, GetBValue(color) * 3 / 5);
}

bool Listed(const XSeries* series)
{
    return series && series->visible == 1;
}

// Rows that fit the band's height, as in the plain legend.
int RowsThatFit(int bandHeight, int rowHeight)
{
    return rowHeight > 0 ? MaxInt(DivInt(bandHeight - 2 * kRowInset, rowHeight), 0) : 0;
}

void DrawRow(XChart& chart, const XRect& band, int row, int e, const std::wstring& text, const XSeries* series)
{
    HDC dc = chart.canvas.dc;
    const int top = band.top + kRowInset + row * e;
    RECT rect = ToRect(band.left + e + kRowInset, top, band.right - kRowInset, top + e);
    COLORREF color = chart.frameColor;
    if (series) {
        color = chart.SeriesDrawColor(*series);
        SetSolidBrush(chart.canvas, color);
        chart.canvas.FillRect(ToRect(band.left + kRowInset, top + 2, band.left + e + 11, top + e - 2));
        color = TextColorOn(color, chart.legendBackColor);
    }
    SetBkColor(dc, chart.legendBackColor);   // the swatch brush made its colour the text background
    SetTextColor(dc, color);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, kNameFormat);
    SetTextColor(dc, chart.canvas.textColor);
}

}  // namespace

int NamesLegendMargin(const XChart& chart)
{
    HDC dc = chart.canvas.dc;
    const int e = chart.canvas.TextHeight(kTextUnitSample);
    int widest = 0;
    int listed = 0;
    for (int i = 0; i < chart.seriesList.Count(); ++i) {
        const XSeries* series = chart.SeriesAt(i);
        if (!Listed(series))
            continue;
        ++listed;
        widest = MaxInt(widest, WideWidth(dc, WideFromUtf8(series->name.Text())));
    }
    widest = MaxInt(widest, WideWidth(dc, MoreText(listed)));
    const int quarter = DivInt(chart.width, 4);
    const int least = 2 * kRowInset + e + kNameSampleChars * chart.canvas.TextWidth("W");
    if (listed == 0 || e == 0 || quarter < least)
        return kPlainMargin;
    return MinInt(widest + e + 2 * kRowInset, quarter);
}

void DrawNamesLegend(XChart& chart)
{
    const XRect band(chart.width - chart.marginRight, chart.marginTop, chart.width, chart.height - chart.marginBottom);
    SetSolidBrush(chart.canvas, chart.backColor);
    chart.canvas.FillRect(ToRect(band));
    const int e = chart.canvas.TextHeight(kTextUnitSample);
    if (chart.marginRight <= kPlainMargin || e == 0)
        return;
    const int listed = CountVisibleSeries(chart);
    const int fit = RowsThatFit(band.bottom - band.top, e);
    const int rows = MinInt(fit, listed);
    if (rows == 0)
        return;
    // When not every series has a row, the last row tells how many have none.
    const int named = rows < listed ? rows - 1 : rows;
    SetSolidBrush(chart.canvas, chart.legendBackColor);
    SetSolidPen(chart.canvas, chart.frameColor);
    chart.canvas.DrawRect(band.left + kBoxInset, band.top + kBoxInset, band.right - kBoxInset,
                          band.top + 2 * kBoxInset + rows * e);
    int row = 0;
    for (int i = 0; i < chart.seriesList.Count() && row < named; ++i) {
        const XSeries* series = chart.SeriesAt(i);
        if (Listed(series))
            DrawRow(chart, band, row++, e, WideFromUtf8(series->name.Text()), series);
    }
    if (named < rows)
        DrawRow(chart, band, row, e, MoreText(listed - named), nullptr);
}
