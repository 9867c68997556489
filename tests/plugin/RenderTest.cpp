// The bitmap the host receives: size, ownership, and where frame, grid and series land.
#include "canvas/XCanvas.h"
#include "plugin/PluginSettings.h"
#include "plugin/SettingsStore.h"
#include "tests/support/RegistryGuard.h"
#include "tests/support/GdiTestDc.h"
#include "tests/support/PluginHost.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kGrid = 0x707070;
constexpr COLORREF kRed = 0x0000FF;

struct Plot {
    int left, top, right, bottom;   // right and bottom excluded
};

// The plot rectangle the layout must give, from the same font measurements: tick mark
// (h / 2), widest Y label and 10 pixels on the left; a label row on the bottom; the title
// band measured 4 points larger; 20 pixels on the right without a legend.
Plot ExpectedPlot(int width, int height, const std::vector<const char*>& yLabels)
{
    CanvasOnTestDc on(1, 1);
    XCanvas& canvas = on.canvas;
    int h = canvas.TextHeight("Wg");
    int widest = 0;
    for (const char* label : yLabels)
        widest = std::max(widest, canvas.TextWidth(label));
    FontSpec titleBand = canvas.fontSpec;
    titleBand.pointSize += 4;
    canvas.SetFont(titleBand);
    int titleHeight = canvas.TextHeight("Wg");
    return {h / 2 + widest + 10, titleHeight + 20, width - 20, height - (h / 2 + h + 10)};
}

const std::vector<const char*> kDefaultLabels = {"0", "25", "50", "75", "100"};

using Rendering = LoadedPlugin;

// The values 0 to 100 in one column: both axes run from 0 to 100.
class RenderedRamp : public Rendering {
protected:
    void SetUp() override
    {
        Rendering::SetUp();
        std::string lines;
        for (int i = 0; i <= 100; ++i)
            lines += std::to_string(i) + "\n";
        pixels = RenderedBytes(lines);
    }

    // Where the mapping puts a value: rounded down, from the frame's first column and last row.
    int Column(double x) const { return plot.left + static_cast<int>(std::floor(x / xUnits)); }
    int Row(double y) const { return plot.bottom - 1 - static_cast<int>(std::floor(y / yUnits)); }

    BitmapPixels pixels;
    const Plot plot = ExpectedPlot(640, 480, kDefaultLabels);
    const double xUnits = 100.0 / (plot.right - plot.left - 1);
    const double yUnits = 100.0 / (plot.bottom - plot.top - 1);
};

TEST_F(Rendering, OtherPathsGiveNoBitmap)
{
    EXPECT_EQ(host.LoadBitmap("C:\\data\\notes.txt"), nullptr);
    EXPECT_EQ(host.LoadBitmap(""), nullptr);
}

TEST_F(Rendering, HostOwnsAScreenCompatibleBitmapOfTheConfiguredSize)
{
    TempFile file("1,2\n3,4\n");
    HBITMAP bitmap = host.LoadBitmap(file.Path());
    ASSERT_NE(bitmap, nullptr);
    BITMAP info = {};
    ASSERT_NE(GetObjectA(bitmap, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 640);
    EXPECT_EQ(info.bmHeight, 480);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(info.bmBitsPixel, GetDeviceCaps(screen, BITSPIXEL));
    ReleaseDC(nullptr, screen);
    // No device context holds it any more: it can be selected into one of ours.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_NE(old, nullptr);
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_TRUE(DeleteObject(bitmap));
}

TEST_F(Rendering, MissingFileGivesAnEmptyTitledChart)
{
    BitmapPixels pixels = Rendered(UniqueTempPath(".csv"));
    Plot plot = ExpectedPlot(640, 480, kDefaultLabels);
    int dark = 0;
    for (int y = 10; y < plot.top; ++y)
        for (int x = plot.left; x < plot.right; ++x)
            dark += PixelAt(pixels, x, y) == kBlack;
    EXPECT_GT(dark, 50) << "the file name as title";
    EXPECT_EQ(PixelAt(pixels, plot.left, plot.top), kBlack);
}

TEST_F(RenderedRamp, FrameLiesOnTheComputedRowsAndColumns)
{
    for (int x = plot.left; x < plot.right; ++x) {
        ASSERT_EQ(PixelAt(pixels, x, plot.top), kBlack) << x;
        ASSERT_EQ(PixelAt(pixels, x, plot.bottom - 1), kBlack) << x;
        ASSERT_EQ(PixelAt(pixels, x, plot.top - 1), kWhite) << x;
    }
    for (int y = plot.top; y < plot.bottom; ++y) {
        ASSERT_EQ(PixelAt(pixels, plot.left, y), kBlack) << y;
        ASSERT_EQ(PixelAt(pixels, plot.right - 1, y), kBlack) << y;
        ASSERT_EQ(PixelAt(pixels, plot.right, y), kWhite) << y;
    }
    // Between two tick marks, nothing stands beside the frame.
    int midRow = (plot.top + plot.bottom) / 2 + 7;
    EXPECT_EQ(PixelAt(pixels, plot.left - 1, midRow), kWhite);
    EXPECT_EQ(PixelAt(pixels, plot.left + 13, plot.bottom), kWhite);
}

TEST_F(RenderedRamp, GridAtInteriorTicksIsDottedGrey)
{
    for (double tick : {25.0, 50.0, 75.0}) {
        SCOPED_TRACE(tick);
        int row = Row(tick);
        int column = Column(tick);
        int greyInRow = 0;
        int greyInColumn = 0;
        for (int x = plot.left + 1; x < plot.right - 1; ++x) {
            COLORREF c = PixelAt(pixels, x, row);
            ASSERT_TRUE(c == kGrid || c == kWhite || c == kRed) << x;
            greyInRow += c == kGrid;
        }
        for (int y = plot.top + 1; y < plot.bottom - 1; ++y)
            greyInColumn += PixelAt(pixels, column, y) == kGrid;
        EXPECT_GT(greyInRow, (plot.right - plot.left) / 3);
        EXPECT_GT(greyInColumn, (plot.bottom - plot.top) / 3);
        // The tick mark left of the frame, in the frame colour.
        EXPECT_EQ(PixelAt(pixels, plot.left - 1, row), kBlack);
        EXPECT_EQ(PixelAt(pixels, column, plot.bottom), kBlack);
    }
}

TEST_F(RenderedRamp, SeriesPixelsLandWhereTheMappingPutsThem)
{
    for (int i = 1; i < 100; ++i)
        EXPECT_EQ(PixelAt(pixels, Column(i), Row(i)), kRed) << "point " << i;
}

TEST_F(Rendering, SeriesNeverTouchesTheFrame)
{
    // A zigzag between both ends of both ranges: every other point lies on the frame.
    BitmapPixels pixels = RenderedBytes("0\n100\n0\n100\n0\n");
    Plot plot = ExpectedPlot(640, 480, kDefaultLabels);
    int red = 0;
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            if (PixelAt(pixels, x, y) != kRed)
                continue;
            ++red;
            ASSERT_TRUE(x > plot.left && x < plot.right - 1 && y > plot.top && y < plot.bottom - 1) << x << "," << y;
        }
    }
    EXPECT_GT(red, 4 * (plot.bottom - plot.top) / 2);
}

// Files whose line today's scaling would hide or squeeze: a constant outside 0 to 100 or
// on its ends, a cell beyond the double range, magnitudes of 1e100.
TEST_F(Rendering, EveryFileKeepsAVisibleLineAndAUsablePlot)
{
    const char* const files[] = {"500\n500\n500\n", "-3\n-3\n-3\n", "0\n0\n0\n", "1e6\n1e6\n",
                                 "1\n5\n1e999\n4\n", "0\n1e100\n5e99\n"};
    for (const char* bytes : files) {
        SCOPED_TRACE(bytes);
        BitmapPixels pixels = RenderedBytes(bytes);
        int frameLeft = 0;
        while (frameLeft < pixels.width && PixelAt(pixels, frameLeft, pixels.height / 2 + 5) != kBlack)
            ++frameLeft;
        EXPECT_LT(frameLeft, 120) << "the labels leave room for the plot";
        int red = 0;
        for (int y = 0; y < pixels.height; ++y)
            for (int x = frameLeft + 1; x < pixels.width; ++x)
                red += PixelAt(pixels, x, y) == kRed;
        EXPECT_GT(red, 300) << "the line shows";
    }
}

TEST_F(Rendering, ThirteenthSeriesIsRedAgain)
{
    // Column k < 13 holds the constant 10k + 5, one horizontal line each; two more
    // columns at 0 and 200 set the Y range, so all thirteen lines lie inside the frame.
    std::string line;
    for (int k = 0; k < 13; ++k)
        line += std::to_string(10 * k + 5) + ",";
    line += "0,200\n";
    BitmapPixels pixels = RenderedBytes(line + line);
    const COLORREF* palette = SettingsRecord::seriesColors;
    Plot plot = ExpectedPlot(640, 480, {"0", "50", "100", "150", "200"});
    double yUnits = 200.0 / (plot.bottom - plot.top - 1);
    int x = (plot.left + plot.right) / 2 + 3;   // away from the grid column at the middle
    for (int k = 0; k < 13; ++k) {
        int y = plot.bottom - 1 - static_cast<int>(std::floor((10 * k + 5) / yUnits));
        EXPECT_EQ(PixelAt(pixels, x, y), palette[k % 12]) << "series " << k;
    }
}

// Any non-zero ShowUnits value shows the captions, as it ticks the box in the dialog.
TEST(RenderSettings, AnyNonZeroShowUnitsDrawsTheCaptions)
{
    RegistryGuard registry(SETTINGS_KEY);
    TempFile file("1,2\n3,4\n");
    auto renderWith = [&](DWORD showUnits) {
        registry.StoreNumber("ShowUnits", showUnits);
        PluginHost host;   // reads the settings as it loads
        BitmapPixels pixels;
        EXPECT_TRUE(host.Render(file.Path(), pixels));
        return pixels.bgrx;
    };
    const std::vector<BYTE> shown = renderWith(1);
    EXPECT_FALSE(renderWith(0) == shown);
    EXPECT_TRUE(renderWith(2) == shown);
    EXPECT_TRUE(renderWith(0xFFFFFFFF) == shown);
}

// Whether the band right of the frame holds a pixel of the colour.
bool RightBandHolds(const BitmapPixels& pixels, int frameRow, COLORREF color)
{
    int right = 250;
    while (right + 1 < pixels.width && PixelAt(pixels, right + 1, frameRow) == kBlack)
        ++right;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = right + 2; x < pixels.width; ++x)
            if (PixelAt(pixels, x, y) == color)
                return true;
    return false;
}

// With DetectLayout stored, a dated price and its volume, of scales far apart, are drawn in
// two panels, and the right band names each series in its colour; the strict reading keeps
// one plot and no legend.
TEST(RenderSettings, DetectLayoutDrawsPanelsAndNamesTheSeries)
{
    RegistryGuard registry(SETTINGS_KEY);
    TempFile file("Prices of one share\nDate,Close,Volume\n2024-01-02,101.5,1200000\n2024-01-03,102.1,1500000\n"
                  "2024-01-04,,900000\n2024-01-05,99.8,1300000\n2024-01-08,100.2,1100000\n",
                  FixedName{"share.csv"});
    const COLORREF* palette = SettingsRecord::seriesColors;
    const struct {
        DWORD detect;
        std::size_t frameRows;
        bool legend;
    } cases[] = {{1, 4, true}, {0, 2, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.detect ? "detected" : "strict");
        registry.StoreNumber("DetectLayout", c.detect);
        PluginHost host;   // reads the settings as it loads
        BitmapPixels pixels;
        ASSERT_TRUE(host.Render(file.Path(), pixels));
        const std::vector<int> rows = FrameRows(pixels);
        ASSERT_EQ(rows.size(), c.frameRows);
        EXPECT_EQ(RightBandHolds(pixels, rows[0], palette[0]), c.legend);
        EXPECT_EQ(RightBandHolds(pixels, rows[0], palette[1]), c.legend);
    }
}

}  // namespace
