// What the first pass over a file whose X is the row number keeps, so that the second pass
// need not read most of the file again: for blocks of consecutive rows, each series' first,
// lowest, highest and last value, and whether the lowest comes before the highest.
//
// Within one pixel column a line's pixels are a vertical run from its lowest to its highest
// point, entered at its first point and left from its last (ColumnSpan); which row of the
// column a point stands in changes no pixel. So a block whose rows all land in one column
// draws the same pixels through these four values, in their order, as through all of its
// points. The other blocks are read again, from the offset of their first row's line. The
// memory is fixed: when the blocks fill it, neighbours merge into blocks of twice the rows.
#pragma once

#include "xlib/XOwnLines.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// One series in one block.
struct RowSummary {
    double firstY = 0;
    double lastY = 0;
    double lowY = 0;
    double highY = 0;
    unsigned points = 0;   // in the block so far
    unsigned lowAt = 0;    // the point where the lowest value first stands
    unsigned highAt = 0;   // the same for the highest
    bool gap = false;      // a gap among the points: the block must be read again

    // Without a branch on the value, which comes from a division just before: a branch
    // on it would wait for the division whenever the new extremes came unforeseen.
    void Add(double y)
    {
        if (points == 0)
            firstY = lowY = highY = y;
        lastY = y;
        lowAt = y < lowY ? points : lowAt;
        highAt = y > highY ? points : highAt;
        lowY = y < lowY ? y : lowY;
        highY = y > highY ? y : highY;
        ++points;
    }

    // The summary of this block's rows followed by the later block's.
    void Merge(const RowSummary& later);
    // The values a line goes through in the block, in their order: two to four for two
    // points or more (the first and last always), one for one.
    int Values(double values[4]) const;
};

struct RowBlock {
    std::uint64_t offset = 0;   // of the line of its first row
    long long firstRow = 0;
    std::size_t summaries = 0;  // where its series' summaries begin
    std::size_t series = 0;     // how many series it summarises
};

// Written at every point by the thread of its half of a file: see XOwnLines.h.
class alignas(kOwnLines) RowBlocks {
public:
    // What the summaries take at most, with the blocks.
    static constexpr std::size_t kMemory = 1u << 20;
    static constexpr long long kMaxRowsPerBlock = 1LL << 30;

    explicit RowBlocks(std::size_t memory = kMemory);

    // False once the blocks could not be kept: the memory could not be had, or one block
    // of the series does not fit it. The second pass then reads the whole file.
    bool Usable() const { return usable_; }

    // The walk's next point, or gap, of the series in the row (a whole number, as the walk
    // gives it: in 32-bit code a 64-bit integer from it would cost two writes of the x87
    // control word a point), whose line starts at the offset. Rows come in order.
    void Point(int series, double row, double y, std::uint64_t lineOffset)
    {
        if (RowSummary* summary = SummaryAt(series, row, lineOffset))
            summary->Add(y);
    }
    void Gap(int series, double row, std::uint64_t lineOffset)
    {
        if (RowSummary* summary = SummaryAt(series, row, lineOffset))
            summary->gap = true;
    }

    std::size_t Count() const { return blocks_.size(); }
    const RowBlock& Block(std::size_t k) const { return blocks_[k]; }
    // The series' summary in block k; null when the block has none for it.
    const RowSummary* Summary(std::size_t k, int series) const
    {
        const RowBlock& block = blocks_[k];
        const std::size_t s = static_cast<std::size_t>(series);
        return s < block.series ? &summaries_[block.summaries + s] : nullptr;
    }

private:
    RowSummary* SummaryAt(int series, double row, std::uint64_t lineOffset)
    {
        const std::size_t s = static_cast<std::size_t>(series);
        if (row < currentEnd_ && s < current_.series)
            return &summaries_[current_.summaries + s];
        return NewSummaryAt(s, static_cast<long long>(row), lineOffset);
    }

    RowSummary* NewSummaryAt(std::size_t series, long long row, std::uint64_t lineOffset);
    void StartBlock(long long row, std::uint64_t lineOffset);
    bool AddSeries(std::size_t series);
    bool Room(std::size_t summaries) const
    {
        return summaries_.size() + summaries <= summaries_.capacity() && blocks_.size() < blocks_.capacity();
    }
    void MergeNeighbours();
    long long CellOf(long long row) const { return (row - origin_) / rowsPerBlock_; }
    void EndAtCellOf(long long row) { blockEnd_ = origin_ + (CellOf(row) + 1) * rowsPerBlock_; }
    void GiveUp();

    bool usable_ = true;
    long long origin_ = 0;       // the first row that had a point
    long long rowsPerBlock_ = 1;
    long long blockEnd_ = 0;     // the row after the last block's: none yet
    RowBlock current_;           // a copy of the last block, none while not usable
    double currentEnd_ = 0;      // blockEnd_ once current_ is the last block
    std::vector<RowBlock, XOwnLinesAllocator<RowBlock>> blocks_;
    std::vector<RowSummary, XOwnLinesAllocator<RowSummary>> summaries_;
};
