// One axis of a chart: range and tick values.
#include "chart/XAxis.h"

#include "chart/NumericFunctions.h"

#include <cmath>

namespace {

constexpr double kLeastRangeWidth = 0.00001;
constexpr double kSmallestStep = 0.0000001;
constexpr int kTickDecimals = 7;
// A valid range has about ten ticks; the cap only bounds ranges whose ends are so far
// from zero that adding the step no longer changes the sum.
constexpr int kMostTicks = 1000;

// Candidate steps: 1e-7, 5e-7, 1e-6, 2.5e-6, 5e-6, 1e-5, 2.5e-5, ... The magnitude is built
// by repeated multiplication, so a candidate is not always the exact decimal.
void NextCandidate(double& multiplier, double& magnitude)
{
    if (multiplier == 1)
        multiplier = 5;
    else if (multiplier == 5)
        multiplier = 10;
    else if (multiplier == 10)
        multiplier = 25;
    else if (multiplier == 25)
        multiplier = 50;
    else {
        multiplier = 1;
        magnitude *= 10;
    }
}

bool StepsFit(double range, double step, double steps)
{
    return range / step >= steps;   // false for a not-a-number quotient
}

double ChooseStep(double range, double steps)
{
    if (!StepsFit(range, kSmallestStep, steps))
        return kSmallestStep;
    double multiplier = 1;
    double magnitude = kSmallestStep;
    // Ends by itself: the magnitude overflows to infinity and the quotient stops fitting.
    for (;;) {
        double candidate = multiplier * magnitude;
        double nextMultiplier = multiplier;
        double nextMagnitude = magnitude;
        NextCandidate(nextMultiplier, nextMagnitude);
        if (!StepsFit(range, nextMultiplier * nextMagnitude, steps))
            return candidate;
        multiplier = nextMultiplier;
        magnitude = nextMagnitude;
    }
}

// Values too close together for a range of their own, lying outside the current range
// or on its ends (where the frame hides them): a range around them of twice the power of
// ten below their magnitude (at least 1), so their line runs through the middle: 500
// gives 400 to 600, -3 gives -4 to -2, 0 gives -1 to 1, 1e6 gives 0 to 2e6.
bool RangeAroundNarrowValues(double lo, double hi, double& min, double& max)
{
    const double centre = lo / 2 + hi / 2;
    const double magnitude = std::fabs(centre);
    double spread = magnitude >= 10 ? std::pow(10.0, std::floor(std::log10(magnitude))) : 1.0;
    while (!std::isfinite(lo - spread) || !std::isfinite(hi + spread))
        spread /= 10;   // near the end of the double range
    if (!(hi + spread - (lo - spread) > kLeastRangeWidth))
        return false;
    min = lo - spread;
    max = hi + spread;
    return true;
}

bool StrictlyInside(double lo, double hi, double min, double max)
{
    return lo > min && hi < max;
}

}  // namespace

XAxis::XAxis(XChart& chart) : chart(chart)
{
    ComputeTicks();
}

XAxis::~XAxis() = default;

void XAxis::SetRange(double a, double b)
{
    double lo = a;
    double hi = b;
    if (a > b) {
        lo = b;
        hi = a;
    }
    double oldMin = min;
    double oldMax = max;
    if (hi - lo > kLeastRangeWidth) {
        min = lo;
        max = hi;
    } else if (std::isfinite(lo) && std::isfinite(hi) && !StrictlyInside(lo, hi, min, max)) {
        RangeAroundNarrowValues(lo, hi, min, max);
    }
    if (!(min == oldMin) || !(max == oldMax))
        ComputeTicks();
}

void XAxis::ComputeTicks()
{
    ticks.Clear();
    // At least one step must fit: with none the search for the step would never end.
    double step = ChooseStep(AbsDbl(max - min), static_cast<double>(MaxInt(minSteps, 1)));

    // The first tick is the smallest multiple of the step not below min.
    double first = min - ModDbl(min, step);
    if (first < min)
        first = first + step;

    // Each tick is built from the previous, already rounded one: 0.7 + 0.1 gives 0.7999999.
    for (double v = FloorDecimals(first, kTickDecimals); v <= max && ticks.Count() < kMostTicks;) {
        // Rounding down can take the lowest tick a hair below min, a pixel outside the
        // frame: it is min itself then. The next ticks follow from the rounded value.
        ticks.Add(ticks.Count() == 0 && v < min ? min : v);
        double next = FloorDecimals(v + step, kTickDecimals);
        if (!(next > v))
            break;   // the step vanishes beside values this large
        v = next;
    }
}
