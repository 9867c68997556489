// Which series share a panel: those of similar scale, so that none flattens another.
#pragma once

#include <vector>

// The values of one series: min > max (or a bound not a number) when it has none.
struct ValueBounds {
    double min = 1.0;
    double max = 0.0;

    bool Empty() const { return !(min <= max); }
    double Span() const { return max - min; }
};

// A series whose span, on the range it would share with a panel's series, is below this
// fraction of that range would lie nearly flat there, and so would a series of the panel
// whose span is.
constexpr double kLeastShareOfPanel = 0.1;
constexpr int kMostPanels = 4;

// Series in column order: each joins the first panel where it and every series already in
// it keep at least kLeastShareOfPanel of the shared range (a constant series keeps none and
// asks for nothing: it joins where it does not flatten the others); otherwise it opens the
// next panel, while fewer than `mostPanels` are open, and else joins the last. Series
// without values join the first panel. At least one panel, each listing series indices in
// ascending order.
std::vector<std::vector<int>> GroupIntoPanels(const std::vector<ValueBounds>& series, int mostPanels);

// The union of the bounds of the listed series (empty when none has values).
ValueBounds UnionOf(const std::vector<ValueBounds>& series, const std::vector<int>& members);
