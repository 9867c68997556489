// Clipping, segments by the hundred and turned text on a canvas's device context.
#include "canvas/CanvasDrawing.h"

#include "canvas/GdiOwners.h"
#include "canvas/XCanvas.h"

#include <cmath>

namespace {

// Whole degrees in tenths, within one turn: 12.7 degrees give 120, 90 give 900.
LONG TenthsOfWholeDegrees(double angle)
{
    const double degrees = std::isfinite(angle) ? std::fmod(std::trunc(angle), 360.0) : 0.0;
    return static_cast<LONG>(degrees) * 10;
}

// Every polyline of a batch has two points: one segment each.
struct TwoPointCounts {
    DWORD counts[256];
    TwoPointCounts()
    {
        for (DWORD& count : counts)
            count = 2;
    }
};

const TwoPointCounts twoPoints;

}  // namespace

void ClipToRect(HDC dc, int left, int top, int right, int bottom)
{
    SelectClipRgn(dc, nullptr);
    IntersectClipRect(dc, left, top, right, bottom);
}

void ClearClip(HDC dc)
{
    SelectClipRgn(dc, nullptr);
}

void DrawSegments(HDC dc, const POINT* ends, int segmentCount)
{
    constexpr int kPerCall = static_cast<int>(sizeof twoPoints.counts / sizeof(DWORD));
    for (int done = 0; done < segmentCount; done += kPerCall) {
        const int n = segmentCount - done < kPerCall ? segmentCount - done : kPerCall;
        PolyPolyline(dc, ends + 2 * done, twoPoints.counts, static_cast<DWORD>(n));
    }
}

void DrawRotatedText(XCanvas& canvas, int x, int y, double angle, const char* text)
{
    if (!text || !*text || !canvas.dc)
        return;
    LOGFONTA font = {};
    GetObjectA(canvas.font, sizeof font, &font);
    font.lfEscapement = font.lfOrientation = TenthsOfWholeDegrees(angle);
    OwnedGdiObject<HFONT> turned(CreateFontIndirectA(&font));
    ScopedSelection inTurnedFont(canvas.dc, turned.get());
    UINT alignment = SetTextAlign(canvas.dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    TextOutA(canvas.dc, x, y, text, lstrlenA(text));
    SetTextAlign(canvas.dc, alignment);
}
