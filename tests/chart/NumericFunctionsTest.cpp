// The numeric helpers: exact rules, and defined results for every argument.
#include "chart/NumericFunctions.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(NumericFunctions, MinMaxReturnTheSecondOnTiesAndNotANumber)
{
    EXPECT_EQ(MinInt(3, 5), 3);
    EXPECT_EQ(MaxInt(3, 5), 5);
    EXPECT_EQ(MinDbl(1.0, 2.0), 1.0);
    EXPECT_EQ(MaxDbl(1.0, 2.0), 2.0);
    EXPECT_TRUE(std::signbit(MinDbl(0.0, -0.0)));    // equal: the second
    EXPECT_FALSE(std::signbit(MaxDbl(-0.0, 0.0)));
    EXPECT_TRUE(std::isnan(MinDbl(1.0, kNaN)));
    EXPECT_EQ(MinDbl(kNaN, 1.0), 1.0);
    EXPECT_EQ(MaxDbl(kNaN, 1.0), 1.0);
}

TEST(NumericFunctions, IntegerDivisionAndAbsoluteValue)
{
    EXPECT_EQ(DivInt(7, 2), 3);
    EXPECT_EQ(DivInt(-7, 2), -3);
    EXPECT_EQ(DivInt(11, 0), 0);
    EXPECT_EQ(DivInt(INT_MIN, -1), INT_MAX);
    EXPECT_EQ(AbsInt(-5), 5);
    EXPECT_EQ(AbsInt(INT_MIN), INT_MAX);
    EXPECT_EQ(AbsDbl(-2.5), 2.5);
}

struct ToIntCase {
    double x;
    int trunc;
    int floor;
};

TEST(NumericFunctions, TruncAndFloorSaturateToThe32BitRange)
{
    const ToIntCase cases[] = {
        {2.7, 2, 2},
        {-2.7, -2, -3},
        {-0.5, 0, -1},
        {2147483647.0, INT_MAX, INT_MAX},
        {2147483647.9, INT_MAX, INT_MAX},
        {2200000000.0, INT_MAX, INT_MAX},
        {-2147483648.0, INT_MIN, INT_MIN},
        {-2147483648.5, INT_MIN, INT_MIN},
        {-1e300, INT_MIN, INT_MIN},
        {kInf, INT_MAX, INT_MAX},
        {-kInf, INT_MIN, INT_MIN},
        {kNaN, 0, 0},
    };
    for (const ToIntCase& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(TruncToInt(c.x), c.trunc);
        EXPECT_EQ(FloorToInt(c.x), c.floor);
    }
}

TEST(NumericFunctions, ModDbl)
{
    EXPECT_EQ(ModDbl(5.5, 0.0), 5.5);
    EXPECT_EQ(ModDbl(-3.0, 2.5), -0.5);
    EXPECT_EQ(ModDbl(7.0, 2.5), 2.0);
    // Quotients beyond the 32-bit range stay exact.
    EXPECT_EQ(ModDbl(2200000003.0, 1.0), 0.0);
    EXPECT_EQ(ModDbl(2200000003.0, 2.5), 0.5);
    EXPECT_EQ(ModDbl(-1e12 - 7, 10.0), -7.0);
}

TEST(NumericFunctions, FloorDecimals)
{
    EXPECT_EQ(FloorDecimals(-2.5, 7), -2.5);
    EXPECT_EQ(FloorDecimals(0.30000000000000004, 7), 0.3);
    EXPECT_EQ(FloorDecimals(0.79999999999999993, 7), 0.7999999);
    EXPECT_NEAR(FloorDecimals(-0.00000001, 7), -0.0000001, 1e-15);
    EXPECT_EQ(FloorDecimals(2200000000.0, 7), 2200000000.0);
    EXPECT_EQ(FloorDecimals(1.23456789, 2), 1.23);
    EXPECT_TRUE(std::isnan(FloorDecimals(kInf, 7)));
}

}  // namespace
