// Turns one CSV file into the title, series and axis ranges of a chart, keeping every point.
#include "csv/CsvLoader.h"

#include "chart/XChart.h"
#include "chart/XSeries.h"
#include "csv/CsvOptions.h"
#include "csv/CsvPoints.h"
#include "csv/DataRange.h"
#include "csv/LayoutDetection.h"
#include "csv/LayoutPoints.h"
#include "xlib/XLineReader.h"
#include "xlib/XString.h"
#include "xlib/XStringList.h"

#include <limits>
#include <memory>

namespace {

// Keeps every point in a series of the chart, coloured from the palette by its index.
class KeptPoints {
public:
    KeptPoints(XChart& chart, const CsvOptions& options) : chart_(chart), options_(options) {}

    void NewSeries(int series)
    {
        std::unique_ptr<XSeries> created(new XSeries(chart_));
        created->color = options_.palette.ColorOf(series);
        chart_.seriesList.Add(created.get());
        created.release();
    }

    bool Wants(int) const { return true; }

    void Point(int series, double x, double y, bool first)
    {
        UpdateDataRange(range, first, x, y);
        chart_.SeriesAt(series)->AddPoint(x, y);
    }

    // Kept as a point of no value: XChart::DrawSeries draws no segment to or from it.
    void Gap(int series, double x) { chart_.SeriesAt(series)->AddPoint(x, std::numeric_limits<double>::quiet_NaN()); }

    DataRange range;

private:
    XChart& chart_;
    const CsvOptions& options_;
};

// The lines of a list, read the way XLineReader gives those of a file.
class ListLines {
public:
    explicit ListLines(const XStringList& lines) : lines_(lines) {}

    bool Next(const char*& text, std::size_t& length)
    {
        if (next_ >= lines_.Count())
            return false;
        const XString* line = lines_.At(next_++);
        text = line->Text() ? line->Text() : "";
        length = static_cast<std::size_t>(line->Length());
        return true;
    }

private:
    const XStringList& lines_;
    int next_ = 0;
};

template <typename Lines>
DataRange LoadPoints(Lines& lines, XChart& chart, const CsvOptions& options)
{
    KeptPoints points(chart, options);
    WalkPoints(lines, options, points);
    return points.range;
}

}  // namespace

DataRange LoadCsvIntoChart(const char* path, XChart& chart, const CsvOptions& options)
{
    GetFileName(XString(path), chart.title);
    DataRange range;
    XLineReader reader;
    if (reader.Open(path)) {
        std::unique_ptr<CsvLayout> layout;
        if (options.detectLayout)
            layout.reset(new CsvLayout(ReadLayout(reader, options.separator)));
        KeptPoints points(chart, options);
        WalkFilePoints(reader, options, layout.get(), points);
        range = points.range;
    }
    if (!range.empty)   // without a point the axes keep the chart's own ranges
        chart.SetDataRange(range.minX, range.minY, range.maxX, range.maxY);
    return range;
}

DataRange LoadSeriesInColumns(XChart& chart, const XStringList& lines, const CsvOptions& options)
{
    CsvOptions columns = options;
    columns.seriesInCols = 1;
    ListLines list(lines);
    return LoadPoints(list, chart, columns);
}

DataRange LoadSeriesInRows(XChart& chart, const XStringList& lines, const CsvOptions& options)
{
    CsvOptions rows = options;
    rows.seriesInCols = 0;
    ListLines list(lines);
    return LoadPoints(list, chart, rows);
}
