// Turns one CSV file into the title, series and axis ranges of a chart, as the settings say.
#pragma once

class XChart;
class XStringList;

// Title from the file name, series from the file's columns or lines, then the axis ranges.
// A file that cannot be read gives no series; the title is still set.
void LoadCsvIntoChart(const char* path, XChart& chart);

// Every column a series, every line one data row (X: the data index, or the first used
// column when firstColX is set).
void LoadSeriesInColumns(XChart& chart, const XStringList& lines);

// Every line a series (X: the point index, or the first used line when firstRowX is set).
void LoadSeriesInRows(XChart& chart, const XStringList& lines);
