// XString: storage, number formatting, searches and path splitting.
#include "xlib/XString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

namespace {

TEST(XString, OnlyANullTextGivesTheNullState)
{
    XString empty;
    EXPECT_STREQ(empty.Text(), "");   // not null
    EXPECT_EQ(empty.Length(), 0);
    EXPECT_EQ(empty.length, 0);

    XString fromNull(nullptr);
    EXPECT_EQ(fromNull.Text(), nullptr);
    EXPECT_EQ(fromNull.Length(), 0);
    XString s("abc");
    s.SetText(nullptr);
    EXPECT_EQ(s.Text(), nullptr);
    EXPECT_EQ(s.length, 0);
    s.SetText(nullptr);
    EXPECT_EQ(s.Text(), nullptr);
    s.SetText("back");
    EXPECT_STREQ(s.Text(), "back");
}

TEST(XString, OwnTextAndOwnSubstringStayIntact)
{
    XString s("self");
    s.Assign(s);
    EXPECT_STREQ(s.Text(), "self");
    s.SetText(s.buffer + 2);
    EXPECT_STREQ(s.Text(), "lf");
    EXPECT_EQ(s.length, 2);

    XString t("0123456789");
    t.SetSubstring(t.buffer, 3, 4);
    EXPECT_STREQ(t.Text(), "3456");
    EXPECT_EQ(t.length, 4);
}

TEST(XString, SubstringEndsAtEmbeddedNul)
{
    const char source[] = {'a', 'b', '\0', 'c', 'd'};
    XString s;
    s.SetSubstring(source, 0, 5);
    EXPECT_STREQ(s.Text(), "ab");
    EXPECT_EQ(s.length, 2);
}

TEST(XString, CopiesDoNotShareBlocks)
{
    XString a("text");
    XString b("a longer text");
    b.Assign(a);
    EXPECT_EQ(b.length, 4);
    EXPECT_NE(a.buffer, b.buffer);
    a.MakeUpper();
    EXPECT_STREQ(b.Text(), "text");
}

struct DoubleCase {
    double value;
    int decimals;
    int trimZeros;
    const char* text;
};

TEST(XStringSetDouble, FormatsSixDecimalsThenCutsAndTrims)
{
    const double inf = std::numeric_limits<double>::infinity();
    const DoubleCase cases[] = {
        {2.5, 2, 1, "2.5"},
        {3.0, 0, 1, "3"},
        {100.0, 0, 1, "100"},
        {1.23456789, 2, 0, "1.23"},
        {0.96, 1, 1, "0.9"},          // cut, not rounded
        {0.9999999, 2, 1, "1"},       // the six-digit rounding already gives 1.000000
        {-0.0000001, 3, 1, "-0"},
        {0.5, 0, 0, "0.500000"},
        {25.0, 0, 1, "25"},
        {12.5, 0, 1, "12.5"},
        {0.1, 0, 1, "0.1"},
        {-2.25, 0, 1, "-2.25"},
        {0.0000001, 0, 1, "0"},
        {12.57, 1, 1, "12.5"},
        {12.5999999, 0, 1, "12.6"},
        {1000.0, 0, 1, "1000"},       // zeros before the point stay
        {7.0, 6, 0, "7.000000"},
        {7.123456, 9, 1, "7.123456"},
        {-1234567.0, 0, 1, "-1234567"},
        {1e20, 0, 1, "100000000000000000000"},
        // Beyond the 256-byte work buffer: the short exponent form.
        {1e300, 0, 1, "1e+300"},
        {-1e300, 2, 1, "-1e+300"},
        {std::numeric_limits<double>::max(), 0, 1, "1.79769e+308"},
        {inf, 0, 1, "inf"},
        {-inf, 0, 1, "-inf"},
        {std::numeric_limits<double>::quiet_NaN(), 0, 1, "nan"},
        {-1e248, 0, 1, "-1e+248"},
    };
    for (const DoubleCase& c : cases) {
        SCOPED_TRACE(c.text);
        XString s;
        s.SetDouble(c.value, c.decimals, c.trimZeros);
        EXPECT_STREQ(s.Text(), c.text);
        EXPECT_EQ(s.length, static_cast<int>(std::strlen(c.text)));
    }
}

TEST(XStringSetDouble, LargestFixedPointTextFits)
{
    // 5e247 still fits the 256-byte work buffer in fixed point: 248 digits and ".000000".
    XString s;
    s.SetDouble(5e247, 0, 0);
    EXPECT_EQ(s.length, 248 + 7);
    EXPECT_EQ(s.Find('e'), -1);
}

TEST(XStringSetInt, WritesPlainDecimal)
{
    const std::pair<int, const char*> cases[] = {
        {0, "0"}, {-42, "-42"}, {2147483647, "2147483647"}, {-2147483647 - 1, "-2147483648"}, {800, "800"}};
    for (const auto& c : cases) {
        XString s;
        s.SetInt(c.first);
        EXPECT_STREQ(s.Text(), c.second);
    }
}

TEST(XStringSetPrinted, KeepsPercentSignsAndLongTexts)
{
    XString s;
    s.SetPrinted("100% %s %d");
    EXPECT_STREQ(s.Text(), "100% %s %d");
    std::string longText(3000, 'x');
    s.SetPrinted(longText.c_str());
    EXPECT_EQ(s.length, 3000);
}

TEST(XStringSearch, FindAndFindFrom)
{
    XString s("a.b.c");
    EXPECT_EQ(s.Find('.'), 1);
    EXPECT_EQ(s.Find('x'), -1);
    EXPECT_EQ(s.FindFrom(2, '.'), 3);
    EXPECT_EQ(s.FindFrom(4, '.'), -1);
    EXPECT_EQ(s.FindFrom(s.Length(), 'c'), -1);
    EXPECT_EQ(s.FindFrom(-1, 'a'), -1);
    EXPECT_EQ(XString("").Find('.'), -1);
}

TEST(XString, EqualsIsExactAndCaseSensitive)
{
    EXPECT_EQ(XString(".CSV").Equals(".CSV"), 1);
    EXPECT_EQ(XString(".csv").Equals(".CSV"), 0);
    EXPECT_EQ(XString(".CSV ").Equals(".CSV"), 0);
}

TEST(XString, MakeUpperChangesOnlyAsciiLetters)
{
    XString s("x.csv \xE4\xF6\xFC 1_z");
    s.MakeUpper();
    EXPECT_STREQ(s.Text(), "X.CSV \xE4\xF6\xFC 1_Z");
}

// 0x95 0x5C is one Shift-JIS (932) character, and 0x81 0x5C one GBK (936) character: their
// second byte is no backslash there. In a single-byte code page (1252) it is one.
TEST(XStringPaths, FileNameAfterTheLastSeparatorExtensionFromItsLastDot)
{
    struct PathCase {
        unsigned codePage;   // CP_ACP (0): the process's ANSI code page
        const char* path;
        const char* fileName;
        const char* extension;
    };
    const PathCase cases[] = {
        {0, "D:\\data\\x.csv", "x.csv", ".csv"},
        {0, "D:\\data\\", "", ""},
        {0, "x.csv", "x.csv", ".csv"},
        {0, "", "", ""},
        {0, "D:\\data\\README", "README", ""},
        {0, "D:\\my.data\\x.csv", "x.csv", ".csv"},
        {0, "C:\\Users\\j.doe\\README", "README", ""},
        {0, "x.2009.csv", "x.2009.csv", ".csv"},
        {0, "data.csv.bak", "data.csv.bak", ".bak"},
        {0, "C:\\dir.csv\\notes", "notes", ""},
        {0, "C:/data/x.csv", "x.csv", ".csv"},
        {0, "C:\\data/sub\\y.Csv", "y.Csv", ".Csv"},
        {0, "\\\\server\\share.v2\\a\\b\\c.CSV", "c.CSV", ".CSV"},
        {0, ".csv", ".csv", ".csv"},
        {932, "C:\\\x95\x5C\\x.csv", "x.csv", ".csv"},
        {932, "C:\\data\\\x95\x5C", "\x95\x5C", ""},
        {932, "C:\\data\\\x95\x5C.csv", "\x95\x5C.csv", ".csv"},
        {932, "C:\\a\x95\x5C.txt\\b", "b", ""},
        {936, "D:\\\x81\x5C\x81\x5C.csv", "\x81\x5C\x81\x5C.csv", ".csv"},
        {1252, "C:\\data\\\x95\x5C", "", ""},
        {1252, "C:\\data\\\x95\x5Cx.csv", "x.csv", ".csv"},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.codePage) + " " + c.path);
        XString path(c.path);
        XString name("stale");
        XString extension("stale");
        GetFileName(path, name, c.codePage);
        GetExtension(path, extension, c.codePage);
        EXPECT_STREQ(name.Text(), c.fileName);
        EXPECT_STREQ(extension.Text(), c.extension);
    }
}

}  // namespace
