// Turns a chain of one-pixel solid line segments into as few segments as possible that set
// exactly the pixels a MoveTo and LineTo for every segment would set. The segments go to
// `Out`, which has void Add(int x1, int y1, int x2, int y2) (a SegmentBatch, say).
#pragma once

template <typename Out>
class LineRunDrawer {
public:
    explicit LineRunDrawer(Out& out) : out_(&out) {}

    // The segment from (x1, y1) to (x2, y2), its end pixel excluded as LineTo excludes it.
    void Segment(int x1, int y1, int x2, int y2)
    {
        if (x1 == x2 && y1 == y2)
            return;   // LineTo to its own start sets no pixel
        if (x1 != x2) {
            Flush();
            out_->Add(x1, y1, x2, y2);
            return;
        }
        if (!inRun_ || x1 != runX_ || y1 != end_) {
            Flush();
            inRun_ = true;
            runX_ = x1;
            low_ = high_ = end_ = y1;
            endUncovered_ = true;   // nothing of the run is drawn yet
        }
        // This segment sets its start; its end is set already when it lies within the
        // pixels the run reached before, and otherwise it is a new extreme, not yet set.
        endUncovered_ = y2 < low_ || y2 > high_;
        if (y2 < low_)
            low_ = y2;
        if (y2 > high_)
            high_ = y2;
        end_ = y2;
    }

    // True while a run in column x goes on whose pixels are all set but for what Flush
    // adds, its end pixel among them.
    bool SettledAt(int x) const { return inRun_ && runX_ == x && !endUncovered_; }

    // Hands on what is still held back; call before the pen or the clipping changes.
    void Flush()
    {
        if (!inRun_)
            return;
        inRun_ = false;
        if (!endUncovered_)
            out_->Add(runX_, low_, runX_, high_ + 1);
        else if (end_ == high_)
            out_->Add(runX_, low_, runX_, high_);   // high itself left out
        else
            out_->Add(runX_, high_, runX_, low_);   // low itself left out
    }

private:
    Out* out_;
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
