// A whole CSV cell read as a number, or as a mark of a missing value.
#include "csv/CellNumber.h"

#include "xlib/XNumberText.h"

#include <cstddef>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Copies the digits from p on into out, the group mark between threes dropped; p ends
// after them. False when the grouping is broken (1,23 or 1234,567).
bool CopyIntegerDigits(const char*& p, const char* end, char groupMark, char*& out, const char* outEnd)
{
    int run = 0;
    bool grouped = false;
    for (; p < end; ++p) {
        if (IsDigit(*p)) {
            if (out == outEnd)
                return false;
            *out++ = *p;
            ++run;
        } else if (*p == groupMark && p + 1 < end && IsDigit(p[1])) {
            if (run == 0 || run > 3 || (grouped && run != 3))
                return false;
            grouped = true;
            run = 0;
        } else {
            break;
        }
    }
    return !grouped || run == 3;
}

bool CopyDigits(const char*& p, const char* end, char*& out, const char* outEnd)
{
    const char* start = p;
    for (; p < end && IsDigit(*p); ++p) {
        if (out == outEnd)
            return false;
        *out++ = *p;
    }
    return p > start;
}

// The general form, rewritten into plain text for ParseLeadingNumber.
bool ParseWrittenNumber(const char* p, const char* end, char decimalMark, double& value)
{
    char text[128];
    char* out = text;
    const char* outEnd = text + sizeof text - 1;
    if (p < end && (*p == '-' || *p == '+'))
        *out++ = *p++;
    const char* digitsStart = out;
    if (!CopyIntegerDigits(p, end, decimalMark == '.' ? ',' : '.', out, outEnd))
        return false;
    bool any = out > digitsStart;
    if (p < end && *p == decimalMark) {
        ++p;
        *out++ = '.';
        any = CopyDigits(p, end, out, outEnd) || any;
    }
    if (!any)
        return false;
    if (p < end && (*p == 'e' || *p == 'E')) {
        *out++ = 'e';
        ++p;
        if (p < end && (*p == '-' || *p == '+'))
            *out++ = *p++;
        if (!CopyDigits(p, end, out, outEnd))
            return false;
    }
    if (p < end && *p == '%')
        ++p;
    if (p != end)
        return false;
    value = ParseLeadingNumber(text, out);
    return true;
}

}  // namespace

void TrimCell(const char*& begin, const char*& end)
{
    while (begin < end && (*begin == ' ' || *begin == '\t'))
        ++begin;
    while (end > begin && (end[-1] == ' ' || end[-1] == '\t'))
        --end;
}

bool ParseCellNumber(const char* begin, const char* end, char decimalMark, double& value)
{
    if (decimalMark == '.') {
        const char* p = begin;
        if (ParsePlainNumber(p, end, value) && p == end)
            return true;   // the usual cell, read in one go
    }
    TrimCell(begin, end);
    return begin < end && ParseWrittenNumber(begin, end, decimalMark, value);
}

namespace {

// True when the trimmed cell is one of the marks, in any letter case.
bool IsOneOf(const char* begin, const char* end, const char* const* marks, std::size_t count)
{
    TrimCell(begin, end);
    const std::size_t length = static_cast<std::size_t>(end - begin);
    for (std::size_t m = 0; m < count; ++m) {
        const char* mark = marks[m];
        std::size_t i = 0;
        while (mark[i] && i < length && Lower(begin[i]) == mark[i])
            ++i;
        if (!mark[i] && i == length)
            return true;
    }
    return false;
}

}  // namespace

bool IsMissingCell(const char* begin, const char* end)
{
    static const char* const kMarks[] = {"", "na", "n/a", "nan", "null", "none", "-", "--", "?", ".", "#n/a", "nil",
                                         "missing", "n.a.", "#value!", "#div/0!", "-nan", "<na>"};
    return IsOneOf(begin, end, kMarks, sizeof kMarks / sizeof kMarks[0]);
}

bool IsTotalsCell(const char* begin, const char* end)
{
    static const char* const kLabels[] = {"total", "totals", "grand total", "subtotal", "sub-total", "sum",
                                          "average", "mean", "total:", "totals:", "grand total:", "sum:"};
    return IsOneOf(begin, end, kLabels, sizeof kLabels / sizeof kLabels[0]);
}
