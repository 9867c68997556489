// Dates and times in CSV cells, as seconds on one scale: seconds since 1970-01-01T00:00:00
// (a zone offset, when given, converts to UTC; without one the time is taken as written);
// a date alone is its midnight; a time of day alone is seconds since midnight.
#pragma once

// What a cell holds.
enum class CellTimeKind { None, Date, DateTime, TimeOfDay };

// Day-month or month-day for dates written with '/' ("03/04/2021"); dates with '.' or '-'
// between day, month and year are always day first.
enum class DateOrder { DayFirst, MonthFirst };

// The cell (spaces around it aside) as a date or time. Forms: an ISO date 2021-03-14 (or
// 2021/03/14, or the month 2021-03); d/m/yyyy, m/d/yyyy (by the order), d.m.yyyy, d-m-yyyy;
// each optionally followed by 'T' or spaces and a time; a time H:MM, H:MM:SS or H:MM:SS.fff,
// optionally AM/PM, then optionally Z or an offset +hh:mm, +hhmm, +hh.
CellTimeKind ParseCellTime(const char* begin, const char* end, DateOrder order, double& seconds);

// The first two numbers of a date written d/m/yyyy or m/d/yyyy, for deciding the order.
bool SlashDateParts(const char* begin, const char* end, int& first, int& second);
