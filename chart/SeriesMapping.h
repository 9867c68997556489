// Where the points and segments of a series land on the plot: every point mapped once, and
// the pixels of every segment between two mapped points as XChart::DrawSeries draws them.
#pragma once

#include "chart/Geometry.h"
#include "chart/SegmentVisibility.h"

#include <cmath>

class XChart;

// A data point, its offsets from the plot's lower-left pixel (XChart::PixelOffset) and,
// when they lie within the exact range, the pixel offsets they round down to.
struct MappedPoint {
    XDblPoint value;
    XDblPoint offset;
    int px = 0;
    int py = 0;
    // Whole words, not bools: a copy of the record then reads back only what was written
    // whole, which keeps the copy made for every point cheap.
    int exact = 0;      // both offsets within +-kExactOffsetLimit
    int inWindow = 0;   // PointInDblRect of the data window
};

// A point's X alone, mapped as MappedPoint maps it: for the points of a row, which share it.
struct MappedX {
    double value = 0;
    double offset = 0;
    int px = 0;
    bool exact = false;      // offset within +-kExactOffsetLimit
    bool inWindow = false;   // within the data window's X range
};

// The far end of a series' line while its points come one after another.
struct LineEnd {
    MappedPoint first;
    MappedPoint last;
    bool started = false;
};

class SeriesMapping {
public:
    // Offsets this far from the plot are cut back along the segment before rounding, so a
    // line towards a huge or infinite value keeps its direction inside the plot. Offsets
    // within it are rounded as they are.
    static constexpr double kExactOffsetLimit = 1 << 24;

    // The chart's current ranges, scales and plot rectangle: after its layout.
    explicit SeriesMapping(const XChart& chart);

    MappedPoint Map(double x, double y) const
    {
        MappedPoint p;
        p.value = XDblPoint(x, y);
        p.offset = XDblPoint((x - xMin_) / xUnitsPerPixel_, (y - yMin_) / yUnitsPerPixel_);
        Round(p);
        return p;
    }

    MappedX MapX(double x) const
    {
        MappedX m;
        m.value = x;
        m.offset = (x - xMin_) / xUnitsPerPixel_;
        m.exact = std::fabs(m.offset) <= kExactOffsetLimit;
        m.px = m.exact ? Floor(m.offset) : 0;
        m.inWindow = window_.xMin <= x && x <= window_.xMax;
        return m;
    }

    // The same as Map for a point whose X is mapped already: one division less where the
    // points of a row share their X (series in columns).
    MappedPoint MapWithX(const MappedX& x, double y) const
    {
        MappedPoint p;
        p.value = XDblPoint(x.value, y);
        p.offset = XDblPoint(x.offset, (y - yMin_) / yUnitsPerPixel_);
        Round(p);
        return p;
    }

    // The device pixels of the segment from a to b; false when it is not drawn: it does
    // not touch the data window, or an offset is not a number.
    bool SegmentPixels(const MappedPoint& a, const MappedPoint& b, int& x1, int& y1, int& x2, int& y2) const
    {
        if (!a.inWindow && !b.inWindow && !SegmentMeetsDblRect(window_, a.value, b.value))
            return false;
        if (a.exact && b.exact) {
            x1 = plot_.left + a.px;
            y1 = plot_.bottom - 1 - a.py;
            x2 = plot_.left + b.px;
            y2 = plot_.bottom - 1 - b.py;
            return true;
        }
        return FarSegmentPixels(a.offset, b.offset, x1, y1, x2, y2);
    }

    // Moves the line's end on to p; true, with the pixels of the segment from the old end
    // to p, when there was an end and that segment is drawn.
    bool Extend(LineEnd& end, const MappedPoint& p, int& x1, int& y1, int& x2, int& y2) const
    {
        const bool drawn = end.started && SegmentPixels(end.last, p, x1, y1, x2, y2);
        if (!end.started)
            end.first = p;
        end.last = p;
        end.started = true;
        return drawn;
    }

    const XRect& Plot() const { return plot_; }

private:
    void Round(MappedPoint& p) const
    {
        p.exact = std::fabs(p.offset.x) <= kExactOffsetLimit && std::fabs(p.offset.y) <= kExactOffsetLimit;
        if (p.exact) {
            p.px = Floor(p.offset.x);
            p.py = Floor(p.offset.y);
        }
        p.inWindow = PointInDblRect(window_, p.value);
    }

    // floor() for values within the exact range, without a library call.
    static int Floor(double v)
    {
        int i = static_cast<int>(v);
        return i > v ? i - 1 : i;
    }

    bool FarSegmentPixels(XDblPoint a, XDblPoint b, int& x1, int& y1, int& x2, int& y2) const;

    double xMin_;
    double yMin_;
    double xUnitsPerPixel_;
    double yUnitsPerPixel_;
    XDblRect window_;
    XRect plot_;
};
