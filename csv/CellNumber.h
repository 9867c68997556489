// A whole CSV cell read as a number, or as one of the usual marks of a missing value.
#pragma once

// True, with the value, when the cell (spaces around it aside) is exactly one number: an
// optional sign, digits with an optional decimal mark and fraction, an optional exponent,
// an optional trailing '%' (the number as written). Digits may be grouped by threes with
// the other mark (',' when the decimal mark is '.', '.' when it is ','): "1,234.5",
// "1.234,5". Never depends on the process's locale.
bool ParseCellNumber(const char* begin, const char* end, char decimalMark, double& value);

// An empty cell, or a usual mark for "no value": NA, N/A, NaN, null, None, -, --, ?, .,
// #N/A, nil, missing (in any letter case).
bool IsMissingCell(const char* begin, const char* end);

// A label that sums up the rows above it: Total, Totals, Grand total, Subtotal, Sum,
// Average, Mean (in any letter case, a colon after it allowed).
bool IsTotalsCell(const char* begin, const char* end);

// Spaces and tabs around the cell's text cut off.
void TrimCell(const char*& begin, const char*& end);
