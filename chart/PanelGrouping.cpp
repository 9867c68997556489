// Which series share a panel: those of similar scale.
#include "chart/PanelGrouping.h"

namespace {

ValueBounds Union(const ValueBounds& a, const ValueBounds& b)
{
    if (a.Empty())
        return b;
    if (b.Empty())
        return a;
    return ValueBounds{a.min < b.min ? a.min : b.min, a.max > b.max ? a.max : b.max};
}

// A series lies nearly flat on the shared range when its span is positive but below the
// least share of it; a constant one is a flat line wherever it is drawn.
bool Flattened(const ValueBounds& series, double sharedSpan)
{
    return series.Span() > 0 && series.Span() < kLeastShareOfPanel * sharedSpan;
}

bool Fits(const std::vector<ValueBounds>& series, const std::vector<int>& panel, const ValueBounds& range, int candidate)
{
    const double shared = Union(range, series[candidate]).Span();
    if (Flattened(series[candidate], shared))
        return false;
    for (int member : panel) {
        if (Flattened(series[member], shared))
            return false;
    }
    return true;
}

}  // namespace

ValueBounds UnionOf(const std::vector<ValueBounds>& series, const std::vector<int>& members)
{
    ValueBounds range;
    for (int member : members)
        range = Union(range, series[member]);
    return range;
}

std::vector<std::vector<int>> GroupIntoPanels(const std::vector<ValueBounds>& series, int mostPanels)
{
    std::vector<std::vector<int>> panels(1);
    std::vector<ValueBounds> ranges(1);
    for (int s = 0; s < static_cast<int>(series.size()); ++s) {
        std::size_t chosen = 0;
        if (!series[s].Empty()) {
            while (chosen < panels.size() && !panels[chosen].empty() && !Fits(series, panels[chosen], ranges[chosen], s))
                ++chosen;
            if (chosen == panels.size()) {
                if (static_cast<int>(panels.size()) < mostPanels) {
                    panels.emplace_back();
                    ranges.emplace_back();
                } else {
                    --chosen;
                }
            }
        }
        panels[chosen].push_back(s);
        ranges[chosen] = Union(ranges[chosen], series[s]);
    }
    return panels;
}
