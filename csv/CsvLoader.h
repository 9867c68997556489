// Turns one CSV file into the title, series and axis ranges of a chart, as the options say,
// keeping every point in the chart's series. The plug-in does not draw this way: it draws
// through XCsvReader, which keeps no point. This loader is the plain reference that the
// tests compare the reader's pictures with, pixel for pixel.
#pragma once

#include "csv/DataRange.h"

class XChart;
class XStringList;
struct CsvOptions;

// Title from the file name, series from the file's columns or lines, then the axis ranges;
// the bounds of all points are returned too. A file that cannot be read gives no series and
// the empty range; the title is still set. Keeps no state between calls.
DataRange LoadCsvIntoChart(const char* path, XChart& chart, const CsvOptions& options);

// Every column a series, every line one data row (X: the data index, or the first used
// column when firstColX is set). The bounds of the points added.
DataRange LoadSeriesInColumns(XChart& chart, const XStringList& lines, const CsvOptions& options);

// Every line a series (X: the point index, or the first used line when firstRowX is set).
DataRange LoadSeriesInRows(XChart& chart, const XStringList& lines, const CsvOptions& options);
