// Reading a decimal number at the start of a text.
#pragma once

// The number at the start of the text: optional white space, an optional sign, decimal
// digits with an optional '.', an optional exponent; the rest is ignored. A text that
// does not start with such a number gives 0.0, and so do "inf", "nan" and hexadecimal
// forms ("0x1F" reads as 0). Magnitudes beyond the double range give +-infinity, those
// below it +-0.0. The result is the correctly rounded double, the same in every build.
double ParseLeadingNumber(const char* text);

// The same for the text from begin up to (not including) end, or its first NUL.
double ParseLeadingNumber(const char* begin, const char* end);
