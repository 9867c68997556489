// Decimal numbers as text, in the classic locale whatever locale the process has set.
#pragma once

// The number at the start of the text: optional white space, an optional sign, decimal
// digits with an optional '.', an optional exponent; the rest is ignored. A text that
// does not start with such a number gives 0.0, and so do "inf", "nan" and hexadecimal
// forms ("0x1F" reads as 0). Magnitudes beyond the double range give +-infinity, those
// below it +-0.0. The result is the correctly rounded double, the same in every build.
double ParseLeadingNumber(const char* text);

// The same for the text from begin up to (not including) end, or its first NUL.
double ParseLeadingNumber(const char* begin, const char* end);

// The number at p, when it is the usual kind: a sign, up to 15 significant digits, a
// point, no exponent and no white space before it. Such a number is an integer below 2^53
// divided by a power of ten up to 10^22, both exact doubles, so one division rounds it
// correctly (under round to nearest, the state every entry point sets). Then true, the
// value, and p just after the number; otherwise false and p unchanged.
inline bool ParsePlainNumber(const char*& p, const char* end, double& value)
{
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const char* q = p;
    const bool negative = q < end && *q == '-';
    if (q < end && (*q == '-' || *q == '+'))
        ++q;
    // The digits go into 32 bits while nine fit, the usual case, and on in 64 bits after:
    // 64-bit arithmetic is slow in 32-bit code.
    unsigned mantissa32 = 0;
    unsigned long long mantissa = 0;
    int digits = 0;     // significant digits, the first non-zero one on
    int decimals = 0;
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
    if (!any || digits > 15 || decimals > 22 || (q < end && (*q == 'e' || *q == 'E' || *q == '\0')))
        return false;
    const double magnitude = static_cast<double>(mantissa) / kPowersOfTen[decimals];
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
