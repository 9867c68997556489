// How the loader reads a file: what its caller's settings say, handed over for one load.
#pragma once

#include <windows.h>

struct CsvOptions {
    char separator = ',';
    int seriesInCols = 1;     // non-zero: each column is a series; zero: each line
    int ignoreFirstCol = 0;
    int ignoreFirstRow = 0;
    int firstColX = 0;        // series in columns: the first used column holds X
    int firstRowX = 0;        // series in lines: the first used line holds X
    int detectLayout = 0;  // non-zero: the layout is detected from the file
    // Series n takes entry n mod colorCount; without colours every series is black.
    const COLORREF* seriesColors = nullptr;
    int colorCount = 0;

    COLORREF SeriesColor(int seriesIndex) const
    {
        return seriesColors && colorCount > 0 ? seriesColors[seriesIndex % colorCount] : 0;
    }
};
