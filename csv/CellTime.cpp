// Dates and times in CSV cells, as seconds on one scale.
#include "csv/CellTime.h"

#include "chart/CivilCalendar.h"
#include "csv/CellNumber.h"

namespace {


bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads from min to max digits; p moves past them.
bool Digits(const char*& p, const char* end, int min, int max, int& value)
{
    int count = 0;
    value = 0;
    while (p < end && count < max && IsDigit(*p)) {
        value = value * 10 + (*p++ - '0');
        ++count;
    }
    return count >= min;
}

bool Take(const char*& p, const char* end, char c)
{
    if (p < end && *p == c) {
        ++p;
        return true;
    }
    return false;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool ValidDate(int year, int month, int day)
{
    return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

// yyyy-mm-dd, yyyy/mm/dd or yyyy-mm (the month's first day).
bool IsoDate(const char*& p, const char* end, int& year, int& month, int& day)
{
    const char* q = p;
    if (!Digits(q, end, 4, 4, year) || q == end || (*q != '-' && *q != '/'))
        return false;
    const char mark = *q++;
    if (!Digits(q, end, 1, 2, month))
        return false;
    day = 1;
    if (Take(q, end, mark) && !Digits(q, end, 1, 2, day))
        return false;
    if (!ValidDate(year, month, day))
        return false;
    p = q;
    return true;
}

// d/m/yyyy, m/d/yyyy, d.m.yyyy, d-m-yyyy.
bool WrittenDate(const char*& p, const char* end, DateOrder order, int& year, int& month, int& day)
{
    const char* q = p;
    int first, second;
    if (!Digits(q, end, 1, 2, first) || q == end || (*q != '/' && *q != '.' && *q != '-'))
        return false;
    const char mark = *q++;
    if (!Digits(q, end, 1, 2, second) || !Take(q, end, mark) || !Digits(q, end, 4, 4, year))
        return false;
    const bool monthFirst = mark == '/' && order == DateOrder::MonthFirst;
    month = monthFirst ? first : second;
    day = monthFirst ? second : first;
    if (!ValidDate(year, month, day))
        return false;
    p = q;
    return true;
}

// H:MM[:SS[.fff]][ AM|PM], as seconds since midnight.
bool TimeOfDay(const char*& p, const char* end, double& seconds)
{
    const char* q = p;
    int hour, minute, second = 0;
    if (!Digits(q, end, 1, 2, hour) || !Take(q, end, ':') || !Digits(q, end, 2, 2, minute))
        return false;
    double fraction = 0;
    if (Take(q, end, ':')) {
        if (!Digits(q, end, 2, 2, second))
            return false;
        if (q < end && (*q == '.' || *q == ',') && q + 1 < end && IsDigit(q[1])) {
            double scale = 0.1;
            for (++q; q < end && IsDigit(*q); ++q, scale /= 10)
                fraction += (*q - '0') * scale;
        }
    }
    const char* r = q;
    while (r < end && *r == ' ')
        ++r;
    if (end - r >= 2 && (r[1] == 'M' || r[1] == 'm') && (*r == 'A' || *r == 'a' || *r == 'P' || *r == 'p')) {
        if (hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + ((*r == 'P' || *r == 'p') ? 12 : 0);
        q = r + 2;
    }
    if (hour > 24 || minute > 59 || second > 60 || (hour == 24 && (minute || second || fraction)))
        return false;
    seconds = hour * 3600.0 + minute * 60.0 + second + fraction;
    p = q;
    return true;
}

// Z, +hh:mm, +hhmm or +hh: the offset from UTC in seconds.
bool ZoneOffset(const char*& p, const char* end, double& offset)
{
    offset = 0;
    if (Take(p, end, 'Z') || Take(p, end, 'z'))
        return true;
    if (p == end || (*p != '+' && *p != '-'))
        return true;   // no zone: the time as written
    const char* q = p;
    const double sign = *q++ == '-' ? -1.0 : 1.0;
    int hours, minutes = 0;
    if (!Digits(q, end, 2, 2, hours))
        return false;
    Take(q, end, ':');
    if (q < end && IsDigit(*q) && !Digits(q, end, 2, 2, minutes))
        return false;
    if (hours > 23 || minutes > 59)
        return false;
    offset = sign * (hours * 3600.0 + minutes * 60.0);
    p = q;
    return true;
}

}  // namespace

CellTimeKind ParseCellTime(const char* begin, const char* end, DateOrder order, double& seconds)
{
    TrimCell(begin, end);
    const char* p = begin;
    int year, month, day;
    if (!IsoDate(p, end, year, month, day) && !WrittenDate(p, end, order, year, month, day)) {
        double time;
        if (!TimeOfDay(p, end, time) || p != end)
            return CellTimeKind::None;
        seconds = time;
        return CellTimeKind::TimeOfDay;
    }
    const double midnight = static_cast<double>(DaysFromCivil(year, month, day)) * kSecondsPerDay;
    if (p == end) {
        seconds = midnight;
        return CellTimeKind::Date;
    }
    if (*p == 'T' || *p == 't') {
        ++p;
    } else {
        if (*p != ' ')
            return CellTimeKind::None;
        while (p < end && *p == ' ')
            ++p;
    }
    double time, offset;
    if (!TimeOfDay(p, end, time))
        return CellTimeKind::None;
    const char* zone = p;
    while (zone < end && *zone == ' ')
        ++zone;
    if (zone < end && (*zone == '+' || *zone == '-' || *zone == 'Z' || *zone == 'z'))
        p = zone;   // "10:00 +01:00"
    if (!ZoneOffset(p, end, offset) || p != end)
        return CellTimeKind::None;
    seconds = midnight + time - offset;
    return CellTimeKind::DateTime;
}

bool SlashDateParts(const char* begin, const char* end, int& first, int& second)
{
    TrimCell(begin, end);
    const char* p = begin;
    int year;
    return Digits(p, end, 1, 2, first) && Take(p, end, '/') && Digits(p, end, 1, 2, second) && Take(p, end, '/') &&
           Digits(p, end, 4, 4, year);
}
