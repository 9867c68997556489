// The two axes: band fills, tick marks, tick labels and unit captions.
#include "canvas/CanvasDrawing.h"
#include "chart/ChartLayout.h"
#include "chart/DrawingHelpers.h"
#include "chart/NumericFunctions.h"
#include "chart/TickLabels.h"
#include "chart/XChart.h"

namespace {

constexpr int kLabelGap = 3;            // between a tick mark and its label
constexpr int kCaptionEdgeGap = 5;      // between a caption and the bitmap edge
constexpr double kCaptionAngle = 90.0;

// The caption font: the current one in bold.
FontSpec CaptionFont(const FontSpec& current)
{
    FontSpec caption = current;
    caption.bold = 1;
    return caption;
}

// How both axes begin: nothing of a hidden chart; otherwise the margin brush and the frame
// pen are set, h is a text line's height and t, the tick marks' length, half of it.
bool StartAxis(XChart& chart, int& h, int& t)
{
    if (chart.visible == 0)
        return false;
    SetSolidBrush(chart.canvas, chart.backColor);
    SetSolidPen(chart.canvas, chart.frameColor);
    h = chart.canvas.TextHeight(kTextUnitSample);
    t = DivInt(h, 2);
    return true;
}

}  // namespace

// Centred on the plot's height with the regular width, drawn bold and turned: it reaches a
// little above centre.
void XChart::DrawYCaption()
{
    int w = canvas.TextWidth(yAxis.caption.Text());
    ScopedFont bold(canvas, CaptionFont(canvas.fontSpec));
    int n = DivInt(height - marginTop - marginBottom - w, 2);
    DrawRotatedText(canvas, kCaptionEdgeGap, height - marginBottom - n, kCaptionAngle, yAxis.caption.Text());
}

void XChart::DrawYAxis()
{
    int h, t;
    if (!StartAxis(*this, h, t))
        return;
    canvas.FillRect(ToRect(0, 0, marginLeft, height - marginBottom + t));

    if (yAxis.showCaption == 1)
        DrawYCaption();

    XString label;
    for (int i = 0; i < yAxis.ticks.Count(); ++i) {
        double v = yAxis.ticks.At(i);
        SetTickLabel(label, yAxis.ticks, i, yAxis.labelDecimals);
        int tw = canvas.TextWidth(label.Text());
        int y = ClampToFar(height - marginBottom - 1 - ClampToFar(ValueToPixel(0, v).y));
        canvas.MoveTo(marginLeft - t, y);
        canvas.LineTo(marginLeft, y);
        canvas.DrawString(marginLeft - t - kLabelGap - tw, y - t, label.Text());
    }
}

void XChart::DrawXAxis()
{
    int h, t;
    if (!StartAxis(*this, h, t))
        return;
    canvas.FillRect(ToRect(0, height - marginBottom + t, marginLeft, height));
    canvas.FillRect(ToRect(marginLeft, height - marginBottom, width, height));

    if (xAxis.showCaption == 1) {
        int w = canvas.TextWidth(xAxis.caption.Text());
        ScopedFont bold(canvas, CaptionFont(canvas.fontSpec));
        int n = DivInt(width - marginRight - marginLeft - w, 2);
        canvas.DrawString(marginLeft + n, height - h - kCaptionEdgeGap, xAxis.caption.Text());
    }

    XString label;
    int below = height - marginBottom;   // the first row below the frame
    for (int i = 0; i < xAxis.ticks.Count(); ++i) {
        double v = xAxis.ticks.At(i);
        SetTickLabel(label, xAxis.ticks, i, xAxis.labelDecimals);
        int half = DivInt(canvas.TextWidth(label.Text()), 2);
        int x = ClampToFar(marginLeft + ClampToFar(ValueToPixel(v, 0).x));
        canvas.MoveTo(x, below);
        canvas.LineTo(x, below + t);
        canvas.DrawString(x - half, below + t + kLabelGap, label.Text());
    }
}
