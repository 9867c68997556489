// One series' line of a group of series drawn together, held until the group is drawn: the
// segments its runs hand on, or, once they would take more room than a mask of the plot's
// interior (a bit a pixel), that mask with the segments drawn into it.
#pragma once

#include "canvas/PlotMask.h"
#include "chart/ColumnSpan.h"
#include "chart/LineRunDrawer.h"
#include "chart/SeriesMapping.h"
#include "xlib/XOwnLines.h"

#include <windows.h>

#include <memory>
#include <vector>

class SolidPens;

// The bytes the lines of a group hold, and the most they may hold.
struct LineMemory {
    long long held = 0;
    long long budget = 0;

    bool Over() const { return held > budget; }
};

// Written at every point by the thread of its half of a file: see XOwnLines.h.
class alignas(kOwnLines) HeldLine {
public:
    // Counts its bytes into the memory as long as it lives; its mask comes from `masks`.
    HeldLine(PlotMaskDc& masks, LineMemory& memory);
    ~HeldLine();
    HeldLine(const HeldLine&) = delete;
    HeldLine& operator=(const HeldLine&) = delete;

    // The line's next segment, its end pixel excluded.
    void Segment(int x1, int y1, int x2, int y2) { runs_.Segment(x1, y1, x2, y2); }
    bool RunSettledAt(int x) const { return runs_.SettledAt(x); }
    // What the runs hand on: kept, or drawn into the mask a batch at a time.
    void Add(int x1, int y1, int x2, int y2);
    // Hands on what the runs hold back, and draws what is kept into a mask: before drawing.
    void Flush();
    // The line over the picture in the colour, one pixel wide, clipped as the DC is.
    void Draw(HDC dc, SolidPens& pens, COLORREF color) const;

    long long Bytes() const;

    LineEnd end;   // its first point too, for the segment from the earlier half of a file
    ColumnSpan span;

private:
    void ToMask();
    void DrawIntoMask();

    PlotMaskDc& masks_;
    LineMemory& memory_;
    LineRunDrawer<HeldLine> runs_;
    std::vector<POINT> ends_;   // segment i runs from ends_[2i] to ends_[2i + 1]
    std::unique_ptr<PlotMask> mask_;
};
