// Small helpers shared by the chart's drawing operations.
#pragma once

#include "canvas/CanvasDrawing.h"
#include "canvas/XCanvas.h"
#include "chart/Geometry.h"

#include <windows.h>

inline void SetSolidBrush(XCanvas& canvas, COLORREF color)
{
    canvas.SetBrush(color, BS_SOLID, 0);
}

inline void SetSolidPen(XCanvas& canvas, COLORREF color)
{
    canvas.SetPen(color, PS_SOLID, 1);
}

// Selects a changed copy of the canvas's font for a scope, and the saved one again after it.
class ScopedFont {
public:
    ScopedFont(XCanvas& canvas, const FontSpec& changed) : canvas_(canvas), saved_(canvas.fontSpec)
    {
        canvas_.SetFont(changed);
    }
    ~ScopedFont() { canvas_.SetFont(saved_); }
    ScopedFont(const ScopedFont&) = delete;
    ScopedFont& operator=(const ScopedFont&) = delete;

private:
    XCanvas& canvas_;
    const FontSpec saved_;
};

inline RECT ToRect(int left, int top, int right, int bottom)
{
    RECT rect = {left, top, right, bottom};
    return rect;
}

inline RECT ToRect(const XRect& r)
{
    return ToRect(r.left, r.top, r.right, r.bottom);
}

// Pixel positions far beyond any bitmap: device coordinates are kept within these so that
// adding a margin to a saturated offset cannot overflow, and GDI gets values it handles.
constexpr int kFarPixels = 1 << 26;

inline int ClampToFar(int value)
{
    return value < -kFarPixels ? -kFarPixels : (value > kFarPixels ? kFarPixels : value);
}

inline void ClipToRect(HDC dc, const XRect& r)
{
    ClipToRect(dc, r.left, r.top, r.right, r.bottom);
}
