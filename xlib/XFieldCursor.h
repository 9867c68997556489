// The one rule by which a text is cut into fields: at every byte equal to the separator,
// with no quoting and no trimming; a separator at the very end adds no field, and an empty
// text has none. "a,,c" gives a, (empty), c; ",a" gives (empty), a; "a," gives a.
#pragma once

#include <cstddef>

class FieldCursor {
public:
    FieldCursor(const char* text, std::size_t length, char separator)
        : next_(text), end_(text ? text + length : text), separator_(separator)
    {
    }

    // The next field as [begin, end); false when there is none.
    bool Next(const char*& begin, const char*& end)
    {
        if (next_ >= end_)
            return false;
        begin = next_;
        const char* cut = next_;
        while (cut < end_ && *cut != separator_)
            ++cut;   // fields are short: a plain loop beats a call
        if (cut == end_)
            cut = nullptr;
        if (cut) {
            end = cut;
            next_ = cut + 1;
        } else {
            end = end_;
            next_ = end_;
        }
        return true;
    }

private:
    const char* next_;
    const char* end_;
    char separator_;
};
