// XStringList: the fields of a line, and the lines of a file.
#include "xlib/XStringList.h"

#include "tests/support/TestFiles.h"
#include "xlib/XString.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Entries(const XStringList& list)
{
    std::vector<std::string> entries;
    for (int i = 0; i < list.Count(); ++i)
        entries.push_back(list.At(i)->Text());
    return entries;
}

using Fields = std::vector<std::string>;

struct SplitCase {
    const char* text;
    char separator;
    Fields fields;
};

TEST(XStringListSplit, CutsAtEverySeparatorWithoutQuotingOrTrimming)
{
    const SplitCase cases[] = {
        {"a,b,c", ',', {"a", "b", "c"}},
        {"a,,c", ',', {"a", "", "c"}},
        {",a", ',', {"", "a"}},
        {"a,", ',', {"a"}},
        {"a,b,,", ',', {"a", "b", ""}},
        {",", ',', {""}},
        {"abc", ',', {"abc"}},
        {"\"x,y\",z", ',', {"\"x", "y\"", "z"}},
        {" 1 , 2", ',', {" 1 ", " 2"}},
        {"1;2,5;3", ';', {"1", "2,5", "3"}},
        {"a\tb", '\t', {"a", "b"}},
        {"1\xA7" "2\xA7" "3", '\xA7', {"1", "2", "3"}},   // above ASCII: a plain byte
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.text);
        XStringList list;
        list.Split(c.text, c.separator);
        EXPECT_EQ(Entries(list), c.fields);
    }
}

TEST(XStringListSplit, EmptyOrNullTextEmptiesTheList)
{
    XStringList list;
    list.Split("a,b", ',');
    list.Split("", ',');
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.items, nullptr);
    list.Split("a,b", ',');
    list.Split(nullptr, ',');
    EXPECT_EQ(list.Count(), 0);
}

TEST(XStringList, AddCopiesAndCountsFromZero)
{
    XStringList list;
    XString text("one");
    EXPECT_EQ(list.Add(text), 0);
    EXPECT_EQ(list.Add(XString("two")), 1);
    EXPECT_EQ(list.Add(XString("three")), 2);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_NE(list.At(0), &text);
    text.SetText("changed");
    EXPECT_STREQ(list.At(0)->Text(), "one");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    list.Clear();
    EXPECT_EQ(list.items, nullptr);
}

// The lines themselves are XLineReader's; here only what the list makes of a reading.
TEST(XStringListReadFile, ReplacesTheLinesOrKeepsThemWhenUnopenable)
{
    TempFile file("1,2\r\n3\n");
    XStringList list;
    list.Split("stale", ',');
    EXPECT_EQ(list.ReadFile(file.Path().c_str()), 1);
    EXPECT_EQ(Entries(list), (Fields{"1,2", "3"}));
    EXPECT_EQ(list.ReadFile(UniqueTempPath(".csv").c_str()), 0);
    EXPECT_EQ(list.ReadFile(nullptr), 0);
    EXPECT_EQ(Entries(list), (Fields{"1,2", "3"}));
}

// A regular file whose every read fails (XDiskFileTest): the reading ends with 0, nothing read.
TEST(XStringListReadFile, ReadErrorEndsTheReadingWithZero)
{
    XStringList list;
    list.Split("stale", ',');
    EXPECT_EQ(list.ReadFile("Z:\\proc\\self\\mem"), 0);
    EXPECT_EQ(list.Count(), 0);
}

}  // namespace
