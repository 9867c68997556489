// Decimal numbers as text, in the classic locale whatever locale the process has set.
#pragma once

#include <cstdint>

// The number at the start of the text: optional white space, an optional sign, decimal
// digits with an optional '.', an optional exponent; the rest is ignored. A text that
// does not start with such a number gives 0.0, and so do "inf", "nan" and hexadecimal
// forms ("0x1F" reads as 0). Magnitudes beyond the double range give +-infinity, those
// below it +-0.0. The result is the correctly rounded double, the same in every build.
double ParseLeadingNumber(const char* text);

// The same for the text from begin up to (not including) end, or its first NUL.
double ParseLeadingNumber(const char* begin, const char* end);

// The powers of ten that are exact doubles.
inline constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                               1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                               1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The digits of a plain number at q (past its sign): decimal digits with an optional '.',
// read a byte at a time. True when there is a digit, at most 22 decimals and at most 15
// significant digits, counted from the first non-zero digit or the tenth digit, whichever
// comes first; then their value as an integer, the decimals, and q just after them.
bool ReadPlainDigitsByteWise(const char*& q, const char* end, unsigned long long& mantissa, int& decimals);

// The mantissa of the quick reading: a register's width, 64-bit arithmetic being slow in
// 32-bit code. Up to this many digits it holds exactly, below 2^53.
using PlainMantissa = std::uintptr_t;
constexpr int kPlainMantissaDigits = sizeof(PlainMantissa) == 8 ? 15 : 9;

// The digits at q, up to `room` of them, added to mantissa; q just past them. False when
// one more digit follows.
[[gnu::always_inline]] inline bool TakePlainDigits(const char*& q, const char* end, int room, PlainMantissa& mantissa)
{
    const char* const limit = end - q > room ? q + room : end;
    for (unsigned digit; q < limit && (digit = static_cast<unsigned char>(*q - '0')) < 10; ++q)
        mantissa = mantissa * 10 + digit;
    return !(q < end && static_cast<unsigned char>(*q - '0') < 10);
}

// The digits of a plain number at q (past its sign) as ReadPlainDigitsByteWise reads them,
// with the magnitude they give. Those that fit PlainMantissa, the usual kind, go through a
// lean loop: a digit count that low needs no count of the significant ones.
[[gnu::always_inline]] inline bool ReadPlainMagnitude(const char*& q, const char* end, double& magnitude)
{
    PlainMantissa quick = 0;
    const char* r = q;
    if (TakePlainDigits(r, end, kPlainMantissaDigits, quick)) {
        const int integerDigits = static_cast<int>(r - q);
        int decimals = 0;
        bool fits = true;
        if (r < end && *r == '.') {
            const char* fraction = ++r;
            fits = TakePlainDigits(r, end, kPlainMantissaDigits - integerDigits, quick);
            decimals = static_cast<int>(r - fraction);
        }
        if (fits) {
            if (integerDigits + decimals == 0)
                return false;
            // Below 2^53, so in the signed range: the quicker signed conversion.
            magnitude = static_cast<double>(static_cast<std::intptr_t>(quick)) / kExactPowersOfTen[decimals];
            q = r;
            return true;
        }
    }
    unsigned long long mantissa;
    int decimals;
    if (!ReadPlainDigitsByteWise(q, end, mantissa, decimals))
        return false;
    magnitude = static_cast<double>(mantissa) / kExactPowersOfTen[decimals];
    return true;
}

// The number at p, when it is the usual kind: a sign, up to 15 significant digits, a
// point, no exponent and no white space before it. Such a number is an integer below 2^53
// divided by a power of ten up to 10^22, both exact doubles, so one division rounds it
// correctly (under round to nearest, the state every entry point sets). Then true, the
// value, and p just after the number; otherwise false and p unchanged. Inline wherever a
// walk reads its fields: it is most of a walk's work.
[[gnu::always_inline]] inline bool ParsePlainNumber(const char*& p, const char* end, double& value)
{
    const char* q = p;
    const bool negative = q < end && *q == '-';
    if (q < end && (*q == '-' || *q == '+'))
        ++q;
    double magnitude;
    if (!ReadPlainMagnitude(q, end, magnitude) || (q < end && (*q == 'e' || *q == 'E' || *q == '\0')))
        return false;
    value = negative ? -magnitude : magnitude;
    p = q;
    return true;
}

// The number at the start of the field [begin, end): ParseLeadingNumber's result, through
// ParsePlainNumber where it can.
inline double ParseFieldNumber(const char* begin, const char* end)
{
    double value;
    return ParsePlainNumber(begin, end, value) ? value : ParseLeadingNumber(begin, end);
}

// The integer at the start of the text as strtol reads it in base 10: white space, an
// optional sign, the digits up to the first non-digit; 0 without digits; values beyond
// the 32-bit range give its ends.
long ParseLeadingInteger(const char* text);

// The value as "%f" writes it: fixed point, six decimals, correctly rounded, '.' as the
// point; "inf", "-inf", "nan" for those. False, with the buffer undefined, when the text
// and its NUL do not fit.
bool FormatFixed(double value, char* buffer, int size);

// The value as "%g" writes it: six significant digits, the exponent form for large and
// small magnitudes ("1e+300"). Always fits 32 bytes.
void FormatShort(double value, char* buffer, int size);
