// Drawing surface over a borrowed device context.
#include "canvas/XCanvas.h"

#include "canvas/GdiObjects.h"

namespace {

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;

int BackgroundModeFor(int brushStyle)
{
    return brushStyle == BS_SOLID ? OPAQUE : TRANSPARENT;
}

}  // namespace

XCanvas::XCanvas()
{
    SetPen(kBlack, PS_SOLID, 1);
    SetBrush(kWhite, BS_SOLID, 0);
    SetFont(FontSpec("Arial", 8, kBlack, 0, 0, 0, 0));
}

XCanvas::~XCanvas()
{
    SelectPen(nullptr);
    SelectBrush(nullptr, 0, 0);
    SelectFont(nullptr, 0);
    dc = nullptr;
}

void XCanvas::SetPen(COLORREF color, int style, int width)
{
    penDesc = DrawStyle(color, style, width);
    SelectPen(MakePen(style, color, width, width));
}

void XCanvas::SetBrush(COLORREF color, int style, int hatch)
{
    brushDesc = DrawStyle(color, style, hatch);
    SelectBrush(MakeBrush(style, color, hatch), style, color);
}

void XCanvas::SetFont(FontSpec spec)
{
    fontSpec = spec;
    SelectFont(MakeFont(spec.faceName, spec.pointSize, spec.bold, spec.italic, spec.underline, spec.strikeOut),
               spec.textColor);
}

// Each Select* takes ownership of a handle (null releases) through SwapObject, which
// takes the replaced object out of the DC first and deletes it after, never while selected.
template <typename Handle>
XCanvas::Swap XCanvas::SwapObject(Handle& current, HGDIOBJ& saved, Handle handle)
{
    if (dc && !saved) {
        if (!handle)
            return Swap::None;
        if (current)
            DeleteObject(current);   // not selected: a failed selection left nothing saved
        saved = SelectObject(dc, handle);
        current = handle;
        return Swap::Saved;
    }
    Swap result = Swap::None;
    if (dc) {
        if (handle) {
            SelectObject(dc, handle);
            result = Swap::Replaced;
        } else {
            SelectObject(dc, saved);
            saved = nullptr;
            result = Swap::Restored;
        }
    }
    if (current)
        DeleteObject(current);
    current = handle;
    return result;
}

void XCanvas::SelectPen(HPEN handle)
{
    SwapObject(pen, savedPen, handle);
}

void XCanvas::SelectBrush(HBRUSH handle, int style, COLORREF color)
{
    int mode = BackgroundModeFor(style);
    switch (SwapObject(brush, savedBrush, handle)) {
    case Swap::Saved:
        savedBkMode = SetBkMode(dc, mode);
        savedBkColor = SetBkColor(dc, color);
        break;
    case Swap::Replaced:
        SetBkMode(dc, mode);
        SetBkColor(dc, color);
        break;
    case Swap::Restored:
        // Releasing also gives back the DC's own background, as releasing the font gives
        // back its text colour.
        SetBkMode(dc, savedBkMode);
        SetBkColor(dc, savedBkColor);
        savedBkMode = 0;
        savedBkColor = 0;
        break;
    case Swap::None:
        if (dc)
            return;   // attached, nothing held and nothing given: nothing changes
        break;
    }
    bkMode = mode;
    bkColor = color;
}

void XCanvas::SelectFont(HFONT handle, COLORREF color)
{
    switch (SwapObject(font, savedFont, handle)) {
    case Swap::Saved:
        savedTextColor = SetTextColor(dc, color);
        break;
    case Swap::Replaced:
        SetTextColor(dc, color);
        break;
    case Swap::Restored:
        SetTextColor(dc, savedTextColor);
        savedTextColor = 0;
        break;
    case Swap::None:
        if (dc)
            return;
        break;
    }
    textColor = color;
}

void XCanvas::Attach(HDC newDc)
{
    if (newDc == dc)
        return;
    if (dc)
        Detach();
    if (!newDc)
        return;
    dc = newDc;
    if (pen)
        savedPen = SelectObject(dc, pen);
    if (brush) {
        savedBrush = SelectObject(dc, brush);
        savedBkMode = SetBkMode(dc, bkMode);
        savedBkColor = SetBkColor(dc, bkColor);
    }
    if (font) {
        savedFont = SelectObject(dc, font);
        savedTextColor = SetTextColor(dc, textColor);
    }
}

void XCanvas::Detach()
{
    if (savedPen) {
        SelectObject(dc, savedPen);
        savedPen = nullptr;
    }
    if (savedBrush) {
        SelectObject(dc, savedBrush);
        SetBkMode(dc, savedBkMode);
        SetBkColor(dc, savedBkColor);
        savedBrush = nullptr;
        savedBkMode = 0;
        savedBkColor = 0;
    }
    if (savedFont) {
        SelectObject(dc, savedFont);
        SetTextColor(dc, savedTextColor);
        savedFont = nullptr;
        savedTextColor = 0;
    }
    dc = nullptr;
}

SIZE XCanvas::TextExtent(const char* text) const
{
    SIZE size = {0, 0};
    if (dc && text)
        GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    return size;
}

int XCanvas::TextWidth(const char* text) const
{
    return TextExtent(text).cx;
}

int XCanvas::TextHeight(const char* text) const
{
    return TextExtent(text).cy;
}

void XCanvas::DrawString(int x, int y, const char* text)
{
    if (dc && text)
        TextOutA(dc, x, y, text, lstrlenA(text));
}

void XCanvas::DrawStringInRect(RECT rect, int x, int y, const char* text)
{
    if (dc && text)
        ExtTextOutA(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &rect, text, static_cast<UINT>(lstrlenA(text)), nullptr);
}

int XCanvas::DrawRect(int left, int top, int right, int bottom)
{
    return dc ? Rectangle(dc, left, top, right, bottom) : 0;
}

void XCanvas::MoveTo(int x, int y)
{
    if (dc)
        MoveToEx(dc, x, y, nullptr);
}

int XCanvas::LineTo(int x, int y)
{
    return dc ? ::LineTo(dc, x, y) : 0;
}

void XCanvas::DrawPolyline(const POINT* points, int count)
{
    if (dc && points && count > 0)
        Polyline(dc, points, count);
}

void XCanvas::FillRect(RECT rect)
{
    if (dc)
        ::FillRect(dc, &rect, brush);
}
