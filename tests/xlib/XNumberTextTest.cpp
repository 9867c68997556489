// Number texts: the leading number of a text, correctly rounded and bit-identical in both builds.
#include "xlib/XNumberText.h"
#include "xlib/XString.h"

#include <gtest/gtest.h>

#include <float.h>

#include <cstdint>
#include <cstring>
#include <limits>
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

}  // namespace
