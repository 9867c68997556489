// Line segments gathered and drawn by the hundred with one GDI call: each sets the pixels
// one MoveTo and LineTo would set, its end pixel excluded.
#pragma once

#include <windows.h>

// Draws the segments whose ends stand in pairs in `ends` (segment i from ends[2i] to
// ends[2i + 1]) with the context's pen, a few hundred to a GDI call.
void DrawSegments(HDC dc, const POINT* ends, int segmentCount);

class SegmentBatch {
public:
    // Draws on the device context with whatever pen it holds; with a bitmap, selects that
    // bitmap into the context first each time it draws (one context for many bitmaps).
    explicit SegmentBatch(HDC dc, HBITMAP bitmap = nullptr) : dc_(dc), bitmap_(bitmap) {}
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
    HBITMAP bitmap_;
    int count_ = 0;
    POINT points_[2 * kCapacity];
};
