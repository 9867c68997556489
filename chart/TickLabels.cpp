// The text of a tick label.
#include "chart/TickLabels.h"

#include "xlib/XDblList.h"
#include "xlib/XString.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <initializer_list>

namespace {

constexpr int kFewestDigits = 6;
constexpr int kMostDigits = 17;   // enough for any two doubles that differ

bool WantsExponent(double v)
{
    return std::fabs(v) >= kExponentLabelsFrom;
}

// The exponent form of v with the given significant digits, into a 32-byte buffer.
void FormatExponent(double v, int digits, char (&text)[32])
{
    auto result = std::to_chars(text, text + sizeof text - 1, v, std::chars_format::general, digits);
    *(result.ec == std::errc() ? result.ptr : text) = '\0';
}

bool SameAt(double a, double b, int digits)
{
    char left[32];
    char right[32];
    FormatExponent(a, digits, left);
    FormatExponent(b, digits, right);
    return std::strcmp(left, right) == 0;
}

int DigitsTellingApart(const XDblList& ticks, int index)
{
    const double v = ticks.At(index);
    int digits = kFewestDigits;
    for (int neighbour : {index - 1, index + 1}) {
        if (neighbour < 0 || neighbour >= ticks.Count() || ticks.At(neighbour) == v)
            continue;
        while (digits < kMostDigits && SameAt(v, ticks.At(neighbour), digits))
            ++digits;
    }
    return digits;
}

}  // namespace

void SetTickLabel(XString& label, const XDblList& ticks, int index, int decimals)
{
    const double v = ticks.At(index);
    if (WantsExponent(v)) {
        char text[32];
        FormatExponent(v, DigitsTellingApart(ticks, index), text);
        label.SetText(text);
        return;
    }
    label.SetDouble(v, decimals, 1);
    if (label.Equals("-0"))
        label.SetText("0");   // a zero tick a hair below zero
}
