// Plain descriptions of what the canvas creates: a pen or brush, and a font with its colour.
#pragma once

#include <windows.h>

// A pen (colour, pen style, width) or a brush (colour, brush style, hatch).
struct DrawStyle {
    COLORREF color = 0;
    int style = 0;
    int param = 0;   // pen width in logical units, or brush hatch (HS_*)

    DrawStyle() = default;
    DrawStyle(COLORREF color, int style, int param) : color(color), style(style), param(param) {}
};

constexpr int kFaceNameSize = 32;

struct FontSpec {
    char faceName[kFaceNameSize] = {};   // at most 31 characters and the NUL
    int pointSize = 0;
    COLORREF textColor = 0;
    int bold = 0;        // 1 = bold; any other value = normal weight
    int italic = 0;      // only the low byte of these three is used
    int underline = 0;
    int strikeOut = 0;

    FontSpec() = default;
    FontSpec(const char* face, int pointSize, COLORREF textColor, int bold, int italic, int underline,
             int strikeOut);
};
