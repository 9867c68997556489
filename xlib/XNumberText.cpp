// Reading a decimal number at the start of a text.
#include "xlib/XNumberText.h"

#include <charconv>
#include <climits>
#include <cstring>
#include <limits>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

const char* SkipDigits(const char* p, const char* end)
{
    while (p < end && IsDigit(*p))
        ++p;
    return p;
}

// Decimal exponent of the number's leading digit, for telling overflow from underflow
// once the conversion reports the value out of range. Saturates instead of overflowing.
long long DecimalMagnitude(const char* start, const char* end)
{
    long long magnitude = 0;
    const char* p = start;
    while (p < end && *p == '0')
        ++p;
    if (p < end && IsDigit(*p)) {
        magnitude = SkipDigits(p, end) - p;
    } else if (p < end && *p == '.') {
        for (++p; p < end && *p == '0'; ++p)
            --magnitude;
    }
    for (p = start; p < end && *p != 'e' && *p != 'E'; ++p) {
    }
    if (p < end) {
        bool negative = p[1] == '-';
        long long exponent = 0;
        for (p += (p[1] == '-' || p[1] == '+') ? 2 : 1; p < end; ++p)
            exponent = exponent < LLONG_MAX / 100 ? exponent * 10 + (*p - '0') : exponent;
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude;
}

}  // namespace

bool ReadPlainDigitsByteWise(const char*& q, const char* end, unsigned long long& mantissa, int& decimals)
{
    // The digits go into 32 bits while nine fit, the usual case, and on in 64 bits after:
    // 64-bit arithmetic is slow in 32-bit code.
    unsigned mantissa32 = 0;
    mantissa = 0;
    decimals = 0;
    int digits = 0;     // significant digits
    int taken = 0;      // digits in mantissa32
    auto take = [&](unsigned digit) {
        if (taken < 9) {
            mantissa32 = mantissa32 * 10 + digit;
            ++taken;
            digits += mantissa32 != 0;
            return;
        }
        if (taken == 9) {
            mantissa = mantissa32;
            ++taken;
        }
        mantissa = mantissa * 10 + digit;
        ++digits;
    };
    const char* integerStart = q;
    for (unsigned digit; q < end && (digit = static_cast<unsigned char>(*q - '0')) < 10; ++q)
        take(digit);
    bool any = q != integerStart;
    if (q < end && *q == '.') {
        const char* fractionStart = ++q;
        for (unsigned digit; q < end && (digit = static_cast<unsigned char>(*q - '0')) < 10; ++q)
            take(digit);
        decimals = static_cast<int>(q - fractionStart);
        any = any || decimals > 0;
    }
    if (taken <= 9)
        mantissa = mantissa32;
    return any && digits <= 15 && decimals <= 22;
}

double ParseLeadingNumber(const char* text)
{
    return ParseLeadingNumber(text, text + std::strlen(text));
}

double ParseLeadingNumber(const char* begin, const char* limit)
{
    // A NUL inside the range ends the text early; it stops every scan below as it is not
    // a white space, sign, digit, point or exponent letter.
    const char* p = begin;
    while (p < limit && IsSpace(*p))
        ++p;
    bool negative = p < limit && *p == '-';
    if (p < limit && (*p == '-' || *p == '+'))
        ++p;

    const char* start = p;
    const char* integerEnd = SkipDigits(p, limit);
    const char* end = integerEnd;
    size_t digits = integerEnd - start;
    if (end < limit && *end == '.') {
        const char* fractionEnd = SkipDigits(end + 1, limit);
        digits += fractionEnd - (end + 1);
        end = fractionEnd;
    }
    if (digits == 0)
        return 0.0;
    if (end < limit && (*end == 'e' || *end == 'E')) {
        const char* q = end + 1;
        if (q < limit && (*q == '+' || *q == '-'))
            ++q;
        if (q < limit && IsDigit(*q))
            end = SkipDigits(q, limit);
    }

    double value = 0.0;
    auto result = std::from_chars(start, end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        value = DecimalMagnitude(start, end) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}

long ParseLeadingInteger(const char* text)
{
    const char* p = text;
    while (IsSpace(*p))
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    // Accumulated as a negative number, which reaches LONG_MIN without overflowing.
    long long value = 0;
    for (; IsDigit(*p); ++p) {
        value = value * 10 - (*p - '0');
        if (value < -static_cast<long long>(LONG_MAX) - 1)
            return negative ? LONG_MIN : LONG_MAX;
    }
    if (negative)
        return static_cast<long>(value);
    return -value > LONG_MAX ? LONG_MAX : static_cast<long>(-value);
}

bool FormatFixed(double value, char* buffer, int size)
{
    auto result = std::to_chars(buffer, buffer + size - 1, value, std::chars_format::fixed, 6);
    if (result.ec != std::errc())
        return false;
    *result.ptr = '\0';
    return true;
}

void FormatShort(double value, char* buffer, int size)
{
    auto result = std::to_chars(buffer, buffer + size - 1, value, std::chars_format::general, 6);
    *(result.ec == std::errc() ? result.ptr : buffer) = '\0';
}
