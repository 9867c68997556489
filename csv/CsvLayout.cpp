// What detection found a CSV file to hold.
#include "csv/CsvLayout.h"

std::string CsvLayout::SeriesName(int seriesIndex) const
{
    const int column = series[static_cast<std::size_t>(seriesIndex)];
    const std::string& name = columns[static_cast<std::size_t>(column)].name;
    return name.empty() ? "column " + std::to_string(column + 1) : name;
}

const char* CsvLayout::XKindName() const
{
    switch (xKind) {
    case XKind::Number: return "number";
    case XKind::Date: return "date";
    case XKind::DateTime: return "datetime";
    case XKind::Time: return "time";
    case XKind::Index: break;
    }
    return "index";
}
