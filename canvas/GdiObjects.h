// Creation of the GDI pens, brushes and fonts the canvas owns.
#pragma once

#include <windows.h>

// The screen's pixels per logical inch vertically, asked afresh on every call.
int ScreenDpiY();

HPEN MakePen(int style, COLORREF color, int widthX, int widthY);
// The pen XCanvas::SetPen(color, PS_SOLID, 1) selects.
HPEN MakeSolidPen(COLORREF color);
HBRUSH MakeBrush(int style, COLORREF color, int hatch);

// The LOGFONT height asking for a character of pointSize points at dpi pixels per inch:
// floor(-(pointSize * dpi) / 72.0), so 8 points at 96 dpi give -11 and 10 points -14.
int FontHeight(int pointSize, int dpi);

// lfHeight is floor(-(pointSize * dpi) / 72.0): 8 points at 96 dpi give -11, 10 points -14.
HFONT MakeFont(const char* face, int pointSize, int bold, int italic, int underline, int strikeOut);

// The LOGFONTA that MakeFont creates its font from.
LOGFONTA DescribeFont(const char* face, int pointSize, int bold, int italic, int underline, int strikeOut);
