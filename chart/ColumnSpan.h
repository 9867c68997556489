// A line's last pixel column, in values: the lowest and highest Y its points reached there,
// and the line's newest point, held back while it changes nothing.
//
// Within one column a line's pixels are one vertical run from its lowest to its highest
// point (LineRunDrawer). Once that run's end pixel is drawn ("settled"), a further point
// whose Y lies within the values already reached neither widens the run nor changes what
// it draws; only the column's last point matters, as the start of the segment into the
// next column. So such a point is held instead of mapped and drawn, and the next one
// replaces it while it qualifies too; a point that does not is drawn after the held one.
// Y maps to its pixel monotonically, so the values' range stands for the pixels'.
#pragma once

#include "chart/SeriesMapping.h"

struct ColumnSpan {
    // The span of the column after `p` was drawn.
    void Track(const MappedPoint& p)
    {
        if (!p.exact || !p.inWindow) {
            tracking = false;
            return;
        }
        const double y = p.value.y;
        if (tracking && p.px == px) {
            if (y < low)
                low = y;
            if (y > high)
                high = y;
            return;
        }
        tracking = true;
        px = p.px;
        low = high = y;
    }

    // Whether a point at x, y lies within the column's values: no new extreme.
    bool Within(const MappedX& x, double y) const
    {
        return tracking && x.exact && x.inWindow && x.px == px && y >= low && y <= high;
    }

    // Holds the point when it lies within the column's values and the column's run is
    // settled; true then.
    bool HoldIfWithin(const MappedX& x, double y, bool runSettled)
    {
        if (!Within(x, y) || !runSettled)
            return false;
        held = true;
        heldX = x;
        heldY = y;
        return true;
    }

    // The held point, let go: true, with it, when there was one.
    bool Release(MappedX& x, double& y)
    {
        if (!held)
            return false;
        held = false;
        x = heldX;
        y = heldY;
        return true;
    }

    bool tracking = false;
    int px = 0;
    double low = 0;
    double high = 0;
    bool held = false;
    MappedX heldX;
    double heldY = 0;
};
