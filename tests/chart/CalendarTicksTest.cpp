// Calendar arithmetic and the ticks of a date/time axis: steps from seconds to centuries,
// leap years, month ends, labels and where the date is written.
#include "chart/CalendarTicks.h"
#include "chart/CivilCalendar.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

double At(long long year, int month, int day, int hour = 0, int minute = 0, double second = 0)
{
    return DaysFromCivil(year, month, day) * kSecondsPerDay + hour * 3600.0 + minute * 60.0 + second;
}

// Six pixels a character: "2019-03-14" is 60 pixels wide, the gap "000" 18.
int SixPerChar(const char* text)
{
    return 6 * static_cast<int>(std::strlen(text));
}

std::string Labels(const CalendarTicks& ticks)
{
    std::string text;
    for (const CalendarTick& tick : ticks.ticks)
        text += (text.empty() ? "" : " ") + tick.label + (tick.dateLabel.empty() ? "" : "/" + tick.dateLabel);
    return text;
}

}  // namespace

TEST(CivilCalendar, DaysFromKnownDates)
{
    const struct {
        long long year;
        int month, day;
        long long days;
    } cases[] = {
        {1970, 1, 1, 0},           {2000, 2, 29, 11016},   {2000, 3, 1, 11017},      // 2000: leap (400)
        {1900, 3, 1, -25508},      {1600, 2, 29, -135081}, {2019, 12, 31, 18261},
        {1, 1, 1, -719162},        {9999, 12, 31, 2932896},
        {2019, 2, 29, 17956},      {2019, 13, 1, 18262},  // counted on: 2019-03-01, 2020-01-01
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year * 10000 + c.month * 100 + c.day);
        EXPECT_EQ(DaysFromCivil(c.year, c.month, c.day), c.days);
    }
}

TEST(CivilCalendar, DaysRoundTripOverMillennia)
{
    for (long long days = -1000000; days <= 1000000; days += 37) {
        const CivilDate date = CivilFromDays(days);
        ASSERT_EQ(DaysFromCivil(date.year, date.month, date.day), days);
        ASSERT_TRUE(date.month >= 1 && date.month <= 12 && date.day >= 1 && date.day <= 31);
    }
}

TEST(CalendarTicks, StepAndLabelsFollowTheSpan)
{
    const struct {
        const char* what;
        double min, max;
        int width;
        XValueKind kind;
        const char* labels;
    } cases[] = {
        {"seconds", At(2019, 3, 14, 14, 30, 0.5), At(2019, 3, 14, 14, 30, 40), 400, XValueKind::DateTime,
         "14:30:10/2019-03-14 14:30:20 14:30:30 14:30:40"},   // 5 s: 50 pixels, labels need 66
        {"quarter hours over a day change", At(2019, 3, 14, 23, 10), At(2019, 3, 15, 0, 50), 400,
         XValueKind::DateTime, "23:15/2019-03-14 23:30 23:45 00:00/2019-03-15 00:15 00:30 00:45"},
        {"twelve hours: dates six hours apart would overlap", At(2019, 3, 14, 13), At(2019, 3, 16, 2), 400,
         XValueKind::DateTime, "00:00/2019-03-15 12:00 00:00/2019-03-16"},
        {"six hours", At(2019, 3, 14, 13), At(2019, 3, 16, 2), 500, XValueKind::DateTime,
         "18:00/2019-03-14 00:00/2019-03-15 06:00 12:00 18:00 00:00/2019-03-16"},
        {"times of day carry no date", 8 * 3600.0, 17 * 3600.0, 300, XValueKind::Time,
         "08:00 10:00 12:00 14:00 16:00"},
        {"days", At(2019, 3, 1), At(2019, 3, 7, 12), 600, XValueKind::Date,
         "2019-03-01 2019-03-02 2019-03-03 2019-03-04 2019-03-05 2019-03-06 2019-03-07"},
        {"weeks start on Monday", At(2024, 1, 1), At(2024, 2, 1), 400, XValueKind::Date,
         "2024-01-01 2024-01-08 2024-01-15 2024-01-22 2024-01-29"},
        {"months over a leap February", At(2020, 1, 31), At(2020, 6, 1), 600, XValueKind::Date,
         "2020-02 2020-03 2020-04 2020-05 2020-06"},
        {"quarters", At(2018, 11, 30), At(2020, 1, 15), 400, XValueKind::Date,
         "2019-01 2019-04 2019-07 2019-10 2020-01"},
        {"years", At(2001, 6, 1), At(2009, 6, 1), 400, XValueKind::Date,
         "2002 2003 2004 2005 2006 2007 2008 2009"},
        {"centuries", At(1492, 10, 12), At(2020, 1, 1), 300, XValueKind::Date, "1500 1600 1700 1800 1900 2000"},
        {"below a second", At(2019, 3, 14, 14, 30, 15), At(2019, 3, 14, 14, 30, 15.5), 500, XValueKind::DateTime,
         "14:30:15.0/2019-03-14 14:30:15.1 14:30:15.2 14:30:15.3 14:30:15.4 14:30:15.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Labels(ChooseCalendarTicks(c.min, c.max, c.width, c.kind, SixPerChar)), c.labels);
    }
}

TEST(CalendarTicks, TicksLieOnTheirInstants)
{
    // Month starts after a month end in a leap year, and the year starts of a leap century.
    const CalendarTicks months =
        MakeCalendarTicks(At(2024, 1, 31), At(2024, 4, 30), CalendarStep{CalendarStep::Months, 1}, XValueKind::Date, 10);
    ASSERT_EQ(months.ticks.size(), 3u);
    EXPECT_EQ(months.ticks[0].at, At(2024, 2, 1));
    EXPECT_EQ(months.ticks[1].at, At(2024, 3, 1));
    EXPECT_EQ(months.ticks[1].at - months.ticks[0].at, 29 * kSecondsPerDay);
    const CalendarTicks years =
        MakeCalendarTicks(At(1999, 1, 1), At(2001, 1, 1), CalendarStep{CalendarStep::Years, 1}, XValueKind::Date, 10);
    ASSERT_EQ(years.ticks.size(), 3u);
    EXPECT_EQ(years.ticks[2].at - years.ticks[1].at, 366 * kSecondsPerDay);
}

TEST(CalendarTicks, NothingWhenNoStepFitsOrTheRangeIsUnusable)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double min, max;
        int width;
    } cases[] = {
        {At(2019, 1, 1), At(2019, 1, 2), 1},   // no room
        {nan, At(2019, 1, 2), 400},
        {0, std::numeric_limits<double>::infinity(), 400},
        {-1e15, 1e15, 400},
        {5, 5, 400},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(ChooseCalendarTicks(c.min, c.max, c.width, XValueKind::Date, SixPerChar).ticks.empty());
    EXPECT_TRUE(ChooseCalendarTicks(0, 1e6, 400, XValueKind::Number, SixPerChar).ticks.empty());
}
