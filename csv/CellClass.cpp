// What one cell of a sample holds, and the kinds of a table's columns.
#include "csv/CellClass.h"

#include "csv/CellNumber.h"

namespace {

bool FitsKind(CellClass cell, ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::Number:
    case ColumnKind::Identifier: return cell == CellClass::Number;
    case ColumnKind::Date:
    case ColumnKind::DateTime: return cell == CellClass::Date || cell == CellClass::DateTime;
    case ColumnKind::Time: return cell == CellClass::Time;
    case ColumnKind::Text: break;
    }
    return true;
}

struct Tally {
    int filled = 0;
    int numbers = 0;
    int dates = 0;
    int dateTimes = 0;
    int times = 0;
};

ColumnKind KindOf(const Tally& t)
{
    auto most = [&](int count) { return t.filled > 0 && count * 3 >= t.filled * 2; };
    if (most(t.numbers))
        return ColumnKind::Number;
    if (most(t.dates + t.dateTimes))
        return t.dateTimes > 0 ? ColumnKind::DateTime : ColumnKind::Date;
    if (most(t.times))
        return ColumnKind::Time;
    return ColumnKind::Text;
}

}  // namespace

CellClass ClassifyCell(const std::string& text, char decimalMark, DateOrder order)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    double value;
    if (ParseCellNumber(begin, end, decimalMark, value))
        return CellClass::Number;
    if (IsMissingCell(begin, end))
        return CellClass::Missing;
    switch (ParseCellTime(begin, end, order, value)) {
    case CellTimeKind::Date: return CellClass::Date;
    case CellTimeKind::DateTime: return CellClass::DateTime;
    case CellTimeKind::TimeOfDay: return CellClass::Time;
    case CellTimeKind::None: break;
    }
    return CellClass::Text;
}

std::vector<ColumnKind> ColumnKindsOf(const std::vector<const SampleRecord*>& rows, int columnCount, char decimalMark,
                                      DateOrder order)
{
    std::vector<Tally> tallies(static_cast<std::size_t>(columnCount));
    for (const SampleRecord* row : rows) {
        const std::size_t cells = row->cells.size() < tallies.size() ? row->cells.size() : tallies.size();
        for (std::size_t c = 0; c < cells; ++c) {
            Tally& t = tallies[c];
            const CellClass cell = ClassifyCell(row->cells[c].text, decimalMark, order);
            t.filled += cell != CellClass::Missing;
            t.numbers += cell == CellClass::Number;
            t.dates += cell == CellClass::Date;
            t.dateTimes += cell == CellClass::DateTime;
            t.times += cell == CellClass::Time;
        }
    }
    std::vector<ColumnKind> kinds;
    for (const Tally& t : tallies)
        kinds.push_back(KindOf(t));
    return kinds;
}

bool IsHeaderRow(const SampleRecord& row, const std::vector<ColumnKind>& kinds, char decimalMark, DateOrder order)
{
    bool named = false;
    for (std::size_t c = 0; c < row.cells.size() && c < kinds.size(); ++c) {
        if (kinds[c] == ColumnKind::Text)
            continue;
        const CellClass cell = ClassifyCell(row.cells[c].text, decimalMark, order);
        if (cell != CellClass::Missing && FitsKind(cell, kinds[c]))
            return false;
        named = named || cell == CellClass::Text;
    }
    return named;
}
