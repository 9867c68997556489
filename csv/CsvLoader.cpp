// Turns one CSV file into the title, series and axis ranges of a chart.
#include "csv/CsvLoader.h"

#include "chart/XChart.h"
#include "chart/XSeries.h"
#include "csv/CsvOptions.h"
#include "csv/DataRange.h"
#include "csv/FieldSpans.h"
#include "xlib/XDblList.h"
#include "xlib/XLineReader.h"
#include "xlib/XString.h"
#include "xlib/XStringList.h"

#include <memory>
#include <new>
#include <vector>

namespace {

int FirstUsedLine(const CsvOptions& options) { return options.ignoreFirstRow ? 1 : 0; }
int FirstUsedColumn(const CsvOptions& options) { return options.ignoreFirstCol ? 1 : 0; }

// A new series at the end of the chart's list, coloured from the palette by its index.
XSeries& AppendSeries(XChart& chart, const CsvOptions& options, int seriesIndex)
{
    std::unique_ptr<XSeries> series(new XSeries(chart));
    series->color = options.SeriesColor(seriesIndex);
    chart.seriesList.Add(series.get());
    return *series.release();
}

// Every column a series, every line one data row; fed the used lines in file order.
class ColumnSeriesBuilder {
public:
    ColumnSeriesBuilder(XChart& chart, const CsvOptions& options, DataRange& range)
        : chart_(chart), options_(options), range_(range)
    {
    }

    void AddLine(const char* text, int length)
    {
        SplitIntoSpans(text, length, options_.separator, fields_);
        const int fieldCount = static_cast<int>(fields_.size());
        // With an X column, series k holds column firstColumn + 1 + k; otherwise firstColumn + k.
        const int firstValue = xColumn_ ? firstColumn_ + 1 : firstColumn_;
        double x = dataIndex_;
        if (xColumn_ && firstColumn_ < fieldCount)
            x = SpanValue(fields_[firstColumn_]);
        int seriesIndex = 0;
        for (int column = firstValue; column < fieldCount; ++column, ++seriesIndex) {
            if (seriesIndex == chart_.seriesList.Count())
                AppendSeries(chart_, options_, seriesIndex);
            double y = SpanValue(fields_[column]);
            UpdateDataRange(range_, seriesIndex == 0 && dataIndex_ == 0, x, y);
            chart_.SeriesAt(seriesIndex)->AddPoint(x, y);
        }
        ++dataIndex_;   // also for a line that gave no point
    }

    // Makes room at once for the points of about that many more lines, instead of growing
    // every series step by step: the same points, fewer copies.
    void ExpectMoreLines(long long lines)
    {
        const long long room = lines + lines / 32;
        for (int i = 0; i < chart_.seriesList.Count(); ++i) {
            XSeries* series = chart_.SeriesAt(i);
            long long wanted = series->pointCount + room;
            if (wanted > 0x7FFFFFF)
                return;   // beyond any address space: let the lists grow as they go
            try {
                series->xValues.Reserve(static_cast<int>(wanted));
                series->yValues.Reserve(static_cast<int>(wanted));
            } catch (const std::bad_alloc&) {
                return;   // only an estimate: the lists still grow when they must
            }
        }
    }

    int FirstLine() const { return FirstUsedLine(options_); }

private:
    XChart& chart_;
    const CsvOptions& options_;
    DataRange& range_;
    const int firstColumn_ = FirstUsedColumn(options_);
    const bool xColumn_ = options_.firstColX != 0;
    int dataIndex_ = 0;
    std::vector<FieldSpan> fields_;
};

// Every line a series; fed the used lines in file order.
class RowSeriesBuilder {
public:
    RowSeriesBuilder(XChart& chart, const CsvOptions& options, DataRange& range)
        : chart_(chart), options_(options), range_(range)
    {
    }

    void AddLine(const char* text, int length)
    {
        if (firstLine_ && xLine_) {
            // The X line is read from field 0, whatever ignoreFirstCol says.
            firstLine_ = false;
            SplitIntoSpans(text, length, options_.separator, fields_);
            for (const FieldSpan& field : fields_)
                xTable_.Add(SpanValue(field));
            return;
        }
        firstLine_ = false;
        // Made before the split: a line without fields still takes a series and a colour.
        XSeries& series = AppendSeries(chart_, options_, seriesIndex_);
        SplitIntoSpans(text, length, options_.separator, fields_);
        const int fieldCount = static_cast<int>(fields_.size());
        for (int k = 0; firstColumn_ + k < fieldCount; ++k) {
            double x = xLine_ && k < xTable_.Count() ? xTable_.At(k) : k;
            double y = SpanValue(fields_[firstColumn_ + k]);
            UpdateDataRange(range_, k == 0 && seriesIndex_ == 0, x, y);
            series.AddPoint(x, y);
        }
        ++seriesIndex_;
    }

    void ExpectMoreLines(long long) {}   // a series is one line: nothing to grow ahead

    int FirstLine() const { return FirstUsedLine(options_); }

private:
    XChart& chart_;
    const CsvOptions& options_;
    DataRange& range_;
    const int firstColumn_ = FirstUsedColumn(options_);
    const bool xLine_ = options_.firstRowX != 0;
    bool firstLine_ = true;
    int seriesIndex_ = 0;
    XDblList xTable_;
    std::vector<FieldSpan> fields_;
};

// After this many lines, their length tells how many more the file holds.
constexpr int kLinesBeforeEstimate = 4096;

template <typename Builder>
void FeedLines(Builder& builder, const XStringList& lines)
{
    for (int line = builder.FirstLine(); line < lines.Count(); ++line) {
        if (line == kLinesBeforeEstimate)
            builder.ExpectMoreLines(lines.Count() - line);
        builder.AddLine(lines.At(line)->buffer, lines.At(line)->Length());
    }
}

// The file's lines straight from the reader: the same lines as XStringList::ReadFile
// gives, without holding the whole file in memory.
template <typename Builder>
void FeedFile(Builder& builder, const char* path)
{
    XLineReader reader;
    if (!reader.Open(path))
        return;
    const char* text = nullptr;
    int length = 0;
    for (int line = 0; reader.Next(text, length); ++line) {
        if (line == kLinesBeforeEstimate && reader.BytesTaken() > 0)
            builder.ExpectMoreLines((reader.FileSize() - reader.BytesTaken()) * line / reader.BytesTaken());
        if (line >= builder.FirstLine())
            builder.AddLine(text, length);
    }
}

}  // namespace

DataRange LoadCsvIntoChart(const char* path, XChart& chart, const CsvOptions& options)
{
    XString pathText(path);
    GetFileName(pathText, chart.title);

    DataRange range;
    if (options.seriesInCols) {
        ColumnSeriesBuilder builder(chart, options, range);
        FeedFile(builder, path);
    } else {
        RowSeriesBuilder builder(chart, options, range);
        FeedFile(builder, path);
    }
    chart.SetDataRange(range.minX, range.minY, range.maxX, range.maxY);
    return range;
}

DataRange LoadSeriesInColumns(XChart& chart, const XStringList& lines, const CsvOptions& options)
{
    DataRange range;
    ColumnSeriesBuilder builder(chart, options, range);
    FeedLines(builder, lines);
    return range;
}

DataRange LoadSeriesInRows(XChart& chart, const XStringList& lines, const CsvOptions& options)
{
    DataRange range;
    RowSeriesBuilder builder(chart, options, range);
    FeedLines(builder, lines);
    return range;
}
