// Small numeric functions shared by axis scaling, layout, drawing and the CSV loader.
#include "chart/NumericFunctions.h"

#include <climits>
#include <cmath>

namespace {

int SaturateToInt(double x)
{
    if (std::isnan(x))
        return 0;
    if (x >= 2147483647.0)
        return INT_MAX;
    if (x <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(x);
}

long long PowerOfTen(int n)
{
    long long result = 1;
    long long base = 10;
    for (; n > 0; n >>= 1) {
        if (n & 1)
            result *= base;
        base *= base;
    }
    return result;
}

}  // namespace

int MinInt(int a, int b) { return a < b ? a : b; }
int MaxInt(int a, int b) { return a > b ? a : b; }
double MinDbl(double a, double b) { return a < b ? a : b; }
double MaxDbl(double a, double b) { return a > b ? a : b; }

int DivInt(int a, int b)
{
    if (b == 0)
        return 0;
    if (a == INT_MIN && b == -1)
        return INT_MAX;
    return a / b;
}

int AbsInt(int a)
{
    if (a == INT_MIN)
        return INT_MAX;
    return a < 0 ? -a : a;
}

double AbsDbl(double a) { return std::fabs(a); }

int TruncToInt(double x) { return SaturateToInt(std::trunc(x)); }
int FloorToInt(double x) { return SaturateToInt(std::floor(x)); }

double ModDbl(double a, double b)
{
    if (b == 0.0)
        return a;
    return a - b * std::trunc(a / b);
}

double FloorDecimals(double x, int n)
{
    // Only n = 7 is used (P = 10,000,000); larger n would overflow P.
    double p = static_cast<double>(PowerOfTen(n));
    double whole = std::floor(x);
    return whole + std::floor(p * (x - whole)) / p;
}
