// What the reading of one CSV file yields, as csvinfo reports it: the dialect, the shape,
// X and every series with its points, gaps and bounds.
#pragma once

#include "csv/CsvOptions.h"

#include <string>
#include <vector>

struct SeriesSummary {
    int column = -1;        // -1: the series is a line of the file
    std::string name;
    long long points = 0;
    long long gaps = 0;
    double min = 0;
    double max = 0;
};

struct FileSummary {
    std::string encoding;
    char separator = ',';
    char quote = 0;
    char decimalMark = '.';
    long long preambleLines = 0;
    long long headerLines = 0;
    long long footnoteLines = 0;
    int xColumn = -1;       // -1: the row number
    std::string xKind = "index";
    std::string xName;
    std::vector<SeriesSummary> series;
    std::vector<int> idColumns;
    std::vector<int> textColumns;
};

// Reads the file as the options say (detected when detectLayout is set); false when the
// file cannot be read.
bool SummarizeFile(const char* path, const CsvOptions& options, FileSummary& summary);
