// The points of a CSV file as its detected layout says: one walk beside ColumnPoints and
// RowPoints (csv/CsvPoints.h), with the same sinks and one more call for a missing value:
//   void Gap(int series, double x)   the series' line breaks here
// A record is data when its X reads (a row number always does) and it has the table's
// field count or a number in a series column; other records (notes, totals, blank lines)
// are passed over and take no row number. A record whose label (the first text column)
// says it sums up the rows above it, such as "Total", is passed over too when no data
// record follows it: it is held until one does.
#pragma once

#include "csv/CellNumber.h"
#include "csv/CsvLayout.h"
#include "csv/CsvPoints.h"
#include "csv/QuotedFields.h"
#include "csv/RecordJoiner.h"
#include "xlib/XOwnLines.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

template <typename Sink>
class LayoutPoints {
public:
    LayoutPoints(const CsvLayout& layout, Sink& sink, const WalkStart& start)
        : layout_(layout), sink_(sink), joiner_(layout.separator, layout.quote, layout.spanLines),
          dataIndex_(start.dataIndex), firstIndex_(start.dataIndex), toFileEnd_(start.toFileEnd),
          values_(layout.series.size()),
          plainNumbers_(layout.decimalMark == '.' && QuotedFields::CanCutAfterNumber(layout.separator))
    {
        for (std::size_t k = 0; k < values_.size(); ++k)
            sink_.NewSeries(static_cast<int>(k));
        int last = layout.xColumn > layout.timeColumn ? layout.xColumn : layout.timeColumn;
        if (!layout.series.empty() && layout.series.back() > last)
            last = layout.series.back();
        roles_.assign(static_cast<std::size_t>(last + 1), Role::None);
        if (layout.xColumn >= 0)
            roles_[static_cast<std::size_t>(layout.xColumn)] = Role::X;
        if (layout.timeColumn >= 0)
            roles_[static_cast<std::size_t>(layout.timeColumn)] = Role::TimeOfDay;
        for (int column : layout.series)
            roles_[static_cast<std::size_t>(column)] = Role::Series;
        MarkLabelColumn();
        direct_ = plainNumbers_ && layout.xColumn < 0 && layout.timeColumn < 0 && !values_.empty();
        for (Role role : roles_)
            direct_ = direct_ && role != Role::Label;
    }

    void AddLine(const char* text, std::size_t length)
    {
        joiner_.Take(text, length, [this](const char* record, std::size_t size, int) { AddRecord(record, size); });
    }

    void Finish()
    {
        joiner_.Finish([this](const char* record, std::size_t size, int) { AddRecord(record, size); });
        if (!heldTotals_)
            return;
        if (toFileEnd_)
            ++trailing_;   // the table's totals: a note under it
        else
            EmitHeldTotals();   // the file goes on past this walk
    }

    long long DataRows() const { return dataIndex_ - firstIndex_; }
    // Records passed over since the last data row: the notes under the table.
    long long TrailingRecords() const { return trailing_; }

private:
    // Each half of a file read at once writes its own at every record.
    using Values = std::vector<double, XOwnLinesAllocator<double>>;

    void AddRecord(const char* text, std::size_t length)
    {
        if (direct_ && AddNumberedRecord(text, length))
            return;
        QuotedFields fields(text, length, layout_.separator, layout_.quote);
        double x = 0;
        double timeOfDay = 0;
        bool xRead = layout_.xColumn < 0;
        bool anyNumber = false;
        bool totals = false;
        std::size_t next = 0;   // the next series' index
        int count = 0;
        CellText cell;
        for (Role role : roles_) {
            if (role == Role::Series && plainNumbers_ && fields.NextPlainNumber(values_[next])) {
                ++next;
                ++count;
                anyNumber = true;
                continue;
            }
            if (!fields.Next(cell))
                break;
            ++count;
            if (role == Role::X) {
                xRead = ReadX(cell, x);
            } else if (role == Role::TimeOfDay) {
                ReadTimeOfDay(cell, timeOfDay);
            } else if (role == Role::Label) {
                totals = IsTotalsCell(cell.begin, cell.end);
            } else if (role == Role::Series) {
                double& value = values_[next++];
                if (!ParseCellNumber(cell.begin, cell.end, layout_.decimalMark, value))
                    value = kGap;
                anyNumber = anyNumber || value == value;
            }
        }
        for (; next < values_.size(); ++next)
            values_[next] = kGap;
        while (count < layout_.fieldCount && fields.Skip())
            ++count;
        if (!xRead || !(anyNumber || (count >= layout_.fieldCount && layout_.fieldCount > 1))) {
            ++trailing_;
            return;
        }
        trailing_ = 0;
        if (heldTotals_)
            EmitHeldTotals();
        if (layout_.xColumn < 0)
            x = static_cast<double>(dataIndex_);
        x += timeOfDay;
        if (totals) {
            heldTotals_ = true;
            heldX_ = x;
            heldValues_ = values_;
            return;
        }
        Emit(x, values_);
    }

    // The usual record of a table numbered by its rows, without labels: one whose first
    // series field is a plain number is a data row, so its points go out as they are read.
    // False, with nothing done, for any other record.
    bool AddNumberedRecord(const char* text, std::size_t length)
    {
        QuotedFields fields(text, length, layout_.separator, layout_.quote);
        std::size_t role = 0;
        for (; roles_[role] != Role::Series; ++role) {
            if (!fields.Skip())
                return false;
        }
        double y;
        if (!fields.NextPlainNumber(y))
            return false;
        trailing_ = 0;
        const double x = static_cast<double>(dataIndex_);
        EmitValue(0, x, y);
        std::size_t next = 1;
        CellText cell;
        for (++role; role < roles_.size(); ++role) {
            if (roles_[role] != Role::Series) {
                if (!fields.Skip())
                    break;
                continue;
            }
            if (!fields.NextPlainNumber(y)) {
                if (!fields.Next(cell))
                    break;
                if (!ParseCellNumber(cell.begin, cell.end, layout_.decimalMark, y))
                    y = kGap;
            }
            EmitValue(next++, x, y);
        }
        for (; next < values_.size(); ++next)
            EmitValue(next, x, kGap);
        ++dataIndex_;
        return true;
    }

    void EmitValue(std::size_t k, double x, double y)
    {
        const int series = static_cast<int>(k);
        if (!sink_.Wants(series))
            return;
        if (y != y)
            sink_.Gap(series, x);
        else if (IsPoint(x, y))
            sink_.Point(series, x, y, false);
    }

    // The record's points, the row number counted.
    void Emit(double x, const Values& values)
    {
        for (std::size_t k = 0; k < values.size(); ++k)
            EmitValue(k, x, values[k]);
        ++dataIndex_;
    }

    void EmitHeldTotals()
    {
        heldTotals_ = false;
        Emit(heldX_, heldValues_);
    }

    // The first text column labels the rows; read only when it may say "Total".
    void MarkLabelColumn()
    {
        for (std::size_t c = 0; c < layout_.columns.size(); ++c) {
            if (layout_.columns[c].kind != ColumnKind::Text)
                continue;
            if (c >= roles_.size())
                roles_.resize(c + 1, Role::None);
            roles_[c] = Role::Label;
            return;
        }
    }

    bool ReadX(const CellText& cell, double& x) const
    {
        if (layout_.xKind == XKind::Number)
            return ParseCellNumber(cell.begin, cell.end, layout_.decimalMark, x) && std::isfinite(x);
        const CellTimeKind kind = ParseCellTime(cell.begin, cell.end, layout_.dateOrder, x);
        return layout_.xKind == XKind::Time ? kind == CellTimeKind::TimeOfDay
                                            : kind == CellTimeKind::Date || kind == CellTimeKind::DateTime;
    }

    void ReadTimeOfDay(const CellText& cell, double& seconds) const
    {
        if (ParseCellTime(cell.begin, cell.end, layout_.dateOrder, seconds) != CellTimeKind::TimeOfDay)
            seconds = 0;   // a date without its time: its midnight
    }

    static constexpr double kGap = std::numeric_limits<double>::quiet_NaN();

    // What a column up to the last one read gives the record.
    enum class Role : unsigned char { None, X, TimeOfDay, Series, Label };

    const CsvLayout& layout_;
    Sink& sink_;
    RecordJoiner joiner_;
    long long dataIndex_;
    const long long firstIndex_;
    const bool toFileEnd_;
    long long trailing_ = 0;
    Values values_;   // the record's series values, a gap as NaN
    bool heldTotals_ = false;      // a totals record, until a data record follows it
    double heldX_ = 0;
    Values heldValues_;
    const bool plainNumbers_;
    std::vector<Role> roles_;
    bool direct_ = false;   // AddNumberedRecord reads the usual record
};

// Feeds the reader's lines from the layout's first data line (at the file's start) to the
// walk; the number of data rows.
template <typename Reader, typename Sink>
long long WalkLayoutPoints(Reader& reader, const CsvLayout& layout, Sink& sink, const WalkStart& start = WalkStart(),
                           long long* trailingRecords = nullptr)
{
    LayoutPoints<Sink> walk(layout, sink, start);
    const long long firstLine = start.fileStart ? layout.dataLine : 0;
    const char* text = nullptr;
    std::size_t length = 0;
    for (long long line = 0; reader.Next(text, length); ++line) {
        if (line >= firstLine)
            walk.AddLine(text, length);
    }
    walk.Finish();
    if (trailingRecords)
        *trailingRecords = walk.TrailingRecords();
    return walk.DataRows();
}

// The walk for the options: the detected layout's when there is one, else the settings'.
template <typename Reader, typename Sink>
long long WalkFilePoints(Reader& reader, const CsvOptions& options, const CsvLayout* layout, Sink& sink,
                         const WalkStart& start = WalkStart())
{
    if (layout)
        return WalkLayoutPoints(reader, *layout, sink, start);
    return WalkPoints(reader, options, sink, start);
}
