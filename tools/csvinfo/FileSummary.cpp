// What the reading of one CSV file yields, as csvinfo reports it.
#include "FileSummary.h"

#include "csv/CsvPoints.h"
#include "csv/CsvSample.h"
#include "csv/LayoutDetection.h"
#include "csv/LayoutPoints.h"
#include "xlib/XLineReader.h"

namespace {

// Counts each series' points and gaps and keeps its bounds.
class SummarySink {
public:
    explicit SummarySink(std::vector<SeriesSummary>& series) : series_(series) {}

    void NewSeries(int series)
    {
        if (series >= static_cast<int>(series_.size()))
            series_.resize(static_cast<std::size_t>(series) + 1);
    }
    bool Wants(int) const { return true; }
    void Point(int series, double, double y, bool)
    {
        SeriesSummary& s = series_[static_cast<std::size_t>(series)];
        if (s.points == 0 || y < s.min)
            s.min = y;
        if (s.points == 0 || y > s.max)
            s.max = y;
        ++s.points;
    }
    void Gap(int series, double) { ++series_[static_cast<std::size_t>(series)].gaps; }

private:
    std::vector<SeriesSummary>& series_;
};

void SummarizeLayout(const CsvLayout& layout, FileSummary& summary)
{
    summary.encoding = EncodingName(layout.encoding);
    summary.separator = layout.separator;
    summary.quote = layout.quote;
    summary.decimalMark = layout.decimalMark;
    summary.preambleLines = layout.preambleLines;
    summary.headerLines = layout.headerLines;
    summary.xColumn = layout.xColumn;
    summary.xKind = layout.XKindName();
    if (layout.xColumn >= 0)
        summary.xName = layout.columns[static_cast<std::size_t>(layout.xColumn)].name;
    for (std::size_t k = 0; k < layout.series.size(); ++k) {
        summary.series[k].column = layout.series[k];
        summary.series[k].name = layout.SeriesName(static_cast<int>(k));
    }
    for (std::size_t c = 0; c < layout.columns.size(); ++c) {
        const ColumnKind kind = layout.columns[c].kind;
        if (kind == ColumnKind::Identifier)
            summary.idColumns.push_back(static_cast<int>(c));
        else if (kind == ColumnKind::Text)
            summary.textColumns.push_back(static_cast<int>(c));
    }
}

// The settings' reading: series k is column firstColumn (+ 1 with an X column) + k, or the
// file's line firstLine (+ 1 with an X line) + k; no names.
void SummarizeOptions(const CsvOptions& options, FileSummary& summary)
{
    summary.separator = options.separator;
    summary.preambleLines = FirstUsedLine(options);
    const int firstColumn = FirstUsedColumn(options);
    if (options.seriesInCols && options.firstColX) {
        summary.xColumn = firstColumn;
        summary.xKind = "number";
    }
    for (std::size_t k = 0; k < summary.series.size(); ++k) {
        SeriesSummary& s = summary.series[k];
        const int index = static_cast<int>(k);
        if (options.seriesInCols) {
            s.column = firstColumn + (options.firstColX ? 1 : 0) + index;
            s.name = "column " + std::to_string(s.column + 1);
        } else {
            s.name = "line " + std::to_string(FirstUsedLine(options) + (options.firstRowX ? 1 : 0) + index + 1);
        }
    }
}

}  // namespace

bool SummarizeFile(const char* path, const CsvOptions& options, FileSummary& summary)
{
    XLineReader reader;
    if (!reader.Open(path))
        return false;
    const CsvLayout layout = ReadLayout(reader, options.separator);
    SummarySink sink(summary.series);
    if (options.detectLayout) {
        WalkLayoutPoints(reader, layout, sink, WalkStart(), &summary.footnoteLines);
        SummarizeLayout(layout, summary);
    } else {
        WalkPoints(reader, options, sink);
        SummarizeOptions(options, summary);
        summary.encoding = EncodingName(layout.encoding);
    }
    return !reader.Failed();
}
