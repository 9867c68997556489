// The fields of one CSV line read as numbers, cut and converted in one scan: the number at
// a field's start is read first, and the cut is looked for from where it ends. The same
// fields and values as FieldCursor and ParseFieldNumber give; where the separator could be
// part of a number (a digit, a sign, a point, an exponent letter, white space) they are
// what this uses.
#pragma once

#include "xlib/XFieldCursor.h"
#include "xlib/XNumberText.h"

#include <cstddef>

class FieldValues {
public:
    FieldValues(const char* text, std::size_t length, char separator)
        : next_(text), end_(text ? text + length : text), separator_(separator), fused_(CanFuse(separator)),
          cursor_(text, length, separator)
    {
    }

    // The next field's number; false when there is no field left.
    bool Next(double& value)
    {
        if (!fused_) {
            const char* begin;
            const char* end;
            if (!cursor_.Next(begin, end))
                return false;
            value = ParseFieldNumber(begin, end);
            return true;
        }
        if (next_ >= end_)
            return false;
        const char* p = next_;
        if (!ParsePlainNumber(p, end_, value)) {
            const char* fieldEnd = Cut(p);
            value = ParseLeadingNumber(next_, fieldEnd);
            p = fieldEnd;
        }
        next_ = Cut(p) + 1;
        return true;
    }

    // Passes a field by without reading it; false when there is none.
    bool Skip()
    {
        if (!fused_) {
            const char* begin;
            const char* end;
            return cursor_.Next(begin, end);
        }
        if (next_ >= end_)
            return false;
        next_ = Cut(next_) + 1;
        return true;
    }

private:
    static bool CanFuse(char c)
    {
        return !((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E' || c == ' ' ||
                 (c >= '\t' && c <= '\r') || c == '\0');
    }

    // The separator at or after p, or the line's end.
    const char* Cut(const char* p) const
    {
        while (p < end_ && *p != separator_)
            ++p;
        return p;
    }

    const char* next_;
    const char* end_;
    const char separator_;
    const bool fused_;
    FieldCursor cursor_;
};
