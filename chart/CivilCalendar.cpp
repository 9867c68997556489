// Days since 1970-01-01 of a proleptic Gregorian date, and back.
#include "chart/CivilCalendar.h"

namespace {

constexpr long long kDaysPerEra = 146097;           // 400 years
constexpr long long kEraStartToEpoch = 719468;      // 0000-03-01 to 1970-01-01

// Floor division for a positive divisor.
long long FloorDiv(long long a, long long b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

// Years counted from March, so that a leap day ends its year: the day of the year then
// follows from the month by (153 * month + 2) / 5.
long long DaysFromCivil(long long year, int month, int day)
{
    const long long monthsFromMarch = FloorDiv(static_cast<long long>(month) - 3, 12);
    year += monthsFromMarch;
    const long long month0 = static_cast<long long>(month) - 3 - 12 * monthsFromMarch;   // 0 is March
    const long long era = FloorDiv(year, 400);
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * month0 + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * kDaysPerEra + dayOfEra - kEraStartToEpoch;
}

CivilDate CivilFromDays(long long days)
{
    const long long z = days + kEraStartToEpoch;
    const long long era = FloorDiv(z, kDaysPerEra);
    const long long dayOfEra = z - era * kDaysPerEra;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long month0 = (5 * dayOfYear + 2) / 153;   // 0 is March
    CivilDate date;
    date.day = static_cast<int>(dayOfYear - (153 * month0 + 2) / 5 + 1);
    date.month = static_cast<int>(month0 < 10 ? month0 + 3 : month0 - 9);
    date.year = yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0);
    return date;
}
