// One axis of a chart: its range, its tick values and its unit caption.
#pragma once

#include "xlib/XDblList.h"
#include "xlib/XObject.h"
#include "xlib/XString.h"

class XChart;

class XAxis : public XObject {
public:
    double min = 0.0;
    double max = 100.0;       // max - min > 0.00001 once set through SetRange
    int labelDecimals = 0;    // most decimals in a tick label; 0: no cut
    int minSteps = 4;         // least number of tick steps that must fit into the range
    XString caption;
    int showCaption = 0;
    XDblList ticks;           // ascending; always computed from min, max and minSteps
    XChart& chart;

    explicit XAxis(XChart& chart);   // range 0 to 100, ticks 0, 25, 50, 75, 100
    ~XAxis() override;

    // Takes the range a..b (either order) when it is wider than 0.00001. A narrower one
    // (all values equal) keeps the current range when it lies strictly inside it, and
    // otherwise gets a range around it, so that its line is seen. Recomputes the ticks
    // when min or max changed.
    void SetRange(double a, double b);

    // The round step (1, 2.5 or 5 times a power of ten, at least 1e-7) of which at least
    // minSteps (at least 1) fit into the range, and the multiples of it within [min, max],
    // each rounded down to 7 decimals (the lowest no lower than min).
    void ComputeTicks();
};
