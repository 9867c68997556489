// The first lines of a file, kept as text, and cut into records and cells by a dialect:
// what a layout is detected from.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class XLineReader;

// At most this much of a file's start is read for detection.
constexpr std::size_t kSampleBytes = 64 << 10;
constexpr int kSampleLines = 400;

struct SampleCell {
    std::string text;   // unquoted, "" as one quote, spaces around it kept
    bool quoted = false;
};

struct SampleRecord {
    std::vector<SampleCell> cells;
    long long firstLine = 0;   // the file's line where the record begins
    int lines = 1;
};

struct CsvSample {
    std::string text;   // the lines, each ended by '\n'
    bool wholeFile = true;
};

// The sample from the reader's current position (its start); the caller rewinds after.
CsvSample ReadSample(XLineReader& reader);

// The sample's records as the dialect cuts them (quote 0: no quoting); `quoted` and
// `spanned` tell whether any field was quoted, and whether one held a line break.
std::vector<SampleRecord> SplitSample(const std::string& text, char separator, char quote, bool spanLines,
                                      bool* quoted = nullptr, bool* spanned = nullptr);
