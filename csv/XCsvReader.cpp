// A CSV file drawn as a chart in two passes over it, keeping no point.
#include "csv/XCsvReader.h"

#include "chart/XChart.h"
#include "chart/XPanelChart.h"
#include "chart/XPanelStreams.h"
#include "chart/XSeries.h"
#include "csv/CsvPoints.h"
#include "csv/CsvSample.h"
#include "csv/LayoutDetection.h"
#include "csv/LayoutPoints.h"
#include "xlib/XOwnLines.h"
#include "xlib/XString.h"
#include "xlib/XWorkerThread.h"

#include <windows.h>

#include <limits>
#include <new>

namespace {

void Widen(ValueBounds& bounds, double y)
{
    if (bounds.Empty())
        bounds = ValueBounds{y, y};
    else if (y < bounds.min)
        bounds.min = y;
    else if (y > bounds.max)
        bounds.max = y;
}

// The first pass: bounds and series, nothing kept; each series' values when asked.
class MeasuredPoints {
public:
    // With blocks, each point also goes into them, with the offset of its line.
    explicit MeasuredPoints(bool perSeries, RowBlocks* blocks = nullptr, const std::uint64_t* lineStart = nullptr)
        : perSeries_(perSeries), blocks_(blocks), lineStart_(lineStart)
    {
    }

    void NewSeries(int)
    {
        ++seriesCount;
        if (perSeries_)
            bounds.resize(static_cast<std::size_t>(seriesCount), kNoValues);
    }
    bool Wants(int) const { return true; }
    void Point(int series, double x, double y, bool first)
    {
        UpdateDataRange(range, first, x, y);
        if (perSeries_ && series < seriesCount) {
            // Without a branch on the value: see RowSummary::Add.
            ValueBounds& values = bounds[static_cast<std::size_t>(series)];
            values.min = y < values.min ? y : values.min;
            values.max = y > values.max ? y : values.max;
        }
        if (blocks_)
            blocks_->Point(series, x, y, *lineStart_);
    }
    void Gap(int series, double x)
    {
        if (blocks_)
            blocks_->Gap(series, x, *lineStart_);
    }

    // Each series' values; those of a series without any are Empty(), with infinite ends.
    std::vector<ValueBounds, XOwnLinesAllocator<ValueBounds>> SeriesBounds() const
    {
        auto settled = bounds;
        for (ValueBounds& values : settled) {
            if (values.Empty())
                values = ValueBounds();
        }
        return settled;
    }

    DataRange range;
    int seriesCount = 0;

private:
    static constexpr ValueBounds kNoValues{std::numeric_limits<double>::infinity(),
                                           -std::numeric_limits<double>::infinity()};

    std::vector<ValueBounds, XOwnLinesAllocator<ValueBounds>> bounds;
    const bool perSeries_;
    RowBlocks* const blocks_;
    const std::uint64_t* const lineStart_;
};

// A reader that tells where the line it gave out last begins.
class LineStartReader {
public:
    explicit LineStartReader(XLineReader& reader) : reader_(reader) {}

    bool Next(const char*& text, std::size_t& length)
    {
        lineStart = reader_.LineEndOffset();
        return reader_.Next(text, length);
    }

    std::uint64_t lineStart = 0;

private:
    XLineReader& reader_;
};

// Whether points at rows x1 to x2 with values from low to high land in one pixel column of
// the series' plot, in its data window.
bool OneColumn(const XStreamedSeries& lines, int, double x1, double x2, double low, double high)
{
    return lines.OneColumn(x1, x2, low, high);
}
bool OneColumn(const XPanelStreams& lines, int series, double x1, double x2, double low, double high)
{
    return lines.OneColumn(series, x1, x2, low, high);
}

// The panels' streams pass over the series of other groups themselves.
bool InGroup(const XStreamedSeries& lines, int series) { return lines.InGroup(series); }
bool InGroup(const XPanelStreams&, int) { return true; }

// The second pass: each point straight to the drawing, for the series the first pass
// counted and the drawing's current group holds.
template <typename Lines>
class DrawnPoints {
public:
    DrawnPoints(Lines& lines, int seriesCount) : lines_(lines), seriesCount_(seriesCount) {}

    void NewSeries(int) {}
    bool Wants(int series) const { return series < seriesCount_ && InGroup(lines_, series); }
    void Point(int series, double x, double y, bool) { lines_.Point(series, x, y); }
    // A point no segment reaches or leaves: the line stops before it and starts again after.
    void Gap(int series, double x) { lines_.Point(series, x, std::numeric_limits<double>::quiet_NaN()); }

private:
    Lines& lines_;
    const int seriesCount_;
};

// The later range's bounds after the earlier's, as one pass through both would leave them:
// a bound moves only for a value strictly beyond it.
void WidenRange(DataRange& range, const DataRange& later)
{
    if (later.empty)
        return;
    if (range.empty) {
        range = later;
        return;
    }
    UpdateDataRange(range, 0, later.minX, later.minY);
    UpdateDataRange(range, 0, later.maxX, later.maxY);
}

template <typename Later>
void WidenBounds(std::vector<ValueBounds>& bounds, const Later& later)
{
    if (later.size() > bounds.size())
        bounds.resize(later.size());
    for (std::size_t k = 0; k < later.size(); ++k) {
        if (!later[k].Empty()) {
            Widen(bounds[k], later[k].min);
            Widen(bounds[k], later[k].max);
        }
    }
}

// True when the reading in halves was done; false when a second thread or the memory of
// a half could not be had: the caller then reads the file in one thread, which needs less.
template <typename Reading>
bool ReadInHalves(Reading reading)
{
    try {
        return reading();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// The earlier half's walk: from the file's start to where the later half begins.
WalkStart EarlierHalf()
{
    WalkStart start;
    start.toFileEnd = false;
    return start;
}

// What the two halves' lines need once both are read, before they are drawn: in panels,
// the dots of lone points whose run crosses from one half into the other.
void JoinHalves(XStreamedSeries&, const XStreamedSeries&) {}
void JoinHalves(XPanelStreams& earlier, const XPanelStreams& later) { earlier.DotAcross(later); }

bool HasTwoProcessors()
{
    SYSTEM_INFO system = {};
    GetSystemInfo(&system);
    return system.dwNumberOfProcessors >= 2;
}

}  // namespace

XValueKind ChartXKind(XKind kind)
{
    switch (kind) {
    case XKind::Date:
        return XValueKind::Date;
    case XKind::DateTime:
        return XValueKind::DateTime;
    case XKind::Time:
        return XValueKind::Time;
    default:
        return XValueKind::Number;
    }
}

void XCsvReader::Scan(const char* path, XChart& chart)
{
    GetFileName(XString(path), chart.title);
    readable_ = reader_.Open(path);
    if (!readable_)
        return;
    if (options_.detectLayout)
        layout_.reset(new CsvLayout(ReadLayout(reader_, options_.separator)));
    ChooseHalves();
    if (!halves_.laterBegin || !ReadInHalves([&] { ScanHalves(); return true; })) {
        halves_ = Halves();   // one thread reads it all, from the start
        earlierBlocks_ = NewRowBlocks();
        laterBlocks_.reset();
        reader_.Rewind(0);
        LineStartReader lines(reader_);
        MeasuredPoints measured(layout_ != nullptr, earlierBlocks_.get(), &lines.lineStart);
        Walk(lines, measured, WalkStart());
        range_ = measured.range;
        seriesCount_ = measured.seriesCount;
        const auto bounds = measured.SeriesBounds();
        bounds_.assign(bounds.begin(), bounds.end());
        bytesScanned_ = reader_.BytesRead();
    }
    if (!range_.empty)   // without a point the axes keep the chart's own ranges
        chart.SetDataRange(range_.minX, range_.minY, range_.maxX, range_.maxY);
    if (layout_) {
        bounds_.resize(static_cast<std::size_t>(seriesCount_));
        NameSeries(chart);
    }
}

void XCsvReader::NameSeries(XChart& chart) const
{
    for (int k = 0; k < seriesCount_; ++k) {
        auto* series = new XSeries(chart);
        series->color = options_.palette.ColorOf(k);
        series->name.SetText(layout_->SeriesName(k).c_str());
        chart.seriesList.Add(series);
    }
}

template <typename Reader, typename Sink>
long long XCsvReader::Walk(Reader& reader, Sink& sink, const WalkStart& start)
{
    return WalkFilePoints(reader, options_, layout_.get(), sink, start);
}

bool XCsvReader::XIsRowNumber() const
{
    return layout_ ? layout_->xColumn < 0 : !options_.firstColX;
}

// Series in columns, in a file large enough, on two processors: the later half starts at
// the first line start past the middle. Lines in rows are series drawn in order, one by one.
// A detected layout says when the file is read whole (CsvLayout::ReadWhole); otherwise its
// later half must start past the sample, where the preamble and the header lie.
void XCsvReader::ChooseHalves()
{
    halves_ = Halves();
    const std::uint64_t size = reader_.FileSize();
    std::uint64_t lineStart = 0;
    const bool inColumns =
        layout_ ? !layout_->ReadWhole() && size / 2 >= kSampleBytes : options_.seriesInCols != 0;
    if (inColumns && size >= limits_.splitFrom && size >= 2 && HasTwoProcessors() &&
        ReadInHalves([&] { return reader_.FindLineStart(size / 2, lineStart); }))
        halves_.laterBegin = lineStart;
}

void XCsvReader::ScanHalves()
{
    earlierBlocks_ = NewRowBlocks();
    laterBlocks_ = NewRowBlocks();
    alignas(kOwnLines) XLineReader laterReader;
    laterReader.Share(reader_);
    laterReader.Rewind(halves_.laterBegin);
    alignas(kOwnLines) LineStartReader laterLines(laterReader);
    alignas(kOwnLines) MeasuredPoints later(layout_ != nullptr, laterBlocks_.get(), &laterLines.lineStart);
    XWorkerThread worker([&] {
        WalkStart start;
        start.fileStart = false;   // its own data indices from 0: the earlier half's count is added after
        Walk(laterLines, later, start);
    });
    reader_.Rewind(0, halves_.laterBegin);
    alignas(kOwnLines) LineStartReader earlierLines(reader_);
    alignas(kOwnLines) MeasuredPoints earlier(layout_ != nullptr, earlierBlocks_.get(), &earlierLines.lineStart);
    const long long earlierRows = Walk(earlierLines, earlier, EarlierHalf());
    worker.Join();
    range_ = earlier.range;
    seriesCount_ = earlier.seriesCount;
    const auto earlierBounds = earlier.SeriesBounds();
    bounds_.assign(earlierBounds.begin(), earlierBounds.end());
    bytesScanned_ = reader_.BytesRead();
    if (reader_.EndedByCtrlZ() || reader_.Failed()) {
        halves_ = Halves();   // the input ended in the earlier half: nothing of the later belongs to it
        laterBlocks_.reset();
        return;
    }
    if (XIsRowNumber() && !later.range.empty) {
        // Data indices of the later half count on from the earlier half's lines.
        later.range.minX += static_cast<double>(earlierRows);
        later.range.maxX += static_cast<double>(earlierRows);
    }
    WidenRange(range_, later.range);
    WidenBounds(bounds_, later.SeriesBounds());
    if (later.seriesCount > seriesCount_)
        seriesCount_ = later.seriesCount;
    halves_.laterBytes = laterReader.BytesRead();
    halves_.laterDataIndex = earlierRows;
    bytesScanned_ = halves_.laterBegin + halves_.laterBytes;
}

void XCsvReader::DrawSeries(XChart& chart)
{
    if (!readable_ || range_.empty)
        return;
    if (ReadInHalves([&] { return DrawFromBlocks(chart); }))
        return;
    // In as many groups as it takes; over what the halves drew before they failed, which
    // it draws again.
    if (!halves_.laterBegin || !ReadInHalves([&] { return DrawHalves(chart); }))
        DrawWhole(chart);
}

void XCsvReader::DrawWhole(XChart& chart)
{
    const bool mixed = layout_ || options_.seriesInCols;
    const auto order = mixed ? XStreamedSeries::Order::SeriesMixed : XStreamedSeries::Order::SeriesInTurn;
    XStreamedSeries lines(chart, seriesCount_, order, options_.palette, limits_.memoryBudget);
    DrawWholeInto(lines);
}

void XCsvReader::DrawSeries(XPanelChart& panels)
{
    if (!readable_ || range_.empty)
        return;
    if (ReadInHalves([&] { return DrawFromBlocks(panels); }))
        return;
    if (!halves_.laterBegin || !ReadInHalves([&] { return DrawHalves(panels); })) {
        XPanelStreams streams(panels, limits_.memoryBudget);
        DrawWholeInto(streams);
    }
}

template <typename Lines>
void XCsvReader::DrawWholeInto(Lines& lines)
{
    DrawnPoints<Lines> drawn(lines, seriesCount_);
    while (lines.NextGroup()) {
        reader_.Rewind(0, bytesScanned_);
        Walk(reader_, drawn, WalkStart());
        lines.EndGroup();
    }
}

// Each half into lines of its own, at once, drawHalf(lines, reader, later) drawing a half's
// points into them; then both drawn, series by series. False, with nothing drawn, when the
// series do not all fit in one group for both halves.
template <typename Lines, typename DrawHalf>
bool XCsvReader::DrawHalvesInto(Lines& earlier, Lines& later, DrawHalf drawHalf)
{
    if (!earlier.NextGroup() || !later.NextGroup())
        return true;   // nothing of a line can show
    if (!earlier.HoldsAllSeries() || !later.HoldsAllSeries())
        return false;
    alignas(kOwnLines) XLineReader laterReader;
    laterReader.Share(reader_);
    XWorkerThread worker([&] {
        drawHalf(later, laterReader, true);
        later.FinishGroup();
    });
    drawHalf(earlier, reader_, false);
    earlier.FinishGroup();
    worker.Join();
    JoinHalves(earlier, later);
    if (!earlier.HoldsAllSeries() || !later.HoldsAllSeries())
        return false;   // a half outgrew its budget after all, its lines taking masks
    earlier.DrawGroup(&later);
    return true;
}

// A half's lines of the file, walked again.
template <typename Lines>
void XCsvReader::WalkHalf(Lines& lines, XLineReader& reader, bool laterHalf)
{
    DrawnPoints<Lines> drawn(lines, seriesCount_);
    if (!laterHalf) {
        reader.Rewind(0, halves_.laterBegin);
        Walk(reader, drawn, EarlierHalf());
        return;
    }
    reader.Rewind(halves_.laterBegin, halves_.laterBegin + halves_.laterBytes);
    WalkStart start;
    start.fileStart = false;
    start.dataIndex = halves_.laterDataIndex;
    Walk(reader, drawn, start);
}

bool XCsvReader::DrawHalves(XChart& chart)
{
    const long long budget = limits_.memoryBudget / 2;
    XStreamedSeries earlier(chart, seriesCount_, XStreamedSeries::Order::FileHalf, options_.palette, budget);
    XStreamedSeries later(chart, seriesCount_, XStreamedSeries::Order::FileHalf, options_.palette, budget);
    return DrawHalvesInto(earlier, later, [this](XStreamedSeries& lines, XLineReader& reader, bool laterHalf) {
        WalkHalf(lines, reader, laterHalf);
    });
}

// The panels share each half's budget.
bool XCsvReader::DrawHalves(XPanelChart& panels)
{
    const long long budget = limits_.memoryBudget / 2;
    alignas(kOwnLines) XPanelStreams earlier(panels, budget, LonePoints::Span::EarlierHalf);
    alignas(kOwnLines) XPanelStreams later(panels, budget, LonePoints::Span::LaterHalf);
    return DrawHalvesInto(earlier, later, [this](XPanelStreams& lines, XLineReader& reader, bool laterHalf) {
        WalkHalf(lines, reader, laterHalf);
    });
}

// Rows are summarised where X is the row number, the lines are the records, and a record
// gives its points when it is read (no totals row held back by a label column).
bool XCsvReader::SummarisesRows() const
{
    if (!layout_)
        return options_.seriesInCols && !options_.firstColX;
    if (layout_->xColumn >= 0 || layout_->timeColumn >= 0 || layout_->ReadWhole())
        return false;
    for (const CsvColumn& column : layout_->columns) {
        if (column.kind == ColumnKind::Text)
            return false;
    }
    return true;
}

std::unique_ptr<RowBlocks> XCsvReader::NewRowBlocks() const
{
    if (reader_.FileSize() < limits_.rowBlocksFrom || !SummarisesRows())
        return nullptr;
    // More blocks read less of a large file again; in a smaller one their fresh pages cost
    // more than they save.
    const std::uint64_t share = reader_.FileSize() / 64;
    const std::size_t least = limits_.rowBlockMemory / 4;
    const std::size_t memory = share < least ? least : share < limits_.rowBlockMemory ? static_cast<std::size_t>(share)
                                                                                    : limits_.rowBlockMemory;
    std::unique_ptr<RowBlocks> blocks(new (std::nothrow) RowBlocks(memory));
    return blocks && blocks->Usable() ? std::move(blocks) : nullptr;
}

bool XCsvReader::DrawFromBlocks(XChart& chart)
{
    if (!BlocksUsable())
        return false;
    if (halves_.laterBegin) {
        const long long budget = limits_.memoryBudget / 2;
        XStreamedSeries earlier(chart, seriesCount_, XStreamedSeries::Order::FileHalf, options_.palette, budget);
        XStreamedSeries later(chart, seriesCount_, XStreamedSeries::Order::FileHalf, options_.palette, budget);
        if (DrawBlocksInHalves(earlier, later))
            return true;
    }
    XStreamedSeries lines(chart, seriesCount_, XStreamedSeries::Order::SeriesMixed, options_.palette,
                          limits_.memoryBudget);
    return DrawFromBlocksInto(lines);
}

bool XCsvReader::DrawFromBlocks(XPanelChart& panels)
{
    if (!BlocksUsable())
        return false;
    if (halves_.laterBegin) {
        const long long budget = limits_.memoryBudget / 2;
        alignas(kOwnLines) XPanelStreams earlier(panels, budget, LonePoints::Span::EarlierHalf);
        alignas(kOwnLines) XPanelStreams later(panels, budget, LonePoints::Span::LaterHalf);
        if (DrawBlocksInHalves(earlier, later))
            return true;
    }
    XPanelStreams streams(panels, limits_.memoryBudget);
    return DrawFromBlocksInto(streams);
}

bool XCsvReader::BlocksUsable() const
{
    return earlierBlocks_ && earlierBlocks_->Usable() &&
           (!halves_.laterBegin || (laterBlocks_ && laterBlocks_->Usable()));
}

// The blocks of both halves in file order, where their lines end and their first rows.
std::vector<XCsvReader::BlockPart> XCsvReader::BlockParts() const
{
    std::vector<BlockPart> parts;
    const auto add = [&](const RowBlocks& blocks, long long rowShift, std::uint64_t end) {
        for (std::size_t k = 0; k < blocks.Count(); ++k) {
            BlockPart part;
            part.blocks = &blocks;
            part.index = k;
            part.firstRow = blocks.Block(k).firstRow + rowShift;
            const bool last = k + 1 == blocks.Count();
            part.lastRow = last ? -1 : blocks.Block(k + 1).firstRow - 1 + rowShift;
            part.end = last ? end : blocks.Block(k + 1).offset;
            parts.push_back(part);
        }
    };
    if (halves_.laterBegin) {
        add(*earlierBlocks_, 0, halves_.laterBegin);
        add(*laterBlocks_, halves_.laterDataIndex, halves_.laterBegin + halves_.laterBytes);
    } else {
        add(*earlierBlocks_, 0, bytesScanned_);
    }
    return parts;
}

// A block is drawn from its summaries when every series in it has two points or more, no
// gap, all in one pixel column. A half's last block, whose rows run on to an end unknown
// here, is read again, and so is the block of each series' last point, the one point a line
// leaves out of its pixels.
template <typename Lines>
void XCsvReader::ChooseSummarised(const Lines& lines, std::vector<BlockPart>& parts) const
{
    for (BlockPart& part : parts) {
        part.summarised = part.lastRow >= 0;
        const std::size_t series = part.blocks->Block(part.index).series;
        for (std::size_t s = 0; s < series && s < static_cast<std::size_t>(seriesCount_) && part.summarised; ++s) {
            const RowSummary& summary = *part.blocks->Summary(part.index, static_cast<int>(s));
            part.summarised = !summary.gap && summary.points != 1 &&
                              (summary.points == 0 ||
                               OneColumn(lines, static_cast<int>(s), static_cast<double>(part.firstRow),
                                         static_cast<double>(part.lastRow), summary.lowY, summary.highY));
        }
    }
    for (int s = 0; s < seriesCount_; ++s) {
        for (std::size_t k = parts.size(); k-- > 0;) {
            const RowSummary* summary = parts[k].blocks->Summary(parts[k].index, s);
            if (summary && (summary->points > 0 || summary->gap)) {
                parts[k].summarised = false;
                break;
            }
        }
    }
}

// The blocks to draw, each marked whether it is drawn from its summaries; empty when too
// many must be read again for the blocks to pay (a file of few rows a pixel column).
template <typename Lines>
std::vector<XCsvReader::BlockPart> XCsvReader::PartsToDraw(const Lines& lines) const
{
    std::vector<BlockPart> parts = BlockParts();
    ChooseSummarised(lines, parts);
    std::size_t readAgain = 0;
    for (const BlockPart& part : parts)
        readAgain += part.summarised ? 0 : 1;
    if (readAgain * 2 > parts.size())
        parts.clear();
    return parts;
}

// The second pass from the first one's blocks, in one thread: false, with nothing drawn,
// when they do not pay.
template <typename Lines>
bool XCsvReader::DrawFromBlocksInto(Lines& lines)
{
    const std::vector<BlockPart> parts = PartsToDraw(lines);
    if (parts.empty())
        return false;
    while (lines.NextGroup()) {
        DrawParts(lines, reader_, parts, 0, parts.size());
        lines.EndGroup();
    }
    drewFromBlocks_ = true;
    return true;
}

// The same with each half's blocks in a thread of its own, as the first pass read them.
template <typename Lines>
bool XCsvReader::DrawBlocksInHalves(Lines& earlier, Lines& later)
{
    const std::vector<BlockPart> parts = PartsToDraw(earlier);
    if (parts.empty())
        return false;
    const std::size_t split = earlierBlocks_->Count();
    drewFromBlocks_ = DrawHalvesInto(earlier, later, [&](Lines& lines, XLineReader& reader, bool laterHalf) {
        DrawParts(lines, reader, parts, laterHalf ? split : 0, laterHalf ? parts.size() : split);
    });
    return drewFromBlocks_;
}

// Parts [begin, end): from their summaries, or read again.
template <typename Lines>
void XCsvReader::DrawParts(Lines& lines, XLineReader& reader, const std::vector<BlockPart>& parts, std::size_t begin,
                           std::size_t end)
{
    DrawnPoints<Lines> drawn(lines, seriesCount_);
    for (std::size_t k = begin; k < end; ++k) {
        const BlockPart& part = parts[k];
        if (part.summarised) {
            DrawSummaries(lines, part);
            continue;
        }
        reader.Rewind(part.blocks->Block(part.index).offset, part.end);
        WalkStart start;
        start.dataIndex = part.firstRow;
        start.fileStart = false;
        start.toFileEnd = false;
        Walk(reader, drawn, start);
    }
}

template <typename Lines>
void XCsvReader::DrawSummaries(Lines& lines, const BlockPart& part) const
{
    const double x = static_cast<double>(part.firstRow);   // any row of the block's column
    const std::size_t series = part.blocks->Block(part.index).series;
    for (std::size_t s = 0; s < series && s < static_cast<std::size_t>(seriesCount_); ++s) {
        if (!InGroup(lines, static_cast<int>(s)))
            continue;
        double values[4];
        const int count = part.blocks->Summary(part.index, static_cast<int>(s))->Values(values);
        for (int i = 0; i < count; ++i)
            lines.Point(static_cast<int>(s), x, values[i]);
    }
}
