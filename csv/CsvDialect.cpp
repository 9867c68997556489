// How a file writes its table, guessed from the sample.
#include "csv/CsvDialect.h"

#include "csv/CellClass.h"
#include "csv/CellNumber.h"

#include <map>

namespace {

constexpr char kQuote = '"';

struct Candidate {
    double score = -1;
    int fieldCount = 1;
};

// The most common field count above one, and how many records have it.
void ModalCount(const std::vector<SampleRecord>& records, int& count, int& frequency)
{
    std::map<int, int> counts;
    for (const SampleRecord& record : records) {
        if (record.cells.size() > 1)
            ++counts[static_cast<int>(record.cells.size())];
    }
    count = 1;
    frequency = 0;
    for (const auto& entry : counts) {
        if (entry.second > frequency || (entry.second == frequency && entry.first > count)) {
            count = entry.first;
            frequency = entry.second;
        }
    }
}

Candidate Score(const std::vector<SampleRecord>& records, char separator)
{
    Candidate candidate;
    int frequency;
    ModalCount(records, candidate.fieldCount, frequency);
    if (frequency == 0)
        return candidate;
    const char mark = separator == ',' ? '.' : ',';
    long long cells = 0, values = 0;
    for (const SampleRecord& record : records) {
        if (static_cast<int>(record.cells.size()) != candidate.fieldCount)
            continue;
        for (const SampleCell& cell : record.cells) {
            ++cells;
            values += ClassifyCell(cell.text, '.', DateOrder::MonthFirst) != CellClass::Text ||
                      ClassifyCell(cell.text, mark, DateOrder::MonthFirst) != CellClass::Text;
        }
    }
    candidate.score = frequency * (1.0 + static_cast<double>(values) / static_cast<double>(cells));
    return candidate;
}

}  // namespace

CsvDialect SniffDialect(const std::string& sampleText, char storedSeparator)
{
    const char candidates[] = {',', ';', '\t', '|', storedSeparator};
    CsvDialect dialect;
    dialect.separator = storedSeparator;
    Candidate best;
    for (char separator : candidates) {
        if (separator == '\n' || separator == kQuote || separator == '\0')
            continue;
        const Candidate candidate = Score(SplitSample(sampleText, separator, kQuote, true), separator);
        if (candidate.score > best.score ||
            (candidate.score == best.score && candidate.score > 0 && candidate.fieldCount > best.fieldCount)) {
            best = candidate;
            dialect.separator = separator;
        }
    }
    if (best.score <= 0)
        dialect.separator = storedSeparator;
    bool quoted = false, spanned = false;
    const std::vector<SampleRecord> records = SplitSample(sampleText, dialect.separator, kQuote, true, &quoted, &spanned);
    dialect.quote = quoted ? kQuote : 0;
    dialect.spanLines = spanned;
    dialect.fieldCount = best.score > 0 ? best.fieldCount : 1;
    return dialect;
}

char SniffDecimalMark(const std::vector<SampleRecord>& records, char separator)
{
    if (separator == ',')
        return '.';
    long long commaOnly = 0, pointOnly = 0;
    for (const SampleRecord& record : records) {
        for (const SampleCell& cell : record.cells) {
            const char* begin = cell.text.data();
            const char* end = begin + cell.text.size();
            double value;
            const bool point = ParseCellNumber(begin, end, '.', value);
            const bool comma = ParseCellNumber(begin, end, ',', value);
            commaOnly += comma && !point;
            pointOnly += point && !comma;
        }
    }
    return commaOnly > pointOnly ? ',' : '.';
}

DateOrder SniffDateOrder(const std::vector<SampleRecord>& records)
{
    for (const SampleRecord& record : records) {
        for (const SampleCell& cell : record.cells) {
            int first, second;
            if (!SlashDateParts(cell.text.data(), cell.text.data() + cell.text.size(), first, second))
                continue;
            if (first > 12 && second <= 12)
                return DateOrder::DayFirst;
            if (second > 12 && first <= 12)
                return DateOrder::MonthFirst;
        }
    }
    return DateOrder::MonthFirst;
}
