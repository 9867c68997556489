// Drawing a file's series from its second pass, keeping no point, sets exactly the pixels
// of the plain way: every point kept, every segment drawn (XChart::DrawSeries).
#include "canvas/XCanvas.h"
#include "chart/XChart.h"
#include "chart/XPanelChart.h"
#include "csv/CsvLoader.h"
#include "csv/XCsvReader.h"
#include "plugin/PluginSettings.h"
#include "tests/support/AllocationFaults.h"
#include "tests/support/GdiTestDc.h"
#include "tests/support/TestFiles.h"
#include "xlib/XLineReader.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <ctime>
#include <new>
#include <string>
#include <vector>

namespace {

struct Drawing {
    CsvOptions options;
    int width;
    int height;
    CsvReadingLimits limits;
    bool panelled = false;   // a detected file drawn as the plug-in draws it, in panels
};

// An allocation made to fail in one pass of the streamed drawing: the nth of the first
// pass (Scan, pass 0) or of the second (DrawSeries, pass 1).
struct Fault {
    int pass = -1;
    long nth = 0;
};

class FaultDuring {
public:
    FaultDuring(const Fault& fault, int pass)
    {
        if (fault.pass == pass)
            AllocationFaults::FailNth(fault.nth);
    }
    ~FaultDuring() { AllocationFaults::Disarm(); }
};

std::vector<DWORD> Draw(const std::string& path, const Drawing& d, bool streamed, const Fault& fault = Fault(),
                        bool* fromBlocks = nullptr)
{
    XLineReader::ReleaseKeptBlocks();   // every drawing allocates the same, whatever came before
    GdiTestDc target(d.width, d.height);
    XCanvas canvas;
    canvas.Attach(target.dc());
    {
        XChart chart(canvas, d.width, d.height);
        chart.showTitle = 1;
        if (streamed) {
            XCsvReader file(d.options, d.limits);
            {
                FaultDuring during(fault, 0);
                file.Scan(path.c_str(), chart);
            }
            if (d.panelled) {
                XPanelChart panels(chart, ChartXKind(file.Layout()->xKind), file.SeriesBounds());
                panels.LayoutAndDraw();
                FaultDuring during(fault, 1);
                file.DrawSeries(panels);
            } else {
                chart.LayoutAndDraw();
                FaultDuring during(fault, 1);
                file.DrawSeries(chart);
            }
            if (fromBlocks)
                *fromBlocks = file.DrewFromBlocks();
        } else {
            LoadCsvIntoChart(path.c_str(), chart, d.options);
            chart.LayoutAndDraw();
        }
    }
    canvas.Attach(nullptr);
    return target.Pixels();
}

class Random {
public:
    explicit Random(unsigned seed) : state_(seed) {}
    unsigned Below(unsigned n)
    {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) % n;
    }

private:
    unsigned state_;
};

// A field: mostly a walk, with jumps, repeats, text, empty fields and values beyond the
// double range; X columns and lines go back and forth and repeat.
std::string Field(Random& random, double& walk)
{
    switch (random.Below(40)) {
    case 0:
        return "1e999";
    case 1:
        return "-1e999";
    case 2:
        return "abc";
    case 3:
        return "";
    case 4:
        walk = static_cast<double>(random.Below(2000)) - 1000;
        break;
    default:
        walk += static_cast<double>(random.Below(21)) - 10;
    }
    return std::to_string(walk);
}

std::string RandomFile(Random& random)
{
    const unsigned lines = 1 + random.Below(150);
    const unsigned widest = 1 + random.Below(random.Below(4) == 0 ? 60 : 6);
    std::string text;
    std::vector<double> walks(widest, 0.0);
    for (unsigned line = 0; line < lines; ++line) {
        if (random.Below(25) == 0) {
            text += "\n";   // a blank line
            continue;
        }
        const unsigned fields = random.Below(8) == 0 ? 1 + random.Below(widest) : widest;
        for (unsigned f = 0; f < fields; ++f)
            text += (f ? "," : "") + Field(random, walks[f]);
        text += random.Below(3) == 0 ? "\r\n" : "\n";
    }
    return text;
}

Drawing RandomDrawing(Random& random)
{
    const int sizes[][2] = {{640, 480}, {37, 29}, {120, 90}, {333, 222}, {3, 3}, {1, 1}, {16, 700}, {1000, 41}};
    const long long budgets[] = {XStreamedSeries::kMemoryBudget, 3000, 20000, 1};
    Drawing d;
    d.options.palette.colors = SettingsRecord::seriesColors;
    d.options.palette.count = kSeriesColorCount;
    d.options.seriesInCols = random.Below(3) != 0;
    d.options.ignoreFirstCol = random.Below(4) == 0;
    d.options.ignoreFirstRow = random.Below(4) == 0;
    d.options.firstColX = random.Below(2);
    d.options.firstRowX = random.Below(2);
    const auto& size = sizes[random.Below(8)];
    d.width = size[0];
    d.height = size[1];
    d.limits.memoryBudget = budgets[random.Below(4)];
    d.limits.splitFrom = random.Below(2) ? 1 : d.limits.splitFrom;   // two halves at once, or not
    // Blocks of many rows or few: a small file's blocks take a quarter of the most.
    const std::size_t blockMemories[] = {RowBlocks::kMemory, 4000, 16000};
    d.limits.rowBlockMemory = blockMemories[random.Below(3)];
    d.limits.rowBlocksFrom = 0;
    d.options.detectLayout = random.Below(3) == 0;   // text and empty fields are gaps then
    return d;
}

TEST(StreamedDrawing, SetsThePixelsOfThePlainWayOnRandomFiles)
{
    Random random(20261208);
    for (int round = 0; round < 160; ++round) {
        const std::string text = RandomFile(random);
        const Drawing d = RandomDrawing(random);
        SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(d.width) + "x" +
                     std::to_string(d.height) + (d.options.detectLayout ? ", detected" : d.options.seriesInCols ? ", columns" : ", lines") + ", budget " +
                     std::to_string(d.limits.memoryBudget) +
                     (d.limits.splitFrom == 1 ? ", in halves" : ""));
        TempFile file(text);
        ASSERT_TRUE(Draw(file.Path(), d, true) == Draw(file.Path(), d, false)) << text.substr(0, 400);
    }
}

// Many rows to a pixel column: the points within what a column's run reaches already are
// held back, never changing a pixel, whether columns have a few points or thousands,
// values repeat or gaps break the lines.
TEST(StreamedDrawing, DenseColumnsSetThePixelsOfThePlainWay)
{
    Random random(20261211);
    for (int rows : {300, 4000}) {
        for (int detected = 0; detected < 4; ++detected) {
            const int series = detected < 2 ? 3 : 1;   // a single series is drawn as it comes
            std::string text = detected % 2 ? (series == 3 ? "a,b,c\n" : "a\n") : "";
            double walks[3] = {};
            for (int row = 0; row < rows; ++row) {
                for (int k = 0; k < series; ++k) {
                    const unsigned step = random.Below(9);
                    walks[k] += step < 3 ? 0.0 : static_cast<double>(step) - 6;   // repeats, climbs and falls
                    const bool gap = detected % 2 && random.Below(50) == 0;
                    text += (k ? "," : "") + (gap ? std::string("NA") : std::to_string(static_cast<int>(walks[k])));
                }
                text += "\n";
            }
            TempFile file(text);
            for (const auto& size : {std::make_pair(640, 480), std::make_pair(37, 29), std::make_pair(200, 12)}) {
                Drawing d{CsvOptions(), size.first, size.second, CsvReadingLimits()};
                d.options.detectLayout = detected % 2;
                d.options.palette.colors = SettingsRecord::seriesColors;
                d.options.palette.count = kSeriesColorCount;
                SCOPED_TRACE(std::to_string(rows) + " rows, " + std::to_string(size.first) + "x" +
                             std::to_string(size.second) + ", " + std::to_string(series) + " series" +
                             (detected % 2 ? ", detected" : ""));
                EXPECT_TRUE(Draw(file.Path(), d, true) == Draw(file.Path(), d, false));
            }
        }
    }
}

// The second pass drawn from the first pass's blocks of rows, most of them within a pixel
// column: strict and detected files with rows that are blank, short or long, series that
// stop early, gaps, and extremes that repeat; read whole, or in two halves at once.
void ExpectBlocksSetThePixelsOfThePlainWay(std::uint64_t splitFrom)
{
    Random random(20261212);
    for (int detected = 0; detected < 3; ++detected) {
        std::string text = detected ? "a,b,c\n" : "";
        double walks[3] = {};
        for (int row = 0; row < 6000; ++row) {
            if (random.Below(200) == 0) {
                text += "\n";
                continue;
            }
            const int fields = row > 5500 ? 1 : random.Below(100) == 0 ? 2 : 3;
            for (int k = 0; k < fields; ++k) {
                const unsigned step = random.Below(9);
                walks[k] += step < 3 ? 0.0 : static_cast<double>(step) - 6;
                const bool gap = detected && random.Below(300) == 0;
                text += (k ? "," : "") + (gap ? std::string("NA") : std::to_string(static_cast<int>(walks[k])));
            }
            text += "\n";
        }
        TempFile file(text);
        for (const auto& size : {std::make_pair(37, 29), std::make_pair(120, 90), std::make_pair(640, 480)}) {
            Drawing d{CsvOptions(), size.first, size.second, CsvReadingLimits(), detected == 2};
            d.options.detectLayout = detected != 0;
            d.options.palette.colors = SettingsRecord::seriesColors;
            d.options.palette.count = kSeriesColorCount;
            d.limits.splitFrom = splitFrom;
            d.limits.rowBlockMemory = 400000;   // a quarter of it: blocks of 8 to 16 rows
            d.limits.rowBlocksFrom = 0;
            SCOPED_TRACE(std::to_string(size.first) + "x" + std::to_string(size.second) +
                         (detected ? detected == 2 ? ", in panels" : ", detected" : ""));
            bool fromBlocks = false;
            const std::vector<DWORD> pixels = Draw(file.Path(), d, true, Fault(), &fromBlocks);
            Drawing plain = d;
            plain.limits.rowBlockMemory = 0;   // no blocks: the whole file read again
            EXPECT_TRUE(pixels == Draw(file.Path(), plain, true));
            if (detected != 2) {
                EXPECT_TRUE(pixels == Draw(file.Path(), d, false));
            }
            EXPECT_EQ(fromBlocks, size.first < 640);
        }
    }
}

TEST(StreamedDrawing, BlocksOfRowsSetThePixelsOfThePlainWay)
{
    ExpectBlocksSetThePixelsOfThePlainWay(std::uint64_t(1) << 40);
}

TEST(StreamedDrawing, BlocksOfRowsInHalvesSetThePixelsOfThePlainWay)
{
    ExpectBlocksSetThePixelsOfThePlainWay(1);
}

// A line's last point sets no pixel of its own, as LineTo leaves out its end, unless the
// line reached that pixel before: here b ends, in a block within one pixel column, at its
// lowest value, on the pixel of a higher value it passed through a few rows before. Drawn
// through that block's first, highest, lowest and last values only, the pixel would be lost.
TEST(StreamedDrawing, ALineEndingOnAPixelItPassedKeepsIt)
{
    std::string text;
    for (int row = 0; row < 6000; ++row) {
        text += "5";
        if (row < 3005)
            text += row == 3001 ? ",40.37" : row == 3002 || row == 3003 ? ",70" : row == 3004 ? ",40.369" : ",100";
        text += "\n";
    }
    TempFile file(text);
    for (int width : {60, 120, 200}) {
        SCOPED_TRACE("width " + std::to_string(width));
        Drawing d{CsvOptions(), width, 200, CsvReadingLimits()};
        d.options.palette.colors = SettingsRecord::seriesColors;
        d.options.palette.count = kSeriesColorCount;
        d.limits.rowBlockMemory = 400000;   // blocks of 8 rows
        d.limits.rowBlocksFrom = 0;
        bool fromBlocks = false;
        EXPECT_TRUE(Draw(file.Path(), d, true, Fault(), &fromBlocks) == Draw(file.Path(), d, false));
        EXPECT_TRUE(fromBlocks);
    }
}

// Halves, or blocks of rows, whose thread or memory cannot be had, whichever of their
// allocations fails in either pass, before or while they read: the file is read in one
// thread, or read again whole, instead, to the same pixels. No more failures end the drawing than the one-thread reading has
// allocations in that pass.
TEST(StreamedDrawing, HalvesThatCannotHaveTheirMemoryFallBackToOneThread)
{
    Random random(20261210);
    double walks[3] = {};
    // Strict: a long line at each end, for which the later half's reader grows while reading.
    const std::string longLine = std::string(300000, 'x') + "\n";
    std::string strict = longLine;
    for (int line = 0; line < 60; ++line)
        strict += Field(random, walks[0]) + "," + Field(random, walks[1]) + "," + Field(random, walks[2]) + "\n";
    strict += longLine;
    // Detected, drawn in panels: long notes make the file large enough for halves.
    std::string detected = "level,flow,volume,note\n";
    for (int line = 0; line < 60; ++line)
        detected += std::to_string(random.Below(90)) + "," + (line % 7 == 3 ? std::string("NA") : std::to_string(line)) +
                    "," + std::to_string(100000 + random.Below(100000)) + "," + std::string(5000, 'n') + "\n";
    for (const std::string* text : {&strict, &detected}) {
        SCOPED_TRACE(text == &strict ? "strict" : "detected, in panels");
        TempFile file(*text);
        Drawing whole{CsvOptions(), 200, 150, CsvReadingLimits(), text == &detected};
        whole.options.detectLayout = text == &detected;
        whole.limits.rowBlocksFrom = 0;   // the blocks of rows, whose memory may not be had either
        Drawing halves = whole;
        halves.limits.splitFrom = 1;
        const std::vector<DWORD> expected = Draw(file.Path(), whole, true);
        for (int pass = 0; pass < 2; ++pass) {
            Draw(file.Path(), whole, true, Fault{pass, LONG_MAX});
            const long wholeAllocations = AllocationFaults::Counted();
            long gaveUp = 0;
            long fallbacks = 0;
            for (long n = 1;; ++n) {
                std::vector<DWORD> pixels;
                try {
                    pixels = Draw(file.Path(), halves, true, Fault{pass, n});
                } catch (const std::bad_alloc&) {
                    ++gaveUp;
                    continue;
                }
                if (!AllocationFaults::Fired())
                    break;   // past the pass's last allocation
                ++fallbacks;
                ASSERT_TRUE(pixels == expected) << "pass " << pass << ", allocation " << n;
            }
            EXPECT_LE(gaveUp, wholeAllocations) << "pass " << pass;
            EXPECT_GT(fallbacks, 2) << "pass " << pass;
        }
    }
}

// A detected file large enough to be read in two halves: a preamble, a header, dates, gaps.
TEST(StreamedDrawing, ADetectedFileInTwoHalvesSetsThePixelsOfThePlainWay)
{
    Random random(20261210);
    std::string text = "Pump station log\ntime;flow;level;note\n";
    for (int row = 0; row < 6000; ++row) {
        const std::string flow = random.Below(30) == 0 ? "NA" : std::to_string(random.Below(500)) + ",5";
        text += "2024-01-01T" + std::to_string(10 + row / 3600) + ":" + std::to_string(10 + row / 60 % 50) + ":" +
                std::to_string(10 + row % 50) + ";" + flow + ";" + std::to_string(random.Below(90)) + ";ok\n";
    }
    TempFile file(text);
    Drawing d{CsvOptions(), 400, 300, CsvReadingLimits()};
    d.options.detectLayout = 1;
    d.options.palette.colors = SettingsRecord::seriesColors;
    d.options.palette.count = kSeriesColorCount;
    d.limits.splitFrom = 1;
    ASSERT_TRUE(Draw(file.Path(), d, true) == Draw(file.Path(), d, false));
}

// Panels of a file read in two halves: each series' values are measured across both, as
// when it is read whole; here the later half alone holds the values that ask for a panel.
TEST(StreamedDrawing, PanelsOfADetectedFileInTwoHalvesAreThoseOfTheWholeFile)
{
    std::string text = "Boiler log\nhour,pressure,flow\n";
    for (int row = 0; row < 20000; ++row)
        text += std::to_string(row) + "," + std::to_string(row % 50) + "," +
                std::to_string(row > 15000 && row % 7 == 0 ? 100000 + row : row % 40) + "\n";
    TempFile file(text);
    Drawing whole{CsvOptions(), 400, 300, CsvReadingLimits(), true};
    whole.options.detectLayout = 1;
    whole.options.palette.colors = SettingsRecord::seriesColors;
    whole.options.palette.count = kSeriesColorCount;
    Drawing halves = whole;
    halves.limits.splitFrom = 1;
    EXPECT_TRUE(Draw(file.Path(), halves, true) == Draw(file.Path(), whole, true));
}

// A detected table whose series keep breaking into runs of one, two and three points, in
// two panels, read in two halves at once: the runs that cross the split, and the lone points
// beside it, drawn as when the file is read whole. A long note on each line keeps the file
// above the size read in halves with a row for about each pixel of X. The rows shift by one
// per file, so the split meets each series' runs at each of their points and gaps.
TEST(StreamedDrawing, PanelsInTwoHalvesDrawTheRunsAcrossTheSplitAsWhole)
{
    const char* const runs[] = {"x.", "xx.x..", "x.xxx"};   // per series, repeated down the file
    const std::string note = "," + std::string(420, 'n') + "\n";
    const std::string totalsNote = ",Total" + std::string(415, ' ') + "\n";
    const struct {
        bool dated;
        long long memoryBudget;   // small: a half's lines take masks, or do not fit at all
    } cases[] = {{true, XStreamedSeries::kMemoryBudget}, {false, XStreamedSeries::kMemoryBudget},
                 {true, 40000}, {false, 3000}};
    Random random(20261211);
    for (const auto& c : cases) {
        for (int shift = 0; shift < 6; ++shift) {
            SCOPED_TRACE(std::string(c.dated ? "dates" : "row numbers") + ", budget " +
                         std::to_string(c.memoryBudget) + ", shift " + std::to_string(shift));
            std::string text = c.dated ? "day,level,flow,volume,note\n" : "level,flow,volume,note\n";
            for (int row = shift; row < 340 + shift; ++row) {
                if (c.dated) {
                    const std::time_t day = 1500000000 + static_cast<std::time_t>(row) * 86400;
                    char date[16];
                    std::strftime(date, sizeof date, "%Y-%m-%d,", std::gmtime(&day));
                    text += date;
                }
                for (int k = 0; k < 3; ++k) {
                    const std::string run = runs[k];
                    const bool gap = run[static_cast<std::size_t>(row) % run.size()] == '.';
                    const unsigned scale = k == 2 ? 100000 : 100;
                    text += (k ? "," : "") + (gap ? std::string("NA") : std::to_string(scale + random.Below(scale)));
                }
                // Rows labelled as totals about the split: inside the table, they stay data.
                text += row - shift >= 160 && row - shift < 180 ? totalsNote : note;
            }
            TempFile file(text);
            Drawing whole{CsvOptions(), 400, 300, CsvReadingLimits(), true};
            whole.options.detectLayout = 1;
            whole.options.palette.colors = SettingsRecord::seriesColors;
            whole.options.palette.count = kSeriesColorCount;
            whole.limits.memoryBudget = c.memoryBudget;
            whole.limits.splitFrom = std::uint64_t(1) << 40;
            Drawing halves = whole;
            halves.limits.splitFrom = 1;
            ASSERT_TRUE(Draw(file.Path(), halves, true) == Draw(file.Path(), whole, true));
        }
    }
}

// A file that grows, shrinks or changes between the two passes: the second reads no further
// than the first did and draws no series the first did not count, whatever it finds.
TEST(StreamedDrawing, AFileChangedBetweenThePassesDrawsWhatFits)
{
    const std::string wide = "1,2,3,4,5,6,7,8,9\n";
    const struct {
        const char* what;
        std::string bytes;
    } changes[] = {{"emptied", ""}, {"cut short", "5,"}, {"grown", std::string(20000, '7') + "\n" + wide + wide},
                   {"rewritten wider", wide + wide + wide + wide}, {"made binary", std::string(300, '\x1A')}};
    for (const auto& change : changes) {
        for (std::uint64_t splitFrom : {std::uint64_t(1), std::uint64_t(1) << 40}) {
            SCOPED_TRACE(std::string(change.what) + (splitFrom == 1 ? ", in halves" : ""));
            TempFile file("1,2\n3,4\n5,6\n7,8\n9,10\n11,12\n");
            Drawing d{CsvOptions(), 200, 150, CsvReadingLimits()};
            d.limits.splitFrom = splitFrom;
            GdiTestDc target(d.width, d.height);
            XCanvas canvas;
            canvas.Attach(target.dc());
            {
                XChart chart(canvas, d.width, d.height);
                XCsvReader reader(d.options, d.limits);
                reader.Scan(file.Path().c_str(), chart);
                EXPECT_EQ(reader.SeriesCount(), 2);
                HANDLE writer = CreateFileA(file.Path().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                            nullptr, TRUNCATE_EXISTING, 0, nullptr);
                ASSERT_NE(writer, INVALID_HANDLE_VALUE);
                DWORD written = 0;
                WriteFile(writer, change.bytes.data(), static_cast<DWORD>(change.bytes.size()), &written, nullptr);
                CloseHandle(writer);
                chart.LayoutAndDraw();
                reader.DrawSeries(chart);
            }
            canvas.Attach(nullptr);
        }
    }
}

}  // namespace
