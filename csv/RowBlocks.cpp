// Blocks of rows summarised for the second pass.
#include "csv/RowBlocks.h"

#include <initializer_list>
#include <new>

void RowSummary::Merge(const RowSummary& later)
{
    gap = gap || later.gap;
    if (later.points == 0)
        return;
    if (points == 0) {
        const bool gapBefore = gap;
        *this = later;
        gap = gap || gapBefore;
        return;
    }
    if (later.lowY < lowY) {
        lowY = later.lowY;
        lowAt = points + later.lowAt;
    }
    if (later.highY > highY) {
        highY = later.highY;
        highAt = points + later.highAt;
    }
    lastY = later.lastY;
    points += later.points;
}

int RowSummary::Values(double values[4]) const
{
    if (points == 0)
        return 0;
    int count = 0;
    values[count++] = firstY;
    if (points == 1)
        return count;
    const bool lowFirst = lowAt <= highAt;
    for (double extreme : {lowFirst ? lowY : highY, lowFirst ? highY : lowY}) {
        if (extreme != values[count - 1])
            values[count++] = extreme;
    }
    values[count++] = lastY;
    return count;
}

RowBlocks::RowBlocks(std::size_t memory)
{
    const std::size_t blockBytes = sizeof(RowBlock) + 2 * sizeof(RowSummary);   // two series a block, say
    try {
        blocks_.reserve(memory / blockBytes);
        const std::size_t blockMemory = blocks_.capacity() * sizeof(RowBlock);
        summaries_.reserve(memory > blockMemory ? (memory - blockMemory) / sizeof(RowSummary) : 0);
    } catch (const std::bad_alloc&) {
        GiveUp();
    }
    if (blocks_.capacity() < 2)
        GiveUp();
}

RowSummary* RowBlocks::NewSummaryAt(std::size_t series, long long row, std::uint64_t lineOffset)
{
    if (!usable_)
        return nullptr;
    if (row >= blockEnd_ || blocks_.empty()) {
        StartBlock(row, lineOffset);
        if (!usable_)
            return nullptr;
    }
    if (series >= blocks_.back().series && !AddSeries(series + 1))
        return nullptr;
    current_ = blocks_.back();
    currentEnd_ = static_cast<double>(blockEnd_);
    return &summaries_[current_.summaries + series];
}

void RowBlocks::StartBlock(long long row, std::uint64_t lineOffset)
{
    std::size_t series = 0;
    if (blocks_.empty()) {
        origin_ = row;
    } else {
        series = blocks_.back().series;
        for (;;) {
            if (CellOf(row) == CellOf(blocks_.back().firstRow)) {
                EndAtCellOf(row);   // merging made the last block take this row in
                return;
            }
            if (Room(series))
                break;
            if (blocks_.size() < 2) {
                GiveUp();
                return;
            }
            MergeNeighbours();
            if (!usable_)
                return;
        }
    }
    RowBlock block;
    block.offset = lineOffset;
    block.firstRow = row;
    block.summaries = summaries_.size();
    block.series = series;
    summaries_.resize(summaries_.size() + series);
    blocks_.push_back(block);
    EndAtCellOf(row);
}

// The last block summarises more series, its summaries being the last ones.
bool RowBlocks::AddSeries(std::size_t series)
{
    while (summaries_.size() + (series - blocks_.back().series) > summaries_.capacity()) {
        if (blocks_.size() < 2) {
            GiveUp();
            return false;
        }
        MergeNeighbours();
        if (!usable_)
            return false;
    }
    summaries_.resize(summaries_.size() + (series - blocks_.back().series));
    blocks_.back().series = series;
    return true;
}

// Blocks of twice the rows: the blocks and summaries move down in place, never past where
// they are read from.
void RowBlocks::MergeNeighbours()
{
    if (rowsPerBlock_ >= kMaxRowsPerBlock) {
        GiveUp();   // a block's points are counted in 32 bits
        return;
    }
    rowsPerBlock_ *= 2;
    std::size_t kept = 0;
    std::size_t written = 0;
    for (std::size_t read = 0; read < blocks_.size(); ++read) {
        const RowBlock block = blocks_[read];
        if (kept > 0 && CellOf(blocks_[kept - 1].firstRow) == CellOf(block.firstRow)) {
            RowBlock& into = blocks_[kept - 1];
            std::size_t s = 0;
            for (; s < into.series && s < block.series; ++s)
                summaries_[into.summaries + s].Merge(summaries_[block.summaries + s]);
            for (; s < block.series; ++s)
                summaries_[written++] = summaries_[block.summaries + s];
            if (block.series > into.series)
                into.series = block.series;
            continue;
        }
        RowBlock moved = block;
        moved.summaries = written;
        for (std::size_t s = 0; s < block.series; ++s)
            summaries_[written++] = summaries_[block.summaries + s];
        blocks_[kept++] = moved;
    }
    blocks_.resize(kept);
    summaries_.resize(written);
    EndAtCellOf(blocks_.back().firstRow);
}

void RowBlocks::GiveUp()
{
    usable_ = false;
    current_ = RowBlock();
    currentEnd_ = 0;
    blockEnd_ = 0;
    decltype(blocks_)().swap(blocks_);
    decltype(summaries_)().swap(summaries_);
}
