// Drawing surface over a device context it borrows: owns the current pen, brush and font,
// keeps them selected while attached, and puts the DC back as it was on detaching.
#pragma once

#include "canvas/CanvasRecords.h"
#include "xlib/XObject.h"

#include <windows.h>

class XCanvas : public XObject {
public:
    // What the attached DC held before the canvas selected its own (null: nothing saved).
    HGDIOBJ savedPen = nullptr;
    HGDIOBJ savedBrush = nullptr;
    int savedBkMode = 0;            // valid while savedBrush is set
    COLORREF savedBkColor = 0;
    HGDIOBJ savedFont = nullptr;
    COLORREF savedTextColor = 0;    // valid while savedFont is set

    HDC dc = nullptr;               // attached DC, not owned
    HPEN pen = nullptr;             // owned
    HBRUSH brush = nullptr;         // owned
    int bkMode = 0;                 // OPAQUE for a solid brush, TRANSPARENT otherwise
    COLORREF bkColor = 0;           // the brush colour
    HFONT font = nullptr;           // owned
    COLORREF textColor = 0;
    DrawStyle penDesc;
    DrawStyle brushDesc;
    FontSpec fontSpec;

    XCanvas();   // black 1-pixel pen, white solid brush, "Arial" 8 points black; detached
    ~XCanvas() override;

    void Attach(HDC newDc);   // null detaches

    void SetPen(COLORREF color, int style, int width);
    void SetBrush(COLORREF color, int style, int hatch);
    void SetFont(FontSpec spec);
    void SelectPen(HPEN handle);
    void SelectBrush(HBRUSH handle, int style, COLORREF color);
    void SelectFont(HFONT handle, COLORREF color);

    SIZE TextExtent(const char* text) const;
    int TextWidth(const char* text) const;
    int TextHeight(const char* text) const;
    void DrawString(int x, int y, const char* text);
    void DrawStringInRect(RECT rect, int x, int y, const char* text);
    int DrawRect(int left, int top, int right, int bottom);
    void MoveTo(int x, int y);
    int LineTo(int x, int y);
    void DrawPolyline(const POINT* points, int count);
    void FillRect(RECT rect);

private:
    // How a selection changed the DC: the canvas's first object in it (the DC's own saved),
    // one object of the canvas replaced by another, the DC's own put back, or nothing.
    enum class Swap { None, Saved, Replaced, Restored };

    template <typename Handle>
    Swap SwapObject(Handle& current, HGDIOBJ& saved, Handle handle);
    void Detach();
};
