// Cells read as numbers, missing values, dates and times, by the detection's rules.
#include "csv/CellNumber.h"
#include "csv/CellTime.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

bool Number(const char* text, char mark, double& value)
{
    return ParseCellNumber(text, text + std::strlen(text), mark, value);
}

TEST(CellNumber, WholeCellsOnly)
{
    const struct {
        const char* text;
        char mark;
        bool isNumber;
        double value;
    } cases[] = {
        {"12.5", '.', true, 12.5},
        {" -3 ", '.', true, -3},
        {"1e-3", '.', true, 0.001},
        {"1,234.5", '.', true, 1234.5},       // a quoted thousands group
        {"12,345,678", '.', true, 12345678},
        {"1,5", ',', true, 1.5},              // decimal comma
        {"1.234,5", ',', true, 1234.5},
        {"-0,25", ',', true, -0.25},
        {"12%", '.', true, 12},
        {"1,23", '.', false, 0},              // broken grouping
        {"1234,567", '.', false, 0},
        {"1.5", ',', false, 0},               // the other mark
        {"12abc", '.', false, 0},             // the strict reading's 12
        {"2020-01-31", '.', false, 0},
        {"", '.', false, 0},
        {"-", '.', false, 0},
        {"inf", '.', false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        double value = -1;
        EXPECT_EQ(Number(c.text, c.mark, value), c.isNumber);
        if (c.isNumber) {
            EXPECT_EQ(value, c.value);
        }
    }
}

TEST(CellNumber, MissingMarks)
{
    for (const char* text : {"", "  ", "NA", "n/a", "N/A", "NaN", "null", "NULL", "None", "-", "--", "?", "#N/A", "nil"})
        EXPECT_TRUE(IsMissingCell(text, text + std::strlen(text))) << text;
    for (const char* text : {"0", "NAB", "none yet", "x", "-1"})
        EXPECT_FALSE(IsMissingCell(text, text + std::strlen(text))) << text;
}

constexpr double kDay = 86400;

TEST(CellTime, DatesAndTimesOnTheSecondsScale)
{
    const double d20210314 = 18700 * kDay;   // 2021-03-14
    const struct {
        const char* text;
        DateOrder order;
        CellTimeKind kind;
        double seconds;
    } cases[] = {
        {"1970-01-01", DateOrder::MonthFirst, CellTimeKind::Date, 0},
        {"2021-03-14", DateOrder::MonthFirst, CellTimeKind::Date, d20210314},
        {"2021/03/14", DateOrder::MonthFirst, CellTimeKind::Date, d20210314},
        {"2021-03", DateOrder::MonthFirst, CellTimeKind::Date, 18687 * kDay},   // the month's first day
        {"2021-03-14T10:30", DateOrder::MonthFirst, CellTimeKind::DateTime, d20210314 + 37800},
        {"2021-03-14 10:30:15", DateOrder::MonthFirst, CellTimeKind::DateTime, d20210314 + 37815},
        {"2021-03-14T10:30:15.25", DateOrder::MonthFirst, CellTimeKind::DateTime, d20210314 + 37815.25},
        {"2021-03-14T10:30:15Z", DateOrder::MonthFirst, CellTimeKind::DateTime, d20210314 + 37815},
        {"2021-03-14T10:30:15+02:00", DateOrder::MonthFirst, CellTimeKind::DateTime, d20210314 + 37815 - 7200},
        {"2021-03-14T10:30-0530", DateOrder::MonthFirst, CellTimeKind::DateTime, d20210314 + 37800 + 19800},
        {"14/03/2021", DateOrder::DayFirst, CellTimeKind::Date, d20210314},
        {"03/14/2021", DateOrder::MonthFirst, CellTimeKind::Date, d20210314},
        {"14.03.2021", DateOrder::MonthFirst, CellTimeKind::Date, d20210314},   // dots: day first
        {"3/14/2021 2:05 PM", DateOrder::MonthFirst, CellTimeKind::DateTime, d20210314 + 14 * 3600 + 300},
        {"2024-02-29", DateOrder::MonthFirst, CellTimeKind::Date, 19782 * kDay},
        {"1900-03-01", DateOrder::MonthFirst, CellTimeKind::Date, -25508 * kDay},
        {"10:30", DateOrder::MonthFirst, CellTimeKind::TimeOfDay, 37800},
        {"23:59:59.5", DateOrder::MonthFirst, CellTimeKind::TimeOfDay, 86399.5},
        {"2023-02-29", DateOrder::MonthFirst, CellTimeKind::None, 0},
        {"14/03/2021", DateOrder::MonthFirst, CellTimeKind::None, 0},
        {"2021-13-01", DateOrder::MonthFirst, CellTimeKind::None, 0},
        {"25:00", DateOrder::MonthFirst, CellTimeKind::None, 0},
        {"2021", DateOrder::MonthFirst, CellTimeKind::None, 0},
        {"2021-03-14x", DateOrder::MonthFirst, CellTimeKind::None, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        double seconds = -1;
        EXPECT_EQ(ParseCellTime(c.text, c.text + std::strlen(c.text), c.order, seconds), c.kind);
        if (c.kind != CellTimeKind::None) {
            EXPECT_EQ(seconds, c.seconds);
        }
    }
}

}  // namespace
