// The colours a chart's series take in turn.
#pragma once

#include <windows.h>

// Series n takes entry n mod count; without colours every series is black.
struct SeriesPalette {
    const COLORREF* colors = nullptr;
    int count = 0;

    COLORREF ColorOf(int series) const { return colors && count > 0 ? colors[series % count] : 0; }
};
