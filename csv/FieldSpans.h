// The fields of one CSV line as spans of the line's text, cut by the same rules as
// XStringList::Split but without a string per field.
#pragma once

#include <vector>

struct FieldSpan {
    const char* begin;
    const char* end;   // excluded
};

// Replaces the spans by the fields of the text: cut at every separator byte, a trailing
// separator adds no field, an empty text has none.
void SplitIntoSpans(const char* text, int length, char separator, std::vector<FieldSpan>& spans);

// The number at the start of the field, as XString::ToDouble reads it.
double SpanValue(const FieldSpan& span);
