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

    // Where the next field begins; meaningful while AtEnd() is false.
    const char* Peek() const { return next_; }
    bool AtEnd() const { return next_ >= end_; }

    // The next field as [begin, end); false when there is none. The separator is looked
    // for from `scanFrom` on when it is given: a caller that has read the field's start
    // knows the separator is not there.
    bool Next(const char*& begin, const char*& end, const char* scanFrom = nullptr)
    {
        if (AtEnd())
            return false;
        begin = next_;
        const char* cut = scanFrom ? scanFrom : next_;
        while (cut < end_ && *cut != separator_)
            ++cut;   // fields are short: a plain loop beats a call
        end = cut;
        next_ = cut < end_ ? cut + 1 : end_;
        return true;
    }

private:
    const char* next_;
    const char* end_;
    char separator_;
};
