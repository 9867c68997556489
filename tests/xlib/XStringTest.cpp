// XString: storage, number formatting and parsing, searches and path splitting.
#include "xlib/XNumberText.h"
#include "xlib/XString.h"

#include <gtest/gtest.h>

#include <float.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

TEST(XString, DefaultIsEmptyTextNotNull)
{
    XString s;
    ASSERT_NE(s.Text(), nullptr);
    EXPECT_STREQ(s.Text(), "");
    EXPECT_EQ(s.Length(), 0);
    EXPECT_EQ(s.length, 0);
}

TEST(XString, NullTextGivesNullState)
{
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

TEST(XString, LengthFollowsEverySetter)
{
    XString s("a longer text");
    s.SetText("ab");
    EXPECT_EQ(s.length, 2);
    EXPECT_STREQ(s.buffer, "ab");
    s.Assign(XString("four"));
    EXPECT_EQ(s.length, 4);
    EXPECT_STREQ(s.buffer, "four");
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
    XString b;
    b.Assign(a);
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
    };
    for (const DoubleCase& c : cases) {
        SCOPED_TRACE(c.text);
        XString s;
        s.SetDouble(c.value, c.decimals, c.trimZeros);
        EXPECT_STREQ(s.Text(), c.text);
        EXPECT_EQ(s.length, static_cast<int>(std::strlen(c.text)));
    }
}

TEST(XStringSetDouble, LargestFixedPointTextsFit)
{
    // 5e247 still fits the 256-byte work buffer in fixed point: 248 digits and ".000000".
    XString s;
    s.SetDouble(5e247, 0, 0);
    EXPECT_EQ(s.length, 248 + 7);
    EXPECT_EQ(s.Find('e'), -1);
    s.SetDouble(-1e248, 0, 1);
    EXPECT_STREQ(s.Text(), "-1e+248");
}

TEST(XStringSetDouble, NotANumberReadsNan)
{
    XString s;
    s.SetDouble(std::numeric_limits<double>::quiet_NaN(), 0, 1);
    EXPECT_STREQ(s.Text(), "nan");
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

struct ParseCase {
    const char* text;
    double asDouble;
    long asInt;
};

TEST(XStringParse, ReadsTheLeadingNumber)
{
    const ParseCase cases[] = {
        {"  3.5kg", 3.5, 3},
        {"abc", 0.0, 0},
        {"", 0.0, 0},
        {"1e3", 1000.0, 1},
        {"12.9", 12.9, 12},
        {"-7", -7.0, -7},
        {"+4.25", 4.25, 4},
        {"1,5", 1.0, 1},               // a decimal comma is no decimal point
        {"2020-01-31", 2020.0, 2020},
        {"\t 8\r", 8.0, 8},
        {".5", 0.5, 0},
        {"5.", 5.0, 5},
        {"-.25e2x", -25.0, 0},
        {"3e", 3.0, 3},                // an exponent without digits is not taken
        {"3e+", 3.0, 3},
        {"0x1F", 0.0, 0},              // decimal only: reads the 0
        {"inf", 0.0, 0},
        {"-Infinity", 0.0, 0},
        {"nan", 0.0, 0},
        {"NAN(123)", 0.0, 0},
        {"\"12\"", 0.0, 0},
        {"99999999999", 99999999999.0, 2147483647},
        {"-99999999999", -99999999999.0, -2147483647L - 1},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.text);
        XString s(c.text);
        EXPECT_EQ(s.ToDouble(), c.asDouble);
        EXPECT_EQ(s.ToInt(), c.asInt);
    }
}

TEST(XStringParse, OutOfRangeMagnitudes)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(XString("1e999").ToDouble(), inf);
    EXPECT_EQ(XString("-1e999").ToDouble(), -inf);
    EXPECT_EQ(XString(std::string(400, '9').c_str()).ToDouble(), inf);
    EXPECT_EQ(XString("1e-400").ToDouble(), 0.0);
    EXPECT_TRUE(std::signbit(XString("-1e-400").ToDouble()));
    EXPECT_EQ(XString("0.0000000000000000000000000000000000000000000000000001e-300").ToDouble(), 0.0);
    EXPECT_EQ(XString("1e99999999999999999999").ToDouble(), inf);
    EXPECT_EQ(XString("4.9e-324").ToDouble(), std::numeric_limits<double>::denorm_min());
}

TEST(XStringParse, CorrectlyRoundedInBothBuilds)
{
    // Decimal texts whose nearest double is easy to get wrong with extended precision.
    EXPECT_EQ(XString("0.1").ToDouble(), 0.1);
    EXPECT_EQ(XString("2.2250738585072011e-308").ToDouble(), 2.2250738585072009e-308);
    EXPECT_EQ(XString("9007199254740993").ToDouble(), 9007199254740992.0);
    EXPECT_EQ(XString("1.7976931348623157e308").ToDouble(), std::numeric_limits<double>::max());
    EXPECT_EQ(XString("2200000000.0000001").ToDouble(), 2200000000.0);
    EXPECT_EQ(XString("-0").ToDouble(), 0.0);
    EXPECT_TRUE(std::signbit(XString("-0").ToDouble()));
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

struct PathCase {
    const char* path;
    const char* fileName;
    const char* extension;
};

TEST(XStringPaths, FileNameAfterTheLastSeparatorExtensionFromItsLastDot)
{
    const PathCase cases[] = {
        {"D:\\data\\x.csv", "x.csv", ".csv"},
        {"D:\\data\\", "", ""},
        {"x.csv", "x.csv", ".csv"},
        {"", "", ""},
        {"D:\\data\\README", "README", ""},
        {"D:\\my.data\\x.csv", "x.csv", ".csv"},
        {"C:\\Users\\j.doe\\README", "README", ""},
        {"x.2009.csv", "x.2009.csv", ".csv"},
        {"data.csv.bak", "data.csv.bak", ".bak"},
        {"C:\\dir.csv\\notes", "notes", ""},
        {"C:/data/x.csv", "x.csv", ".csv"},
        {"C:\\data/sub\\y.Csv", "y.Csv", ".Csv"},
        {"\\\\server\\share.v2\\a\\b\\c.CSV", "c.CSV", ".CSV"},
        {".csv", ".csv", ".csv"},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.path);
        XString path(c.path);
        XString name("stale");
        XString extension("stale");
        GetFileName(path, name);
        GetExtension(path, extension);
        EXPECT_STREQ(name.Text(), c.fileName);
        EXPECT_STREQ(extension.Text(), c.extension);
    }
}

// 0x95 0x5C is one Shift-JIS (932) character, and 0x81 0x5C one GBK (936) character: their
// second byte is no backslash there. In a single-byte code page (1252) it is one.
TEST(XStringPaths, DoubleByteCharactersAreNeverCutAtTheirTrailByte)
{
    struct DbcsCase {
        unsigned codePage;
        const char* path;
        const char* fileName;
        const char* extension;
    };
    const DbcsCase cases[] = {
        {932, "C:\\\x95\x5C\\x.csv", "x.csv", ".csv"},
        {932, "C:\\data\\\x95\x5C", "\x95\x5C", ""},
        {932, "C:\\data\\\x95\x5C.csv", "\x95\x5C.csv", ".csv"},
        {932, "C:\\a\x95\x5C.txt\\b", "b", ""},
        {936, "D:\\\x81\x5C\x81\x5C.csv", "\x81\x5C\x81\x5C.csv", ".csv"},
        {1252, "C:\\data\\\x95\x5C", "", ""},
        {1252, "C:\\data\\\x95\x5Cx.csv", "x.csv", ".csv"},
    };
    for (const DbcsCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.codePage) + " " + c.path);
        XString path(c.path);
        XString name;
        XString extension;
        GetFileName(path, name, c.codePage);
        GetExtension(path, extension, c.codePage);
        EXPECT_STREQ(name.Text(), c.fileName);
        EXPECT_STREQ(extension.Text(), c.extension);
    }
}

}  // namespace

namespace {

// FNV-1a over the bits of every value: equal hashes mean bit-identical results.
struct BitHash {
    unsigned long long value = 1469598103934665603ull;
    void Add(const void* data, size_t size)
    {
        auto bytes = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i)
            value = (value ^ bytes[i]) * 1099511628211ull;
    }
};

// Decimal texts of up to 20 significant digits and exponents up to +-330, from a fixed seed.
std::string RandomNumberText(unsigned& seed)
{
    auto next = [&seed](unsigned range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    std::string text = next(2) ? "-" : "";
    unsigned digits = 1 + next(20);
    unsigned point = next(digits + 1);
    for (unsigned i = 0; i < digits; ++i) {
        if (i == point)
            text += '.';
        text += static_cast<char>('0' + next(10));
    }
    if (next(2)) {
        text += 'e';
        text += std::to_string(static_cast<int>(next(661)) - 330);
    }
    return text;
}

class ExtendedX87Precision {
public:
    // A 32-bit host may call with the x87 unit at 64-bit mantissa precision.
    ExtendedX87Precision()
    {
#if !defined(_WIN64)
        saved_ = _controlfp(0, 0);
        _controlfp(_PC_64, _MCW_PC);
#endif
    }
    ~ExtendedX87Precision()
    {
#if !defined(_WIN64)
        _controlfp(saved_, _MCW_PC);
#endif
    }

private:
    unsigned saved_ = 0;
};

TEST(XStringParse, BothBuildsGiveTheSameBits)
{
    ExtendedX87Precision hostPrecision;
    unsigned seed = 20261208;
    BitHash parsed;
    BitHash printed;
    XString text;
    for (int i = 0; i < 20000; ++i) {
        text.SetText(RandomNumberText(seed).c_str());
        double value = text.ToDouble();
        parsed.Add(&value, sizeof value);
        text.SetDouble(value, 0, 1);
        printed.Add(text.buffer, text.length);
    }
    // The hashes of the exact results: every text parsed to its nearest double, every
    // double printed with exactly rounded digits (as an arbitrary-precision reference gives).
    EXPECT_EQ(parsed.value, 445964149185502630ull);
    EXPECT_EQ(printed.value, 757157177973225470ull);
}

// The quick way for plain numbers gives the bits of the full parse, for every text: with
// and without exponents, leading zeros, long fractions, and text after the number.
TEST(XStringParse, QuickFieldParseGivesTheSameBits)
{
    ExtendedX87Precision hostPrecision;
    unsigned seed = 7;
    const char* const tails[] = {"", "kg", ",1", "e", "e+", ".5", "\0" "9"};
    int differing = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string text = RandomNumberText(seed);
        if (i % 3 == 0)
            text = text.substr(0, text.find('e'));   // the usual field: no exponent
        if (i % 7 == 0)
            text.insert(text[0] == '-' ? 1 : 0, "000000000");
        text += tails[i % 7];
        const char* begin = text.data();
        const char* end = begin + text.size();
        const double quick = ParseFieldNumber(begin, end);
        const double full = ParseLeadingNumber(begin, end);
        differing += std::memcmp(&quick, &full, sizeof quick) != 0;
    }
    EXPECT_EQ(differing, 0);
}

}  // namespace
