// Creation of the GDI pens, brushes and fonts the canvas owns.
#include "canvas/GdiObjects.h"

#include "canvas/GdiOwners.h"

#include <cmath>

int ScreenDpiY()
{
    ScreenDc screen;
    return GetDeviceCaps(screen.dc, LOGPIXELSY);
}

HPEN MakePen(int style, COLORREF color, int widthX, int widthY)
{
    LOGPEN pen = {};
    pen.lopnStyle = static_cast<UINT>(style);
    pen.lopnWidth.x = widthX;
    pen.lopnWidth.y = widthY;
    pen.lopnColor = color;
    return CreatePenIndirect(&pen);
}

HPEN MakeSolidPen(COLORREF color)
{
    return MakePen(PS_SOLID, color, 1, 1);
}

HBRUSH MakeBrush(int style, COLORREF color, int hatch)
{
    LOGBRUSH brush = {};
    brush.lbStyle = static_cast<UINT>(style);
    brush.lbColor = color;
    brush.lbHatch = static_cast<ULONG_PTR>(hatch);
    return CreateBrushIndirect(&brush);
}

int FontHeight(int pointSize, int dpi)
{
    // Rounded toward minus infinity, not to nearest: 10 points at 96 dpi give -14, not -13.
    double height = std::floor(-(static_cast<double>(pointSize) * dpi) / 72.0);
    if (height < -2147483647.0)
        return -2147483647;
    return height > 2147483647.0 ? 2147483647 : static_cast<int>(height);
}

LOGFONTA DescribeFont(const char* face, int pointSize, int bold, int italic, int underline, int strikeOut)
{
    LOGFONTA font = {};
    font.lfHeight = FontHeight(pointSize, ScreenDpiY());
    font.lfWeight = bold == 1 ? FW_BOLD : FW_NORMAL;
    font.lfItalic = static_cast<BYTE>(italic);
    font.lfUnderline = static_cast<BYTE>(underline);
    font.lfStrikeOut = static_cast<BYTE>(strikeOut);
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynA(font.lfFaceName, face ? face : "", LF_FACESIZE);
    return font;
}

HFONT MakeFont(const char* face, int pointSize, int bold, int italic, int underline, int strikeOut)
{
    LOGFONTA font = DescribeFont(face, pointSize, bold, italic, underline, strikeOut);
    return CreateFontIndirectA(&font);
}
