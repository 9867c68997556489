// How a file writes its table: separator, quoting, decimal mark and date order, guessed from
// the sample.
#pragma once

#include "csv/CellTime.h"
#include "csv/CsvSample.h"

#include <string>
#include <vector>

struct CsvDialect {
    char separator = ',';
    char quote = 0;
    bool spanLines = false;
    int fieldCount = 1;   // the fields most of the sample's records have
};

// The separator among , ; tab | and the stored one that cuts the most records into one
// number of fields above one, weighed by how many of those records' cells read as values
// (numbers, dates, missing marks); ties go to more fields, then to the order above. Without
// any such separator, the stored one and one field. Quoting with '"' as in RFC 4180.
CsvDialect SniffDialect(const std::string& sampleText, char storedSeparator);

// ',' when the separator is not ',' and more cells read only with a decimal comma ("1,5",
// "1.234,5") than only with a decimal point; '.' otherwise.
char SniffDecimalMark(const std::vector<SampleRecord>& records, char separator);

// Month first when some slash date has a second number above 12, day first when some has a
// first number above 12 (the first such date decides); when none decides, month first.
DateOrder SniffDateOrder(const std::vector<SampleRecord>& records);
