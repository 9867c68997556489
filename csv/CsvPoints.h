// The points a CSV file holds, as the options say: which line and column gives which series
// its points, and with which X. One walk, fed the used lines in file order, for everything
// that reads a file: the loader that keeps the points, the pass that only measures them and
// the pass that draws them. A sink takes what the walk finds:
//   void NewSeries(int series)      a series begins (it takes a colour even without points)
//   bool Wants(int series)          whether its values need reading at all
//   void Point(int series, double x, double y, bool first)
// `first` marks the point that starts the data range: series 0 at data index 0 (columns)
// or point 0 of series 0 (lines).
#pragma once

#include "csv/CsvOptions.h"
#include "csv/FieldValues.h"

#include <cmath>
#include <cstddef>
#include <vector>

inline int FirstUsedLine(const CsvOptions& options) { return options.ignoreFirstRow ? 1 : 0; }
inline int FirstUsedColumn(const CsvOptions& options) { return options.ignoreFirstCol ? 1 : 0; }

// A value beyond the double range reads as an infinity: it is no point, so that the other
// values keep their scale; the line joins the points on either side.
inline bool IsPoint(double x, double y)
{
    return std::isfinite(x) && std::isfinite(y);
}

// Where a walk begins: at the file's first line, or at a later line of it whose data
// index (in column mode) is known.
struct WalkStart {
    long long dataIndex = 0;
    bool fileStart = true;   // the first used line is skipped, and the first point starts the range
    bool toFileEnd = true;   // it reads on to the file's end, not to where a later half begins
};

// Every column a series, every line one data row. Series k holds column firstColumn + k,
// or firstColumn + 1 + k with an X column. X is the data index (every used line counts,
// a blank one too), or the line's X column.
template <typename Sink>
class ColumnPoints {
public:
    ColumnPoints(const CsvOptions& options, Sink& sink, const WalkStart& start)
        : options_(options), sink_(sink), dataIndex_(start.dataIndex), fileStart_(start.fileStart)
    {
    }

    void AddLine(const char* text, std::size_t length)
    {
        FieldValues fields(text, length, options_.separator);
        bool more = true;
        for (int column = 0; column < firstColumn_ && more; ++column)
            more = fields.Skip();
        double x = static_cast<double>(dataIndex_);
        if (more && xColumn_)
            more = fields.Next(x);   // without an X field the line has no value either
        for (int series = 0; more; ++series) {
            const bool wanted = sink_.Wants(series);
            double y = 0;
            if (!(wanted ? fields.Next(y) : fields.Skip()))
                break;
            if (series == seriesCount_)
                sink_.NewSeries(seriesCount_++);
            if (wanted && IsPoint(x, y))
                sink_.Point(series, x, y, fileStart_ && series == 0 && dataIndex_ == 0);
        }
        ++dataIndex_;
    }

private:
    const CsvOptions& options_;
    Sink& sink_;
    const int firstColumn_ = FirstUsedColumn(options_);
    const bool xColumn_ = options_.firstColX != 0;
    long long dataIndex_;
    const bool fileStart_;
    int seriesCount_ = 0;
};

// Every line a series. With firstRowX the first used line holds the X values instead, read
// from its field 0 whatever ignoreFirstCol says; point k of a series takes X entry k, or k
// itself beyond the X line's end.
template <typename Sink>
class RowPoints {
public:
    RowPoints(const CsvOptions& options, Sink& sink) : options_(options), sink_(sink) {}

    void AddLine(const char* text, std::size_t length)
    {
        FieldValues fields(text, length, options_.separator);
        double value;
        if (xLineAhead_) {
            xLineAhead_ = false;
            while (fields.Next(value))
                xValues_.push_back(value);
            return;
        }
        const int series = seriesCount_++;
        sink_.NewSeries(series);   // before the split: a line without fields is a series too
        if (!sink_.Wants(series))
            return;
        for (int column = 0; column < firstColumn_; ++column) {
            if (!fields.Skip())
                return;
        }
        for (std::size_t k = 0; fields.Next(value); ++k) {
            const double x = k < xValues_.size() ? xValues_[k] : static_cast<double>(k);
            if (IsPoint(x, value))
                sink_.Point(series, x, value, k == 0 && series == 0);
        }
    }

private:
    const CsvOptions& options_;
    Sink& sink_;
    const int firstColumn_ = FirstUsedColumn(options_);
    bool xLineAhead_ = options_.firstRowX != 0;
    std::vector<double> xValues_;
    int seriesCount_ = 0;
};

// Feeds the used lines of the reader to the walk of the options' orientation; the number
// of used lines it walked. A walk from a later line of the file is for columns only.
template <typename Reader, typename Walk>
long long FeedUsedLines(Reader& reader, int firstLine, Walk& walk)
{
    const char* text = nullptr;
    std::size_t length = 0;
    long long walked = 0;
    for (long long line = 0; reader.Next(text, length); ++line) {
        if (line >= firstLine) {
            walk.AddLine(text, length);
            ++walked;
        }
    }
    return walked;
}

template <typename Reader, typename Sink>
long long WalkPoints(Reader& reader, const CsvOptions& options, Sink& sink, const WalkStart& start = WalkStart())
{
    const int firstLine = start.fileStart ? FirstUsedLine(options) : 0;
    if (options.seriesInCols) {
        ColumnPoints<Sink> walk(options, sink, start);
        return FeedUsedLines(reader, firstLine, walk);
    }
    RowPoints<Sink> walk(options, sink);
    return FeedUsedLines(reader, firstLine, walk);
}
