// Line segments drawn by the hundred with one GDI call.
#include "chart/SegmentBatch.h"

namespace {

// Every polyline of a batch has two points: one segment each.
struct TwoPointCounts {
    DWORD counts[256];
    TwoPointCounts()
    {
        for (DWORD& count : counts)
            count = 2;
    }
};

const TwoPointCounts twoPoints;

}  // namespace

void DrawSegments(HDC dc, const POINT* ends, int segmentCount)
{
    constexpr int kPerCall = static_cast<int>(sizeof twoPoints.counts / sizeof(DWORD));
    for (int done = 0; done < segmentCount; done += kPerCall) {
        const int n = segmentCount - done < kPerCall ? segmentCount - done : kPerCall;
        PolyPolyline(dc, ends + 2 * done, twoPoints.counts, static_cast<DWORD>(n));
    }
}

void SegmentBatch::Flush()
{
    if (count_ == 0)
        return;
    if (dc_) {
        if (bitmap_)
            SelectObject(dc_, bitmap_);
        DrawSegments(dc_, points_, count_);
    }
    count_ = 0;
}
