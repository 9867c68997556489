// The first lines of a file, cut into records and cells by a dialect.
#include "csv/CsvSample.h"

#include "csv/QuotedFields.h"
#include "csv/RecordJoiner.h"
#include "xlib/XLineReader.h"

namespace {

std::string CellValue(const CellText& cell)
{
    std::string text(cell.begin, cell.end);
    if (cell.escaped) {
        std::string unescaped;
        for (std::size_t i = 0; i < text.size(); ++i) {
            unescaped += text[i];
            if (text[i] == '"' && i + 1 < text.size() && text[i + 1] == '"')
                ++i;
        }
        text.swap(unescaped);
    }
    return text;
}

}  // namespace

CsvSample ReadSample(XLineReader& reader)
{
    CsvSample sample;
    const char* text = nullptr;
    std::size_t length = 0;
    for (int lines = 0; reader.Next(text, length); ++lines) {
        const std::size_t room = kSampleBytes - sample.text.size();
        if (lines == kSampleLines || (lines > 0 && length + 1 > room)) {
            sample.wholeFile = false;
            break;
        }
        if (length + 1 > room) {
            length = room - 1;   // a first line longer than the sample: its start
            sample.wholeFile = false;
        }
        sample.text.append(text, length);
        sample.text += '\n';
    }
    return sample;
}

std::vector<SampleRecord> SplitSample(const std::string& text, char separator, char quote, bool spanLines,
                                      bool* quoted, bool* spanned)
{
    std::vector<SampleRecord> records;
    RecordJoiner joiner(separator, quote, spanLines);
    long long line = 0;   // where the next record begins
    auto add = [&](const char* record, std::size_t length, int lines) {
        SampleRecord sampled;
        sampled.lines = lines;
        sampled.firstLine = line;
        line += lines;
        QuotedFields fields(record, length, separator, quote);
        CellText cell;
        while (fields.Next(cell)) {
            sampled.cells.push_back(SampleCell{CellValue(cell), cell.quoted});
            if (quoted && cell.quoted)
                *quoted = true;
        }
        if (spanned && lines > 1)
            *spanned = true;
        records.push_back(std::move(sampled));
    };
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        joiner.Take(text.data() + start, end - start, add);
    joiner.Finish(add);
    return records;
}
