// Tick labels: XString's fixed-point text, but no "-0" and no hundred-digit numbers.
#include "chart/TickLabels.h"
#include "xlib/XDblList.h"
#include "xlib/XString.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct LabelCase {
    std::vector<double> ticks;
    int index;
    int decimals;
    const char* label;
};

TEST(TickLabels, FixedPointBelowTheThresholdExponentFromIt)
{
    const LabelCase cases[] = {
        {{3500}, 0, 0, "3500"},
        {{12.5999999}, 0, 0, "12.6"},
        {{12.57}, 0, 1, "12.5"},
        {{-2.25}, 0, 0, "-2.25"},
        {{-9.99e-08}, 0, 0, "0"},              // a zero tick a hair below zero
        {{-0.04}, 0, 1, "0"},
        {{-0.0000001}, 0, 3, "0"},
        {{999999999999999.0}, 0, 0, "999999999999999"},
        {{1e15}, 0, 0, "1e+15"},
        {{2.5e15, 5e15}, 0, 0, "2.5e+15"},
        {{-1e100, 0, 1e100}, 0, 0, "-1e+100"},
        {{-1e100, 0, 1e100}, 1, 0, "0"},
        {{1e20, 1e20 + 65536, 1e20 + 131072}, 1, 0, "1.0000000000000007e+20"},   // neighbours tell apart
        {{1.5e300, 1.75e300}, 1, 0, "1.75e+300"},
    };
    for (const LabelCase& c : cases) {
        XDblList ticks;
        for (double v : c.ticks)
            ticks.Add(v);
        SCOPED_TRACE(std::to_string(c.ticks[c.index]));
        XString label;
        SetTickLabel(label, ticks, c.index, c.decimals);
        EXPECT_STREQ(label.Text(), c.label);
    }
}

}  // namespace
