// The fields of one CSV line as spans of the line's text.
#include "csv/FieldSpans.h"

#include "xlib/XNumberText.h"

void SplitIntoSpans(const char* text, int length, char separator, std::vector<FieldSpan>& spans)
{
    spans.clear();
    if (!text || length <= 0)
        return;
    const char* fieldStart = text;
    const char* end = text + length;
    for (const char* p = text; p < end; ++p) {
        if (*p == separator) {
            spans.push_back(FieldSpan{fieldStart, p});
            fieldStart = p + 1;
        }
    }
    if (fieldStart < end)
        spans.push_back(FieldSpan{fieldStart, end});
}

double SpanValue(const FieldSpan& span)
{
    return ParseLeadingNumber(span.begin, span.end);
}
