// Line segments drawn by the hundred with one GDI call.
#include "chart/SegmentBatch.h"

#include "canvas/CanvasDrawing.h"

void SegmentBatch::Flush()
{
    if (count_ == 0)
        return;
    if (dc_)
        DrawSegments(dc_, points_, count_);
    count_ = 0;
}
