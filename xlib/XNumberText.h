// Decimal numbers as text, in the classic locale whatever locale the process has set.
#pragma once

#include "xlib/XDigitWords.h"

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
inline bool ReadPlainDigitsByteWise(const char*& q, const char* end, unsigned long long& mantissa, int& decimals)
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

// The digits at q, a word at a time, added to mantissa (count of them so far), q just past
// them. False when the count goes beyond what a word's mantissa holds exactly below 2^53:
// then the digits are left to the byte-wise reading.
inline bool TakeDigitRun(const char*& q, const char* from, const char* end, DigitWord& mantissa, int& count)
{
    static constexpr DigitWord kPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
    constexpr int kMaxCount = kDigitWordBytes == 8 ? 15 : 9;
    for (;;) {
        const DigitWord word = TextWordAt(q, from, end);
        const int digits = LeadingDigitCount(word);
        if (digits == 0)
            return true;
        count += digits;
        if (count > kMaxCount)
            return false;
        mantissa = mantissa * kPowers[digits] + DigitsValue(word, digits);
        q += digits;
        if (digits < kDigitWordBytes)
            return true;
    }
}

// The digits of a plain number at q (past its sign, the number starting at `from`) as
// ReadPlainDigitsByteWise reads them, with the magnitude they give. Runs short enough for
// one machine word go a word at a time.
inline bool ReadPlainMagnitude(const char*& q, const char* from, const char* end, double& magnitude)
{
    int decimals = 0;
    DigitWord wordMantissa = 0;
    int count = 0;
    const char* r = q;
    if (TakeDigitRun(r, from, end, wordMantissa, count)) {
        bool fits = true;
        if (r < end && *r == '.') {
            ++r;
            const int integerDigits = count;
            fits = TakeDigitRun(r, from, end, wordMantissa, count);
            decimals = count - integerDigits;
        }
        if (fits) {
            if (count == 0)
                return false;
            // Below 2^53 and so below the signed range: the quicker signed conversion.
            magnitude = static_cast<double>(static_cast<std::intptr_t>(wordMantissa)) / kExactPowersOfTen[decimals];
            q = r;
            return true;
        }
    }
    unsigned long long mantissa;
    if (!ReadPlainDigitsByteWise(q, end, mantissa, decimals))
        return false;
    magnitude = static_cast<double>(mantissa) / kExactPowersOfTen[decimals];
    return true;
}

// The number at p, when it is the usual kind: a sign, up to 15 significant digits, a
// point, no exponent and no white space before it. Such a number is an integer below 2^53
// divided by a power of ten up to 10^22, both exact doubles, so one division rounds it
// correctly (under round to nearest, the state every entry point sets). Then true, the
// value, and p just after the number; otherwise false and p unchanged.
inline bool ParsePlainNumber(const char*& p, const char* end, double& value)
{
    const char* q = p;
    const bool negative = q < end && *q == '-';
    if (q < end && (*q == '-' || *q == '+'))
        ++q;
    double magnitude;
    if (!ReadPlainMagnitude(q, p, end, magnitude) || (q < end && (*q == 'e' || *q == 'E' || *q == '\0')))
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
