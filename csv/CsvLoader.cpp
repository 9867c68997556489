// Turns one CSV file into the title, series and axis ranges of a chart.
#include "csv/CsvLoader.h"

#include "chart/XChart.h"
#include "chart/XSeries.h"
#include "csv/DataRange.h"
#include "plugin/PluginSettings.h"
#include "xlib/XDblList.h"
#include "xlib/XString.h"
#include "xlib/XStringList.h"

#include <memory>

namespace {

int FirstLine() { return PluginSettings.ignoreFirstRow ? 1 : 0; }
int FirstColumn() { return PluginSettings.ignoreFirstCol ? 1 : 0; }

// A new series at the end of the chart's list, coloured from the palette by its index.
XSeries& AppendSeries(XChart& chart, int seriesIndex)
{
    std::unique_ptr<XSeries> series(new XSeries(chart));
    series->color = PluginSettings.seriesColors[seriesIndex % kSeriesColorCount];
    chart.seriesList.Add(series.get());
    return *series.release();
}

double FieldValue(const XStringList& fields, int index)
{
    return fields.At(index)->ToDouble();
}

}  // namespace

void LoadCsvIntoChart(const char* path, XChart& chart)
{
    XString pathText(path);
    GetFileName(pathText, chart.title);

    XStringList lines;
    lines.ReadFile(path);
    ResetDataRange();
    if (PluginSettings.seriesInCols)
        LoadSeriesInColumns(chart, lines);
    else
        LoadSeriesInRows(chart, lines);
    chart.SetDataRange(DataRange.minX, DataRange.minY, DataRange.maxX, DataRange.maxY);
}

void LoadSeriesInColumns(XChart& chart, const XStringList& lines)
{
    const int firstColumn = FirstColumn();
    const bool xColumn = PluginSettings.firstColX != 0;
    XStringList fields;
    int dataIndex = 0;
    for (int line = FirstLine(); line < lines.Count(); ++line, ++dataIndex) {
        fields.Split(lines.At(line)->buffer, PluginSettings.separator);
        int seriesIndex = 0;
        for (int column = firstColumn; column < fields.Count(); ++column) {
            if (column == firstColumn && xColumn)
                continue;
            if (seriesIndex == chart.seriesList.Count())
                AppendSeries(chart, seriesIndex);
            double x = xColumn ? FieldValue(fields, firstColumn) : dataIndex;
            double y = FieldValue(fields, column);
            UpdateDataRange(seriesIndex == 0 && dataIndex == 0, x, y);
            chart.SeriesAt(seriesIndex)->AddPoint(x, y);
            ++seriesIndex;
        }
    }
}

void LoadSeriesInRows(XChart& chart, const XStringList& lines)
{
    const int firstLine = FirstLine();
    const int firstColumn = FirstColumn();
    const bool xLine = PluginSettings.firstRowX != 0;
    XStringList fields;
    XDblList xTable;
    int seriesIndex = 0;
    for (int line = firstLine; line < lines.Count(); ++line) {
        if (line == firstLine && xLine) {
            // The X line is read from field 0, whatever ignoreFirstCol says.
            fields.Split(lines.At(line)->buffer, PluginSettings.separator);
            for (int k = 0; k < fields.Count(); ++k)
                xTable.Add(FieldValue(fields, k));
            continue;
        }
        // Made before the split: a line without fields still takes a series and a colour.
        XSeries& series = AppendSeries(chart, seriesIndex);
        fields.Split(lines.At(line)->buffer, PluginSettings.separator);
        for (int k = 0; firstColumn + k < fields.Count(); ++k) {
            double x = xLine && k < xTable.Count() ? xTable.At(k) : k;
            double y = FieldValue(fields, firstColumn + k);
            UpdateDataRange(k == 0 && seriesIndex == 0, x, y);
            series.AddPoint(x, y);
        }
        ++seriesIndex;
    }
}
