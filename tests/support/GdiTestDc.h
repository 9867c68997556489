// A memory device context with a 32-bit DIB section selected, for reading pixels back, and
// a canvas drawing on one.
#pragma once

#include "canvas/XCanvas.h"

#include <windows.h>

#include <vector>

class GdiTestDc {
public:
    GdiTestDc(int width, int height);
    ~GdiTestDc();
    GdiTestDc(const GdiTestDc&) = delete;
    GdiTestDc& operator=(const GdiTestDc&) = delete;

    HDC dc() const { return dc_; }
    // The pixel as a COLORREF (0x00BBGGRR).
    COLORREF Pixel(int x, int y) const;
    void Fill(COLORREF color);
    // Every pixel, top row first, as the DIB holds them (0x00RRGGBB).
    std::vector<DWORD> Pixels() const;

private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ oldBitmap_;
    DWORD* bits_ = nullptr;
};

// A canvas attached to a test DC of its own, which is filled with one colour first.
class CanvasOnTestDc {
public:
    CanvasOnTestDc(int width, int height, COLORREF fill = 0xFFFFFF) : target(width, height)
    {
        target.Fill(fill);
        canvas.Attach(target.dc());
    }

    GdiTestDc target;
    XCanvas canvas;   // destroyed first: it gives the DC back
};
