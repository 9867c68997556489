// One axis of a chart: range and tick values.
#include "chart/XAxis.h"

#include "chart/NumericFunctions.h"

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
    }
    if (!(min == oldMin) || !(max == oldMax))
        ComputeTicks();
}

void XAxis::ComputeTicks()
{
    ticks.Clear();
    double step = ChooseStep(AbsDbl(max - min), static_cast<double>(minSteps));

    // The first tick is the smallest multiple of the step not below min.
    double first = min - ModDbl(min, step);
    if (first < min)
        first = first + step;

    // Each tick is built from the previous, already rounded one: 0.7 + 0.1 gives 0.7999999.
    for (double v = FloorDecimals(first, kTickDecimals); v <= max && ticks.Count() < kMostTicks;) {
        ticks.Add(v);
        double next = FloorDecimals(v + step, kTickDecimals);
        if (!(next > v))
            break;   // the step vanishes beside values this large
        v = next;
    }
}
