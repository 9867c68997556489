// Blocks of rows, merged as they fill their memory, summarise each series as its points do.
#include "csv/RowBlocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Event {
    int series;
    long long row;
    double y;   // NaN: a gap
};

// The summary of the events of a series in rows [first, end), the plain way.
RowSummary Expected(const std::vector<Event>& events, int series, long long first, long long end)
{
    RowSummary summary;
    for (const Event& e : events) {
        if (e.series != series || e.row < first || e.row >= end)
            continue;
        if (std::isnan(e.y))
            summary.gap = true;
        else
            summary.Add(e.y);
    }
    return summary;
}

}  // namespace

// Rows that skip, series that come late or stop early, gaps and repeated extremes, in
// memory that holds a few blocks or many: every block's summary is that of its rows. In
// memory too small for two blocks of the series, there are none.
TEST(RowBlocks, EachBlockSummarisesItsRows)
{
    const std::size_t memories[] = {300, 700, 2000, 20000};
    unsigned state = 20261210;
    const auto below = [&](unsigned n) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % n;
    };
    for (std::size_t memory : memories) {
        SCOPED_TRACE("memory " + std::to_string(memory));
        std::vector<Event> events;
        RowBlocks blocks(memory);
        long long row = 3;
        for (int line = 0; line < 3000; ++line, row += below(5) == 0 ? 3 : 1) {
            const int series = line < 100 ? 1 : line > 2500 ? 2 : 4;
            for (int s = 0; s < series; ++s) {
                const double y = below(40) == 0 ? std::nan("") : static_cast<double>(below(7));
                events.push_back({s, row, y});
                if (std::isnan(y))
                    blocks.Gap(s, static_cast<double>(row), static_cast<std::uint64_t>(row) * 10);
                else
                    blocks.Point(s, static_cast<double>(row), y, static_cast<std::uint64_t>(row) * 10);
            }
        }
        if (memory == 300) {
            EXPECT_FALSE(blocks.Usable());
            EXPECT_EQ(blocks.Count(), 0u);
            continue;
        }
        ASSERT_TRUE(blocks.Usable());
        ASSERT_GT(blocks.Count(), 1u);
        for (std::size_t k = 0; k < blocks.Count(); ++k) {
            const RowBlock& block = blocks.Block(k);
            EXPECT_EQ(block.offset, static_cast<std::uint64_t>(block.firstRow) * 10);
            const long long end = k + 1 < blocks.Count() ? blocks.Block(k + 1).firstRow : row;
            for (int s = 0; s < 4; ++s) {
                const RowSummary expected = Expected(events, s, block.firstRow, end);
                const RowSummary* summary = blocks.Summary(k, s);
                if (!summary) {
                    EXPECT_EQ(expected.points, 0u);
                    EXPECT_FALSE(expected.gap);
                    continue;
                }
                double got[4], want[4];
                const int count = summary->Values(got);
                ASSERT_EQ(count, expected.Values(want)) << "block " << k << ", series " << s;
                EXPECT_TRUE(std::equal(got, got + count, want)) << "block " << k << ", series " << s;
                EXPECT_EQ(summary->points > 1, expected.points > 1);
                EXPECT_EQ(summary->gap, expected.gap);
            }
        }
    }
}

// The values a block's line goes through: first, the extremes in the order they first
// stand, last; one value for one point.
TEST(RowBlocks, ValuesInTheirOrder)
{
    const struct {
        std::vector<double> ys;
        std::vector<double> values;
    } cases[] = {
        {{5}, {5}},
        {{5, 5}, {5, 5}},
        {{3, 1, 9, 4}, {3, 1, 9, 4}},
        {{3, 9, 1, 4}, {3, 9, 1, 4}},
        {{1, 9, 1, 9}, {1, 9, 9}},
        {{9, 1, 9, 4}, {9, 1, 4}},
    };
    for (const auto& c : cases) {
        RowSummary summary;
        for (double y : c.ys)
            summary.Add(y);
        double values[4];
        const int count = summary.Values(values);
        EXPECT_EQ(std::vector<double>(values, values + count), c.values);
    }
}
