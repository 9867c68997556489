// The fields of one CSV record with quoting: a field that begins with the quote runs to the
// matching quote ("" inside it stands for one quote) and on to the next separator; a quote
// that never closes ends at the record's end. A quote inside a field is an ordinary byte.
// Every separator starts a field: "a," holds a and an empty field; an empty record none.
#pragma once

#include "xlib/XByteSearch.h"
#include "xlib/XNumberText.h"

#include <cstddef>

struct CellText {
    const char* begin = nullptr;   // between the quotes for a quoted field
    const char* end = nullptr;
    bool quoted = false;
    bool escaped = false;    // holds "" pairs: the text is not the value as it stands
    bool unclosed = false;   // its quote never closed
};

class QuotedFields {
public:
    // A quote of 0: no quoting.
    QuotedFields(const char* text, std::size_t length, char separator, char quote)
        : next_(text), end_(text + length), separator_(separator), quote_(quote), done_(length == 0)
    {
    }

    bool Next(CellText& cell)
    {
        if (done_)
            return false;
        cell.quoted = quote_ && next_ < end_ && *next_ == quote_;
        cell.escaped = false;
        cell.unclosed = false;
        if (cell.quoted)
            return NextQuoted(cell);
        const char* cut = next_;
        while (cut < end_ && *cut != separator_)
            ++cut;   // fields are short: a plain loop beats a call
        cell.begin = next_;
        cell.end = cut;
        Advance(cut);
        return true;
    }

    // The next field when it is, whole and unquoted, a number ParsePlainNumber reads (the
    // usual cell, read and cut in one scan); otherwise false, and the field is still next.
    // Only for separators that cannot be part of such a number (CanCutAfterNumber). Inline
    // in the caller's loop, as the usual cell.
    [[gnu::always_inline]] bool NextPlainNumber(double& value)
    {
        if (done_ || (quote_ && next_ < end_ && *next_ == quote_))
            return false;
        const char* stop = next_;
        if (!ParsePlainNumber(stop, end_, value) || (stop < end_ && *stop != separator_))
            return false;
        Advance(stop);
        return true;
    }

    static bool CanCutAfterNumber(char separator)
    {
        return !((separator >= '0' && separator <= '9') || separator == '+' || separator == '-' || separator == '.' ||
                 separator == 'e' || separator == 'E' || separator == '\0');
    }

    bool Skip()
    {
        CellText cell;
        return Next(cell);
    }

private:
    bool NextQuoted(CellText& cell)
    {
        cell.begin = next_ + 1;
        const char* q = cell.begin;
        for (;;) {
            q = FindByte(q, end_, quote_);
            if (!q) {
                cell.end = end_;
                cell.unclosed = true;
                done_ = true;
                return true;
            }
            if (q + 1 < end_ && q[1] == quote_) {
                cell.escaped = true;
                q += 2;
                continue;
            }
            break;
        }
        cell.end = q;
        // Whatever stands between the closing quote and the separator is not kept.
        const char* cut = q + 1;
        while (cut < end_ && *cut != separator_)
            ++cut;
        Advance(cut);
        return true;
    }

    void Advance(const char* cut)
    {
        if (cut < end_)
            next_ = cut + 1;
        else
            done_ = true;
    }

    const char* next_;
    const char* end_;
    char separator_;
    char quote_;
    bool done_;
};

// True when the record's last field opened a quote that did not close in it.
inline bool EndsInsideQuote(const char* text, std::size_t length, char separator, char quote)
{
    if (!quote || !FindByte(text, text + length, quote))
        return false;
    QuotedFields fields(text, length, separator, quote);
    CellText cell;
    bool open = false;
    while (fields.Next(cell))
        open = cell.unclosed;
    return open;
}
