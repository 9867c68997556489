// Draws a chain of one-pixel solid line segments with as few GDI calls as possible.
#include "chart/LineRunDrawer.h"

#include "canvas/XCanvas.h"

void LineRunDrawer::Segment(int x1, int y1, int x2, int y2)
{
    if (x1 == x2 && y1 == y2)
        return;   // LineTo to its own start sets no pixel
    if (x1 != x2) {
        Flush();
        DrawLine(x1, y1, x2, y2);
        return;
    }
    if (!inRun_ || x1 != runX_ || y1 != end_) {
        Flush();
        inRun_ = true;
        runX_ = x1;
        low_ = high_ = end_ = y1;
        endUncovered_ = true;   // nothing of the run is drawn yet
    }
    // This segment sets its start; its end is set already when it lies within the pixels
    // the run reached before, and otherwise it is a new extreme, not yet set.
    endUncovered_ = y2 < low_ || y2 > high_;
    if (y2 < low_)
        low_ = y2;
    if (y2 > high_)
        high_ = y2;
    end_ = y2;
}

void LineRunDrawer::Flush()
{
    if (!inRun_)
        return;
    inRun_ = false;
    if (!endUncovered_)
        DrawLine(runX_, low_, runX_, high_ + 1);
    else if (end_ == high_)
        DrawLine(runX_, low_, runX_, high_);   // high itself left out
    else
        DrawLine(runX_, high_, runX_, low_);   // low itself left out
}

void LineRunDrawer::DrawLine(int x1, int y1, int x2, int y2)
{
    canvas_.MoveTo(x1, y1);
    canvas_.LineTo(x2, y2);
}
