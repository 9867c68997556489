// One-bit masks of a rectangle of a picture, drawn into and painted in a colour.
#include "canvas/PlotMask.h"

#include "canvas/CanvasDrawing.h"
#include "canvas/GdiObjects.h"

#include <cstring>
#include <new>

namespace {

// Where the mask holds a 1 the brush, elsewhere what is there: ((D ^ P) & S) ^ D.
constexpr DWORD kBrushWhereSourceIsSet = 0x00E20746;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;

HBITMAP CreateMask(int width, int height)
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = -height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;
    info.colors[1] = RGBQUAD{0xFF, 0xFF, 0xFF, 0};   // 0 black, 1 white
    void* bits = nullptr;
    HBITMAP mask = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!mask)
        throw std::bad_alloc();
    std::memset(bits, 0, static_cast<std::size_t>(PlotMask::Bytes(width, height)));
    return mask;
}

}  // namespace

PlotMask::PlotMask(int width, int height) : bitmap_(CreateMask(width, height)) {}

long long PlotMask::Bytes(int width, int height)
{
    return static_cast<long long>((width + 31) / 32 * 4) * height;
}

PlotMaskDc::PlotMaskDc(const RECT& area)
    : area_(area), pen_(MakeSolidPen(kWhite)), inPen_(memory_.dc, pen_.get())
{
    if (!memory_.dc || !pen_.get())
        throw std::bad_alloc();
    SetViewportOrgEx(memory_.dc, -area_.left, -area_.top, nullptr);
}

std::unique_ptr<PlotMask> PlotMaskDc::NewMask() const
{
    return std::unique_ptr<PlotMask>(new PlotMask(Width(), Height()));
}

void PlotMaskDc::DrawSegments(const PlotMask& mask, const POINT* ends, int segmentCount)
{
    ScopedSelection inMask(memory_.dc, mask.Bitmap());
    ::DrawSegments(memory_.dc, ends, segmentCount);
}

void PlotMaskDc::Paint(const PlotMask& mask, HDC target, COLORREF color)
{
    OwnedGdiObject<HBRUSH> brush(MakeBrush(BS_SOLID, color, 0));
    ScopedSelection inColor(target, brush.get());
    // A monochrome source becomes black and white in the picture: its 1 selects the brush.
    const COLORREF textColor = SetTextColor(target, kBlack);
    const COLORREF backColor = SetBkColor(target, kWhite);
    ScopedSelection inMask(memory_.dc, mask.Bitmap());
    BitBlt(target, area_.left, area_.top, Width(), Height(), memory_.dc, area_.left, area_.top,
           kBrushWhereSourceIsSet);
    SetTextColor(target, textColor);
    SetBkColor(target, backColor);
}
