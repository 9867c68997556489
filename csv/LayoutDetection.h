// A CSV file's layout detected from the start of the file: dialect, preamble and header
// lines, column kinds and names, X and the series.
#pragma once

#include "csv/CsvLayout.h"
#include "csv/CsvSample.h"

class XLineReader;

// The layout of the sample's table. `storedSeparator` is one more candidate separator, and
// the separator of a file with one column.
CsvLayout DetectLayout(const CsvSample& sample, char storedSeparator);

// Reads the sample from the start of the reader's file, detects its layout and rewinds the
// reader to the file's start.
CsvLayout ReadLayout(XLineReader& reader, char storedSeparator);
