// Number texts: the leading number of a text, correctly rounded and bit-identical in both builds.
#include "xlib/XNumberText.h"
#include "xlib/XString.h"

#include <gtest/gtest.h>

#include <float.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

namespace {

const double kInf = std::numeric_limits<double>::infinity();

// Compared as bits, so that -0.0 and 0.0 differ.
std::uint64_t Bits(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

struct NumberCase {
    std::string text;
    double value;
};

TEST(XNumberText, LeadingNumberIsTheNearestDouble)
{
    const NumberCase cases[] = {
        {"  3.5kg", 3.5},
        {"abc", 0.0},
        {"", 0.0},
        {"1e3", 1000.0},
        {"12.9", 12.9},
        {"-7", -7.0},
        {"+4.25", 4.25},
        {"1,5", 1.0},               // a decimal comma is no decimal point
        {"2020-01-31", 2020.0},
        {"\t 8\r", 8.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"-.25e2x", -25.0},
        {"3e", 3.0},                // an exponent without digits is not taken
        {"3e+", 3.0},
        {"0x1F", 0.0},              // decimal only: reads the 0
        {"inf", 0.0},
        {"-Infinity", 0.0},
        {"nan", 0.0},
        {"NAN(123)", 0.0},
        {"\"12\"", 0.0},
        {"99999999999", 99999999999.0},
        {"-99999999999", -99999999999.0},
        {"-0", -0.0},
        // Beyond the double range.
        {"1e999", kInf},
        {"-1e999", -kInf},
        {std::string(400, '9'), kInf},
        {"1e99999999999999999999", kInf},
        {"1e-400", 0.0},
        {"-1e-400", -0.0},
        {"0.0000000000000000000000000000000000000000000000000001e-300", 0.0},
        {"4.9e-324", std::numeric_limits<double>::denorm_min()},
        // Easy to get wrong with extended precision.
        {"0.1", 0.1},
        {"2.2250738585072011e-308", 2.2250738585072009e-308},
        {"9007199254740993", 9007199254740992.0},
        {"1.7976931348623157e308", std::numeric_limits<double>::max()},
        {"2200000000.0000001", 2200000000.0},
    };
    for (const NumberCase& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 60));
        EXPECT_EQ(Bits(ParseLeadingNumber(c.text.c_str())), Bits(c.value)) << ParseLeadingNumber(c.text.c_str());
    }
}

TEST(XNumberText, LeadingIntegerAsStrtolReadsIt)
{
    const std::pair<const char*, long> cases[] = {
        {"  3.5kg", 3}, {"abc", 0}, {"", 0}, {"1e3", 1}, {"12.9", 12}, {"-7", -7}, {"+4.25", 4},
        {"\t 8\r", 8}, {".5", 0}, {"0x1F", 0}, {"99999999999", 2147483647}, {"-99999999999", -2147483647L - 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseLeadingInteger(c.first), c.second) << c.first;
}

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

TEST(XNumberText, BothBuildsGiveTheSameBits)
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
TEST(XNumberText, QuickFieldParseGivesTheSameBits)
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
        differing += Bits(ParseFieldNumber(begin, end)) != Bits(ParseLeadingNumber(begin, end));
    }
    EXPECT_EQ(differing, 0);
}

// ParsePlainNumber through the reading that counts significant digits, throughout: the
// reference for the quicker loop.
bool ParsePlainNumberByteWise(const char*& p, const char* end, double& value)
{
    const char* q = p;
    const bool negative = q < end && *q == '-';
    if (q < end && (*q == '-' || *q == '+'))
        ++q;
    unsigned long long mantissa;
    int decimals;
    if (!ReadPlainDigitsByteWise(q, end, mantissa, decimals) || (q < end && (*q == 'e' || *q == 'E' || *q == '\0')))
        return false;
    const double magnitude = static_cast<double>(mantissa) / kExactPowersOfTen[decimals];
    value = negative ? -magnitude : magnitude;
    p = q;
    return true;
}

// The length ParsePlainNumber takes of the text in a buffer of exactly its size, -1 when
// it declines; the value must have the bits of the byte-wise reading.
int PlainNumberLength(const std::string& text, double& value)
{
    std::unique_ptr<char[]> exact(new char[text.size() + 1]);
    char* begin = exact.get() + 1;   // the byte before the text is not the text's
    std::memcpy(begin, text.data(), text.size());
    const char* p = begin;
    const char* expectedP = begin;
    double expected = 0;
    const bool taken = ParsePlainNumber(p, begin + text.size(), value);
    EXPECT_EQ(ParsePlainNumberByteWise(expectedP, begin + text.size(), expected), taken) << text;
    EXPECT_EQ(p, expectedP) << text;
    if (taken) {
        EXPECT_EQ(Bits(value), Bits(expected)) << text;
    }
    return taken ? static_cast<int>(p - begin) : -1;
}

// Numbers around the digits a mantissa register holds (9 and 15), at the buffer's end and
// before more text.
TEST(XNumberText, PlainNumberEdgeCases)
{
    const struct {
        const char* text;
        int length;
        double value;
    } cases[] = {
        {"7", 1, 7}, {"123", 3, 123}, {"1234", 4, 1234}, {"12345", 5, 12345}, {"1234567", 7, 1234567},
        {"12345678", 8, 12345678}, {"123456789", 9, 123456789}, {"1234567890", 10, 1234567890},
        {"123.4567", 8, 123.4567}, {"12345.6789", 10, 12345.6789}, {"1.234567891", 11, 1.234567891}, {"-123.4567", 9, -123.4567}, {"50.1234", 7, 50.1234}, {"1.2345678", 9, 1.2345678},
        {"12345678.12345678", -1, 0},                                   // 16 significant digits
        {"1234567.12345678", 16, 1234567.12345678},                     // 15
        {"123456789012345", 15, 123456789012345.0}, {"1234567890123456", -1, 0},
        {"000000000000012.5", 17, 12.5}, {"0000000000123456789012345", -1, 0},   // zeros past the ninth digit count
        {"0.0000000000000000000001", 24, 1e-22}, {"0.00000000000000000000001", -1, 0},   // 22 decimals at most
        {".5", 2, 0.5}, {"5.", 2, 5}, {"-.25", 4, -0.25}, {"+8", 2, 8}, {"-0", 2, -0.0}, {".", -1, 0}, {"-", -1, 0},
        {"", -1, 0}, {"x1", -1, 0}, {"12e3", -1, 0}, {"1.5E", -1, 0}, {"7x", 1, 7}, {"1.2.3", 3, 1.2},
        {"99999999.9999999", 16, 99999999.9999999},
    };
    const char* const afters[] = {"", ",", ",12345678", ";1", "\r"};
    for (const auto& c : cases) {
        for (const char* after : afters) {
            const std::string text = std::string(c.text) + after;
            SCOPED_TRACE(text);
            double value = 0;
            ASSERT_EQ(PlainNumberLength(text, value), c.length);
            if (c.length >= 0) {
                EXPECT_EQ(Bits(value), Bits(c.value));
            }
        }
    }
    const std::string withNul("12.5\0" "1", 6);   // a NUL after the number: not the usual kind
    double value;
    EXPECT_EQ(PlainNumberLength(withNul, value), -1);
}

// Texts of digits, points, signs, exponent letters and separators, from a fixed seed: the
// same decision, end and bits as the reference.
TEST(XNumberText, PlainNumberAsReadByteWise)
{
    static const char kBytes[] = "0123456789000000.....-+eE,; x\0\xB5";
    unsigned seed = 11;
    auto next = [&seed](unsigned range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    int taken = 0;
    for (int i = 0; i < 30000; ++i) {
        std::string text;
        for (unsigned length = next(26); text.size() < length;)
            text += kBytes[next(sizeof kBytes - 1)];
        double value;
        taken += PlainNumberLength(text, value) >= 0;
    }
    EXPECT_GT(taken, 10000);   // numbers of every length were read, not only declined
}

}  // namespace
