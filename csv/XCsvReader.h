// A CSV file drawn as a chart in two passes over it, keeping no point: the first measures
// the points (their bounds, the number of series), the second, once the chart is laid out
// and drawn, draws the series' lines. Memory stays the same whatever the file's length.
#pragma once

#include "chart/CalendarTicks.h"
#include "chart/PanelGrouping.h"
#include "chart/XStreamedSeries.h"
#include "csv/CsvLayout.h"
#include "csv/CsvOptions.h"
#include "csv/DataRange.h"
#include "csv/RowBlocks.h"
#include "xlib/XLineReader.h"
#include "xlib/XObject.h"

#include <cstdint>
#include <memory>
#include <vector>

class XChart;
class XPanelChart;
struct WalkStart;

// The chart's kind of X for a detected X: the row number is a number.
XValueKind ChartXKind(XKind kind);

// How far a drawing may go: the memory for its lines, and the file size from which a file
// of series in columns is read in two halves by two threads at once (where the machine has
// two processors), each pass. Tests set them low to reach those ways with small files.
struct CsvReadingLimits {
    long long memoryBudget = XStreamedSeries::kMemoryBudget;
    std::uint64_t splitFrom = 4u << 20;
    // The most memory of each half's blocks of rows (RowBlocks), which take a 64th of the
    // file's size up to it, and a quarter of it at least; for files from rowBlocksFrom on:
    // a smaller file is read again faster than the blocks' memory is had.
    std::size_t rowBlockMemory = RowBlocks::kMemory;
    std::uint64_t rowBlocksFrom = 1u << 20;
};

class XCsvReader : public XObject {
public:
    explicit XCsvReader(const CsvOptions& options, const CsvReadingLimits& limits = CsvReadingLimits())
        : options_(options), limits_(limits)
    {
    }
    ~XCsvReader() override = default;

    // The first pass: the chart's title becomes the file name; a file that can be read
    // gives the bounds of its points and its number of series, and the chart takes that
    // range. A file that cannot be read, or holds no point, leaves the chart's axes.
    // With detectLayout it also measures each series' values, and gives the chart one
    // series for each, with its name and colour and no point.
    void Scan(const char* path, XChart& chart);

    // The second pass, after XChart::LayoutAndDraw: every series' line over the plot, the
    // same pixels XChart::DrawSeries would set had each point been kept. It reads no
    // further than the first pass did, and draws no series the first pass did not count.
    void DrawSeries(XChart& chart);
    // The same, after XPanelChart::LayoutAndDraw: each series' line in its panel, its gaps
    // breaking it.
    void DrawSeries(XPanelChart& panels);

    const DataRange& Range() const { return range_; }
    // With detectLayout: what the first pass found the file to hold (column names, X and
    // its kind, the series); null otherwise, and for a file that cannot be read.
    const CsvLayout* Layout() const { return layout_.get(); }
    int SeriesCount() const { return seriesCount_; }
    // With detectLayout: the values of each series, for SeriesCount() series; else empty.
    const std::vector<ValueBounds>& SeriesBounds() const { return bounds_; }
    bool ReadInTwoHalves() const { return halves_.laterBegin != 0; }
    // Whether the second pass drew from the first pass's blocks of rows (RowBlocks), reading
    // again only the blocks that need it, not the whole file.
    bool DrewFromBlocks() const { return drewFromBlocks_; }

private:
    // A file read in two halves: where the later half begins (0: read whole), its length,
    // and the data index of its first line.
    struct Halves {
        std::uint64_t laterBegin = 0;
        std::uint64_t laterBytes = 0;
        long long laterDataIndex = 0;
    };

    // A block of rows of the first pass, as the second draws it.
    struct BlockPart {
        const RowBlocks* blocks = nullptr;
        std::size_t index = 0;
        long long firstRow = 0;
        long long lastRow = -1;      // -1: not known
        std::uint64_t end = 0;       // where its lines end in the file
        bool summarised = false;     // drawn from its summaries, not read again
    };

    void ChooseHalves();
    bool SummarisesRows() const;
    std::unique_ptr<RowBlocks> NewRowBlocks() const;
    bool BlocksUsable() const;
    std::vector<BlockPart> BlockParts() const;
    bool DrawFromBlocks(XChart& chart);
    bool DrawFromBlocks(XPanelChart& panels);
    template <typename Lines>
    void ChooseSummarised(const Lines& lines, std::vector<BlockPart>& parts) const;
    template <typename Lines>
    std::vector<BlockPart> PartsToDraw(const Lines& lines) const;
    template <typename Lines>
    bool DrawFromBlocksInto(Lines& lines);
    template <typename Lines>
    bool DrawBlocksInHalves(Lines& earlier, Lines& later);
    template <typename Lines>
    void DrawParts(Lines& lines, XLineReader& reader, const std::vector<BlockPart>& parts, std::size_t begin,
                   std::size_t end);
    template <typename Lines>
    void DrawSummaries(Lines& lines, const BlockPart& part) const;
    bool XIsRowNumber() const;
    template <typename Reader, typename Sink>
    long long Walk(Reader& reader, Sink& sink, const WalkStart& start);
    void ScanHalves();
    void NameSeries(XChart& chart) const;
    template <typename Lines>
    void DrawWholeInto(Lines& lines);
    template <typename Lines, typename DrawHalf>
    bool DrawHalvesInto(Lines& earlier, Lines& later, DrawHalf drawHalf);
    template <typename Lines>
    void WalkHalf(Lines& lines, XLineReader& reader, bool laterHalf);
    bool DrawHalves(XChart& chart);
    bool DrawHalves(XPanelChart& panels);
    void DrawWhole(XChart& chart);

    const CsvOptions options_;
    const CsvReadingLimits limits_;
    XLineReader reader_;
    bool readable_ = false;
    std::unique_ptr<CsvLayout> layout_;
    DataRange range_;
    int seriesCount_ = 0;
    std::vector<ValueBounds> bounds_;
    std::uint64_t bytesScanned_ = 0;   // both halves' when read in two
    Halves halves_;
    // With rows summarised: the first pass's blocks, of the earlier half or the whole file,
    // and of the later half.
    std::unique_ptr<RowBlocks> earlierBlocks_;
    std::unique_ptr<RowBlocks> laterBlocks_;
    bool drewFromBlocks_ = false;
};
