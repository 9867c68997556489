// Ticks of a date/time axis on round calendar instants, with labels written for the step.
// The scale is seconds since 1970-01-01T00:00:00 (a date alone is its midnight, a time of
// day alone is seconds since midnight); the calendar is the proleptic Gregorian one.
#pragma once

#include <functional>
#include <string>
#include <vector>

// What the X values are: plain numbers, or instants on the scale above.
enum class XValueKind { Number, Date, DateTime, Time };

// A step of the calendar: `count` seconds, months or years.
struct CalendarStep {
    enum Unit { Seconds, Months, Years };
    Unit unit = Seconds;
    double count = 0;
};

struct CalendarTick {
    double at = 0;            // on the X scale
    std::string label;        // "2019", "2019-03", "2019-03-14", "14:30", "14:30:15"
    std::string dateLabel;    // below a time of day: its date, at the first tick and where the day changes
};

struct CalendarTicks {
    CalendarStep step;
    std::vector<CalendarTick> ticks;   // empty: no calendar step fits
    bool twoLines = false;             // some tick carries a date below its time
};

using LabelWidth = std::function<int(const char*)>;

// The finest step of the candidates (1, 2, 5, 10, 15, 30 seconds and the same in minutes,
// 1, 2, 3, 6, 12 hours, 1 and 2 days, weeks from Monday, 1, 3 and 6 months, 1, 2 and 5
// times a power of ten years; below a second tenths, hundredths and thousandths) whose
// labels, measured by `width` and centred on their ticks over plotWidth pixels, keep a gap
// of the width of "000" to their neighbours. Dates step by a day at least; times of day
// stay below a day and show no date. Empty when nothing fits or the range is not usable
// (not finite, or beyond some hundred thousand years).
CalendarTicks ChooseCalendarTicks(double min, double max, int plotWidth, XValueKind kind, const LabelWidth& width);

// The ticks of one step within [min, max] (at most `most` of them), labelled.
CalendarTicks MakeCalendarTicks(double min, double max, CalendarStep step, XValueKind kind, int most);
