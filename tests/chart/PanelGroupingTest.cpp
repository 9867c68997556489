// Which series share a panel, and the margin a panel's Y range gets.
#include "chart/PanelGrouping.h"
#include "chart/XPanelChart.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

const ValueBounds kNone;

std::string Text(const std::vector<std::vector<int>>& panels)
{
    std::string text;
    for (const auto& panel : panels) {
        text += text.empty() ? "" : "|";
        for (std::size_t i = 0; i < panel.size(); ++i)
            text += (i ? "," : "") + std::to_string(panel[i]);
    }
    return text;
}

}  // namespace

TEST(PanelGrouping, SeriesOfSimilarScaleShareAPanel)
{
    const struct {
        const char* what;
        std::vector<ValueBounds> series;
        int most;
        const char* panels;
    } cases[] = {
        {"prices and volume", {{10, 20}, {12, 22}, {1e6, 5e6}}, 4, "0,1|2"},
        {"temperature and humidity", {{-5, 30}, {20, 100}}, 4, "0,1"},
        {"same span, far apart", {{0, 10}, {1000, 1010}}, 4, "0|1"},
        {"a constant inside the range", {{0, 10}, {5, 5}}, 4, "0,1"},
        {"a constant far away", {{0, 10}, {1e6, 1e6}}, 4, "0|1"},
        {"no values: the first panel", {{0, 10}, kNone, {1e6, 2e6}}, 4, "0,1|2"},
        {"a later series rejoins the first", {{0, 10}, {0, 1e6}, {0, 12}}, 4, "0,2|1"},
        {"the rest share the last", {{0, 1}, {0, 1e2}, {0, 1e4}, {0, 1e6}, {0, 1e8}, {0, 1e10}}, 4, "0|1|2|3,4,5"},
        {"one panel at most", {{0, 1}, {0, 1e6}}, 1, "0,1"},
        {"no series", {}, 4, ""},
        {"infinite bounds", {{0, 1}, {-std::numeric_limits<double>::infinity(), 1}}, 4, "0|1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Text(GroupIntoPanels(c.series, c.most)), c.panels);
    }
}

TEST(PanelGrouping, RangesGetATwentiethOfTheirSpanOnEachSide)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        ValueBounds values;
        double min, max;
    } cases[] = {
        {{0, 100}, -5, 105},
        {{-2, 2}, -2.2, 2.2},
        {{5, 5}, 5, 5},                        // the axis puts a range around a constant
        {{-1e308, 1e308}, -1e308, 1e308},      // a padding that overflows is left out
        {{-inf, 0}, -inf, 0},
    };
    for (const auto& c : cases) {
        const ValueBounds padded = PaddedRange(c.values);
        EXPECT_DOUBLE_EQ(padded.min, c.min);
        EXPECT_DOUBLE_EQ(padded.max, c.max);
    }
    EXPECT_TRUE(PaddedRange(kNone).Empty());
}
