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

#include <limits>
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

class CsvLoader : public ::testing::Test {
protected:
    // Loads the bytes as a file into a fresh chart.
    void Load(const std::string& bytes)
    {
        TempFile file(bytes);
        chart_.reset(new XChart(canvas_, 640, 480));
        range_ = LoadCsvIntoChart(file.Path().c_str(), *chart_, options_);
    }

    int SeriesCount() const { return chart_->seriesList.Count(); }
    Points Series(int index) const { return PointsOf(*chart_->SeriesAt(index)); }

    void ExpectRange(double minX, double maxX, double minY, double maxY) const
    {
        EXPECT_EQ(range_.minX, minX);
        EXPECT_EQ(range_.maxX, maxX);
        EXPECT_EQ(range_.minY, minY);
        EXPECT_EQ(range_.maxY, maxY);
    }

    static CsvOptions DefaultOptions()
    {
        CsvOptions options;
        options.seriesColors = SettingsRecord::seriesColors;
        options.colorCount = kSeriesColorCount;
        return options;
    }

    CsvOptions options_ = DefaultOptions();
    DataRange range_;
    XCanvas canvas_;
    std::unique_ptr<XChart> chart_;
};

TEST_F(CsvLoader, ColumnsBecomeSeries)
{
    Load("1,2\r\n3,4\r\n5,6\r\n");
    ASSERT_EQ(SeriesCount(), 2);
    EXPECT_EQ(Series(0), (Points{{0, 1}, {1, 3}, {2, 5}}));
    EXPECT_EQ(Series(1), (Points{{0, 2}, {1, 4}, {2, 6}}));
    ExpectRange(0, 2, 1, 6);
    EXPECT_EQ(chart_->xAxis.min, 0);
    EXPECT_EQ(chart_->xAxis.max, 2);
    EXPECT_EQ(chart_->yAxis.min, 1);
    EXPECT_EQ(chart_->yAxis.max, 6);
}

TEST_F(CsvLoader, TitleIsTheFileNameWithItsExtension)
{
    TempFile file("1\n2\n");
    XChart chart(canvas_, 640, 480);
    LoadCsvIntoChart(file.Path().c_str(), chart, options_);
    std::string path = file.Path();
    EXPECT_EQ(chart.title.Text(), path.substr(path.find_last_of('\\') + 1));
}

TEST_F(CsvLoader, FirstColumnAsX)
{
    options_.firstColX = 1;
    Load("1,2\n3,4\n5,6\n");
    ASSERT_EQ(SeriesCount(), 1);
    EXPECT_EQ(Series(0), (Points{{1, 2}, {3, 4}, {5, 6}}));
    ExpectRange(1, 5, 2, 6);
}

TEST_F(CsvLoader, SkippedFirstColumnAndRowAreNeverRead)
{
    options_.ignoreFirstRow = 1;
    options_.ignoreFirstCol = 1;
    options_.firstColX = 1;
    Load("time,a,b\nrow1,10,7,8\nrow2,20,9,10\n");
    ASSERT_EQ(SeriesCount(), 2);
    EXPECT_EQ(Series(0), (Points{{10, 7}, {20, 9}}));
    EXPECT_EQ(Series(1), (Points{{10, 8}, {20, 10}}));
    EXPECT_STREQ(chart_->SeriesAt(0)->name.Text(), "");
}

TEST_F(CsvLoader, HeaderWordsAreZeroValuesWithoutSkipping)
{
    Load("a,b\n5,6\n");
    ASSERT_EQ(SeriesCount(), 2);
    EXPECT_EQ(Series(0), (Points{{0, 0}, {1, 5}}));
}

TEST_F(CsvLoader, LongerLineCreatesItsSeriesLate)
{
    Load("1,2\n3,4\n5,6,7\n");
    ASSERT_EQ(SeriesCount(), 3);
    EXPECT_EQ(Series(2), (Points{{2, 7}}));
}

TEST_F(CsvLoader, ShortLineGivesNoPointBeyondItsFields)
{
    Load("1,2,3\n4\n5,6,7\n");
    ASSERT_EQ(SeriesCount(), 3);
    EXPECT_EQ(Series(1), (Points{{0, 2}, {2, 6}}));
}

TEST_F(CsvLoader, BlankLineAdvancesTheDataIndex)
{
    Load("1\n\n3\n");
    ASSERT_EQ(SeriesCount(), 1);
    EXPECT_EQ(Series(0), (Points{{0, 1}, {2, 3}}));
}

TEST_F(CsvLoader, TrailingSeparatorAddsNothingAdjacentOnesAddZero)
{
    Load("1,2,\n3,,4\n");
    ASSERT_EQ(SeriesCount(), 3);
    EXPECT_EQ(Series(1), (Points{{0, 2}, {1, 0}}));
    EXPECT_EQ(Series(2), (Points{{1, 4}}));
}

TEST_F(CsvLoader, OtherSeparatorSplitsOnlyThere)
{
    options_.separator = ';';
    Load("1,5;2\n3;4,25\n");
    ASSERT_EQ(SeriesCount(), 2);
    EXPECT_EQ(Series(0), (Points{{0, 1}, {1, 3}}));
    EXPECT_EQ(Series(1), (Points{{0, 2}, {1, 4}}));
}

TEST_F(CsvLoader, RowsBecomeSeriesWithAnXLine)
{
    options_.seriesInCols = 0;
    options_.firstRowX = 1;
    Load("10,20,30\n1,2,3\n4,5\n");
    ASSERT_EQ(SeriesCount(), 2);
    EXPECT_EQ(Series(0), (Points{{10, 1}, {20, 2}, {30, 3}}));
    EXPECT_EQ(Series(1), (Points{{10, 4}, {20, 5}}));
    ExpectRange(10, 30, 1, 5);
}

TEST_F(CsvLoader, RowLongerThanTheXLineUsesPointIndices)
{
    options_.seriesInCols = 0;
    options_.firstRowX = 1;
    Load("10,20\n1,2,3,4\n");
    EXPECT_EQ(Series(0), (Points{{10, 1}, {20, 2}, {2, 3}, {3, 4}}));
}

TEST_F(CsvLoader, RowModeSkippedColumnPairsWithXFromFieldZero)
{
    options_.seriesInCols = 0;
    options_.firstRowX = 1;
    options_.ignoreFirstCol = 1;
    Load("10,20,30\nlabel,1,2,3\n");
    EXPECT_EQ(Series(0), (Points{{10, 1}, {20, 2}, {30, 3}}));
}

TEST_F(CsvLoader, RowsWithoutXLineCountPoints)
{
    options_.seriesInCols = 0;
    Load("5,6,7\n8,9\n");
    ASSERT_EQ(SeriesCount(), 2);
    EXPECT_EQ(Series(0), (Points{{0, 5}, {1, 6}, {2, 7}}));
    EXPECT_EQ(Series(1), (Points{{0, 8}, {1, 9}}));
}

TEST_F(CsvLoader, BlankLineInRowModeIsAnEmptySeriesTakingAColour)
{
    options_.seriesInCols = 0;
    Load("1,2\n\n3,4\n");
    ASSERT_EQ(SeriesCount(), 3);
    EXPECT_EQ(chart_->SeriesAt(1)->pointCount, 0);
    EXPECT_EQ(chart_->SeriesAt(1)->color, SettingsRecord::seriesColors[1]);
    EXPECT_EQ(chart_->SeriesAt(2)->color, SettingsRecord::seriesColors[2]);
}

TEST_F(CsvLoader, ThirteenSeriesWrapThePalette)
{
    std::string line;
    for (int i = 0; i < 13; ++i)
        line += std::to_string(i) + ",";
    Load(line + "\n" + line + "\n");
    ASSERT_EQ(SeriesCount(), 13);
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(chart_->SeriesAt(i)->color, SettingsRecord::seriesColors[i % 12]) << i;
    EXPECT_EQ(chart_->SeriesAt(12)->color, 0x0000FFu);
}

TEST_F(CsvLoader, EqualValuesInsideTheDefaultAxisKeepIt)
{
    Load("4,4\n");
    EXPECT_EQ(chart_->yAxis.min, 0);   // Y: 4 lies inside 0 to 100
    EXPECT_EQ(chart_->yAxis.max, 100);
    EXPECT_EQ(chart_->xAxis.min, -1);  // X: the one data index 0 would lie on the frame
    EXPECT_EQ(chart_->xAxis.max, 1);
}

TEST_F(CsvLoader, LongLineIsOneLineAndAByteOrderMarkNoData)
{
    std::string longLine;
    for (int k = 0; k < 2000; ++k)
        longLine += std::to_string(k % 97) + ".25,";
    Load("\xEF\xBB\xBF" "50,1\n" + longLine + "\n9\n");
    ASSERT_EQ(SeriesCount(), 2000);
    EXPECT_EQ(Series(0), (Points{{0, 50}, {1, 0.25}, {2, 9}}));
    EXPECT_EQ(Series(1999), (Points{{1, 59.25}}));
}

TEST_F(CsvLoader, WindowsAndUnixLineEndsLoadAlike)
{
    Load("1,2\r\n3,4\r\n");
    Points windows = Series(1);
    Load("1,2\n3,4");
    EXPECT_EQ(Series(1), windows);
}

TEST_F(CsvLoader, ValuesBeyondTheDoubleRangeAreNoPoints)
{
    Load("1\n5\n1e999\n4\n-1e999\n");
    EXPECT_EQ(Series(0), (Points{{0, 1}, {1, 5}, {3, 4}}));
    ExpectRange(0, 3, 1, 5);
    options_.firstColX = 1;
    Load("1e999,7\n2,8\n3,-1e999\n4,9\n");
    EXPECT_EQ(Series(0), (Points{{2, 8}, {4, 9}}));
    options_ = DefaultOptions();
    options_.seriesInCols = 0;
    options_.firstRowX = 1;
    Load("10,1e999,30\n1,2,3\n");
    EXPECT_EQ(Series(0), (Points{{10, 1}, {30, 3}}));
}

TEST_F(CsvLoader, NoPreviousRangeCarriesIntoAnEmptyLoad)
{
    Load("100,200\n300,400\n");
    ExpectRange(0, 1, 100, 400);
    // Files without points: no trace of the last file, the chart's own axes.
    for (const char* empty : {"", "\n\n", "1e999"}) {
        SCOPED_TRACE(empty);
        Load(empty);
        ExpectRange(0, 0, 0, 0);
        EXPECT_TRUE(range_.empty);
        EXPECT_EQ(chart_->yAxis.min, 0);
        EXPECT_EQ(chart_->yAxis.max, 100);
    }
    chart_.reset(new XChart(canvas_, 640, 480));
    range_ = LoadCsvIntoChart(UniqueTempPath(".csv").c_str(), *chart_, options_);
    EXPECT_EQ(SeriesCount(), 0);
    ExpectRange(0, 0, 0, 0);
    EXPECT_EQ(chart_->yAxis.min, 0);
    EXPECT_EQ(chart_->yAxis.max, 100);
}

TEST_F(CsvLoader, RangeStartsAtTheFirstPointWhateverItsPlace)
{
    Load("-50,-60\n-70,-80\n");
    // The first line gives no value to the first series: the range starts with its
    // first point all the same, not with the last file's bounds or with 0.
    Load("\n1000,2000\n3000,4000\n");
    ExpectRange(1, 2, 1000, 4000);
    options_.seriesInCols = 0;
    Load("\n7,8\n");
    ExpectRange(0, 1, 7, 8);
}

}  // namespace

namespace {

TEST_F(CsvLoader, ListOfLinesLoadsAsTheFileDoes)
{
    const std::string bytes = "x;1;2\r\n3;;4\n\n5;6;7;8\nlast";
    for (int rows : {0, 1}) {
        options_.seriesInCols = rows ? 0 : 1;
        options_.firstRowX = rows;
        options_.firstColX = 1 - rows;
        options_.separator = ';';
        Load(bytes);
        TempFile file(bytes);
        XStringList lines;
        lines.ReadFile(file.Path().c_str());
        XChart fromList(canvas_, 640, 480);
        if (rows)
            LoadSeriesInRows(fromList, lines, options_);
        else
            LoadSeriesInColumns(fromList, lines, options_);
        ASSERT_EQ(fromList.seriesList.Count(), SeriesCount());
        for (int i = 0; i < SeriesCount(); ++i) {
            EXPECT_EQ(PointsOf(*fromList.SeriesAt(i)), Series(i)) << i;
            EXPECT_EQ(fromList.SeriesAt(i)->color, chart_->SeriesAt(i)->color);
        }
    }
}

}  // namespace
