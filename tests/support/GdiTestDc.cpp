// A memory device context with a 32-bit DIB section selected, for reading pixels back.
#include "tests/support/GdiTestDc.h"

GdiTestDc::GdiTestDc(int width, int height) : width_(width), height_(height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;   // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<DWORD*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    oldBitmap_ = SelectObject(dc_, bitmap_);
}

GdiTestDc::~GdiTestDc()
{
    SelectObject(dc_, oldBitmap_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
}

COLORREF GdiTestDc::Pixel(int x, int y) const
{
    GdiFlush();
    DWORD bgr = bits_[y * width_ + x];   // 0x00RRGGBB in memory order B, G, R
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

void GdiTestDc::Fill(COLORREF color)
{
    GdiFlush();
    DWORD bgr = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    for (int i = 0; i < width_ * height_; ++i)
        bits_[i] = bgr;
}

std::vector<DWORD> GdiTestDc::Pixels() const
{
    GdiFlush();
    return std::vector<DWORD>(bits_, bits_ + width_ * height_);
}
