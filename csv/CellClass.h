// What one cell of a sample holds, and the kinds of a table's columns from their cells.
#pragma once

#include "csv/CellTime.h"
#include "csv/CsvLayout.h"
#include "csv/CsvSample.h"

#include <string>
#include <vector>

enum class CellClass { Missing, Number, Date, DateTime, Time, Text };

CellClass ClassifyCell(const std::string& text, char decimalMark, DateOrder order);

// Each column's kind from the rows' cells: the kind at least two in three of its cells
// that hold anything share (dates and date-times together), or text. Number columns stay
// numbers here: identifiers are told apart later, by name and values.
std::vector<ColumnKind> ColumnKindsOf(const std::vector<const SampleRecord*>& rows, int columnCount, char decimalMark,
                                      DateOrder order);

// True when the row names columns: where a column holds numbers, dates or times, the row's
// cell is no such value, and at least one of those cells is text.
bool IsHeaderRow(const SampleRecord& row, const std::vector<ColumnKind>& kinds, char decimalMark, DateOrder order);
