// Ticks of a date/time axis on round calendar instants, with labels written for the step.
#include "chart/CalendarTicks.h"

#include "chart/CivilCalendar.h"

#include <cmath>

namespace {

// Beyond this many seconds from 1970 (about 126,000 years) milliseconds no longer fit a
// double exactly; such a range gets no calendar ticks.
constexpr double kUsableSeconds = 4e12;
constexpr double kSecondsPerMonth = 2629746.0;   // a mean Gregorian month, for estimates only
constexpr double kSecondsPerYear = 31556952.0;
constexpr double kMondayAfterEpoch = 4 * kSecondsPerDay;   // 1970-01-01 was a Thursday
constexpr double kWeek = 7 * kSecondsPerDay;
constexpr long long kMostYearStep = 100000;
constexpr const char* kLabelGapSample = "000";

const double kSecondSteps[] = {0.001, 0.002, 0.005, 0.01,  0.02,  0.05,  0.1,   0.2,   0.5,     1,       2,
                               5,     10,    15,    30,    60,    120,   300,   600,   900,     1800,    3600,
                               7200,  10800, 21600, 43200, 86400, 172800, kWeek};
const int kMonthSteps[] = {1, 3, 6};

long long FloorDiv(long long a, long long b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

long long FloorToMultiple(long long value, long long step)
{
    return FloorDiv(value, step) * step;
}

// A non-negative number in at least `digits` digits, zeros in front.
std::string Digits(long long value, int digits)
{
    std::string text;
    for (; value > 0 || digits > 0; value /= 10, --digits)
        text.insert(text.begin(), static_cast<char>('0' + value % 10));
    return text;
}

std::string YearText(long long year)
{
    return year < 0 ? "-" + Digits(-year, 4) : Digits(year, 4);
}

std::string DateText(const CivilDate& date, bool withDay)
{
    std::string text = YearText(date.year) + "-" + Digits(date.month, 2);
    return withDay ? text + "-" + Digits(date.day, 2) : text;
}

// Decimals of a second shown by a step below a second: 0.5 gives 1, 0.05 gives 2.
int SecondDecimals(double step)
{
    return step >= 0.1 ? 1 : (step >= 0.01 ? 2 : 3);
}

// The instant in whole milliseconds, split into its day and the time of that day.
void SplitMilliseconds(double at, long long& day, long long& msOfDay)
{
    const long long ms = static_cast<long long>(std::floor(at * 1000 + 0.5));
    day = FloorDiv(ms, 86400000LL);
    msOfDay = ms - day * 86400000LL;
}

std::string TimeText(long long msOfDay, double step)
{
    const long long seconds = msOfDay / 1000;
    std::string text = Digits(seconds / 3600, 2) + ":" + Digits(seconds / 60 % 60, 2);
    if (step >= 60)
        return text;
    text += ":" + Digits(seconds % 60, 2);
    if (step >= 1)
        return text;
    const int decimals = SecondDecimals(step);
    const long long fraction = msOfDay % 1000 / (decimals == 1 ? 100 : (decimals == 2 ? 10 : 1));
    return text + "." + Digits(fraction, decimals);
}

std::string Label(double at, const CalendarStep& step)
{
    long long day, msOfDay;
    SplitMilliseconds(at, day, msOfDay);
    const CivilDate date = CivilFromDays(day);
    switch (step.unit) {
    case CalendarStep::Years:
        return YearText(date.year);
    case CalendarStep::Months:
        return DateText(date, false);
    case CalendarStep::Seconds:
        break;
    }
    return step.count >= kSecondsPerDay ? DateText(date, true) : TimeText(msOfDay, step.count);
}

double Instant(long long year, int month)
{
    return static_cast<double>(DaysFromCivil(year, month, 1)) * kSecondsPerDay;
}

void AddTick(CalendarTicks& result, double at, XValueKind kind)
{
    CalendarTick tick;
    tick.at = at;
    tick.label = Label(at, result.step);
    const bool timeOfDay = result.step.unit == CalendarStep::Seconds && result.step.count < kSecondsPerDay;
    if (timeOfDay && kind == XValueKind::DateTime) {
        long long day, msOfDay, previousDay = 0, unused;
        SplitMilliseconds(at, day, msOfDay);
        if (!result.ticks.empty())
            SplitMilliseconds(result.ticks.back().at, previousDay, unused);
        if (result.ticks.empty() || day != previousDay) {
            tick.dateLabel = DateText(CivilFromDays(day), true);
            result.twoLines = true;
        }
    }
    result.ticks.push_back(tick);
}

// Ticks at the instants of the multiples of `count` (years or months since year 0) from
// the one at or below `first`, those within [min, max].
template <typename InstantOf>
void AddTicks(CalendarTicks& result, long long first, long long count, double min, double max, XValueKind kind,
              int most, InstantOf instantOf)
{
    if (count < 1)
        return;
    for (long long index = FloorToMultiple(first, count); static_cast<int>(result.ticks.size()) < most; index += count) {
        const double at = instantOf(index);
        if (at > max)
            break;
        if (at >= min)
            AddTick(result, at, kind);
    }
}

double ApproximateSeconds(const CalendarStep& step)
{
    switch (step.unit) {
    case CalendarStep::Months:
        return step.count * kSecondsPerMonth;
    case CalendarStep::Years:
        return step.count * kSecondsPerYear;
    case CalendarStep::Seconds:
        break;
    }
    return step.count;
}

std::vector<CalendarStep> Candidates(XValueKind kind)
{
    std::vector<CalendarStep> steps;
    for (double seconds : kSecondSteps) {
        if ((kind == XValueKind::Date && seconds < kSecondsPerDay) ||
            (kind == XValueKind::Time && seconds >= kSecondsPerDay))
            continue;
        steps.push_back(CalendarStep{CalendarStep::Seconds, seconds});
    }
    if (kind == XValueKind::Time)
        return steps;
    for (int months : kMonthSteps)
        steps.push_back(CalendarStep{CalendarStep::Months, static_cast<double>(months)});
    for (long long magnitude = 1; magnitude <= kMostYearStep; magnitude *= 10) {
        for (long long times : {1, 2, 5})
            steps.push_back(CalendarStep{CalendarStep::Years, static_cast<double>(magnitude * times)});
    }
    return steps;
}

// Each label, centred on its tick, keeps `gap` pixels to the next; dates below the times
// keep it to the next date.
bool LabelsFit(const CalendarTicks& ticks, double min, double max, int plotWidth, const LabelWidth& width, int gap)
{
    const double pixelsPerSecond = max > min ? (plotWidth - 1) / (max - min) : 0;
    double lastEnd[2] = {0, 0};
    bool any[2] = {false, false};
    for (const CalendarTick& tick : ticks.ticks) {
        const double centre = (tick.at - min) * pixelsPerSecond;
        const std::string* lines[2] = {&tick.label, &tick.dateLabel};
        for (int line = 0; line < 2; ++line) {
            if (lines[line]->empty())
                continue;
            const double half = width(lines[line]->c_str()) / 2.0;
            if (any[line] && centre - half < lastEnd[line] + gap)
                return false;
            lastEnd[line] = centre + half;
            any[line] = true;
        }
    }
    return true;
}

}  // namespace

CalendarTicks MakeCalendarTicks(double min, double max, CalendarStep step, XValueKind kind, int most)
{
    CalendarTicks result;
    result.step = step;
    if (!(min <= max) || std::fabs(min) > kUsableSeconds || std::fabs(max) > kUsableSeconds || step.count <= 0)
        return result;
    long long day, unused;
    SplitMilliseconds(min, day, unused);
    const CivilDate first = CivilFromDays(day);
    const long long count = static_cast<long long>(step.count);
    switch (step.unit) {
    case CalendarStep::Years:
        AddTicks(result, first.year, count, min, max, kind, most, [](long long year) { return Instant(year, 1); });
        break;
    case CalendarStep::Months:
        AddTicks(result, first.year * 12 + first.month - 1, count, min, max, kind, most, [](long long month) {
            return Instant(FloorDiv(month, 12), static_cast<int>(month - 12 * FloorDiv(month, 12)) + 1);
        });
        break;
    case CalendarStep::Seconds: {
        const double origin = step.count == kWeek ? kMondayAfterEpoch : 0;
        for (double k = std::ceil((min - origin) / step.count); static_cast<int>(result.ticks.size()) < most; ++k) {
            const double at = origin + k * step.count;
            if (at > max)
                break;
            AddTick(result, at, kind);
        }
        break;
    }
    }
    return result;
}

CalendarTicks ChooseCalendarTicks(double min, double max, int plotWidth, XValueKind kind, const LabelWidth& width)
{
    if (kind == XValueKind::Number || plotWidth < 2 || !(min < max) || std::fabs(min) > kUsableSeconds ||
        std::fabs(max) > kUsableSeconds)
        return CalendarTicks();
    const int gap = width(kLabelGapSample);
    for (const CalendarStep& step : Candidates(kind)) {
        // Cheap rejections first: more ticks than every other pixel, or than sample labels fit.
        const double estimate = (max - min) / ApproximateSeconds(step);
        const int sampleWidth = width(Label(min, step).c_str()) + gap;
        if (estimate > plotWidth / 2.0 || estimate * sampleWidth > plotWidth)
            continue;
        CalendarTicks ticks = MakeCalendarTicks(min, max, step, kind, plotWidth);
        if (LabelsFit(ticks, min, max, plotWidth, width, gap))
            return ticks;
    }
    return CalendarTicks();
}
