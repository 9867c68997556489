// The CSV loader on real files: orientation, skips, X values, colours and the data range.
#include "canvas/XCanvas.h"
#include "chart/XChart.h"
#include "chart/XSeries.h"
#include "csv/CsvLoader.h"
#include "csv/CsvOptions.h"
#include "csv/DataRange.h"
#include "plugin/PluginSettings.h"
#include "tests/support/TestFiles.h"
#include "xlib/XStringList.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using Points = std::vector<std::pair<double, double>>;

Points PointsOf(const XSeries& series)
{
    Points points;
    for (int i = 0; i < series.pointCount; ++i)
        points.emplace_back(series.xValues.At(i), series.yValues.At(i));
    return points;
}

CsvOptions DefaultOptions()
{
    CsvOptions options;
    options.palette.colors = SettingsRecord::seriesColors;
    options.palette.count = kSeriesColorCount;
    return options;
}

// Option switches of a case: C columns (default), R rows; c ignoreFirstCol, r
// ignoreFirstRow, x firstColX, X firstRowX; ';' separator.
CsvOptions OptionsOf(const std::string& flags)
{
    CsvOptions options = DefaultOptions();
    for (char flag : flags) {
        switch (flag) {
        case 'R': options.seriesInCols = 0; break;
        case 'c': options.ignoreFirstCol = 1; break;
        case 'r': options.ignoreFirstRow = 1; break;
        case 'x': options.firstColX = 1; break;
        case 'X': options.firstRowX = 1; break;
        case ';': options.separator = ';'; break;
        default: break;
        }
    }
    return options;
}

class CsvLoader : public ::testing::Test {
protected:
    // Loads the bytes as a file into a fresh chart.
    void Load(const std::string& bytes, const CsvOptions& options = DefaultOptions())
    {
        TempFile file(bytes);
        chart_.reset(new XChart(canvas_, 640, 480));
        range_ = LoadCsvIntoChart(file.Path().c_str(), *chart_, options);
    }

    std::vector<Points> AllSeries() const
    {
        std::vector<Points> all;
        for (int i = 0; i < chart_->seriesList.Count(); ++i)
            all.push_back(PointsOf(*chart_->SeriesAt(i)));
        return all;
    }

    void ExpectRange(double minX, double maxX, double minY, double maxY) const
    {
        EXPECT_EQ(range_.minX, minX);
        EXPECT_EQ(range_.maxX, maxX);
        EXPECT_EQ(range_.minY, minY);
        EXPECT_EQ(range_.maxY, maxY);
    }

    XCanvas canvas_;
    std::unique_ptr<XChart> chart_;
    DataRange range_;
};

struct LoadCase {
    const char* what;
    const char* flags;
    std::string bytes;
    std::vector<Points> series;
};

TEST_F(CsvLoader, SeriesAndPointsAsTheOptionsSay)
{
    std::string longLine;
    for (int k = 0; k < 3; ++k)
        longLine += std::string(3000, '0') + "7,";
    const LoadCase cases[] = {
        {"columns become series", "", "1,2\r\n3,4\r\n5,6\r\n", {{{0, 1}, {1, 3}, {2, 5}}, {{0, 2}, {1, 4}, {2, 6}}}},
        {"first column as X", "x", "1,2\n3,4\n5,6\n", {{{1, 2}, {3, 4}, {5, 6}}}},
        {"skipped column and line never read", "crx", "time,a,b\nrow1,10,7,8\nrow2,20,9,10\n",
         {{{10, 7}, {20, 9}}, {{10, 8}, {20, 10}}}},
        {"header words are zeros", "", "a,b\n5,6\n", {{{0, 0}, {1, 5}}, {{0, 0}, {1, 6}}}},
        {"a longer line starts its series late", "", "1,2\n3,4\n5,6,7\n",
         {{{0, 1}, {1, 3}, {2, 5}}, {{0, 2}, {1, 4}, {2, 6}}, {{2, 7}}}},
        {"a short line gives no point beyond it", "", "1,2,3\n4\n5,6,7\n",
         {{{0, 1}, {1, 4}, {2, 5}}, {{0, 2}, {2, 6}}, {{0, 3}, {2, 7}}}},
        {"a blank line advances the data index", "", "1\n\n3\n", {{{0, 1}, {2, 3}}}},
        {"trailing separator adds nothing, adjacent ones a zero", "", "1,2,\n3,,4\n",
         {{{0, 1}, {1, 3}}, {{0, 2}, {1, 0}}, {{1, 4}}}},
        {"another separator splits only there", ";", "1,5;2\n3;4,25\n", {{{0, 1}, {1, 3}}, {{0, 2}, {1, 4}}}},
        {"lines with an X line", "RX", "10,20,30\n1,2,3\n4,5\n", {{{10, 1}, {20, 2}, {30, 3}}, {{10, 4}, {20, 5}}}},
        {"beyond the X line, the point index", "RX", "10,20\n1,2,3,4\n", {{{10, 1}, {20, 2}, {2, 3}, {3, 4}}}},
        {"a skipped column pairs with X from field 0", "RXc", "10,20,30\nlabel,1,2,3\n",
         {{{10, 1}, {20, 2}, {30, 3}}}},
        {"lines without an X line count points", "R", "5,6,7\n8,9\n", {{{0, 5}, {1, 6}, {2, 7}}, {{0, 8}, {1, 9}}}},
        {"a blank line is an empty series", "R", "1,2\n\n3,4\n", {{{0, 1}, {1, 2}}, {}, {{0, 3}, {1, 4}}}},
        {"a line of any length is one line", "", longLine + "\n9\n", {{{0, 7}, {1, 9}}, {{0, 7}}, {{0, 7}}}},
        {"a byte-order mark is no data", "", "\xEF\xBB\xBF" "50,1\n", {{{0, 50}}, {{0, 1}}}},
        {"Unix line ends and none at the end", "", "1,2\n3,4", {{{0, 1}, {1, 3}}, {{0, 2}, {1, 4}}}},
        {"beyond the double range is no point", "", "1\n5\n1e999\n4\n-1e999\n", {{{0, 1}, {1, 5}, {3, 4}}}},
        {"an X beyond it takes the line's points", "x", "1e999,7\n2,8\n3,-1e999\n4,9\n", {{{2, 8}, {4, 9}}}},
        {"an X entry beyond it takes its points", "RX", "10,1e999,30\n1,2,3\n", {{{10, 1}, {30, 3}}}},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.what);
        Load(c.bytes, OptionsOf(c.flags));
        EXPECT_EQ(AllSeries(), c.series);
    }
}

TEST_F(CsvLoader, TitleIsTheFileNameWithItsExtension)
{
    TempFile file("1\n2\n");
    XChart chart(canvas_, 640, 480);
    LoadCsvIntoChart(file.Path().c_str(), chart, DefaultOptions());
    const std::string path = file.Path();
    EXPECT_EQ(chart.title.Text(), path.substr(path.find_last_of('\\') + 1));
    EXPECT_STREQ(chart.SeriesAt(0)->name.Text(), "");   // nothing in a file names a series
}

TEST_F(CsvLoader, SeriesTakeThePaletteInTurn)
{
    std::string line;
    for (int i = 0; i < 13; ++i)
        line += std::to_string(i) + ",";
    Load(line + "\n" + line + "\n");
    ASSERT_EQ(chart_->seriesList.Count(), 13);
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(chart_->SeriesAt(i)->color, SettingsRecord::seriesColors[i % 12]) << i;
    Load("1,2\n\n3,4\n", OptionsOf("R"));   // a blank line's empty series takes a colour too
    EXPECT_EQ(chart_->SeriesAt(2)->color, SettingsRecord::seriesColors[2]);
}

TEST_F(CsvLoader, RangeOfAllPointsGivesTheAxes)
{
    Load("1,2\n3,4\n5,6\n");
    ExpectRange(0, 2, 1, 6);
    EXPECT_EQ(chart_->xAxis.max, 2);
    EXPECT_EQ(chart_->yAxis.min, 1);
    Load("4,4\n");   // all equal: Y 4 lies inside 0..100; X, the one index 0, would lie on the frame
    EXPECT_EQ(chart_->yAxis.max, 100);
    EXPECT_EQ(chart_->xAxis.min, -1);
    EXPECT_EQ(chart_->xAxis.max, 1);
    // The first point starts the range wherever it stands, and nothing of a last file stays.
    Load("\n1000,2000\n3000,4000\n");
    ExpectRange(1, 2, 1000, 4000);
    Load("\n7,8\n", OptionsOf("R"));
    ExpectRange(0, 1, 7, 8);
    for (const char* empty : {"", "\n\n", "1e999"}) {
        SCOPED_TRACE(empty);
        Load(empty);
        EXPECT_TRUE(range_.empty);
        EXPECT_EQ(chart_->yAxis.min, 0);
        EXPECT_EQ(chart_->yAxis.max, 100);
    }
    chart_.reset(new XChart(canvas_, 640, 480));
    range_ = LoadCsvIntoChart(UniqueTempPath(".csv").c_str(), *chart_, DefaultOptions());
    EXPECT_EQ(chart_->seriesList.Count(), 0);
    EXPECT_TRUE(range_.empty);
}

TEST_F(CsvLoader, ListOfLinesLoadsAsTheFileDoes)
{
    const std::string bytes = "x;1;2\r\n3;;4\n\n5;6;7;8\nlast";
    for (const char* flags : {";x", ";RX"}) {
        const CsvOptions options = OptionsOf(flags);
        Load(bytes, options);
        TempFile file(bytes);
        XStringList lines;
        lines.ReadFile(file.Path().c_str());
        XChart fromList(canvas_, 640, 480);
        if (options.seriesInCols)
            LoadSeriesInColumns(fromList, lines, options);
        else
            LoadSeriesInRows(fromList, lines, options);
        ASSERT_EQ(fromList.seriesList.Count(), chart_->seriesList.Count());
        for (int i = 0; i < fromList.seriesList.Count(); ++i) {
            EXPECT_EQ(PointsOf(*fromList.SeriesAt(i)), PointsOf(*chart_->SeriesAt(i))) << i;
            EXPECT_EQ(fromList.SeriesAt(i)->color, chart_->SeriesAt(i)->color);
        }
    }
}

}  // namespace
