// A memory device context with a 32-bit DIB section selected, for reading pixels back.
#pragma once

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
