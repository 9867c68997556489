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
