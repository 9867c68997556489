// What detection found a CSV file to hold: its dialect, where the table's data begins, the
// kind and name of every column, which column is X and which columns are the series.
#pragma once

#include "csv/CellTime.h"
#include "csv/TextEncoding.h"

#include <string>
#include <vector>

enum class ColumnKind { Number, Date, DateTime, Time, Identifier, Text };

// X: the row number (counting data rows from 0), or a column's numbers or instants.
enum class XKind { Index, Number, Date, DateTime, Time };

struct CsvColumn {
    ColumnKind kind = ColumnKind::Text;
    std::string name;   // UTF-8; the header lines' cells joined with a space; empty without
};

struct CsvLayout {
    TextEncoding encoding = TextEncoding::Utf8;
    char separator = ',';
    char quote = 0;               // '"' when the sample quotes a field, else 0
    bool spanLines = false;       // a quoted field of the sample holds a line break
    char decimalMark = '.';
    DateOrder dateOrder = DateOrder::MonthFirst;
    int fieldCount = 0;           // the fields of a table row
    int preambleLines = 0;        // lines before the table
    int headerLines = 0;          // lines of the header
    long long dataLine = 0;       // the file's line where data rows begin
    std::vector<CsvColumn> columns;
    XKind xKind = XKind::Index;
    int xColumn = -1;             // -1: X is the row number
    int timeColumn = -1;          // a time-of-day column joined to a date X, or -1
    std::vector<int> series;      // the columns drawn, in column order

    // True when the file must be read from its start in one piece: UTF-16, or quoted line
    // breaks (the middle could fall inside a quoted field).
    bool ReadWhole() const
    {
        return spanLines || encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be;
    }
    // The series' name: its column's header, or "column N" (N counting from 1) without one.
    std::string SeriesName(int seriesIndex) const;
    // "index", "number", "date", "datetime", "time".
    const char* XKindName() const;
};
