// Dates of the proleptic Gregorian calendar as whole days since 1970-01-01, and back: the
// arithmetic of the date/time X scale (seconds since 1970-01-01T00:00:00, no time zones).
#pragma once

struct CivilDate {
    long long year = 1970;
    int month = 1;   // 1 to 12
    int day = 1;     // 1 to 31
};

constexpr double kSecondsPerDay = 86400.0;

// Days from 1970-01-01 to the date; a day or month out of range counts on (2019-02-29 is
// 2019-03-01).
long long DaysFromCivil(long long year, int month, int day);
CivilDate CivilFromDays(long long days);
