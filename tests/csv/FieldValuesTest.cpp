// Fields cut and read in one scan: the fields and values of XStringList::Split and ToDouble.
#include "csv/FieldValues.h"
#include "xlib/XString.h"
#include "xlib/XStringList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

TEST(FieldValues, SameFieldsAndValuesAsSplit)
{
    const char* texts[] = {"a,b,c", "a,,c", ",a", "a,", "a,b,,", ",", "abc", "", " 1.5e3 ,-2,, 7kg",
                           "1e999,-1e999,1e-400", "0x1F,inf,nan,.5,5.", "\"x,y\",z", "12,34", "1.2.3,4",
                           "-,+,-.5,+.5", "50.1234,100.0000,-0", "1e5;2E-3;4e;5e+"};
    for (char separator : {',', ';', '\t', '5', 'e', '.', ' ', '-'}) {
        for (const char* text : texts) {
            SCOPED_TRACE(std::string(text) + " cut at " + separator);
            XStringList fields;
            fields.Split(text, separator);
            FieldValues values(text, std::strlen(text), separator);
            std::vector<double> read;
            for (double v; values.Next(v);)
                read.push_back(v);
            ASSERT_EQ(static_cast<int>(read.size()), fields.Count());
            for (int i = 0; i < fields.Count(); ++i) {
                const double expected = fields.At(i)->ToDouble();
                EXPECT_EQ(std::memcmp(&read[i], &expected, sizeof expected), 0) << i;
            }
            FieldValues skipped(text, std::strlen(text), separator);
            int count = 0;
            while (skipped.Skip())
                ++count;
            EXPECT_EQ(count, fields.Count());
        }
    }
}

}  // namespace
