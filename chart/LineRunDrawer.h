// Draws a chain of one-pixel solid line segments with as few GDI calls as possible and
// exactly the pixels that a MoveTo and LineTo for every segment would set.
#pragma once

class XCanvas;

class LineRunDrawer {
public:
    explicit LineRunDrawer(XCanvas& canvas) : canvas_(canvas) {}
    ~LineRunDrawer() = default;
    LineRunDrawer(const LineRunDrawer&) = delete;
    LineRunDrawer& operator=(const LineRunDrawer&) = delete;

    // The segment from (x1, y1) to (x2, y2), its end pixel excluded as LineTo excludes it.
    void Segment(int x1, int y1, int x2, int y2);
    // Draws what is still held back; call before the pen or the clipping changes.
    void Flush();

private:
    void DrawLine(int x1, int y1, int x2, int y2);

    XCanvas& canvas_;
    // A run of vertical segments in one column, joined end to start. Together they set
    // every pixel from low to high, but for the run's last point when it is an extreme
    // that no earlier segment reached.
    bool inRun_ = false;
    int runX_ = 0;
    int low_ = 0;
    int high_ = 0;
    int end_ = 0;
    bool endUncovered_ = false;
};
