// Line segments gathered and drawn by the hundred with one GDI call: each sets the pixels
// one MoveTo and LineTo would set, its end pixel excluded.
#pragma once

#include <windows.h>

class SegmentBatch {
public:
    // Draws on the device context with whatever pen it holds.
    explicit SegmentBatch(HDC dc) : dc_(dc) {}
    ~SegmentBatch() = default;
    SegmentBatch(const SegmentBatch&) = delete;
    SegmentBatch& operator=(const SegmentBatch&) = delete;

    void Add(int x1, int y1, int x2, int y2)
    {
        if (count_ == kCapacity)
            Flush();
        POINT* p = &points_[2 * count_++];
        p[0].x = x1;
        p[0].y = y1;
        p[1].x = x2;
        p[1].y = y2;
    }

    // Draws what is gathered.
    void Flush();

private:
    static constexpr int kCapacity = 256;   // segments a GDI call

    HDC dc_;
    int count_ = 0;
    POINT points_[2 * kCapacity];
};
