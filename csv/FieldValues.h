// The fields of one CSV line read as numbers, cut and converted in one scan: the number at
// a field's start is read first, and the cut is looked for from where it ends. The same
// fields and values as FieldCursor and ParseFieldNumber give; where the separator could be
// part of a number (a digit, a sign, a point, an exponent letter, white space) the number
// is read once the field is cut.
#pragma once

#include "xlib/XFieldCursor.h"
#include "xlib/XNumberText.h"

#include <cstddef>

class FieldValues {
public:
    FieldValues(const char* text, std::size_t length, char separator)
        : fields_(text, length, separator), end_(text ? text + length : text), fused_(CanFuse(separator))
    {
    }

    // The next field's number; false when there is no field left. The usual field, a plain
    // number, is read inline in the caller's loop; the others out of it.
    [[gnu::always_inline]] bool Next(double& value)
    {
        if (fused_ && !fields_.AtEnd()) {
            const char* stop = fields_.Peek();
            const char* begin;
            const char* end;
            if (ParsePlainNumber(stop, end_, value))
                return fields_.Next(begin, end, stop);
        }
        return NextCut(value);
    }

    // Passes a field by without reading it; false when there is none.
    bool Skip()
    {
        const char* begin;
        const char* end;
        return fields_.Next(begin, end);
    }

private:
    // The field cut first, then read.
    [[gnu::noinline]] bool NextCut(double& value)
    {
        const char* begin;
        const char* end;
        if (!fields_.Next(begin, end))
            return false;
        value = ParseFieldNumber(begin, end);
        return true;
    }

    static bool CanFuse(char c)
    {
        return !((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E' || c == ' ' ||
                 (c >= '\t' && c <= '\r') || c == '\0');
    }

    FieldCursor fields_;
    const char* end_;
    const bool fused_;
};
