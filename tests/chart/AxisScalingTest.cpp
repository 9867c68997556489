// Axis ranges and tick values, digit for digit in both builds.
#include "canvas/XCanvas.h"
#include "chart/XAxis.h"
#include "chart/XChart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

const double kInf = std::numeric_limits<double>::infinity();

std::vector<double> Ticks(const XAxis& axis)
{
    return std::vector<double>(axis.ticks.values, axis.ticks.values + axis.ticks.count);
}

class AxisScaling : public ::testing::Test {
protected:
    XCanvas canvas;
    XChart chart{canvas, 640, 480};
    XAxis& axis = chart.yAxis;
};

struct TickCase {
    double min;
    double max;
    std::vector<double> ticks;
};

TEST_F(AxisScaling, WorkedTable)
{
    const TickCase cases[] = {
        {0, 100, {0, 25, 50, 75, 100}},
        {0, 1, {0, 0.25, 0.5, 0.75, 1}},
        {-3, 7, {-2.5, 0, 2.5, 5}},
        {0, 5, {0, 1, 2, 3, 4, 5}},
        {0, 7, {0, 1, 2, 3, 4, 5, 6, 7}},
        {0, 99, {0, 10, 20, 30, 40, 50, 60, 70, 80, 90}},
        {-50, -10, {-50, -40, -30, -20, -10}},
        {100, 1000, {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}},
        {0.1, 0.9, {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.7999999, 0.8999999}},
        {12.5, 13.1, {12.5, 12.5999999, 12.6999998, 12.7999998, 12.8999997, 12.9999997, 13.0999996}},
        {0, 0.00002, {0, 0.0000049, 0.0000099, 0.0000149, 0.0000199}},   // 5 x (1e-7 x 10), not 5e-6
    };
    for (const TickCase& c : cases) {
        for (bool reversed : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.min << " .. " << c.max << (reversed ? " reversed" : ""));
            XAxis fresh(chart);
            fresh.SetRange(reversed ? c.max : c.min, reversed ? c.min : c.max);
            EXPECT_EQ(fresh.min, c.min);
            EXPECT_EQ(fresh.max, c.max);
            EXPECT_EQ(Ticks(fresh), c.ticks);
        }
    }
}

// A range of 0.00001 or less (all values equal) keeps 0 to 100 when it lies strictly
// inside; otherwise, on the frame or outside it, it gets a range around it where its line
// shows. What is not a number, or infinite, leaves the range alone.
TEST_F(AxisScaling, TooNarrowRangesKeepTheRangeOrGetOneAroundThem)
{
    struct Case {
        double a, b;
        double min, max;
    };
    const double kHuge = 1.7e308;
    const Case cases[] = {
        {5, 5, 0, 100},
        {99.999995, 99.999999, 0, 100},
        {0, 0.00001, -1, 1.00001},
        {0, 0, -1, 1},
        {100, 100, 0, 200},
        {500, 500, 400, 600},
        {-3, -3, -4, -2},
        {1e6, 1e6, 0, 2e6},
        {-0.5, -0.5, -1.5, 0.5},
        {std::nan(""), 5, 0, 100},
        {kInf, kInf, 0, 100},
        {-kInf, -kInf, 0, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.a) + ".." + std::to_string(c.b));
        XAxis fresh(chart);
        fresh.SetRange(c.a, c.b);
        EXPECT_EQ(fresh.min, c.min);
        EXPECT_EQ(fresh.max, c.max);
        ASSERT_FALSE(fresh.ticks.Count() == 0);
        EXPECT_GE(fresh.ticks.At(0), fresh.min);
        EXPECT_LE(fresh.ticks.At(fresh.ticks.Count() - 1), fresh.max);
    }
    XAxis nearTheEnd(chart);
    nearTheEnd.SetRange(kHuge, kHuge);
    EXPECT_TRUE(nearTheEnd.min < kHuge && kHuge < nearTheEnd.max && std::isfinite(nearTheEnd.max));
    XAxis around(chart);
    around.SetRange(500, 500);
    EXPECT_EQ(Ticks(around), (std::vector<double>{400, 450, 500, 550, 600}));
}

TEST_F(AxisScaling, NoStepsToFitStillEnds)
{
    for (int steps : {0, -1, -2147483647 - 1}) {
        axis.minSteps = steps;
        axis.ComputeTicks();   // as with one step: the step is the whole range
        EXPECT_EQ(Ticks(axis), (std::vector<double>{0, 100})) << steps;
    }
}

// Every range gets ticks inside it. Rounding each tick down to 7 decimals can take the
// lowest one below min, where it would land a pixel outside the frame: swept over many
// ranges with a negative minimum.
TEST_F(AxisScaling, EveryRangeGetsTicksInsideIt)
{
    std::vector<std::pair<double, double>> ranges = {
        {0, 0.0000101}, {-1e-3, 1e-3}, {1e9, 1e9 + 1}, {-7.25, 3e6}, {0.5, 0.50002}};
    for (int k = 1; k <= 400; ++k)
        for (double scale : {0.001, 0.01, 0.37, 3.0})
            ranges.emplace_back(-k * scale, k * scale * 0.5 + 0.01);
    for (const auto& range : ranges) {
        XAxis fresh(chart);
        fresh.SetRange(range.first, range.second);
        ASSERT_GE(fresh.ticks.Count(), 1) << range.first << " .. " << range.second;
        ASSERT_LE(fresh.ticks.Count(), 11) << range.first << " .. " << range.second;
        ASSERT_GE(fresh.ticks.At(0), fresh.min) << range.first << " .. " << range.second;
        ASSERT_LE(fresh.ticks.At(fresh.ticks.Count() - 1), fresh.max) << range.first << " .. " << range.second;
    }
}

TEST_F(AxisScaling, UnchangedRangeKeepsTheTicks)
{
    axis.SetRange(0, 10);
    axis.ticks.Add(999);   // a marker that a recomputation would remove
    axis.SetRange(0, 10);
    EXPECT_EQ(axis.ticks.At(axis.ticks.Count() - 1), 999);
    axis.SetRange(3, 3);
    EXPECT_EQ(axis.ticks.At(axis.ticks.Count() - 1), 999);
    axis.SetRange(0, 11);
    EXPECT_NE(axis.ticks.At(axis.ticks.Count() - 1), 999);
}

TEST_F(AxisScaling, SetDataRangeGivesEachAxisItsSpan)
{
    chart.SetDataRange(1, 10, 2, 20);
    EXPECT_EQ(chart.xAxis.min, 1);
    EXPECT_EQ(chart.xAxis.max, 2);
    EXPECT_EQ(chart.yAxis.min, 10);
    EXPECT_EQ(chart.yAxis.max, 20);
}

TEST_F(AxisScaling, BoundsFarFromZeroGiveTheirOwnTicks)
{
    axis.SetRange(2200000000, 2200000005);
    EXPECT_EQ(Ticks(axis), (std::vector<double>{2200000000, 2200000001, 2200000002, 2200000003, 2200000004,
                                                2200000005}));
    // Unix timestamps a few seconds apart; the first tick is not below min.
    axis.SetRange(1733650000.5, 1733650009);
    std::vector<double> seconds;
    for (double t = 1733650001; t <= 1733650009; ++t)
        seconds.push_back(t);
    EXPECT_EQ(Ticks(axis), seconds);
    axis.SetRange(-2200000005.5, -2200000000);
    EXPECT_EQ(axis.ticks.At(0), -2200000005);
}

TEST_F(AxisScaling, StepSmallerThanTheSpacingOfDoublesEnds)
{
    // Near 1e22 neighbouring doubles lie 2^21 apart: adding the step changes nothing.
    axis.SetRange(1e22, 1e22 + 4194304.0);
    EXPECT_GE(axis.ticks.Count(), 1);
    EXPECT_LE(axis.ticks.Count(), 1000);
    for (int i = 1; i < axis.ticks.Count(); ++i)
        EXPECT_GT(axis.ticks.At(i), axis.ticks.At(i - 1));
}

TEST_F(AxisScaling, InfiniteAndHugeBoundsPassWithoutHanging)
{
    struct Case {
        double min, max;
        int leastTicks, mostTicks;
    } cases[] = {{-kInf, kInf, 0, 1000}, {3, kInf, 0, 1000}, {-1.7e308, 1.7e308, 1, 10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.min << " .. " << c.max);
        XAxis fresh(chart);
        fresh.SetRange(c.min, c.max);
        EXPECT_EQ(fresh.min, c.min);
        EXPECT_EQ(fresh.max, c.max);
        EXPECT_GE(fresh.ticks.Count(), c.leastTicks);
        EXPECT_LE(fresh.ticks.Count(), c.mostTicks);
    }
}

}  // namespace
