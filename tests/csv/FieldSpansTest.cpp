// Field spans cut and read exactly as XStringList::Split and XString::ToDouble do.
#include "csv/FieldSpans.h"

#include "xlib/XString.h"
#include "xlib/XStringList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(FieldSpans, SameFieldsAndValuesAsSplit)
{
    const char* texts[] = {"a,b,c", "a,,c", ",a", "a,", "a,b,,", ",", "abc", "", " 1.5e3 ,-2,, 7kg",
                           "1e999,-1e999,1e-400", "0x1F,inf,nan,.5,5.", "\"x,y\",z", "12,34"};
    for (char separator : {',', ';', '5', 'e', '.'}) {
        for (const char* text : texts) {
            SCOPED_TRACE(std::string(text) + " cut at " + separator);
            XStringList fields;
            fields.Split(text, separator);
            std::vector<FieldSpan> spans;
            SplitIntoSpans(text, static_cast<int>(std::strlen(text)), separator, spans);
            ASSERT_EQ(static_cast<int>(spans.size()), fields.Count());
            for (int i = 0; i < fields.Count(); ++i) {
                EXPECT_EQ(std::string(spans[i].begin, spans[i].end), fields.At(i)->Text());
                double fromSpan = SpanValue(spans[i]);
                double fromString = fields.At(i)->ToDouble();
                EXPECT_EQ(std::memcmp(&fromSpan, &fromString, sizeof fromSpan), 0) << i;
            }
        }
    }
}

}  // namespace
