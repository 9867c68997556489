// Joined runs, drawn in batches, set exactly the pixels of one MoveTo and LineTo per segment.
#include "canvas/XCanvas.h"
#include "chart/LineRunDrawer.h"
#include "chart/SegmentBatch.h"
#include "tests/support/GdiTestDc.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct DevicePoint {
    int x, y;
};

// Paths that stay in one column for a while, turn back, repeat points and jump.
std::vector<DevicePoint> RandomPath(unsigned seed, int length)
{
    std::vector<DevicePoint> path;
    DevicePoint p{20, 30};
    for (int i = 0; i < length; ++i) {
        seed = seed * 1664525u + 1013904223u;
        unsigned pick = seed >> 24;
        if (pick < 40)
            p.x += static_cast<int>(pick % 3) - 1;
        else if (pick < 50)
            p = DevicePoint{static_cast<int>(seed % 60) - 5, static_cast<int>((seed >> 8) % 70) - 5};
        else
            p.y += static_cast<int>(pick % 9) - 4;
        path.push_back(p);
    }
    return path;
}

TEST(LineRunDrawer, SetsThePixelsOfOneLineToPerSegment)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(seed);
        std::vector<DevicePoint> path = RandomPath(seed, 2 + seed % 40);
        CanvasOnTestDc joined(50, 60);
        CanvasOnTestDc separate(50, 60);
        for (CanvasOnTestDc* on : {&joined, &separate}) {
            IntersectClipRect(on->target.dc(), 1, 1, 49, 59);
            on->canvas.SetPen(0x0000FF, PS_SOLID, 1);
        }
        SegmentBatch batch(joined.target.dc());
        LineRunDrawer<SegmentBatch> runs(batch);
        for (size_t i = 0; i + 1 < path.size(); ++i) {
            runs.Segment(path[i].x, path[i].y, path[i + 1].x, path[i + 1].y);
            separate.canvas.MoveTo(path[i].x, path[i].y);
            separate.canvas.LineTo(path[i + 1].x, path[i + 1].y);
        }
        runs.Flush();
        batch.Flush();
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 50; ++x)
                ASSERT_EQ(joined.target.Pixel(x, y), separate.target.Pixel(x, y)) << x << "," << y;
    }
}

}  // namespace
