// A CSV file's layout detected from the start of the file.
//   1. The dialect: separator, quoting, then the decimal mark and the date order.
//   2. The table: from the first record with the table's field count; records before it
//      are the preamble.
//   3. The header: the leading table records (at most four) whose cells are text where the
//      records below them hold numbers, dates or times; their cells name the columns.
//   4. Identifiers among the number columns, then X, then the series.
#include "csv/LayoutDetection.h"

#include "csv/CellClass.h"
#include "csv/CellNumber.h"
#include "csv/CsvDialect.h"
#include "xlib/XLineReader.h"

#include <cmath>

namespace {

constexpr std::size_t kMaxHeaderLines = 4;

struct Table {
    std::vector<const SampleRecord*> rows;   // records with the table's field count, from its start
};

Table TableOf(const std::vector<SampleRecord>& records, int fieldCount)
{
    Table table;
    for (const SampleRecord& record : records) {
        const int cells = static_cast<int>(record.cells.size());
        if (cells == fieldCount)
            table.rows.push_back(&record);
    }
    return table;
}

std::string Trimmed(const std::string& text)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    TrimCell(begin, end);
    return std::string(begin, end);
}

// Several header lines' cells of one column joined with a space.
void NameColumns(CsvLayout& layout, const Table& table, int headerRows)
{
    for (int h = 0; h < headerRows; ++h) {
        const SampleRecord& row = *table.rows[static_cast<std::size_t>(h)];
        for (std::size_t c = 0; c < row.cells.size() && c < layout.columns.size(); ++c) {
            const std::string cell = Trimmed(row.cells[c].text);
            std::string& name = layout.columns[c].name;
            if (!cell.empty())
                name += (name.empty() ? "" : " ") + ToUtf8(cell, layout.encoding);
        }
    }
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// "id", "ID", "row", "index", "#", "No.", "customer_id", "StationID", "Unnamed: 0".
bool IsIdName(const std::string& name)
{
    std::string lower;
    for (char c : name)
        lower += Lower(c);
    for (const char* exact : {"id", "#", "no", "no.", "nr", "nr.", "row", "index", "idx", "key", "rownames"}) {
        if (lower == exact)
            return true;
    }
    if (lower.compare(0, 8, "unnamed:") == 0)
        return true;
    const std::size_t n = name.size();
    if (n > 2 && lower.compare(n - 2, 2, "id") == 0) {
        const char before = name[n - 3];
        const bool camel = (name[n - 2] == 'I') && ((before >= 'a' && before <= 'z') || name[n - 1] == 'D');
        return before == '_' || before == ' ' || before == '-' || before == '.' || camel;
    }
    return false;
}

// The column's values in the data rows, missing ones left out.
std::vector<double> ColumnValues(const Table& table, int headerRows, std::size_t column, char decimalMark)
{
    std::vector<double> values;
    for (std::size_t r = static_cast<std::size_t>(headerRows); r < table.rows.size(); ++r) {
        const std::string& text = table.rows[r]->cells[column].text;
        double value;
        if (ParseCellNumber(text.data(), text.data() + text.size(), decimalMark, value))
            values.push_back(value);
    }
    return values;
}

// A row counter: 0 or 1, then up by one each row.
bool IsCounter(const std::vector<double>& values)
{
    if (values.size() < 2 || (values[0] != 0 && values[0] != 1))
        return false;
    for (std::size_t i = 1; i < values.size(); ++i) {
        if (values[i] != values[i - 1] + 1)
            return false;
    }
    return true;
}

bool AllIntegers(const std::vector<double>& values)
{
    for (double v : values) {
        if (v != std::floor(v))
            return false;
    }
    return true;
}

// Only grows, or only falls, and not everywhere the same, over three values at least.
bool IsMonotonic(const std::vector<double>& values)
{
    if (values.size() < 3)
        return false;
    bool up = true, down = true, moves = false;
    for (std::size_t i = 1; i < values.size(); ++i) {
        up = up && values[i] >= values[i - 1];
        down = down && values[i] <= values[i - 1];
        moves = moves || values[i] != values[i - 1];
    }
    return moves && (up || down);
}

// The leading rows that name the columns the rows below them hold values in.
int HeaderRows(const Table& table, int columnCount, const CsvLayout& layout, std::vector<ColumnKind>& kinds)
{
    const auto& rows = table.rows;
    std::size_t h = 0;
    for (; h < kMaxHeaderLines && h + 1 < rows.size(); ++h) {
        const std::vector<const SampleRecord*> below(rows.begin() + static_cast<long>(h) + 1, rows.end());
        const std::vector<ColumnKind> belowKinds = ColumnKindsOf(below, columnCount, layout.decimalMark, layout.dateOrder);
        if (!IsHeaderRow(*rows[h], belowKinds, layout.decimalMark, layout.dateOrder))
            break;
    }
    const std::vector<const SampleRecord*> body(rows.begin() + static_cast<long>(h), rows.end());
    kinds = ColumnKindsOf(body, columnCount, layout.decimalMark, layout.dateOrder);
    return static_cast<int>(h);
}

// Integer columns named like an id, and row counters; a counter with a name of its own that
// comes before every other number column ("week", "day") stays a number, for X.
void MarkIdentifiers(CsvLayout& layout, const Table& table, int headerRows)
{
    bool numberBefore = false;
    for (std::size_t c = 0; c < layout.columns.size(); ++c) {
        CsvColumn& column = layout.columns[c];
        if (column.kind != ColumnKind::Number)
            continue;
        const std::vector<double> values = ColumnValues(table, headerRows, c, layout.decimalMark);
        const bool idName = IsIdName(column.name);
        const bool namedCounter = !numberBefore && !column.name.empty() && !idName;
        if (AllIntegers(values) && (idName || (IsCounter(values) && !namedCounter)))
            column.kind = ColumnKind::Identifier;
        else
            numberBefore = true;
    }
}

XKind XKindOf(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::Date: return XKind::Date;
    case ColumnKind::DateTime: return XKind::DateTime;
    case ColumnKind::Time: return XKind::Time;
    default: return XKind::Number;
    }
}

// The first date or time column (a time column right after a date joins it); else the
// first number column when it only grows or only falls and another number column remains.
void ChooseX(CsvLayout& layout, const Table& table, int headerRows)
{
    const int count = static_cast<int>(layout.columns.size());
    int firstNumber = -1, numbers = 0;
    for (int c = 0; c < count; ++c) {
        const ColumnKind kind = layout.columns[static_cast<std::size_t>(c)].kind;
        if (kind == ColumnKind::Number) {
            numbers += 1;
            if (firstNumber < 0)
                firstNumber = c;
        }
        if (layout.xColumn >= 0 || (kind != ColumnKind::Date && kind != ColumnKind::DateTime && kind != ColumnKind::Time))
            continue;
        layout.xColumn = c;
        layout.xKind = XKindOf(kind);
        if (kind == ColumnKind::Date && c + 1 < count && layout.columns[static_cast<std::size_t>(c + 1)].kind == ColumnKind::Time) {
            layout.timeColumn = c + 1;
            layout.xKind = XKind::DateTime;
        }
    }
    if (layout.xColumn < 0 && numbers > 1 &&
        IsMonotonic(ColumnValues(table, headerRows, static_cast<std::size_t>(firstNumber), layout.decimalMark))) {
        layout.xColumn = firstNumber;
        layout.xKind = XKind::Number;
    }
}

}  // namespace

CsvLayout DetectLayout(const CsvSample& sample, char storedSeparator)
{
    CsvLayout layout;
    layout.encoding = DetectEncoding(sample.text.data(), sample.text.size());
    const CsvDialect dialect = SniffDialect(sample.text, storedSeparator);
    layout.separator = dialect.separator;
    layout.quote = dialect.quote;
    layout.spanLines = dialect.spanLines;
    layout.fieldCount = dialect.fieldCount;
    const std::vector<SampleRecord> records =
        SplitSample(sample.text, layout.separator, layout.quote, layout.spanLines);
    layout.decimalMark = SniffDecimalMark(records, layout.separator);
    layout.dateOrder = SniffDateOrder(records);

    const Table table = TableOf(records, layout.fieldCount);
    if (table.rows.empty())
        return layout;
    layout.columns.resize(static_cast<std::size_t>(layout.fieldCount));
    std::vector<ColumnKind> kinds;
    const int headerRows = HeaderRows(table, layout.fieldCount, layout, kinds);
    for (std::size_t c = 0; c < kinds.size(); ++c)
        layout.columns[c].kind = kinds[c];
    NameColumns(layout, table, headerRows);
    const SampleRecord& first = *table.rows.front();
    layout.preambleLines = static_cast<int>(first.firstLine);
    layout.dataLine = first.firstLine;
    for (int h = 0; h < headerRows; ++h)
        layout.dataLine = table.rows[static_cast<std::size_t>(h)]->firstLine + table.rows[static_cast<std::size_t>(h)]->lines;
    layout.headerLines = static_cast<int>(layout.dataLine - first.firstLine);
    MarkIdentifiers(layout, table, headerRows);
    ChooseX(layout, table, headerRows);
    for (int c = 0; c < layout.fieldCount; ++c) {
        if (layout.columns[static_cast<std::size_t>(c)].kind == ColumnKind::Number && c != layout.xColumn)
            layout.series.push_back(c);
    }
    return layout;
}

namespace {

// The sample's lines take less of the file than this, unless NUL bytes end them early
// (a line ends at its first NUL): reading no more spares a large block's read.
constexpr std::uint64_t kSampleFileBytes = 2 * kSampleBytes;

// A line that reaches the limit may be cut by it: the sample is then read again without one.
CsvSample ReadFileStart(XLineReader& reader)
{
    reader.Rewind(0, kSampleFileBytes);
    CsvSample sample = ReadSample(reader);
    if (reader.LineEndOffset() >= kSampleFileBytes) {
        reader.Rewind(0);
        sample = ReadSample(reader);
    }
    return sample;
}

}  // namespace

CsvLayout ReadLayout(XLineReader& reader, char storedSeparator)
{
    CsvSample sample = ReadFileStart(reader);
    const TextEncoding encoding = DetectEncoding(sample.text.data(), sample.text.size());
    reader.Rewind(0);
    if (encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be) {
        reader.DecodeUtf16(encoding == TextEncoding::Utf16Be);
        sample = ReadSample(reader);
        reader.Rewind(0);
    }
    CsvLayout layout = DetectLayout(sample, storedSeparator);
    layout.encoding = encoding;
    return layout;
}
