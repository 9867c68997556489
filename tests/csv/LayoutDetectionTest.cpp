// The layout detected from small files as people write them: dialect, shape, column kinds,
// X and series; and the points a detected file gives.
#include "canvas/XCanvas.h"
#include "chart/XChart.h"
#include "chart/XSeries.h"
#include "csv/CsvLoader.h"
#include "csv/CsvOptions.h"
#include "csv/LayoutDetection.h"
#include "csv/XCsvReader.h"
#include "tests/support/GdiTestDc.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kSeriesRed = 0x0000FF;

CsvLayout Detect(const std::string& text, char storedSeparator = ',')
{
    CsvSample sample;
    sample.text = text;
    return DetectLayout(sample, storedSeparator);
}

// The first pass over a file with detection, as the plug-in makes it.
std::unique_ptr<XCsvReader> ScanDetected(const std::string& path)
{
    XCanvas canvas;
    XChart chart(canvas, 640, 480);
    CsvOptions options;
    options.detectLayout = 1;
    std::unique_ptr<XCsvReader> reader(new XCsvReader(options));
    reader->Scan(path.c_str(), chart);
    return reader;
}

std::vector<std::string> Names(const CsvLayout& layout)
{
    std::vector<std::string> names;
    for (std::size_t k = 0; k < layout.series.size(); ++k)
        names.push_back(layout.SeriesName(static_cast<int>(k)));
    return names;
}

TEST(LayoutDetection, Dialects)
{
    const struct {
        const char* what;
        std::string text;
        char separator;
        char quote;
        char decimalMark;
        bool spanLines;
        std::vector<int> series;
    } cases[] = {
        {"commas", "a,b\n3,2\n1,4\n", ',', 0, '.', false, {0, 1}},
        {"semicolons, decimal commas", "Datum;Wert;Menge\n01.02.2021;1,5;3\n02.02.2021;2,25;4\n03.02.2021;-0,5;5\n",
         ';', 0, ',', false, {1, 2}},
        {"tabs", "t\tu\tv\n0.5\t2.5\t7\n1.5\t3.5\t8\n2.5\t1\t9\n", '\t', 0, '.', false, {1, 2}},
        {"pipes", "x|name|value\n3|a|2.5\n7|b|3\n1|c|4\n", '|', 0, '.', false, {0, 2}},
        {"the stored separator", "a:b:c\n4:2:3\n1:5:6\n", ':', 0, '.', false, {0, 1, 2}},
        {"quoted separators and thousands", "name,amount,n\n\"Smith, J\",\"1,234.5\",3\n\"Doe, A\",\"2,000\",1\n\"Roe, B\",\"1,500\",2\n",
         ',', '"', '.', false, {1, 2}},
        {"a quoted line break", "k,note,v\n3,\"two\nlines\",5\n1,\"x\",6\n2,\"y\",7\n", ',', '"', '.', true, {0, 2}},
        {"a quote that never closes", "a,b\n5,\"oops\n2,3\n4,5\n", ',', '"', '.', false, {0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CsvLayout layout = Detect(c.text, c.separator == ':' ? ':' : ',');
        EXPECT_EQ(layout.separator, c.separator);
        EXPECT_EQ(layout.quote, c.quote);
        EXPECT_EQ(layout.decimalMark, c.decimalMark);
        EXPECT_EQ(layout.spanLines, c.spanLines);
        EXPECT_EQ(layout.series, c.series);
    }
}

TEST(LayoutDetection, PreambleHeaderAndNames)
{
    const struct {
        const char* what;
        std::string text;
        int preambleLines;
        int headerLines;
        long long dataLine;
        std::vector<std::string> names;
    } cases[] = {
        {"one header line", "Date,Open,Close\n2021-01-04,10,11\n2021-01-05,11,12\n", 0, 1, 1, {"Open", "Close"}},
        {"no header", "1,2.5\n2,3.5\n3,2\n", 0, 0, 0, {"column 2"}},
        {"a title and a note before the table",
         "Station readings\nsource: own logger, 2021\nt,temp,hum\n0,20.5,40\n60,20.7,41\n120,20.6,43\n", 2, 1, 3,
         {"temp", "hum"}},
        {"two header lines joined", "time,temp,temp\ns,inside,outside\n0,20,5\n1,22,6\n2,21,7\n", 0, 2, 2,
         {"temp inside", "temp outside"}},
        {"an empty header cell", "x,,b\n0,1,2\n1,3,4\n2,2,5\n", 0, 1, 1, {"column 2", "b"}},
        {"a quoted header with a quote", "n,\"size \"\"big\"\"\"\n5,3\n6,1\n", 0, 1, 1, {"n", "size \"big\""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CsvLayout layout = Detect(c.text);
        EXPECT_EQ(layout.preambleLines, c.preambleLines);
        EXPECT_EQ(layout.headerLines, c.headerLines);
        EXPECT_EQ(layout.dataLine, c.dataLine);
        EXPECT_EQ(Names(layout), c.names);
    }
}

TEST(LayoutDetection, ColumnKindsAndX)
{
    const struct {
        const char* what;
        std::string text;
        XKind xKind;
        int xColumn;
        int timeColumn;
        std::vector<int> series;
        std::vector<ColumnKind> kinds;
    } cases[] = {
        {"a date column", "Date,Close\n2021-01-04,10\n2021-01-05,11\n", XKind::Date, 0, -1, {1},
         {ColumnKind::Date, ColumnKind::Number}},
        {"date-times with T and zone", "when,v\n2021-01-04T10:00:00Z,5\n2021-01-04T11:00:00Z,7\n", XKind::DateTime, 0,
         -1, {1}, {ColumnKind::DateTime, ColumnKind::Number}},
        {"a time column joins its date", "day,time,v\n2021-01-04,10:00,5\n2021-01-04,10:05,7\n", XKind::DateTime, 0, 1,
         {2}, {ColumnKind::Date, ColumnKind::Time, ColumnKind::Number}},
        {"times of day alone", "t,v\n10:00:00,5\n10:00:01,7\n", XKind::Time, 0, -1, {1},
         {ColumnKind::Time, ColumnKind::Number}},
        {"a year that only grows", "year,gdp,rate\n2001,10.5,3\n2002,11,3.5\n2003,12,2\n", XKind::Number, 0, -1, {1, 2},
         {ColumnKind::Number, ColumnKind::Number, ColumnKind::Number}},
        {"a wavelength that only falls", "nm,abs\n700,0.1\n650,0.3\n600,0.2\n", XKind::Number, 0, -1, {1},
         {ColumnKind::Number, ColumnKind::Number}},
        {"an unordered first column is a series", "a,b\n3,5\n1,7\n2,6\n", XKind::Index, -1, -1, {0, 1},
         {ColumnKind::Number, ColumnKind::Number}},
        {"one number column is no X", "v\n4\n6\n5\n", XKind::Index, -1, -1, {0}, {ColumnKind::Number}},
        {"a row counter", ",a,b\n0,5,7\n1,6,9\n2,4,8\n", XKind::Index, -1, -1, {1, 2},
         {ColumnKind::Identifier, ColumnKind::Number, ColumnKind::Number}},
        {"a named counter first is X", "week;open\n1;5\n2;7\n3;6\n", XKind::Number, 0, -1, {1},
         {ColumnKind::Number, ColumnKind::Number}},
        {"an id by its name", "station_id,name,temp\n1042,Oslo,3.5\n1077,Bergen,5\n1001,Kiel,4\n", XKind::Index, -1,
         -1, {2}, {ColumnKind::Identifier, ColumnKind::Text, ColumnKind::Number}},
        {"text and missing values", "city,pop,area\nA,NA,10\nB,200,\nC,300,12\nD,100,11\n", XKind::Index, -1, -1, {1, 2},
         {ColumnKind::Text, ColumnKind::Number, ColumnKind::Number}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CsvLayout layout = Detect(c.text);
        EXPECT_EQ(layout.xKind, c.xKind);
        EXPECT_EQ(layout.xColumn, c.xColumn);
        EXPECT_EQ(layout.timeColumn, c.timeColumn);
        EXPECT_EQ(layout.series, c.series);
        std::vector<ColumnKind> kinds;
        for (const CsvColumn& column : layout.columns)
            kinds.push_back(column.kind);
        EXPECT_EQ(kinds, c.kinds);
    }
}

TEST(LayoutDetection, SlashDateOrder)
{
    const struct {
        std::string text;
        DateOrder order;
    } cases[] = {
        {"d,v\n03/04/2021,1\n13/04/2021,2\n", DateOrder::DayFirst},
        {"d,v\n03/04/2021,1\n04/13/2021,2\n", DateOrder::MonthFirst},
        {"d,v\n03/04/2021,1\n04/05/2021,2\n", DateOrder::MonthFirst},   // nothing decides
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Detect(c.text).dateOrder, c.order);
    }
}

// The points as the detected layout gives them: gaps as points without a value.
TEST(LayoutDetection, PointsGapsAndNotesUnderTheTable)
{
    const double nan = std::nan("");
    const struct {
        const char* what;
        std::string text;
        std::vector<std::vector<std::pair<double, double>>> series;
    } cases[] = {
        {"gaps, never zeros", "a,b\n1,NA\n,2\n3,-\n2,4\n",
         {{{0, 1}, {1, nan}, {2, 3}, {3, 2}}, {{0, nan}, {1, 2}, {2, nan}, {3, 4}}}},
        {"short, quoted and empty rows numbered in turn", "a,b,c\n1,2,3\n4,\"5\"\n,,\n7,8,9\n",
         {{{0, 1}, {1, 4}, {2, nan}, {3, 7}}, {{0, 2}, {1, 5}, {2, nan}, {3, 8}}, {{0, 3}, {1, nan}, {2, nan}, {3, 9}}}},
        {"decimal commas and X", "Jahr;Wert\n2001;1,5\n2002;2,5\n2003;2\n", {{{2001, 1.5}, {2002, 2.5}, {2003, 2}}}},
        {"quoted thousands", "year,amount\n2001,\"1,234.5\"\n2002,\"2,000\"\n2003,\"1,500\"\n",
         {{{2001, 1234.5}, {2002, 2000}, {2003, 1500}}}},
        {"notes and totals under the table", "n,v\n5,4\n6,2\n7,3\n\nTotal,9\nSource: own count\n",
         {{{5, 4}, {6, 2}, {7, 3}}}},
        {"a totals row ends the table", "month,sales\nJan,10\nFeb,12\nMar,9\nTotal:,31\n", {{{0, 10}, {1, 12}, {2, 9}}}},
        {"a totals row inside the table", "region,v\nNorth,4\nTotal,9\nSouth,5\n", {{{0, 4}, {1, 9}, {2, 5}}}},
        {"a quoted line break keeps its row", "k,note,v\n3,\"two\nlines\",5\n4,x,6\n5,y,4\n", {{{3, 5}, {4, 6}, {5, 4}}}},
        {"a stray quote swallows no row after it", "k,note,v\n3,\"two\nlines\",5\n4,\"oops,6\n5,y,4\n6,z,7\n",
         {{{3, 5}, {5, 4}, {6, 7}}}},
        {"dates as seconds", "d,v\n1970-01-02,5\n1970-01-03,7\n", {{{86400, 5}, {172800, 7}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFile file(c.text);
        XCanvas canvas;
        XChart chart(canvas, 640, 480);
        CsvOptions options;
        options.detectLayout = 1;
        LoadCsvIntoChart(file.Path().c_str(), chart, options);
        ASSERT_EQ(chart.seriesList.Count(), static_cast<int>(c.series.size()));
        for (int s = 0; s < chart.seriesList.Count(); ++s) {
            const XSeries& series = *chart.SeriesAt(s);
            std::vector<std::pair<double, double>> points;
            for (int i = 0; i < series.pointCount; ++i)
                points.emplace_back(series.xValues.At(i), series.yValues.At(i));
            ASSERT_EQ(points.size(), c.series[s].size()) << "series " << s;
            for (std::size_t i = 0; i < points.size(); ++i) {
                EXPECT_EQ(points[i].first, c.series[s][i].first);
                if (std::isnan(c.series[s][i].second))
                    EXPECT_TRUE(std::isnan(points[i].second)) << "point " << i;
                else
                    EXPECT_EQ(points[i].second, c.series[s][i].second);
            }
        }
    }
}

// A missing value breaks the line: fewer of the series' pixels than with the row left out,
// the same on the second pass as with every point kept.
TEST(LayoutDetection, AGapBreaksTheLine)
{
    auto seriesPixels = [](const std::string& text, bool streamed) {
        TempFile file(text, FixedName{"gap.csv"});
        GdiTestDc target(320, 240);
        XCanvas canvas;
        canvas.Attach(target.dc());
        {
            XChart chart(canvas, 320, 240);
            CsvOptions options;
            options.detectLayout = 1;
            options.palette.colors = &kSeriesRed;
            options.palette.count = 1;
            if (streamed) {
                XCsvReader reader(options);
                reader.Scan(file.Path().c_str(), chart);
                chart.LayoutAndDraw();
                reader.DrawSeries(chart);
            } else {
                LoadCsvIntoChart(file.Path().c_str(), chart, options);
                chart.LayoutAndDraw();
            }
        }
        canvas.Attach(nullptr);
        int count = 0;
        for (DWORD pixel : target.Pixels())
            count += (pixel & 0xFFFFFF) == 0xFF0000;   // red as the DIB holds it
        return count;
    };
    const std::string gap = "x,v\n10,5\n20,7\n30,NA\n40,7\n50,9\n";
    const std::string joined = "x,v\n10,5\n20,7\n40,7\n50,9\n";
    const int broken = seriesPixels(gap, true);
    EXPECT_GT(broken, 0);
    EXPECT_LT(broken + 40, seriesPixels(joined, true));
    EXPECT_EQ(broken, seriesPixels(gap, false));
}

// UTF-16 files with their byte-order mark, either byte order, read as UTF-8 text.
TEST(LayoutDetection, Utf16FilesReadAsUtf8)
{
    const std::u16string text = u"x,T \u00B0C\r\n1,5\r\n2,7.5\r\n3,6\r\n";
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (char16_t unit : text) {
            const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
            bytes += bigEndian ? std::string{high, low} : std::string{low, high};
        }
        TempFile file(bytes);
        const std::unique_ptr<XCsvReader> scanned = ScanDetected(file.Path());
        const XCsvReader& reader = *scanned;
        ASSERT_NE(reader.Layout(), nullptr);
        EXPECT_EQ(reader.Layout()->encoding, bigEndian ? TextEncoding::Utf16Be : TextEncoding::Utf16Le);
        EXPECT_EQ(Names(*reader.Layout()), std::vector<std::string>{"T \xC2\xB0" "C"});
        EXPECT_EQ(reader.Range().minX, 1);
        EXPECT_EQ(reader.Range().maxX, 3);
        EXPECT_EQ(reader.Range().maxY, 7.5);
    }
}

// A line's entry ends at its first NUL, so lines padded with NUL bytes take far more of the
// file than of the sample: the table below such a preamble is still found.
TEST(LayoutDetection, TableBelowLinesThatNulBytesCutShort)
{
    std::string bytes;
    for (int line = 0; line < 80; ++line)
        bytes += "note" + std::string(2000, '\0') + "\n";
    bytes += "t,v\n0,5\n1,7\n2,6\n";
    TempFile file(bytes);
    const std::unique_ptr<XCsvReader> scanned = ScanDetected(file.Path());
    const XCsvReader& reader = *scanned;
    ASSERT_NE(reader.Layout(), nullptr);
    EXPECT_EQ(reader.Layout()->preambleLines, 80);
    EXPECT_EQ(Names(*reader.Layout()), std::vector<std::string>{"v"});
    EXPECT_EQ(reader.Range().maxX, 2);
    EXPECT_EQ(reader.Range().maxY, 7);
}

}  // namespace
